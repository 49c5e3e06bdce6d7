#include "csimplestatements.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/cstring.h"
#include "expression/cexpression.h"
#include "interpreter/cprogram.h"
#include "ui/cuserinterface.h"

CDoNothing::CDoNothing(CProgram* pProg) : CStatement(pProg) {
    AddInstance(CN_DONOTHING);
}

CDoNothing::~CDoNothing() {
    RemoveInstance(CN_DONOTHING);
}

std::uint8_t CDoNothing::GetClassNumber() const {
    return CN_DONOTHING;
}

EExitSignal CDoNothing::Execute() {
    if (!IsProgramMode()) {
        GetUserInterface()->PrintText("Executed null statement.\n");
    }
    return ES_CONTINUE;
}

void CDoNothing::Describe() const {
    CStatement::Describe();
    GetUserInterface()->PrintText("Blank Statement");
}

CExitLoop::CExitLoop(CProgram* pProg) : CStatement(pProg) {
    AddInstance(CN_EXITLOOP);
}

CExitLoop::~CExitLoop() {
    RemoveInstance(CN_EXITLOOP);
}

std::uint8_t CExitLoop::GetClassNumber() const {
    return CN_EXITLOOP;
}

EExitSignal CExitLoop::Execute() {
    GetProgram()->PollInterrupt();
    return ES_EXIT_LOOP;
}

void CExitLoop::Describe() const {
    CStatement::Describe();
    GetUserInterface()->PrintText("Exit Loop");
}

CExitFunction::CExitFunction(CProgram* pProg) : CStatement(pProg) {
    AddInstance(CN_EXITFUNCTION);
}

CExitFunction::~CExitFunction() {
    RemoveInstance(CN_EXITFUNCTION);
}

std::uint8_t CExitFunction::GetClassNumber() const {
    return CN_EXITFUNCTION;
}

EExitSignal CExitFunction::Execute() {
    GetProgram()->PollInterrupt();
    return ES_EXIT_FUNCTION;
}

void CExitFunction::Describe() const {
    CStatement::Describe();
    GetUserInterface()->PrintText("Exit Function");
}

CPrintText::CPrintText(CProgram* pProg) : CStatement(pProg) {
    AddInstance(CN_PRINTTEXT);
}

CPrintText::~CPrintText() {
    delete _poText;
    RemoveInstance(CN_PRINTTEXT);
}

std::uint8_t CPrintText::GetClassNumber() const {
    return CN_PRINTTEXT;
}

void CPrintText::SetText(const CString* pstrText, bool bAddNewline) {
    OSTREL_ASSERT(pstrText);
    _bNewline = bAddNewline;
    CString* poTrimmed = pstrText->MidToEnd(1, CString::Trimmed);
    CleanupStack::PushObject(poTrimmed);
    const int nLength = poTrimmed->GetLength();
    if (nLength < 2 || poTrimmed->GetAt(1) != '"' || poTrimmed->GetAt(nLength) != '"') {
        RaiseError(ERR_EXPECTED_STRING_LITERAL);
    }
    CString* poText = poTrimmed->Mid(2, nLength - 2, CString::Plain);
    delete _poText;
    _poText = poText;
    CleanupStack::PopAndDestroy();
}

EExitSignal CPrintText::Execute() {
    GetProgram()->PollInterrupt();
    if (!_poText) {
        RaiseError(ERR_PRINT_TEXT_SYNTAX);
    }
    CUserInterface* pUI = GetUserInterface();
    pUI->PrintText(_poText->GetData());
    if (_bNewline) {
        pUI->PrintText("\n");
    }
    return ES_CONTINUE;
}

void CPrintText::Describe() const {
    CStatement::Describe();
    GetUserInterface()->PrintText("Print ");
    if (_poText) {
        _poText->Print(GetUserInterface());
    }
}

CPrintExpression::CPrintExpression(CProgram* pProg) : CStatementWithExpressions(pProg) {
    AddInstance(CN_PRINTEXPRESSION);
}

CPrintExpression::~CPrintExpression() {
    RemoveInstance(CN_PRINTEXPRESSION);
}

std::uint8_t CPrintExpression::GetClassNumber() const {
    return CN_PRINTEXPRESSION;
}

void CPrintExpression::SetText(const CString* pstrExprCode) {
    OSTREL_ASSERT(pstrExprCode);
    const int nLength = pstrExprCode->GetLength();
    if (nLength == 0) {
        RaiseError(ERR_PRINT_EXPRESSION_MISSING);
    }
    _bNewline = pstrExprCode->GetAt(nLength) != ';';
    CString* poCode = pstrExprCode->Mid(1, _bNewline ? nLength : nLength - 1, CString::Plain);
    CleanupStack::PushObject(poCode);
    SetExpressions(1, poCode);
    CleanupStack::PopAndDestroy();
}

EExitSignal CPrintExpression::Execute() {
    GetProgram()->PollInterrupt();
    const Extended value = GetExpression(1)->Evaluate();
    CUserInterface* pUI = GetUserInterface();
    pUI->PrintNumber(value);
    if (_bNewline) {
        pUI->PrintText("\n");
    }
    return ES_CONTINUE;
}

void CPrintExpression::Describe() const {
    CStatement::Describe();
    GetUserInterface()->PrintText("Print ");
    GetExpression(1)->Print();
}

CCallSub::CCallSub(CProgram* pProg) : CStatement(pProg) {
    AddInstance(CN_CALLSUB);
}

CCallSub::~CCallSub() {
    delete _poExpr;
    RemoveInstance(CN_CALLSUB);
}

std::uint8_t CCallSub::GetClassNumber() const {
    return CN_CALLSUB;
}

void CCallSub::SetText(const CString* pstrExprCode) {
    OSTREL_ASSERT(pstrExprCode);
    delete _poExpr;
    _poExpr = new CExpression(GetProgram());
    _poExpr->SetCode(pstrExprCode);
}

void CCallSub::Link() {
    OSTREL_ASSERT(_poExpr);
    LinkExpression(_poExpr, false);
}

EExitSignal CCallSub::Execute() {
    OSTREL_ASSERT(_poExpr);
    GetProgram()->PollInterrupt();
    _poExpr->Evaluate();
    return ES_CONTINUE;
}

void CCallSub::Describe() const {
    CStatement::Describe();
    GetUserInterface()->PrintText("Call ");
    _poExpr->Print();
}
