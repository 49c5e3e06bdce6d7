// loop_sum on long double; the bound is read through a volatile so that
// the compiler cannot fold the loop.
#include <cstdio>

int main() {
    volatile long n = 2000000;
    const long count = n;
    long double s = 0;
    for (long i = 1; i <= count; ++i) {
        const long double x = static_cast<long double>(i);
        s = s + x * x;
    }
    std::printf("%.21Lg\n", s);
    return 0;
}
