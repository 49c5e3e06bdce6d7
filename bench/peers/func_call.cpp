// func_call on long double; the function is kept out of line so that each
// pass makes a real call.
#include <cstdio>

__attribute__((noinline)) long double F(long double x) {
    return x * x + 1;
}

int main() {
    volatile long n = 1000000;
    const long count = n;
    long double s = 0;
    for (long i = 1; i <= count; ++i) {
        s = s + F(static_cast<long double>(i));
    }
    std::printf("%.21Lg\n", s);
    return 0;
}
