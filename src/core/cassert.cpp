#include "cassert.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

void AssertionFailed(const char* pchCondition, const char* pchFile, int nLine) {
    const char* pchSlash = std::strrchr(pchFile, '/');
    const char* pchModule = pchSlash ? pchSlash + 1 : pchFile;
    std::fprintf(stderr, "Assertion failed: %s, file %s, line %d\n", pchCondition, pchModule,
                 nLine);
    std::fflush(stderr);
    std::abort();
}
