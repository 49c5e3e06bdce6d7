#include "cassignvariable.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/clinkedlist.h"
#include "core/cstring.h"
#include "expression/cexpression.h"
#include "interpreter/cinterpreter.h"
#include "interpreter/cprogram.h"
#include "symbols/cnamedconstant.h"
#include "ui/cuserinterface.h"

CNamedNumeric* FindAssignmentTarget(const CStatement* pStatement, const CString* pstrName,
                                    std::initializer_list<CLinkedList<CNamedNumeric>*> lists) {
    for (CLinkedList<CNamedNumeric>* pList : lists) {
        CNamedNumeric* pFound = pList ? pList->FindByName(pstrName) : nullptr;
        if (pFound) {
            return pFound->AddReference();
        }
    }
    pStatement->GetInterpreter()->RaiseNamedError(pstrName, ERR_UNKNOWN_SYMBOL);
}

CAssignVariable::CAssignVariable(CProgram* pProg) : CStatementWithExpressions(pProg) {
    AddInstance(CN_ASSIGNVARIABLE);
}

CAssignVariable::~CAssignVariable() {
    delete _postrVarName;
    if (_pTarget) {
        _pTarget->ReleaseReference();
    }
    RemoveInstance(CN_ASSIGNVARIABLE);
}

std::uint8_t CAssignVariable::GetClassNumber() const {
    return CN_ASSIGNVARIABLE;
}

void CAssignVariable::SetText(const CString* pstrVarName, const CString* pstrExpr) {
    OSTREL_ASSERT(pstrVarName && pstrExpr);
    // X= and =5 are the user's mistakes, not the program's.
    if (pstrExpr->GetLength() == 0) {
        RaiseError(ERR_ASSIGNMENT_EXPRESSION_MISSING);
    }
    SetExpressions(1, pstrExpr);
    CString* poName = pstrVarName->MidToEnd(1, CString::Trimmed);
    delete _postrVarName;
    _postrVarName = poName;
    if (_postrVarName->GetLength() == 0) {
        RaiseError(ERR_ASSIGNMENT_NAME_MISSING);
    }
    const int a = pstrExpr->GetLength();
    const int b = _postrVarName->GetLength();
    _isPlusPlusOrMinusMinus = a == b + 2 && pstrExpr->GetAt(a) == '1' &&
                              pstrExpr->StartsWith(_postrVarName, false) &&
                              (pstrExpr->GetAt(a - 1) == '+' || pstrExpr->GetAt(a - 1) == '-');
    _increment = _isPlusPlusOrMinusMinus && pstrExpr->GetAt(a - 1) == '-' ? -1 : 1;
}

void CAssignVariable::Link() {
    if (!_pTarget) {
        OSTREL_ASSERT(_postrVarName);
        // Only variables and parameters are targets: a constant's name is
        // not found here and reads as unknown.
        _pTarget = static_cast<CVariable*>(FindAssignmentTarget(
            this, _postrVarName, {GetParams(), GetLocalVariables(), GetProgram()->GetVariables()}));
        delete _postrVarName;
        _postrVarName = nullptr;
    }
    CStatementWithExpressions::Link();
}

EExitSignal CAssignVariable::Execute() {
    GetProgram()->PollInterrupt();
    const Extended value = _isPlusPlusOrMinusMinus ? *_pTarget->GetValueAddress() + _increment
                                                   : GetExpression(1)->Evaluate();
    _pTarget->SetValue(value);
    if (!IsProgramMode()) {
        CUserInterface* pUI = GetUserInterface();
        pUI->PrintText("Assigned ");
        _pTarget->PrintName(pUI);
        pUI->PrintText(" = ");
        pUI->PrintNumber(value);
        pUI->PrintText("\n");
    }
    return ES_CONTINUE;
}

void CAssignVariable::StepBy(Extended step) {
    OSTREL_ASSERT(_pTarget);
    _pTarget->SetValue(*_pTarget->GetValueAddress() + step);
}

void CAssignVariable::Describe() const {
    CStatement::Describe();
    CUserInterface* pUI = GetUserInterface();
    pUI->PrintText("Let ");
    if (_pTarget) {
        _pTarget->PrintName(pUI);
    }
    pUI->PrintText(" = ");
    GetExpression(1)->Print();
}
