#include "fuzzsession.h"

#include "core/cbase.h"
#include "core/cleanupstack.h"
#include "crecordingwindow.h"
#include "ui/csession.h"
#include "ui/cwindowinterface.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

// Each answer of the window stands for 1000 interrupt polls. The budget is
// for the whole input: once it is spent every later line is stopped at its
// first answer, so an input of many endless loops still ends soon.
constexpr int INTERRUPT_BUDGET = 64;

constexpr const char* PROGRAM_FILE = "prog.bas";

// Codes that the calculator reports with the generic text on purpose:
// an unrecognised line, a malformed function head, a library error of an
// unnamed kind. Any other code without a message is a fault.
constexpr int GENERIC_CODES[] = {-2034, -1003, -19};

class CBudgetWindow : public CRecordingWindow {
public:
    using CRecordingWindow::CRecordingWindow;

    bool IsInterruptRequested() override {
        CRecordingWindow::IsInterruptRequested();
        return nInterruptPolls > INTERRUPT_BUDGET;
    }
};

[[noreturn]] void Fail(const char* pchWhat, const std::string& detail) {
    std::fprintf(stderr, "fuzz session: %s\n%s\n", pchWhat, detail.c_str());
    std::fflush(stderr);
    std::abort();
}

// The output of one line ends with the line's error report, if any.
void CheckErrorMessage(const std::string& output) {
    static const std::string TAIL = ": no error message exists for this error code.\r\n";
    static const std::string HEAD = "ERROR! Code ";
    if (output.size() < TAIL.size() ||
        output.compare(output.size() - TAIL.size(), TAIL.size(), TAIL) != 0) {
        return;
    }
    const std::size_t iHead = output.rfind(HEAD);
    if (iHead == std::string::npos) {
        return;
    }
    const int nCode = std::atoi(output.c_str() + iHead + HEAD.size());
    if (std::find(std::begin(GENERIC_CODES), std::end(GENERIC_CODES), nCode) !=
        std::end(GENERIC_CODES)) {
        return;
    }
    Fail("an error reached the user without a message", output.substr(iHead));
}

// A session over the budget window; leaving it, every instance counter
// must be back where it was.
class CFuzzSession {
public:
    CFuzzSession() {
        std::memcpy(_countsBefore, ObjectCount, sizeof _countsBefore);
        _oSession.emplace(&_window, std::string());
        _oSession->Reset();
        _window.SetInterface(_oSession->GetInterface());
    }

    ~CFuzzSession() {
        _oSession.reset();
        std::string leaks;
        for (int i = 0; i < OBJECT_COUNTERS; ++i) {
            if (ObjectCount[i] != _countsBefore[i]) {
                leaks += "ObjectCount[" + std::to_string(i) +
                         "] = " + std::to_string(ObjectCount[i]) + ", was " +
                         std::to_string(_countsBefore[i]) + "\n";
            }
        }
        if (!leaks.empty()) {
            Fail("instance counters differ after the interface was destroyed", leaks);
        }
    }

    CFuzzSession(const CFuzzSession&) = delete;
    CFuzzSession& operator=(const CFuzzSession&) = delete;

    void Run(const std::string& line) {
        if (line.size() == 3 && line[0] == '\\' && (line[1] == 'F' || line[1] == 'f') &&
            line[2] >= '1' && line[2] <= '4') {
            Interface()->PressFunctionButton(line[2] - '0');
        } else {
            Interface()->ExecuteLine(line.c_str());
        }
        if (CleanupStack::GetCount() != 0) {
            Fail("the cleanup stack is not empty after a line",
                 "line: " + line + "\nentries: " + std::to_string(CleanupStack::GetCount()));
        }
        CheckErrorMessage(_window.output);
        Explore();
        if (CleanupStack::GetCount() != 0) {
            Fail("the cleanup stack is not empty after exploring the picture", "line: " + line);
        }
        // Only the last line's output is looked at; dropping the rest keeps
        // an input that prints in a loop small.
        _window.canvas.clear();
    }

private:
    // What a user does with a picture: the pane changes its size, the
    // pointer reads it, the wheel zooms (both axes, then one), a drag pans,
    // a band zooms, the picture is asked its questions, Home returns. Each
    // samples the functions anew, within the same interrupt budget, and none
    // may raise.
    void Explore() {
        if (!Interface()->IsGraphNavigable()) {
            return;
        }
        try {
            _window.nGraphWidth = _window.nGraphWidth == 225 ? 331 : 225;
            Interface()->RedrawGraph();
            SGraphProbe probe{};
            Interface()->ProbeGraph(40, 30, &probe);
            Interface()->ZoomGraph(60, 50, 0.5, 0.5);
            Interface()->ZoomGraph(60, 50, 1, 3);
            Interface()->PanGraph(17, -9);
            Interface()->ZoomGraphTo(10, 10, 90, 60);
            // The questions the context menu asks, each of which may mark
            // the picture and print, or find nothing.
            char pchMessage[160];
            for (const EGraphQuestion kind :
                 {GQ_ZERO, GQ_MINIMUM, GQ_MAXIMUM, GQ_INTERSECTION, GQ_VALUE, GQ_AREA}) {
                Interface()->AnswerGraphQuestion({kind, 0, 1, probe.x, probe.x + 1}, pchMessage);
            }
            Interface()->HomeGraph();
        } catch (int nCode) {
            Fail("exploring the picture raised", "code: " + std::to_string(nCode));
        }
    }

    CWindowInterface* Interface() const { return _oSession->GetInterface(); }

    int _countsBefore[OBJECT_COUNTERS] = {};
    CBudgetWindow _window;
    std::optional<CSession> _oSession;
};

} // namespace

void EnterFuzzDirectory() {
    const char* pchTemp = std::getenv("TMPDIR");
    std::string pattern =
        std::string(pchTemp && *pchTemp ? pchTemp : "/tmp") + "/ostrel-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data()) || chdir(pattern.c_str()) != 0) {
        Fail("cannot make a private directory", pattern);
    }
    static const std::string directory = pattern;
    std::atexit([] {
        std::remove((directory + "/" + PROGRAM_FILE).c_str());
        rmdir(directory.c_str());
    });
}

void RunTypedLines(const std::uint8_t* pData, std::size_t nSize) {
    // Typed lines are C strings: a NUL byte ends the line there, as it does
    // in the terminal program.
    CFuzzSession session;
    const char* pch = reinterpret_cast<const char*>(pData);
    const char* pchEnd = pch + nSize;
    while (pch < pchEnd) {
        const char* pchBreak = static_cast<const char*>(std::memchr(pch, '\n', pchEnd - pch));
        const char* pchLineEnd = pchBreak ? pchBreak : pchEnd;
        session.Run(std::string(pch, pchLineEnd));
        pch = pchLineEnd + 1;
    }
}

void RunProgramFile(const std::uint8_t* pData, std::size_t nSize) {
    std::FILE* pFile = std::fopen(PROGRAM_FILE, "wb");
    if (!pFile || std::fwrite(pData, 1, nSize, pFile) != nSize || std::fclose(pFile) != 0) {
        Fail("cannot write the program file", PROGRAM_FILE);
    }
    CFuzzSession session;
    session.Run(CSession::RunFileCommand(PROGRAM_FILE));
}
