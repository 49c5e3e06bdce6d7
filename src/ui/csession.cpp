#include "csession.h"

#include "core/cassert.h"
#include "core/cbase.h"
#include "cwindowinterface.h"
#include "cwindowoperations.h"

#include <utility>

CSession::CSession(CWindowOperations* pWindow, std::string startupLine)
    : _pWindow(pWindow), _startupLine(std::move(startupLine)) {
    OSTREL_ASSERT(_pWindow);
    ++n_ivcInstance;
}

CSession::~CSession() {
    delete _poInterface;
    --n_ivcInstance;
}

bool CSession::Reset() {
    delete _poInterface;
    _poInterface = nullptr;
    // What is still counted now was leaked by the interface just deleted.
    SnapshotCounts();
    try {
        _poInterface = new CWindowInterface;
        _poInterface->Initialise();
    } catch (int) {
        // Half a calculator would fail on its first line; the front end goes
        // on without one until the next reset.
        delete _poInterface;
        _poInterface = nullptr;
        _pWindow->ClearOutputPane();
        _pWindow->WriteOutput("ERROR! Initialization failed.\r\n");
        return false;
    }
    _poInterface->AttachWindow(_pWindow);
    _pWindow->CheckGraphicsFormat(GF_MEDIUM);
    _pWindow->CheckNumberFormat(NF_GENERAL);
    for (int i = 1; i <= CWindowInterface::BUTTON_COUNT; ++i) {
        _pWindow->ClearButtonCaption(i);
    }
    _pWindow->ShowToolbarButtons(true);
    if (!ReportLeaks(_poInterface)) {
        _poInterface->ClearOutput();
    }
    return true;
}

bool CSession::RunStartupFile() {
    return Execute(_startupLine);
}

bool CSession::RunFile(const std::string& fileName) {
    return Execute(RunFileCommand(fileName));
}

std::string CSession::RunFileCommand(const std::string& fileName) {
    return "runfile \"" + fileName + '"';
}

SCompletion CSession::Complete(const std::string& line, int iCaret) const {
    return CompleteWord(_poInterface ? _poInterface->GetProgram() : nullptr, line, iCaret);
}

bool CSession::Execute(const std::string& line) {
    return _poInterface && _poInterface->ExecuteLine(line.c_str());
}
