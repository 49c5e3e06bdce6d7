#include "cassignarray.h"

#include "cassignvariable.h"
#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/clinkedlist.h"
#include "core/cstring.h"
#include "expression/cexpression.h"
#include "expression/mathsupport.h"
#include "interpreter/cprogram.h"
#include "symbols/carray.h"
#include "ui/cuserinterface.h"

CAssignArray::CAssignArray(CProgram* pProg) : CStatementWithExpressions(pProg) {
    AddInstance(CN_ASSIGNARRAY);
}

CAssignArray::~CAssignArray() {
    delete _poArrName;
    if (_pTarget) {
        _pTarget->ReleaseReference();
    }
    RemoveInstance(CN_ASSIGNARRAY);
}

std::uint8_t CAssignArray::GetClassNumber() const {
    return CN_ASSIGNARRAY;
}

void CAssignArray::SetText(const CString* pstrArrName, const CString* pstrIndex,
                           const CString* pstrExpr) {
    OSTREL_ASSERT(pstrArrName && pstrIndex && pstrExpr);
    CString* poName = pstrArrName->MidToEnd(1, CString::Trimmed);
    delete _poArrName;
    _poArrName = poName;
    if (_poArrName->GetLength() == 0) {
        RaiseError(ERR_ASSIGNMENT_NAME_MISSING);
    }
    if (pstrExpr->GetLength() == 0) {
        RaiseError(ERR_ASSIGNMENT_EXPRESSION_MISSING);
    }
    // An empty index is reported by the expression itself.
    SetExpressions(2, pstrIndex, pstrExpr);
}

void CAssignArray::Link() {
    if (!_pTarget) {
        OSTREL_ASSERT(_poArrName);
        _pTarget = static_cast<CArray*>(
            FindAssignmentTarget(this, _poArrName, {GetLocalArrays(), GetProgram()->GetArrays()}));
        delete _poArrName;
        _poArrName = nullptr;
    }
    CStatementWithExpressions::Link();
}

EExitSignal CAssignArray::Execute() {
    GetProgram()->PollInterrupt();
    const int index = RoundToInt(GetExpression(1)->Evaluate(), ERR_ILLEGAL_PARAMETER_UI);
    if (index < _pTarget->GetLowerBound() || index > _pTarget->GetUpperBound()) {
        RaiseError(ERR_ILLEGAL_PARAMETER);
    }
    const Extended value = GetExpression(2)->Evaluate();
    // The value may have read other elements and moved the array's index.
    _pTarget->SetIndex(index, 1);
    _pTarget->SetValue(value);
    return ES_CONTINUE;
}

void CAssignArray::Describe() const {
    CStatement::Describe();
    CUserInterface* pUI = GetUserInterface();
    pUI->PrintText("Let ");
    if (_pTarget) {
        _pTarget->PrintName(pUI);
    }
    pUI->PrintText("[");
    GetExpression(1)->Print();
    pUI->PrintText("] = ");
    GetExpression(2)->Print();
}
