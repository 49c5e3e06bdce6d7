#include <cstdio>

int main() {
    std::puts("Ostrel: this build holds the foundation types only; the interpreter that runs "
              "typed lines is not built yet.");
    return 0;
}
