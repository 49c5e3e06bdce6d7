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

// Finds the function the text stands for and holds it in *ppFunction by a
// counted reference, which the statement releases with ReleaseNamedFunction.
// A single name is a function's (user functions first, then the library):
// an unknown one raises "Unknown symbol" quoting it, unless it is the
// command's own variable pchVariable, which is the expression of that
// variable. Any other text is an expression of pchVariable, linked now as
// the body of a one-parameter function would be (the variable first, then
// the program's names); it leaves no name behind. When nWrongCountCode is
// not 0, a function without exactly one parameter raises that code. The
// text is destroyed once the function is held.
void LinkNamedFunction(const CStatement* pStatement, CString** ppoName, CFunction** ppFunction,
                       int nWrongCountCode, const char* pchVariable);
// Gives the reference back; a function written as an expression goes with
// its last holder.
void ReleaseNamedFunction(CFunction* pFunction);

// Writes the function as the reports name it: "F(X)" for a named one, the
// expression itself for one written in its place.
void PrintFunctionOf(CUserInterface* pUI, const CFunction* pFunction, const char* pchVariable);

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

// Composite Simpson's rule over nSubIntervals (even) equal sub-intervals
// from a to b, b < a giving the opposite sign and a = b (or ends that do not
// compare) 0. Polls for the user's request to stop as it goes.
Extended SimpsonIntegral(CFunction* pFunction, Extended a, Extended b, int nSubIntervals);
// The integral as far as the numbers allow: Simpson's rule on 1000, 2000,
// 4000, ... sub-intervals, each pair extrapolated as Romberg's method does,
// until two estimates agree to the last digits or 64000 sub-intervals.
Extended RefinedIntegral(CFunction* pFunction, Extended a, Extended b);
