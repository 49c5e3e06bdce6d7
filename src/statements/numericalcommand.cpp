#include "numericalcommand.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/cstring.h"
#include "cstatementwithexpressions.h"
#include "expression/cexpression.h"
#include "interpreter/cinterpreter.h"
#include "interpreter/cprogram.h"
#include "symbols/cfunction.h"
#include "symbols/cuserfunction.h"
#include "ui/cuserinterface.h"

#include <algorithm>
#include <cmath>
#include <iterator>

void SetIntervalExpressions(CStatementWithExpressions* pStatement, const CString* pstrInterval,
                            int nSyntaxCode) {
    OSTREL_ASSERT(pStatement && pstrInterval);
    const int L = pstrInterval->GetLength();
    const int k = L > 0 ? pstrInterval->FindSeparator(1, ',', 1) : 0;
    if (k < 2 || k >= L) {
        RaiseError(nSyntaxCode);
    }
    CString* poA = pstrInterval->Mid(1, k - 1, CString::Plain);
    CleanupStack::PushObject(poA);
    CString* poB = pstrInterval->MidToEnd(k + 1, CString::Plain);
    CleanupStack::PushObject(poB);
    pStatement->SetExpressions(2, poA, poB);
    CleanupStack::PopAndDestroy(2);
}

namespace {

// The function an expression written in the command stands for, linked.
CFunction* ExpressionFunction(CProgram* pProg, const CString* pstrExpr, const char* pchVariable) {
    auto* poFunction = new CUserFunction(pProg);
    CleanupStack::PushObject(poFunction);
    poFunction->DefineExpression(pstrExpr, pchVariable);
    poFunction->Link();
    CleanupStack::Pop();
    return poFunction;
}

} // namespace

void LinkNamedFunction(const CStatement* pStatement, CString** ppoName, CFunction** ppFunction,
                       int nWrongCountCode, const char* pchVariable) {
    OSTREL_ASSERT(pStatement && ppoName && *ppoName && ppFunction && !*ppFunction && pchVariable);
    const CString* pstrName = *ppoName;
    CFunction* pFound = nullptr;
    // A single name keeps its meaning: a function's, or none, except for the
    // command's own variable. So does a text with a comma outside brackets,
    // which no expression has: it stays an unknown name, as it always was.
    if (pstrName->IsValidName() || pstrName->FindSeparator(1, ',', 1) > 0) {
        pFound = pStatement->GetProgram()->FindFunction(pstrName);
        if (!pFound && !pstrName->Compare(pchVariable, false)) {
            pStatement->GetInterpreter()->RaiseNamedError(pstrName, ERR_UNKNOWN_SYMBOL_COMMAND);
        }
    }
    if (!pFound) {
        pFound = ExpressionFunction(pStatement->GetProgram(), pstrName, pchVariable);
    }
    // Held before any further check, so that the statement's destructor
    // gives the reference back whatever fails next.
    pFound->AddReference();
    *ppFunction = pFound;
    delete *ppoName;
    *ppoName = nullptr;
    if (nWrongCountCode != 0 && pFound->GetParamCount() != 1) {
        RaiseError(nWrongCountCode);
    }
}

void ReleaseNamedFunction(CFunction* pFunction) {
    if (!pFunction) {
        return;
    }
    pFunction->ReleaseReference();
    if (pFunction->IsExpression() && pFunction->GetReferenceCount() == 0) {
        delete pFunction;
    }
}

void PrintFunctionOf(CUserInterface* pUI, const CFunction* pFunction, const char* pchVariable) {
    OSTREL_ASSERT(pUI && pFunction && pchVariable);
    pFunction->PrintName(pUI);
    if (!pFunction->IsExpression()) {
        pUI->PrintText("(");
        pUI->PrintText(pchVariable);
        pUI->PrintText(")");
    }
}

void SetParameter(CFunction* pFunction, Extended x) {
    pFunction->ResetParamCursor();
    pFunction->SetParam(x, 1);
}

SInterval EvaluateEndpoints(CExpression* pExprA, CExpression* pExprB) {
    const Extended a = pExprA->Evaluate();
    const Extended b = pExprB->Evaluate();
    return b < a ? SInterval{b, a} : SInterval{a, b};
}

SInterval EvaluateOrderedInterval(CExpression* pExprA, CExpression* pExprB) {
    const SInterval interval = EvaluateEndpoints(pExprA, pExprB);
    if (!(interval.lo < interval.hi)) {
        RaiseError(ERR_INTERVAL_LENGTH);
    }
    return interval;
}

void PrintSearchHeading(CUserInterface* pUI, const char* pchWhat, const CFunction* pFunc,
                        const SInterval& interval) {
    OSTREL_ASSERT(pUI && pchWhat && pFunc);
    pUI->PrintText(pchWhat);
    pUI->PrintText(" of function ");
    PrintFunctionOf(pUI, pFunc, "X");
    pUI->PrintText("\nin interval ");
    pUI->PrintNumber(interval.lo);
    pUI->PrintText(" <= X <= ");
    pUI->PrintNumber(interval.hi);
    pUI->PrintText(" :\n\n");
}

void DescribeSearch(CUserInterface* pUI, const char* pchCommand, const CFunction* pFunc,
                    const CString* pstrName) {
    OSTREL_ASSERT(pUI && pchCommand && (pFunc || pstrName));
    pUI->PrintText(pchCommand);
    if (pFunc) {
        pFunc->PrintName(pUI);
    } else {
        pstrName->Print(pUI);
    }
}

Extended SimpsonIntegral(CFunction* pFunction, Extended a, Extended b, int nSubIntervals) {
    OSTREL_ASSERT(pFunction && nSubIntervals > 0 && nSubIntervals % 2 == 0);
    if (!(a < b || a > b)) {
        return 0;
    }
    Extended sum = 0;
    for (int i = 0; i <= nSubIntervals; ++i) {
        pFunction->GetProgram()->PollInterrupt();
        const Extended x =
            (a * static_cast<Extended>(nSubIntervals - i) + b * static_cast<Extended>(i)) /
            nSubIntervals;
        const Extended d = pFunction->ValueAt(x);
        if (i == 0 || i == nSubIntervals) {
            sum += d;
        } else {
            sum += (i % 2 != 0 ? 4 : 2) * d;
        }
    }
    return (b - a) * sum / (3 * static_cast<Extended>(nSubIntervals));
}

Extended RefinedIntegral(CFunction* pFunction, Extended a, Extended b) {
    // Simpson's error falls by 16 when the step halves; each extrapolation
    // removes the leading term (factors 16, 64, 256, ...).
    constexpr int FIRST = 1000;
    constexpr int LAST = 64000;
    constexpr int MAX_LEVELS = 8;
    Extended previous[MAX_LEVELS] = {};
    int nLevels = 0;
    Extended best = 0;
    for (int n = FIRST; n <= LAST; n *= 2) {
        Extended current[MAX_LEVELS] = {SimpsonIntegral(pFunction, a, b, n)};
        Extended factor = 16;
        for (int k = 1; k <= nLevels && k < MAX_LEVELS; ++k) {
            current[k] = current[k - 1] + (current[k - 1] - previous[k - 1]) / (factor - 1);
            factor *= 4;
        }
        const int nTop = std::min(nLevels, MAX_LEVELS - 1);
        const Extended estimate = current[nTop];
        if (nLevels > 0 && std::fabs(estimate - best) <= 1e-18L * std::fabs(estimate)) {
            return estimate;
        }
        best = estimate;
        std::copy(std::begin(current), std::end(current), std::begin(previous));
        ++nLevels;
    }
    return best;
}
