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
    : CFunctionSearch(pProg, pstrFunc, "FindZeros ", ERR_FINDZEROS_SYNTAX) {
    AddInstance(CN_FINDZEROS);
}

CFindZeros::~CFindZeros() {
    RemoveInstance(CN_FINDZEROS);
}

std::uint8_t CFindZeros::GetClassNumber() const {
    return CN_FINDZEROS;
}

EExitSignal CFindZeros::Execute() {
    OSTREL_ASSERT(GetFunction());
    GetProgram()->PollInterrupt();
    const SInterval interval = EvaluateOrderedInterval(GetExpression(1), GetExpression(2));
    CUserInterface* pUI = GetUserInterface();
    PrintSearchHeading(pUI, "Zeros", GetFunction(), interval);
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
        bFound = GetFunction()->FindZero(x0, x1, &last);
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
