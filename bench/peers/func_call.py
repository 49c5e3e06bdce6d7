# func_call: a module-level function called from a loop on local variables.
def f(x):
    return x * x + 1


def main():
    s = 0.0
    for i in range(1, 1000001):
        s = s + f(i)
    print(repr(s))


main()
