#include "cwindowinterface.h"

#include "cgraphpicture.h"
#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/csourceplace.h"
#include "core/cstring.h"
#include "core/errorcodes.h"
#include "cwindowoperations.h"
#include "interpreter/cinterpreter.h"
#include "interpreter/cprogram.h"
#include "statements/cstatement.h"

#include <cstdio>
#include <string>

namespace {

const char* TextOf(const CString* pstr) {
    return pstr && pstr->GetData() ? pstr->GetData() : "";
}

// Strips the characters at or below the blank from both ends.
const char* TrimmedNumberText(char* pchText) {
    char* pchStart = pchText;
    while (*pchStart != '\0' && static_cast<unsigned char>(*pchStart) <= ' ') {
        ++pchStart;
    }
    char* pchEnd = pchStart;
    while (*pchEnd != '\0') {
        ++pchEnd;
    }
    while (pchEnd > pchStart && static_cast<unsigned char>(pchEnd[-1]) <= ' ') {
        --pchEnd;
    }
    *pchEnd = '\0';
    return pchStart;
}

CString* CopyOf(const CString* pstr) {
    auto* poCopy = new CString;
    CleanupStack::PushObject(poCopy);
    poCopy->Set(pstr->GetData(), pstr->GetLength());
    CleanupStack::Pop();
    return poCopy;
}

} // namespace

CWindowInterface::CWindowInterface() {
    AddInstance(CN_WINDOWINTERFACE);
    CWindowInterface::SetPrecision(18);
    _poPicture = new CGraphPicture;
}

CWindowInterface::~CWindowInterface() {
    for (int i = 1; i <= BUTTON_COUNT; ++i) {
        ReleaseButton(i);
    }
    delete _poPicture;
    RemoveInstance(CN_WINDOWINTERFACE);
}

std::uint8_t CWindowInterface::GetClassNumber() const {
    return CN_WINDOWINTERFACE;
}

CWindowOperations* CWindowInterface::Window() const {
    OSTREL_ASSERT(_pWindow);
    return _pWindow;
}

void CWindowInterface::Initialise() {
    _poInterpreter = new CInterpreter;
    _poProgram = new CProgram(_poInterpreter);
    _poProgram->DefineBuiltIns();
    _poProgram->SetUserInterface(this);
    _poInterpreter->SetProgram(_poProgram);
}

bool CWindowInterface::ExecuteLine(const char* pchLine) {
    OSTREL_ASSERT(pchLine);
    OSTREL_ASSERT(_poInterpreter);
    // Held by plain pointers rather than on the cleanup stack: a raise
    // empties the stack, and these two must survive it to be destroyed here.
    CString* poLine = nullptr;
    CStatement* poStatement = nullptr;
    _bLastLineFailed = false;
    ForgetErrorPlace();
    ++_nLinesRunning;
    try {
        poLine = new CString;
        poLine->Set(pchLine);
        poStatement = _poInterpreter->CreateStatement(poLine);
        poStatement->SetProgramMode(false);
        poStatement->Link();
        poStatement->Execute();
    } catch (int nCode) {
        _bLastLineFailed = true;
        ReportError(nCode, this);
        PrintText("\n");
        PrintErrorPlace();
    }
    --_nLinesRunning;
    delete poStatement;
    delete poLine;
    return !_bLastLineFailed;
}

void CWindowInterface::PrintErrorPlace() {
    // In "NAME", line N: TEXT, for an error of a program file's line.
    const SErrorPlace& place = GetErrorPlace();
    if (!place.bNoted) {
        return;
    }
    PrintText("In \"");
    PrintText(place.file.c_str());
    PrintText("\", line ");
    PrintInteger(place.iLine);
    PrintText(": ");
    PrintText(place.text.c_str());
    PrintText("\n");
}

void CWindowInterface::CheckButtonIndex(int iButton) {
    if (iButton < 1 || iButton > BUTTON_COUNT) {
        RaiseError(ERR_ILLEGAL_PARAMETER_UI);
    }
}

const CWindowInterface::SFunctionButton& CWindowInterface::Button(int iButton) const {
    OSTREL_ASSERT(iButton >= 1 && iButton <= BUTTON_COUNT);
    return _buttons[iButton - 1];
}

const CString* CWindowInterface::GetButtonCaption(int iButton) const {
    return Button(iButton).poCaption;
}

const CString* CWindowInterface::GetButtonCommand(int iButton) const {
    return Button(iButton).poCommand;
}

bool CWindowInterface::IsButtonRunAtOnce(int iButton) const {
    return Button(iButton).bRunAtOnce;
}

void CWindowInterface::ReleaseButton(int iButton) {
    SFunctionButton& button = _buttons[iButton - 1];
    delete button.poCommand;
    button.poCommand = nullptr;
    delete button.poCaption;
    button.poCaption = nullptr;
    button.bRunAtOnce = false;
}

