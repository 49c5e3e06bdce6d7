#include "cconsolewindow.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/errorcodes.h"
#include "ui/cgraphpicture.h"
#include "ui/csvgcanvas.h"
#include "ui/cwindowinterface.h"

#include <csignal>
#include <new>

namespace {

volatile std::sig_atomic_t g_bLineRunning = 0;
volatile std::sig_atomic_t g_bInterruptRequested = 0;
volatile std::sig_atomic_t g_bInteractive = 0;
volatile std::sig_atomic_t g_bPromptInterrupted = 0;

extern "C" void OnInterruptSignal(int nSignal) {
    if (g_bLineRunning) {
        g_bInterruptRequested = 1;
        return;
    }
    if (g_bInteractive) {
        // At the prompt Ctrl+C drops the line being typed, as in a shell:
        // the read it interrupts returns, and the reader starts afresh.
        g_bPromptInterrupted = 1;
        return;
    }
    // Reading a script: Ctrl+C ends the program, as in any terminal program.
    std::signal(nSignal, SIG_DFL);
    std::raise(nSignal);
}

// Runs a call into the engine as a line runs, with Ctrl+C armed; returns
// whether it succeeded.
template <class F> bool RunInterruptible(F&& run) {
    g_bInterruptRequested = 0;
    g_bLineRunning = 1;
    const bool bSucceeded = run();
    g_bLineRunning = 0;
    return bSucceeded;
}

} // namespace

CConsoleWindow::CConsoleWindow(std::FILE* pOutput) : _pOutput(pOutput) {}

CConsoleWindow::~CConsoleWindow() {
    FlushPendingCarriageReturn();
}

void CConsoleWindow::InstallInterruptHandler(bool bInteractive) {
    g_bInteractive = bInteractive ? 1 : 0;
    struct sigaction action = {};
    action.sa_handler = OnInterruptSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a read at the prompt must return when Ctrl+C comes.
    action.sa_flags = 0;
    sigaction(SIGINT, &action, nullptr);
}

bool CConsoleWindow::TakePromptInterrupt() {
    const bool bInterrupted = g_bPromptInterrupted != 0;
    g_bPromptInterrupted = 0;
    return bInterrupted;
}

bool CConsoleWindow::ResetCalculator(bool bRunStartupFile) {
    _inputText.clear();
    if (!_session.Reset()) {
        return false;
    }
    _nGraphRevision = Interface()->GetGraphPicture().GetRevision();
    FinishLine(!bRunStartupFile || RunInterruptible([this] { return _session.RunStartupFile(); }));
    return true;
}

void CConsoleWindow::SetGraphSize(int nWidth, int nHeight) {
    OSTREL_ASSERT(nWidth > 0 && nHeight > 0);
    _nGraphWidth = nWidth;
    _nGraphHeight = nHeight;
}

SCompletion CConsoleWindow::Complete(const std::string& line, int iCaret) const {
    return _session.Complete(line, iCaret);
}

