#include "cdefinefunction.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/clinkedlist.h"
#include "core/csourceplace.h"
#include "core/cstring.h"
#include "interpreter/cprogram.h"
#include "interpreter/namecheck.h"
#include "symbols/cuserfunction.h"
#include "ui/cuserinterface.h"

namespace {

CString* CopyOf(const CString* pstr, CString::EMidMode mode) {
    return pstr ? pstr->MidToEnd(1, mode) : nullptr;
}

} // namespace

CDefineFunction::CDefineFunction(CProgram* pProg, const CString* pstrName,
                                 const CString* pstrParams, const CString* pstrExpr,
                                 bool bSubroutine)
    : CStatement(pProg), _poName(CopyOf(pstrName, CString::Trimmed)),
      _poParams(CopyOf(pstrParams, CString::Plain)), _poExpr(CopyOf(pstrExpr, CString::Plain)),
      _bSubroutine(bSubroutine) {
    OSTREL_ASSERT(pstrName && pstrParams);
    AddInstance(CN_DEFINEFUNCTION);
}

CDefineFunction::~CDefineFunction() {
    delete _poName;
    delete _poParams;
    delete _poExpr;
    delete _poBody;
    RemoveInstance(CN_DEFINEFUNCTION);
}

std::uint8_t CDefineFunction::GetClassNumber() const {
    return CN_DEFINEFUNCTION;
}

int CDefineFunction::CountFunctionDefinitions() const {
    return 1;
}

void CDefineFunction::SetBody(CStatement* pBody) {
    delete _poBody;
    _poBody = pBody;
}

EExitSignal CDefineFunction::Execute() {
    CProgram* pProg = GetProgram();
    const bool bTaken = pProg->FindFunction(_poName) ||
                        pProg->GetVariables()->FindByName(_poName) ||
                        pProg->GetConstants()->FindByName(_poName) ||
                        pProg->GetBuiltInConstants()->FindByName(_poName);
    CheckNewName(pProg, _poName, bTaken, {ERR_DUPLICATE_FUNCTION, ERR_ILLEGAL_FUNCTION});
    // FUNCTION F(X) without "=": there would be nothing to evaluate.
    if (!_poBody && !_poExpr) {
        RaiseError(ERR_FUNCTION_MUST_RETURN);
    }
    auto* poFunction = new CUserFunction(pProg);
    CleanupStack::PushObject(poFunction);
    poFunction->Define(_poName, _poExpr, _poParams, _bSubroutine);
    poFunction->SetPlace(CopyOfPlace(GetPlace()));
    if (_poBody) {
        CStatement* pBody = _poBody;
        _poBody = nullptr;
        poFunction->SetBody(pBody);
    } else {
        poFunction->Link();
    }
    pProg->GetUserFunctions()->AddLast(poFunction);
    CleanupStack::Pop();
    if (!IsProgramMode()) {
        CUserInterface* pUI = GetUserInterface();
        pUI->PrintText("Declared function ");
        _poName->Print(pUI);
        pUI->PrintText("\n");
    }
    return ES_CONTINUE;
}

void CDefineFunction::Describe() const {
    CStatement::Describe();
    CUserInterface* pUI = GetUserInterface();
    pUI->PrintText("Function ");
    _poName->Print(pUI);
    _poParams->Print(pUI);
    if (_poExpr) {
        pUI->PrintText(" = ");
        _poExpr->Print(pUI);
    } else if (_poBody) {
        _poBody->Describe();
        pUI->PrintText("End Function\n");
    }
}
