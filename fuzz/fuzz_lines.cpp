// libFuzzer target: the input is a series of typed lines.

#include "fuzzsession.h"

extern "C" int LLVMFuzzerInitialize(int* /*pArgc*/, char*** /*pArgv*/) {
    EnterFuzzDirectory();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    RunTypedLines(pData, nSize);
    return 0;
}