bool CConsoleWindow::RunLine(const std::string& line) {
    // The line end never reaches the input line: the line feed, and a
    // carriage return before it, as a file written on Windows has.
    std::string text = line;
    if (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    if (!text.empty() && text.back() == '\r') {
        text.pop_back();
    }
    bool bSucceeded = true;
    // \F1 to \F4 stand for a click on a function button.
    if (text.size() == 3 && text[0] == '\\' && (text[1] == 'F' || text[1] == 'f') &&
        text[2] >= '1' && text[2] <= '4') {
        _bCommandFailed = false;
        bSucceeded = RunInterruptible([&] {
            Interface()->PressFunctionButton(text[2] - '0');
            return !_bCommandFailed;
        });
    } else {
        bSucceeded = RunInterruptible([&] { return Interface()->ExecuteLine(text.c_str()); });
    }
    return FinishLine(bSucceeded);
}

bool CConsoleWindow::RunFile(const char* pchFileName) {
    return FinishLine(RunInterruptible([&] { return _session.RunFile(pchFileName); }));
}

bool CConsoleWindow::FinishLine(bool bSucceeded) {
    FlushPendingCarriageReturn();
    std::fflush(_pOutput);
    WriteGraphIfChanged();
    if (!bSucceeded) {
        _bAnyLineFailed = true;
    }
    return bSucceeded;
}

void CConsoleWindow::WriteGraphIfChanged() {
    const unsigned nRevision = Interface()->GetGraphPicture().GetRevision();
    if (_graphFile.empty() || nRevision == _nGraphRevision) {
        return;
    }
    // A failed write is reported once; the next change tries again.
    _nGraphRevision = nRevision;
    if (!WriteGraph()) {
        std::fprintf(stderr, "ostrel-console: cannot write %s\n", _graphFile.c_str());
        _bGraphWriteFailed = true;
    }
}

bool CConsoleWindow::WriteGraph() {
    try {
        CSvgCanvas canvas(_nGraphWidth, _nGraphHeight);
        Interface()->RenderGraph(&canvas);
        return canvas.WriteFile(_graphFile.c_str());
    } catch (int) {
        // The picture could not be drawn, short of memory.
    } catch (const std::bad_alloc&) {
        // The document could not grow.
    }
    return false;
}

void CConsoleWindow::RunCommand(const char* pchText) {
    if (!Interface()->ExecuteLine(pchText)) {
        _bCommandFailed = true;
    }
}

bool CConsoleWindow::IsInterruptRequested() {
    return g_bInterruptRequested != 0;
}

void CConsoleWindow::WriteOutput(const char* pchText) {
    for (const char* pch = pchText; *pch != '\0'; ++pch) {
        if (_bPendingCarriageReturn) {
            _bPendingCarriageReturn = false;
            if (*pch != '\n') {
                std::fputc('\r', _pOutput);
            }
        }
        if (*pch == '\r') {
            _bPendingCarriageReturn = true;
        } else {
            std::fputc(*pch, _pOutput);
        }
    }
    // Output shows as it is produced, also through a pipe.
    std::fflush(_pOutput);
}

void CConsoleWindow::FlushPendingCarriageReturn() {
    if (_bPendingCarriageReturn) {
        _bPendingCarriageReturn = false;
        std::fputc('\r', _pOutput);
    }
}

void CConsoleWindow::CheckNumberFormat(int nCode) {
    if (nCode < NF_GENERAL || nCode > NF_SCIENTIFIC) {
        RaiseError(ERR_ILLEGAL_PARAMETER_UI);
    }
    _nNumberFormat = nCode;
}

void CConsoleWindow::CheckGraphicsFormat(int nCode) {
    if (nCode < GF_NONE || nCode > GF_LARGE) {
        RaiseError(ERR_ILLEGAL_PARAMETER_UI);
    }
    _nGraphicsFormat = nCode;
}

void CConsoleWindow::SetButtonCaption(int iButton, const char* pchText) {
    if (iButton < 1 || iButton > CWindowInterface::BUTTON_COUNT) {
        RaiseError(ERR_ILLEGAL_PARAMETER_UI);
    }
    _captions[iButton - 1] = pchText;
}

void CConsoleWindow::SetInputCaret(int iChar) {
    OSTREL_ASSERT(iChar >= 0 && iChar <= static_cast<int>(_inputText.size()));
    // A template offered by a function button: show it as the input line
    // would, the caret marked by "|" when it is not at the end.
    std::string shown = _inputText;
    if (iChar < static_cast<int>(shown.size())) {
        shown.insert(static_cast<std::size_t>(iChar), 1, '|');
    }
    WriteOutput(("> " + shown + "\n").c_str());
}

bool CConsoleWindow::IsGraphVisible() const {
    return _nGraphicsFormat != GF_NONE;
}

int CConsoleWindow::CanvasTextHeight(const char* /*pchText*/) const {
    return EstimatedTextHeight(LabelPixelSize());
}

int CConsoleWindow::CanvasTextWidth(const char* pchText) const {
    return EstimatedTextWidth(pchText, LabelPixelSize());
}
