#include "crunfile.h"

#include "cinputfile.h"
#include "cinterpreter.h"
#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/clinkedlist.h"
#include "core/cstring.h"
#include "csequence.h"
#include "ui/cuserinterface.h"

int CRunFile::s_nNesting = 0;

namespace {

constexpr int LINE_BUFFER_SIZE = 1000;

class CNestingGuard {
public:
    explicit CNestingGuard(int& nNesting) : _nNesting(++nNesting) {}
    ~CNestingGuard() { --_nNesting; }
    CNestingGuard(const CNestingGuard&) = delete;
    CNestingGuard& operator=(const CNestingGuard&) = delete;

private:
    int& _nNesting;
};

} // namespace

CRunFile::CRunFile(CProgram* pProg) : CStatement(pProg) {
    AddInstance(CN_RUNFILE);
}

CRunFile::~CRunFile() {
    delete _poFileName;
    RemoveInstance(CN_RUNFILE);
}

std::uint8_t CRunFile::GetClassNumber() const {
    return CN_RUNFILE;
}

int CRunFile::SetFileName(const CString* pstrFileName) {
    OSTREL_ASSERT(pstrFileName);
    CString* poName = pstrFileName->MidToEnd(1, CString::Trimmed);
    delete _poFileName;
    _poFileName = poName;
    const int N = _poFileName->GetLength();
    if (N == 0) {
        GetInterpreter()->RaiseNamedError(_poFileName, ERR_FILE_NAME_MISSING);
    }
    if (_poFileName->GetAt(1) != '"' || N == 1 || _poFileName->GetAt(N) != '"') {
        GetInterpreter()->RaiseNamedError(_poFileName, ERR_RUNFILE_QUOTES);
    }
    // Trimmed as a piece, so that a name of blanks only comes out empty.
    CString* poInner = _poFileName->Mid(2, N - 2, CString::Trimmed);
    delete _poFileName;
    _poFileName = poInner;
    if (_poFileName->GetLength() == 0) {
        RaiseError(ERR_FILE_NAME_MISSING);
    }
    return _poFileName->GetLength();
}

CLinkedList<CString>* CRunFile::ReadCodeLines() const {
    auto* poFile = new CInputFile;
    CleanupStack::PushObject(poFile);
    poFile->Open(_poFileName, GetInterpreter());
    if (!poFile->IsOpen()) {
        GetInterpreter()->RaiseNamedError(_poFileName, ERR_COULD_NOT_OPEN_FILE);
    }
    auto* poLines = new CLinkedList<CString>;
    CleanupStack::PushObject(poLines);
    char* poBuffer = AllocateBuffer(LINE_BUFFER_SIZE);
    CleanupStack::PushBuffer(poBuffer);
    while (poFile->ReadLine(poBuffer, LINE_BUFFER_SIZE)) {
        // Half a line would compile into something the user did not write.
        if (poFile->WasLineCut()) {
            RaiseError(ERR_INPUT_TOO_LONG);
        }
        auto* poLine = new CString;
        CleanupStack::PushObject(poLine);
        poLine->Set(poBuffer);
        poLine->Trim();
        poLines->AddLast(poLine);
        CleanupStack::Pop();
    }
    CleanupStack::PopAndDestroy();
    CleanupStack::Pop();
    // The file is read in one go and closed before anything of it runs.
    CleanupStack::PopAndDestroy();
    return poLines;
}

void CRunFile::RunCompiled(CStatement* pStatement) {
    if (pStatement->GetClassNumber() != CN_SEQUENCE) {
        pStatement->LinkInPlace();
        pStatement->ExecuteInPlace();
        return;
    }
    // Each statement is linked only after the ones before it have run, so it
    // may use what they declared. Exit signals end nothing at this level.
    CLinkedList<CStatement>* pStatements = static_cast<CSequence*>(pStatement)->GetStatements();
    for (pStatements->GoToStart(); pStatements->GetCurrent(); pStatements->GoToNext()) {
        pStatements->GetCurrent()->LinkInPlace();
        pStatements->GetCurrent()->ExecuteInPlace();
    }
}

EExitSignal CRunFile::Execute() {
    OSTREL_ASSERT(_poFileName);
    if (s_nNesting >= MAX_NESTING) {
        RaiseError(ERR_RECURSION);
    }
    const CNestingGuard guard(s_nNesting);
    CLinkedList<CString>* poLines = ReadCodeLines();
    CleanupStack::PushObject(poLines);
    CStatement* poStatement = GetInterpreter()->CompileCodeLines(poLines, _poFileName);
    CleanupStack::PushObject(poStatement);
    RunCompiled(poStatement);
    CleanupStack::PopAndDestroy(2);
    return ES_CONTINUE;
}

void CRunFile::Describe() const {
    CUserInterface* pUI = GetUserInterface();
    pUI->PrintText("\nRunFile ");
    _poFileName->Print(pUI);
}
