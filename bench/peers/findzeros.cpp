// findzeros on long double: the zero search of FINDZEROS SIN,0,3000.
// 1000 equal sub-intervals; each is bisected at most 200 times down to an
// absolute width of 1e-18. Prints the number of zeros, then their sum.
#include <cmath>
#include <cstdio>

using Fn = long double (*)(long double);

__attribute__((noinline)) static bool FindZero(Fn f, long double a, long double b, long double* x) {
    long double lo = a < b ? a : b;
    long double hi = a < b ? b : a;
    const long double flo = f(lo);
    if (flo == 0) {
        *x = lo;
        return true;
    }
    const long double fhi = f(hi);
    if (fhi == 0) {
        *x = hi;
        return true;
    }
    if (!(lo < hi) || (flo > 0 && fhi > 0) || (flo < 0 && fhi < 0))
        return false;
    long double mid = lo;
    for (int k = 0; k < 200; ++k) {
        mid = (lo + hi) * 0.5L;
        if (hi - lo < 1e-18L) {
            *x = mid;
            return true;
        }
        const long double fmid = f(mid);
        if (fmid == 0) {
            *x = mid;
            return true;
        }
        if ((fmid > 0 && flo < 0) || (fmid < 0 && flo > 0))
            hi = mid;
        else
            lo = mid;
    }
    *x = mid;
    return true;
}

static long double Sine(long double x) {
    return sinl(x);
}

int main() {
    volatile Fn f = Sine;
    const long double a = 0, b = 3000;
    const long double step = (b - a) * 0.001L;
    long double last = a - 1;
    bool found = false;
    int count = 0;
    long double sum = 0;
    for (int j = 0; j < 1000; ++j) {
        const long double x0 = j * step + a;
        const long double x1 = x0 + step;
        if (found && last == x0) {
            found = false;
            continue;
        }
        found = FindZero(f, x0, x1, &last);
        if (found) {
            ++count;
            sum += last;
        }
    }
    std::printf("%d\n%.21Lg\n", count, sum);
    return 0;
}