void CWindowInterface::PressFunctionButton(int iButton) {
    CheckButtonIndex(iButton);
    const SFunctionButton& button = Button(iButton);
    if (!button.poCaption || button.poCaption->GetLength() == 0) {
        return;
    }
    if (button.bRunAtOnce) {
        if (button.poCommand) {
            // The command is copied before it runs, so it may rebind this
            // very button.
            Window()->RunCommand(TextOf(button.poCommand));
        }
        return;
    }
    const CString* pstrCommand = button.poCommand;
    Window()->SetInputText(TextOf(pstrCommand));
    // A template's caret stands just after its first "?", otherwise at the
    // end of the command.
    int iChar = pstrCommand ? pstrCommand->FindChar('?', 1) : 0;
    if (iChar == 0) {
        iChar = pstrCommand ? pstrCommand->GetLength() : 0;
    }
    Window()->SetInputCaret(iChar);
}

void CWindowInterface::ClearFunctionButton(int iButton) {
    RefuseWhileExploring();
    CheckButtonIndex(iButton);
    ReleaseButton(iButton);
    Window()->ClearButtonCaption(iButton);
}

void CWindowInterface::SetFunctionButton(int iButton, const CString* pstrCaption,
                                         const CString* pstrFuncName, bool bRunAtOnce) {
    OSTREL_ASSERT(pstrCaption && pstrFuncName);
    RefuseWhileExploring();
    CheckButtonIndex(iButton);
    Window()->SetButtonCaption(iButton, TextOf(pstrCaption));
    // Both copies exist before the old texts go, so running out of memory
    // leaves the entry as it was.
    CString* poCaption = CopyOf(pstrCaption);
    CleanupStack::PushObject(poCaption);
    CString* poCommand = CopyOf(pstrFuncName);
    CleanupStack::Pop();
    SFunctionButton& button = _buttons[iButton - 1];
    delete button.poCaption;
    delete button.poCommand;
    button.poCaption = poCaption;
    button.poCommand = poCommand;
    button.bRunAtOnce = bRunAtOnce;
}

void CWindowInterface::WriteOutput(const char* pchText) {
    // A function sampled for the picture prints nothing.
    if (!_bExploring) {
        Window()->WriteOutput(pchText);
    }
}

void CWindowInterface::ClearOutput() {
    RefuseWhileExploring();
    Window()->ClearOutputPane();
}

void CWindowInterface::PrintText(const char* pchText) {
    if (!pchText) {
        return;
    }
    // The output pane breaks lines at carriage return plus line feed.
    std::string text;
    for (const char* pch = pchText; *pch != '\0'; ++pch) {
        if (*pch == '\n') {
            text += '\r';
        }
        text += *pch;
    }
    WriteOutput(text.c_str());
}

void CWindowInterface::PrintChar(char ch) {
    const char pchText[2] = {ch, '\0'};
    WriteOutput(pchText);
}

void CWindowInterface::PrintInteger(int n) {
    char pchText[16];
    std::snprintf(pchText, sizeof pchText, "%d", n);
    WriteOutput(pchText);
}

void CWindowInterface::PrintNumber(Extended value) {
    char pchText[NUMBER_TEXT_SIZE];
    FormatNumber(value, _floatFormat, _nPrecision, _nDigits, pchText);
    WriteOutput(TrimmedNumberText(pchText));
}

void CWindowInterface::SetNumberFormat(int nCode) {
    RefuseWhileExploring();
    if (nCode < NF_GENERAL || nCode > NF_SCIENTIFIC) {
        RaiseError(ERR_ILLEGAL_PARAMETER_UI);
    }
    Window()->CheckNumberFormat(nCode);
    static constexpr EFloatFormat FORMATS[] = {FF_GENERAL, FF_FIXED, FF_EXPONENT};
    _floatFormat = FORMATS[nCode - NF_GENERAL];
}

void CWindowInterface::SetGraphicsFormat(int nCode) {
    RefuseWhileExploring();
    if (nCode < GF_NONE || nCode > GF_LARGE) {
        RaiseError(ERR_ILLEGAL_PARAMETER_UI);
    }
    // Stored first: the window's re-arrangement reads it back.
    _nGraphicsFormat = nCode;
    Window()->CheckGraphicsFormat(nCode);
}

void CWindowInterface::SetPrecision(int nPrecision) {
    // The number texts hold at most MAX_PRECISION digits.
    if (nPrecision < 1) {
        nPrecision = 1;
    } else if (nPrecision > MAX_PRECISION) {
        nPrecision = MAX_PRECISION;
    }
    _nPrecision = nPrecision;
}

void CWindowInterface::ShowToolbar(bool bShown) {
    RefuseWhileExploring();
    _bToolbarShown = bShown;
    Window()->ShowToolbarButtons(bShown);
}

void CWindowInterface::ToggleToolbar() {
    ShowToolbar(!_bToolbarShown);
}

bool CWindowInterface::IsInterrupted() {
    // The window is asked rather than answering no, so that a run that
    // never ends can still be stopped by the user.
    return _pWindow && _pWindow->IsInterruptRequested();
}
