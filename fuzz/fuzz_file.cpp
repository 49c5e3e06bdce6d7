// libFuzzer target: the input is the contents of a program file.

#include "fuzzsession.h"

extern "C" int LLVMFuzzerInitialize(int* /*pArgc*/, char*** /*pArgv*/) {
    EnterFuzzDirectory();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    RunProgramFile(pData, nSize);
    return 0;
}
