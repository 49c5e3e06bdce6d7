// ostrel-console: the calculator on a terminal. Each line of standard input
// runs as if typed into the input line; the output pane is standard output.

#include "cconsolewindow.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>

namespace {

void PrintUsage() {
    std::puts("Usage: ostrel-console [--no-autoexec]\n"
              "Runs each line of standard input as a calculator command and writes its\n"
              "output to standard output. At start it runs runfile \"autoexec.bas\"\n"
              "from the current directory, unless --no-autoexec is given.\n"
              "A line \\F1 to \\F4 presses that function button; a command it offers\n"
              "as a template is shown as \"> \" and the input line, \"|\" marking the\n"
              "caret unless it is at the end. Ctrl+C interrupts a running command.");
}

} // namespace

int main(int argc, char** argv) {
    bool bRunStartupFile = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-autoexec") == 0) {
            bRunStartupFile = false;
        } else if (std::strcmp(argv[i], "--help") == 0) {
            PrintUsage();
            return 0;
        } else {
            std::fprintf(stderr, "ostrel-console: unknown option %s\n", argv[i]);
            PrintUsage();
            return 2;
        }
    }

    CConsoleWindow::InstallInterruptHandler();
    CConsoleWindow window(stdout);
    if (!window.ResetCalculator(bRunStartupFile)) {
        return 1;
    }
    const bool bInteractive = isatty(STDIN_FILENO) != 0;
    std::string line;
    while (true) {
        if (bInteractive) {
            std::fputs("> ", stdout);
            std::fflush(stdout);
        }
        if (!std::getline(std::cin, line)) {
            break;
        }
        window.RunLine(line);
    }
    return 0;
}
