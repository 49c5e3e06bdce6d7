# math_sin: the loop runs inside a function, on local variables.
import math


def main():
    sin = math.sin
    s = 0.0
    for i in range(1, 1000001):
        s = s + sin(i)
    print(repr(s))


main()
