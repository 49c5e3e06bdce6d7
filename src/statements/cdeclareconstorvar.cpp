#include "cdeclareconstorvar.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/clinkedlist.h"
#include "core/cstring.h"
#include "expression/cexpression.h"
#include "interpreter/cprogram.h"
#include "interpreter/namecheck.h"
#include "symbols/cnamedconstant.h"
#include "ui/cuserinterface.h"

SDeclarationScope GetDeclarationScope(const CStatement* pStatement) {
    if (pStatement->GetOwnerFunction()) {
        return {pStatement->GetLocalConstants(), pStatement->GetLocalVariables(),
                pStatement->GetLocalArrays()};
    }
    const CProgram* pProg = pStatement->GetProgram();
    return {pProg->GetConstants(), pProg->GetVariables(), pProg->GetArrays()};
}

bool IsNameTaken(const CStatement* pStatement, const SDeclarationScope& scope,
                 const CString* pstrName) {
    const CProgram* pProg = pStatement->GetProgram();
    return pProg->FindFunction(pstrName) || pProg->GetBuiltInConstants()->FindByName(pstrName) ||
           scope.pVariables->FindByName(pstrName) || scope.pArrays->FindByName(pstrName) ||
           scope.pConstants->FindByName(pstrName);
}

CDeclareConstOrVar::CDeclareConstOrVar(CProgram* pProg, const CString* pstrSymbolName,
                                       EDeclarationKind kind)
    : CStatementWithExpressions(pProg),
      _poSymbolName(pstrSymbolName->MidToEnd(1, CString::Trimmed)), _kind(kind) {
    AddInstance(CN_DECLARECONSTORVAR);
}

CDeclareConstOrVar::~CDeclareConstOrVar() {
    delete _poSymbolName;
    RemoveInstance(CN_DECLARECONSTORVAR);
}

std::uint8_t CDeclareConstOrVar::GetClassNumber() const {
    return CN_DECLARECONSTORVAR;
}

int CDeclareConstOrVar::CountConstDeclarations() const {
    return _kind == DK_CONSTANT ? 1 : 0;
}

int CDeclareConstOrVar::CountVarDeclarations() const {
    return _kind == DK_CONSTANT ? 0 : 1;
}

EExitSignal CDeclareConstOrVar::Execute() {
    GetProgram()->PollInterrupt();
    CExpression* pInitialValue = GetExpression(1);
    const bool bConstant = _kind == DK_CONSTANT;
    if (bConstant && !pInitialValue) {
        RaiseError(ERR_CONSTANT_NOT_INITIALISED);
    }
    const SDeclarationScope scope = GetDeclarationScope(this);
    CheckNewName(GetProgram(), _poSymbolName, IsNameTaken(this, scope, _poSymbolName),
                 bConstant ? SNameErrorCodes{ERR_DUPLICATE_CONSTANT, ERR_ILLEGAL_CONSTANT}
                           : SNameErrorCodes{ERR_DUPLICATE_VARIABLE, ERR_ILLEGAL_VARIABLE});
    const Extended value = pInitialValue ? pInitialValue->Evaluate() : 0;
    if (bConstant) {
        AddNamedConstant(scope.pConstants, value, _poSymbolName->GetData());
    } else {
        auto* poVariable = new CVariable(_kind == DK_STATIC, value);
        CleanupStack::PushObject(poVariable);
        poVariable->SetName(_poSymbolName);
        poVariable->SetValue(value);
        scope.pVariables->AddLast(poVariable);
        CleanupStack::Pop();
    }
    if (!IsProgramMode()) {
        CUserInterface* pUI = GetUserInterface();
        pUI->PrintText(bConstant ? "Declared constant " : "Declared variable ");
        _poSymbolName->Print(pUI);
        pUI->PrintText(" = ");
        pUI->PrintNumber(value);
        pUI->PrintText("\n");
    }
    return ES_CONTINUE;
}

void CDeclareConstOrVar::Describe() const {
    CStatement::Describe();
    CUserInterface* pUI = GetUserInterface();
    static constexpr const char* KEYWORDS[] = {"Const ", "Dim ", "Static "};
    pUI->PrintText(KEYWORDS[_kind]);
    _poSymbolName->Print(pUI);
    pUI->PrintText(" = ");
    if (GetExpression(1)) {
        GetExpression(1)->Print();
    }
}
