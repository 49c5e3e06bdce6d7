// math_sin on long double with sinl.
#include <cmath>
#include <cstdio>

int main() {
    volatile long n = 1000000;
    const long count = n;
    long double s = 0;
    for (long i = 1; i <= count; ++i) {
        s = s + sinl(static_cast<long double>(i));
    }
    std::printf("%.21Lg\n", s);
    return 0;
}
