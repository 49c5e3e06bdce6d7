// ostrel-console: the calculator on a terminal. Each line of standard input,
// or each program file named on the command line, runs as if typed into the
// input line; the output pane is standard output.

#include "cconsolewindow.h"
#include "clinereader.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int EXIT_LINE_FAILED = 1;
constexpr int EXIT_USAGE = 2;

void PrintUsage(std::FILE* pStream) {
    std::fputs("Usage: ostrel-console [--no-autoexec] [FILE.bas ...]\n"
               "The Ostrel calculator on a terminal.\n"
               "\n"
               "At start it runs runfile \"autoexec.bas\" from the current directory, as the\n"
               "window does, unless --no-autoexec is given. Then it runs each FILE as the\n"
               "line runfile \"FILE\", in order, and stops after the first that reports an\n"
               "error. Without FILE arguments each line of standard input runs as a command\n"
               "typed into the input line; on a terminal with a prompt, line editing and\n"
               "history. Output is what the window's output pane would show.\n"
               "\n"
               "A line \\F1 to \\F4 presses that function button; a command it offers as a\n"
               "template is shown as \"> \" and the input line, \"|\" marking the caret\n"
               "unless it is at the end. Ctrl+C interrupts a running command; at the\n"
               "prompt it drops the line being typed, and Ctrl+D ends the program.\n"
               "There is no graph pane: plots sample as in a pane of 300 by 200 pixels\n"
               "and print their summary.\n"
               "\n"
               "Exit status: 0 when no executed line reported an error (the start-up\n"
               "file's included), 1 otherwise, 2 for a wrong command line.\n"
               "\n"
               "Options:\n"
               "  --no-autoexec  do not run autoexec.bas at start\n"
               "  --help         show this help and exit\n"
               "  --version      show the version and exit\n",
               pStream);
}

} // namespace

int main(int argc, char** argv) {
    bool bRunStartupFile = true;
    bool bOptionsEnded = false;
    std::vector<const char*> files;
    for (int i = 1; i < argc; ++i) {
        const char* pchArg = argv[i];
        if (bOptionsEnded || pchArg[0] != '-' || std::strcmp(pchArg, "-") == 0) {
            files.push_back(pchArg);
        } else if (std::strcmp(pchArg, "--") == 0) {
            bOptionsEnded = true;
        } else if (std::strcmp(pchArg, "--no-autoexec") == 0) {
            bRunStartupFile = false;
        } else if (std::strcmp(pchArg, "--help") == 0) {
            PrintUsage(stdout);
            return 0;
        } else if (std::strcmp(pchArg, "--version") == 0) {
            std::puts("ostrel-console (Ostrel) 1.0");
            return 0;
        } else {
            std::fprintf(stderr, "ostrel-console: unknown option %s\n", pchArg);
            PrintUsage(stderr);
            return EXIT_USAGE;
        }
    }

    // Line editing and the prompt's Ctrl+C only when a user types the lines.
    const bool bInteractive = files.empty() && isatty(STDIN_FILENO) != 0;
    CConsoleWindow::InstallInterruptHandler(bInteractive);
    CConsoleWindow window(stdout);
    if (!window.ResetCalculator(bRunStartupFile)) {
        return EXIT_LINE_FAILED;
    }
    if (!files.empty()) {
        // The first file that reports an error is the last one run.
        for (std::size_t i = 0; i < files.size() && window.RunFile(files[i]); ++i) {
        }
    } else {
        CLineReader reader(bInteractive);
        std::string line;
        while (reader.ReadLine(line)) {
            window.RunLine(line);
        }
    }
    return window.HasAnyLineFailed() ? EXIT_LINE_FAILED : 0;
}
