# findzeros: the zero search of FINDZEROS SIN,0,3000.
# 1000 equal sub-intervals; each is bisected at most 200 times down to an
# absolute width of 1e-18. Prints the number of zeros, then their sum.
import math


def find_zero(f, a, b):
    lo, hi = (a, b) if a <= b else (b, a)
    flo = f(lo)
    if flo == 0:
        return lo
    fhi = f(hi)
    if fhi == 0:
        return hi
    if not lo < hi or (flo > 0 and fhi > 0) or (flo < 0 and fhi < 0):
        return None
    mid = lo
    for _ in range(200):
        mid = (lo + hi) * 0.5
        if hi - lo < 1e-18:
            return mid
        fmid = f(mid)
        if fmid == 0:
            return mid
        if (fmid > 0 and flo < 0) or (fmid < 0 and flo > 0):
            hi = mid
        else:
            lo = mid
    return mid


def main():
    f = math.sin
    a, b = 0.0, 3000.0
    step = (b - a) * 0.001
    last = a - 1
    found = False
    count = 0
    total = 0.0
    for j in range(1000):
        x0 = j * step + a
        x1 = x0 + step
        if found and last == x0:
            found = False
            continue
        z = find_zero(f, x0, x1)
        found = z is not None
        if found:
            last = z
            count += 1
            total += z
    print(count)
    print(repr(total))


main()
