#include "cfunctionbuttons.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/cstring.h"
#include "expression/cexpression.h"
#include "expression/mathsupport.h"
#include "interpreter/cprogram.h"
#include "ui/cuserinterface.h"

namespace {

constexpr int MAX_CAPTION_LENGTH = 10;

// The contents of a string literal, trimmed of blanks inside the quotes; a
// literal of blanks only has empty contents. A text that is not in double
// quotes raises "Expected string literal".
CString* LiteralContents(const CString* pstrText) {
    CString* poText = pstrText->MidToEnd(1, CString::Trimmed);
    CleanupStack::PushObject(poText);
    const int n = poText->GetLength();
    if (n < 2 || poText->GetAt(n) != '"' || poText->GetAt(1) != '"') {
        RaiseError(ERR_EXPECTED_STRING_LITERAL);
    }
    CString* poContents = poText->Mid(2, n - 2, CString::Trimmed);
    CleanupStack::PopAndDestroy();
    return poContents;
}

void PrintIndexDescription(const CStatement* pStatement, const char* pchName,
                           const CExpression* pIndex) {
    pStatement->CStatement::Describe();
    CUserInterface* pUI = pStatement->GetUserInterface();
    pUI->PrintText(pchName);
    pIndex->GetCode()->Print(pUI);
}

} // namespace

CSetFunctionButton::CSetFunctionButton(CProgram* pProg) : CStatementWithExpressions(pProg) {
    AddInstance(CN_SETFUNCTIONBUTTON);
}

CSetFunctionButton::~CSetFunctionButton() {
    delete _postrCaption;
    delete _postrFuncName;
    RemoveInstance(CN_SETFUNCTIONBUTTON);
}

std::uint8_t CSetFunctionButton::GetClassNumber() const {
    return CN_SETFUNCTIONBUTTON;
}

void CSetFunctionButton::SetText(const CString* pstrIndex, const CString* pstrFuncName,
                                 const CString* pstrCaption, const CString* pstrRunFlag) {
    SetExpressions(2, pstrIndex, pstrRunFlag);
    OSTREL_ASSERT(pstrFuncName && pstrCaption);
    // The command is checked first, then the caption.
    CString* poFuncName = LiteralContents(pstrFuncName);
    delete _postrFuncName;
    _postrFuncName = poFuncName;
    CString* poCaption = LiteralContents(pstrCaption);
    delete _postrCaption;
    _postrCaption = poCaption;
}

EExitSignal CSetFunctionButton::Execute() {
    OSTREL_ASSERT(_postrCaption && _postrFuncName);
    GetProgram()->PollInterrupt();
    const int iButton = RoundToInt(GetExpression(1)->Evaluate());
    const Extended runFlag = GetExpression(2)->Evaluate();
    const int nCaption = _postrCaption->GetLength();
    if (nCaption == 0 || nCaption > MAX_CAPTION_LENGTH) {
        RaiseError(ERR_BUTTON_CAPTION);
    }
    if (_postrFuncName->GetLength() == 0) {
        RaiseError(ERR_BUTTON_FUNCTION_BLANK);
    }
    GetUserInterface()->SetFunctionButton(iButton, _postrCaption, _postrFuncName, runFlag != 0);
    return ES_CONTINUE;
}

void CSetFunctionButton::Describe() const {
    PrintIndexDescription(this, "SetFunctionButton ", GetExpression(1));
}

CClearFunctionButton::CClearFunctionButton(CProgram* pProg) : CStatementWithExpressions(pProg) {
    OSTREL_ASSERT(pProg);
    AddInstance(CN_CLEARFUNCTIONBUTTON);
}

CClearFunctionButton::~CClearFunctionButton() {
    RemoveInstance(CN_CLEARFUNCTIONBUTTON);
}

std::uint8_t CClearFunctionButton::GetClassNumber() const {
    return CN_CLEARFUNCTIONBUTTON;
}

EExitSignal CClearFunctionButton::Execute() {
    GetProgram()->PollInterrupt();
    GetUserInterface()->ClearFunctionButton(RoundToInt(GetExpression(1)->Evaluate()));
    return ES_CONTINUE;
}

void CClearFunctionButton::Describe() const {
    PrintIndexDescription(this, "ClearFunctionButton ", GetExpression(1));
}
