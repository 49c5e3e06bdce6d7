#include "numericalcommand.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/cstring.h"
#include "cstatementwithexpressions.h"
#include "expression/cexpression.h"
#include "interpreter/cinterpreter.h"
#include "interpreter/cprogram.h"
#include "symbols/cfunction.h"
#include "ui/cuserinterface.h"

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

void LinkNamedFunction(const CStatement* pStatement, CString** ppoName, CFunction** ppFunction,
                       int nWrongCountCode) {
    OSTREL_ASSERT(pStatement && ppoName && *ppoName && ppFunction && !*ppFunction);
    CFunction* pFound = pStatement->GetProgram()->FindFunction(*ppoName);
    if (!pFound) {
        pStatement->GetInterpreter()->RaiseNamedError(*ppoName, ERR_UNKNOWN_SYMBOL_COMMAND);
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
    if (pFunction) {
        pFunction->ReleaseReference();
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
    pFunc->PrintName(pUI);
    pUI->PrintText("(X)\nin interval ");
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
