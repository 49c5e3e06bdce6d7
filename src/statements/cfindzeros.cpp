#include "cfindzeros.h"

#include "numericalcommand.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/cstring.h"
#include "expression/cexpression.h"
#include "interpreter/cprogram.h"
#include "symbols/cfunction.h"
#include "ui/cuserinterface.h"

CFindZeros::CFindZeros(CProgram* pProg, const CString* pstrFunc)
    : CStatementWithExpressions(pProg) {
    OSTREL_ASSERT(pstrFunc);
    _postrFunc = pstrFunc->MidToEnd(1, CString::Trimmed);
    AddInstance(CN_FINDZEROS);
}

CFindZeros::~CFindZeros() {
    ReleaseNamedFunction(_pFunc);
    delete _postrFunc;
    RemoveInstance(CN_FINDZEROS);
}

std::uint8_t CFindZeros::GetClassNumber() const {
    return CN_FINDZEROS;
}

void CFindZeros::SetText(const CString* pstrParams) {
    OSTREL_ASSERT(pstrParams);
    SetIntervalExpressions(this, pstrParams, ERR_FINDZEROS_SYNTAX);
}

void CFindZeros::Link() {
    if (!_pFunc) {
        OSTREL_ASSERT(_postrFunc);
        // The parameter count is FindZero's to check, after the heading.
        LinkNamedFunction(this, &_postrFunc, &_pFunc, 0, "X");
    }
    CStatementWithExpressions::Link();
}

EExitSignal CFindZeros::Execute() {
    OSTREL_ASSERT(_pFunc);
    GetProgram()->PollInterrupt();
    const SInterval interval = EvaluateOrderedInterval(GetExpression(1), GetExpression(2));
    CUserInterface* pUI = GetUserInterface();
    PrintSearchHeading(pUI, "Zeros", _pFunc, interval);
    const SSearchGrid grid(interval);
    Extended last = interval.lo - 1;
    bool bFound = false;
    int nCount = 0;
    for (int j = 0; j < SSearchGrid::SUB_INTERVALS; ++j) {
        GetProgram()->PollInterrupt();
        const Extended x0 = grid.At(j);
        const Extended x1 = x0 + grid.step;
        if (bFound && last == x0) {
            // The zero at the common end was reported with the previous
            // sub-interval.
            bFound = false;
            continue;
        }
        bFound = _pFunc->FindZero(x0, x1, &last);
        if (bFound) {
            ++nCount;
            pUI->PrintText("X");
            pUI->PrintInteger(nCount);
            pUI->PrintText(" = ");
            pUI->PrintNumber(last);
            pUI->PrintText("\n");
        }
    }
    if (nCount == 0) {
        pUI->PrintText("Couldn't find any zeros.\n");
    }
    return ES_CONTINUE;
}

void CFindZeros::Describe() const {
    CStatement::Describe();
    DescribeSearch(GetUserInterface(), "FindZeros ", _pFunc, _postrFunc);
}
