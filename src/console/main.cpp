// ostrel-console: the calculator on a terminal. Each line of standard input,
// or each program file named on the command line, runs as if typed into the
// input line; the output pane is standard output.

#include "cconsolewindow.h"
#include "clinereader.h"
#include "ostrel_version.h"

#include <charconv>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

constexpr int EXIT_LINE_FAILED = 1;
constexpr int EXIT_USAGE = 2;
// The virtual pane's sides that --graph-size accepts, in pixels.
constexpr int GRAPH_SIDE_MIN = 20;
constexpr int GRAPH_SIDE_MAX = 10000;

void PrintUsage(std::FILE* pStream) {
    std::fputs("Usage: ostrel-console [OPTION ...] [FILE.bas ...]\n"
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
               "The graph pane is virtual, 300 by 200 pixels unless --graph-size gives\n"
               "another size: plots sample and lay out their labels as in a pane of that\n"
               "size and print their summary. It draws nothing unless --graph is given;\n"
               "then, after each line that changed the picture, the picture is written to\n"
               "FILE.svg as an SVG image of the pane's size.\n"
               "\n"
               "Exit status: 0 when no executed line reported an error (the start-up\n"
               "file's included) and the graph file could always be written, 1 otherwise,\n"
               "2 for a wrong command line.\n"
               "\n"
               "Options:\n"
               "  --no-autoexec       do not run autoexec.bas at start\n"
               "  --graph FILE.svg    write the graph pane's picture to FILE.svg\n"
               "  --graph-size WxH    the graph pane's width and height in pixels, each\n"
               "                      from 20 to 10000 (default 300x200)\n"
               "  --help              show this help and exit\n"
               "  --version           show the version and exit\n",
               pStream);
}

int UsageError(const char* pchMessage, const char* pchArg) {
    std::fprintf(stderr, "ostrel-console: %s%s\n", pchMessage, pchArg);
    PrintUsage(stderr);
    return EXIT_USAGE;
}

// One side of --graph-size: a whole number in range and nothing else.
bool ParseGraphSide(std::string_view text, int* pnSide) {
    const char* pchEnd = text.data() + text.size();
    const auto [pchStop, error] = std::from_chars(text.data(), pchEnd, *pnSide);
    return error == std::errc() && pchStop == pchEnd && *pnSide >= GRAPH_SIDE_MIN &&
           *pnSide <= GRAPH_SIDE_MAX;
}

// --graph-size's "WxH".
bool ParseGraphSize(std::string_view text, int* pnWidth, int* pnHeight) {
    const std::size_t iCross = text.find('x');
    return iCross != std::string_view::npos && ParseGraphSide(text.substr(0, iCross), pnWidth) &&
           ParseGraphSide(text.substr(iCross + 1), pnHeight);
}

struct SOptions {
    bool bRunStartupFile = true;
    const char* pchGraphFile = nullptr;
    int nGraphWidth = CConsoleWindow::GRAPH_WIDTH;
    int nGraphHeight = CConsoleWindow::GRAPH_HEIGHT;
    std::vector<const char*> files;
};

// Reads the command line into the options; the exit status when the
// program ends without running anything (help, version, a wrong command
// line).
std::optional<int> ParseCommandLine(int argc, char** argv, SOptions* pOptions) {
    bool bOptionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* pchArg = argv[i];
        // The value of an option that takes one, if the command line has it.
        const char* pchValue = i + 1 < argc ? argv[i + 1] : nullptr;
        if (bOptionsEnded || pchArg[0] != '-' || std::strcmp(pchArg, "-") == 0) {
            pOptions->files.push_back(pchArg);
        } else if (std::strcmp(pchArg, "--") == 0) {
            bOptionsEnded = true;
        } else if (std::strcmp(pchArg, "--no-autoexec") == 0) {
            pOptions->bRunStartupFile = false;
        } else if (std::strcmp(pchArg, "--graph") == 0) {
            if (!pchValue || pchValue[0] == '\0') {
                return UsageError("--graph needs a file name", "");
            }
            pOptions->pchGraphFile = pchValue;
            ++i;
        } else if (std::strcmp(pchArg, "--graph-size") == 0) {
            if (!pchValue ||
                !ParseGraphSize(pchValue, &pOptions->nGraphWidth, &pOptions->nGraphHeight)) {
                return UsageError("--graph-size needs WxH, each from 20 to 10000: ",
                                  pchValue ? pchValue : "");
            }
            ++i;
        } else if (std::strcmp(pchArg, "--help") == 0) {
            PrintUsage(stdout);
            return 0;
        } else if (std::strcmp(pchArg, "--version") == 0) {
            std::puts("ostrel-console (Ostrel) " OSTREL_VERSION);
            return 0;
        } else {
            return UsageError("unknown option ", pchArg);
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    SOptions options;
    if (const std::optional<int> nExitStatus = ParseCommandLine(argc, argv, &options)) {
        return *nExitStatus;
    }

    // Line editing and the prompt's Ctrl+C only when a user types the lines.
    const bool bInteractive = options.files.empty() && isatty(STDIN_FILENO) != 0;
    CConsoleWindow::InstallInterruptHandler(bInteractive);
    CConsoleWindow window(stdout);
    window.SetGraphSize(options.nGraphWidth, options.nGraphHeight);
    if (options.pchGraphFile) {
        window.SetGraphFile(options.pchGraphFile);
    }
    if (!window.ResetCalculator(options.bRunStartupFile)) {
        return EXIT_LINE_FAILED;
    }
    if (!options.files.empty()) {
        // The first file that reports an error is the last one run.
        for (std::size_t i = 0; i < options.files.size() && window.RunFile(options.files[i]); ++i) {
        }
    } else {
        // Tab asks the interface of the moment: a reset replaces it.
        CLineReader reader(bInteractive, [&window](const std::string& line, int iCaret) {
            return window.Complete(line, iCaret);
        });
        std::string line;
        while (reader.ReadLine(line)) {
            window.RunLine(line);
        }
    }
    return window.HasAnyLineFailed() || window.HasGraphWriteFailed() ? EXIT_LINE_FAILED : 0;
}
