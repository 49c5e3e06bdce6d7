#include "cfindextrema.h"

#include "numericalcommand.h"

#include "core/cassert.h"
#include "core/cstring.h"
#include "core/errorcodes.h"
#include "interpreter/cprogram.h"
#include "symbols/cfunction.h"
#include "ui/cuserinterface.h"

CFindExtrema::CFindExtrema(CProgram* pProg, const CString* pstrFunc)
    : CFunctionSearch(pProg, pstrFunc, "FindExtrema ", ERR_FINDEXTREMA_SYNTAX) {
    AddInstance(CN_FINDEXTREMA);
}

CFindExtrema::~CFindExtrema() {
    RemoveInstance(CN_FINDEXTREMA);
}

std::uint8_t CFindExtrema::GetClassNumber() const {
    return CN_FINDEXTREMA;
}

Extended CFindExtrema::SampleAt(const SSearchGrid& grid, int j) const {
    GetProgram()->PollInterrupt();
    return GetFunction()->ValueAt(grid.At(j));
}

void CFindExtrema::ReportExtremum(Extended a, Extended b, bool bMaximum) const {
    Extended x = 0;
    Extended y = 0;
    GetFunction()->FindExtremum(a, b, bMaximum, &x, &y);
    CUserInterface* pUI = GetUserInterface();
    pUI->PrintText(bMaximum ? "Maximum at X = " : "Minimum at X = ");
    pUI->PrintNumber(x);
    pUI->PrintText(" : Y = ");
    pUI->PrintNumber(y);
    pUI->PrintText("\n");
}

void CFindExtrema::PrintCount(int nCount) const {
    CUserInterface* pUI = GetUserInterface();
    if (nCount == 0) {
        pUI->PrintText("Couldn't find any extrema.\n");
        return;
    }
    pUI->PrintText("Found ");
    pUI->PrintInteger(nCount);
    pUI->PrintText(nCount == 1 ? " extremum.\n" : " extrema.\n");
}

// The samples are taken in runs of equal values. A run that the samples
// climb to and fall from holds a maximum, one they fall to and climb from a
// minimum; it is refined between the samples on either side of the run.
// So a flat top of equal samples counts once, a run that is only a step on
// the way up or down counts not at all, and the runs at the interval's ends
// lack a side, so the ends are never reported.
EExitSignal CFindExtrema::Execute() {
    OSTREL_ASSERT(GetFunction());
    GetProgram()->PollInterrupt();
    const SInterval interval = EvaluateOrderedInterval(GetExpression(1), GetExpression(2));
    PrintSearchHeading(GetUserInterface(), "Extrema", GetFunction(), interval);
    GetFunction()->RequireOneParameter();
    const SSearchGrid grid(interval);
    int iRunStart = 0;
    Extended yRun = SampleAt(grid, 0);
    // +1 when the samples last climbed, -1 when they fell, 0 before either.
    int slope = 0;
    int nCount = 0;
    for (int j = 1; j <= SSearchGrid::SUB_INTERVALS; ++j) {
        const Extended y = SampleAt(grid, j);
        if (y == yRun) {
            continue;
        }
        const int newSlope = y > yRun ? 1 : -1;
        if (slope == -newSlope) {
            ReportExtremum(grid.At(iRunStart - 1), grid.At(j), slope > 0);
            ++nCount;
        }
        slope = newSlope;
        iRunStart = j;
        yRun = y;
    }
    PrintCount(nCount);
    return ES_CONTINUE;
}
