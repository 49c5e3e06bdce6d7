#pragma once

#include "core/extended.h"

class CExpression;
class CFunction;
class CStatement;
class CStatementWithExpressions;
class CString;
class CUserInterface;

// What FINDZEROS, FINDEXTREMA, INTEGRATE and the plots share: a function of
// one parameter named in the command, and an interval written as "A,B"
// (SETYRANGE writes its y range the same way).

// Parses the interval text as expressions 1 and 2 of the statement. The text
// is split at its first comma outside quotes and brackets, which must stand
// neither first nor last; otherwise nSyntaxCode is raised.
void SetIntervalExpressions(CStatementWithExpressions* pStatement, const CString* pstrInterval,
                            int nSyntaxCode);

// Finds the function the name stands for (user functions first, then the
// library) and holds it in *ppFunction by a counted reference, which the
// statement releases with ReleaseNamedFunction. An unknown name raises
// "Unknown symbol" quoting it. When nWrongCountCode is not 0, a function
// without exactly one parameter raises that code. The name is destroyed once
// the function is held.
void LinkNamedFunction(const CStatement* pStatement, CString** ppoName, CFunction** ppFunction,
                       int nWrongCountCode);
void ReleaseNamedFunction(CFunction* pFunction);

// Sets parameter 1 of the function to x.
void SetParameter(CFunction* pFunction, Extended x);

struct SInterval {
    Extended lo;
    Extended hi;
};

// The interval [lo, hi] from two endpoint expressions written in either
// order, evaluated in that order; nothing is checked.
SInterval EvaluateEndpoints(CExpression* pExprA, CExpression* pExprB);
// The same, where endpoints that are equal (or do not compare) raise
// "Interval must have nonzero length.".
SInterval EvaluateOrderedInterval(CExpression* pExprA, CExpression* pExprB);

// FINDZEROS and FINDEXTREMA look at the function on 1000 equal
// sub-intervals of [lo, hi]; grid point j (0 to 1000) is j * step + lo.
struct SSearchGrid {
    static constexpr int SUB_INTERVALS = 1000;

    explicit SSearchGrid(const SInterval& interval)
        : lo(interval.lo), step((interval.hi - interval.lo) * 0.001L) {}
    Extended At(int j) const { return j * step + lo; }

    Extended lo;
    Extended step;
};

// The first lines of a search's report: "<What> of function F(X)", then
// "in interval lo <= X <= hi :" and an empty line.
void PrintSearchHeading(CUserInterface* pUI, const char* pchWhat, const CFunction* pFunc,
                        const SInterval& interval);
// The diagnostic listing of a command on a named function: the command's
// word, then the function's name, or its text while it is not linked.
void DescribeSearch(CUserInterface* pUI, const char* pchCommand, const CFunction* pFunc,
                    const CString* pstrName);
