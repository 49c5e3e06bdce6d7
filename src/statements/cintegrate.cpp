#include "cintegrate.h"

#include "cassignvariable.h"
#include "numericalcommand.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/cstring.h"
#include "expression/cexpression.h"
#include "interpreter/cprogram.h"
#include "symbols/cfunction.h"
#include "symbols/cnamedconstant.h"
#include "ui/cuserinterface.h"

namespace {

// 2n with n = 500: Simpson's rule needs an even count.
constexpr int SUB_INTERVALS = 1000;

} // namespace

CIntegrate::CIntegrate(CProgram* pProg) : CStatementWithExpressions(pProg) {
    AddInstance(CN_INTEGRATE);
}

CIntegrate::~CIntegrate() {
    ReleaseNamedFunction(_pFunc);
    if (_pVar) {
        _pVar->ReleaseReference();
    }
    delete _postrFunc;
    delete _postrVar;
    RemoveInstance(CN_INTEGRATE);
}

std::uint8_t CIntegrate::GetClassNumber() const {
    return CN_INTEGRATE;
}

void CIntegrate::SetText(const CString* pstrFunc, const CString* pstrInterval,
                         const CString* pstrVar) {
    if (!pstrFunc || !pstrInterval || !pstrVar || pstrFunc->GetLength() == 0) {
        RaiseError(ERR_INTEGRATE_SYNTAX);
    }
    delete _postrFunc;
    _postrFunc = pstrFunc->MidToEnd(1, CString::Trimmed);
    SetIntervalExpressions(this, pstrInterval, ERR_INTEGRATE_SYNTAX);
    if (pstrVar->GetLength() == 0) {
        RaiseError(ERR_INTEGRATE_SYNTAX);
    }
    delete _postrVar;
    _postrVar = pstrVar->MidToEnd(1, CString::Trimmed);
}

void CIntegrate::Link() {
    if (!_pFunc) {
        OSTREL_ASSERT(_postrFunc);
        LinkNamedFunction(this, &_postrFunc, &_pFunc, ERR_ONE_VARIABLE_NUMERIC, "X");
    }
    CStatementWithExpressions::Link();
    if (!_pVar) {
        OSTREL_ASSERT(_postrVar);
        // Variables and parameters only: a constant reads as unknown.
        _pVar = static_cast<CVariable*>(FindAssignmentTarget(
            this, _postrVar, {GetParams(), GetLocalVariables(), GetProgram()->GetVariables()}));
        delete _postrVar;
        _postrVar = nullptr;
    }
}

void CIntegrate::PrintReport(Extended a, Extended b) const {
    CUserInterface* pUI = GetUserInterface();
    pUI->PrintText("Computed definite integral of function ");
    PrintFunctionOf(pUI, _pFunc, "X");
    pUI->PrintText("\non interval from\nX = ");
    pUI->PrintNumber(a);
    pUI->PrintText(" to \nX = ");
    pUI->PrintNumber(b);
    pUI->PrintText("\nResult saved in ");
    _pVar->PrintName(pUI);
    pUI->PrintText("\n");
}

EExitSignal CIntegrate::Execute() {
    OSTREL_ASSERT(_pFunc && GetExpression(1) && GetExpression(2) && _pVar);
    GetProgram()->PollInterrupt();
    const Extended a = GetExpression(1)->Evaluate();
    const Extended b = GetExpression(2)->Evaluate();
    _pVar->SetValue(SimpsonIntegral(_pFunc, a, b, SUB_INTERVALS));
    PrintReport(a, b);
    return ES_CONTINUE;
}

void CIntegrate::Describe() const {
    CStatement::Describe();
    DescribeSearch(GetUserInterface(), "Integrate ", _pFunc, _postrFunc);
}
