# loop_sum: the loop runs inside a function, on local variables.
def main():
    s = 0.0
    for i in range(1, 2000001):
        s = s + i * i
    print(repr(s))


main()
