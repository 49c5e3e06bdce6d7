// Replays fuzz inputs without the fuzzer, so that the ordinary builds run
// the seeds and the inputs that once found a fault:
//   ostrel-fuzz-replay lines|file FILE_OR_DIRECTORY...
// A directory stands for the files in it. A fault aborts the program.

#include "fuzzsession.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::filesystem::path> InputsOf(const char* pchArgument) {
    const std::filesystem::path path = std::filesystem::absolute(pchArgument);
    std::vector<std::filesystem::path> inputs;
    if (std::filesystem::is_directory(path)) {
        for (const auto& entry : std::filesystem::directory_iterator(path)) {
            if (entry.is_regular_file()) {
                inputs.push_back(entry.path());
            }
        }
        std::sort(inputs.begin(), inputs.end());
    } else {
        inputs.push_back(path);
    }
    return inputs;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || (std::strcmp(argv[1], "lines") != 0 && std::strcmp(argv[1], "file") != 0)) {
        std::fputs("usage: ostrel-fuzz-replay lines|file FILE_OR_DIRECTORY...\n", stderr);
        return 2;
    }
    const bool bFile = std::strcmp(argv[1], "file") == 0;
    // Read every input before leaving for the private directory, where
    // relative names no longer lead to them.
    std::vector<std::pair<std::string, std::string>> inputs;
    for (int i = 2; i < argc; ++i) {
        for (const auto& path : InputsOf(argv[i])) {
            std::ifstream stream(path, std::ios::binary);
            if (!stream) {
                std::fprintf(stderr, "cannot read %s\n", path.c_str());
                return 2;
            }
            inputs.emplace_back(path.string(), std::string(std::istreambuf_iterator<char>(stream),
                                                           std::istreambuf_iterator<char>()));
        }
    }
    if (inputs.empty()) {
        std::fputs("no inputs to replay\n", stderr);
        return 2;
    }
    EnterFuzzDirectory();
    for (const auto& [name, bytes] : inputs) {
        std::printf("%s\n", name.c_str());
        std::fflush(stdout);
        const auto* pData = reinterpret_cast<const std::uint8_t*>(bytes.data());
        if (bFile) {
            RunProgramFile(pData, bytes.size());
        } else {
            RunTypedLines(pData, bytes.size());
        }
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return 0;
}
