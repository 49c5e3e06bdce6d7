#include "cplotcurve.h"

#include "numericalcommand.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/cstring.h"
#include "interpreter/cprogram.h"
#include "symbols/cfunction.h"
#include "ui/cuserinterface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

namespace {

constexpr int PARAMETRIC_SAMPLES = 300;
constexpr Extended HEADROOM = 0.1L;

// A range that one value spans is widened by 1 on each side, or, for a value
// too large for 1 to make a difference, by a small part of the value; then
// it gets its headroom. A range the numbers cannot hold is an overflow.
CPlotCurve::SRange Widened(CPlotCurve::SRange range) {
    if (range.lo == range.hi) {
        const bool bOneCounts = range.lo - 1 < range.lo && range.hi + 1 > range.hi;
        const Extended spread = bOneCounts ? 1 : std::fabs(range.lo) * 1e-15L;
        range.lo -= spread;
        range.hi += spread;
    }
    const Extended r = range.hi - range.lo;
    range.hi += HEADROOM * r;
    range.lo -= HEADROOM * r;
    if (!std::isfinite(range.lo) || !std::isfinite(range.hi)) {
        RaiseError(ERR_OVERFLOW);
    }
    return range;
}

// First, first + step, ... while within the limit (the limit itself
// included when bInclusive). The walk also ends where adding the step no
// longer changes the value: a step below the values' resolution would never
// get anywhere.
template <class F>
void ForEachGridValue(const CPlotCurve::SGridStep& grid, Extended limit, bool bInclusive,
                      F&& visit) {
    Extended value = grid.first;
    while (bInclusive ? value <= limit : value < limit) {
        visit(value);
        const Extended next = value + grid.step;
        if (next == value) {
            break;
        }
        value = next;
    }
}

// The grid value nearest zero is labelled 0, so that rounding noise never
// shows.
Extended LabelValue(Extended value, Extended step) {
    return value - step / 2 < 0 && value + step / 2 > 0 ? 0 : value;
}

// The step among the three candidates that divides the range into 5 to 12
// parts, or 0 if none does.
Extended FittingCandidate(Extended d, const Extended (&candidates)[3]) {
    for (const Extended c : candidates) {
        const Extended nParts = d / c;
        if (nParts >= 5 && nParts < 13) {
            return c;
        }
    }
    return 0;
}

void Scale(Extended (&candidates)[3], Extended factor) {
    std::transform(std::begin(candidates), std::end(candidates), std::begin(candidates),
                   [factor](Extended c) { return c * factor; });
}

} // namespace

CPlotCurve::CPlotCurve(CProgram* pProg) : CStatementWithExpressions(pProg) {
    AddInstance(CN_PLOTCURVE);
}

CPlotCurve::~CPlotCurve() {
    ReleaseNamedFunction(_pFuncY);
    ReleaseNamedFunction(_pFuncX);
    delete _postrFuncY;
    delete _postrFuncX;
    RemoveInstance(CN_PLOTCURVE);
}

std::uint8_t CPlotCurve::GetClassNumber() const {
    return CN_PLOTCURVE;
}

void CPlotCurve::SetUpPlotXY(const CString* pstrFuncY, const CString* pstrInterval) {
    if (!pstrFuncY || pstrFuncY->GetLength() == 0) {
        RaiseError(ERR_PLOTXY_SYNTAX);
    }
    delete _postrFuncY;
    _postrFuncY = pstrFuncY->MidToEnd(1, CString::Trimmed);
    SetIntervalExpressions(this, pstrInterval, ERR_PLOTXY_SYNTAX);
}

void CPlotCurve::SetUpPlotTXY(const CString* pstrFuncX, const CString* pstrFuncY,
                              const CString* pstrInterval) {
    if (!pstrFuncX || !pstrFuncY || pstrFuncX->GetLength() == 0 || pstrFuncY->GetLength() == 0) {
        RaiseError(ERR_PLOTTXY_SYNTAX);
    }
    delete _postrFuncX;
    _postrFuncX = pstrFuncX->MidToEnd(1, CString::Trimmed);
    delete _postrFuncY;
    _postrFuncY = pstrFuncY->MidToEnd(1, CString::Trimmed);
    SetIntervalExpressions(this, pstrInterval, ERR_PLOTTXY_SYNTAX);
}

void CPlotCurve::Link() {
    if (!_pFuncY) {
        OSTREL_ASSERT(_postrFuncY);
        LinkNamedFunction(this, &_postrFuncY, &_pFuncY, ERR_ONE_VARIABLE_PLOT);
    }
    if (_postrFuncX) {
        LinkNamedFunction(this, &_postrFuncX, &_pFuncX, ERR_ONE_VARIABLE_PLOT);
    }
    CStatementWithExpressions::Link();
}

CPlotCurve::SGridStep CPlotCurve::ChooseGridStep(Extended lo, Extended hi) {
    if (!(lo < hi)) {
        RaiseError(ERR_ILLEGAL_PARAMETER_UI);
    }
    const Extended d = hi - lo;
    if (!std::isfinite(d)) {
        RaiseError(ERR_OVERFLOW);
    }
    Extended candidates[3] = {1, 2, 5};
    Extended step = FittingCandidate(d, candidates);
    // Upwards while the range holds at least five of the smallest candidate.
    while (step == 0 && d / candidates[0] >= 5) {
        Scale(candidates, 10);
        step = FittingCandidate(d, candidates);
    }
    if (step == 0) {
        candidates[0] = 0.1L;
        candidates[1] = 0.2L;
        candidates[2] = 0.5L;
        step = FittingCandidate(d, candidates);
    }
    // Downwards; a range below every step the numbers can hold ends here
    // too.
    while (step == 0) {
        Scale(candidates, 0.1L);
        if (candidates[0] == 0) {
            RaiseError(ERR_UNDERFLOW);
        }
        step = FittingCandidate(d, candidates);
    }
    return {step, std::ceil(lo / step) * step};
}

void CPlotCurve::SampleCurve(const SInterval& interval, int nSamples, Extended* px, Extended* py,
                             SRange* pxRange, SRange* pyRange) const {
    const Extended width = interval.hi - interval.lo;
    for (int i = 0; i < nSamples; ++i) {
        GetProgram()->PollInterrupt();
        const Extended t = i * width / nSamples + interval.lo;
        SetParameter(_pFuncY, t);
        if (_pFuncX) {
            SetParameter(_pFuncX, t);
        }
        const Extended y = _pFuncY->GetValue();
        const Extended x = _pFuncX ? _pFuncX->GetValue() : t;
        // The scaling and the mapping to pixels need finite numbers.
        if (!std::isfinite(x) || !std::isfinite(y)) {
            RaiseError(ERR_OVERFLOW);
        }
        px[i] = x;
        py[i] = y;
        if (i == 0) {
            *pxRange = {x, x};
            *pyRange = {y, y};
        }
        pxRange->lo = std::fmin(pxRange->lo, x);
        pxRange->hi = std::fmax(pxRange->hi, x);
        pyRange->lo = std::fmin(pyRange->lo, y);
        pyRange->hi = std::fmax(pyRange->hi, y);
    }
}

EExitSignal CPlotCurve::Execute() {
    OSTREL_ASSERT(_pFuncY);
    GetProgram()->PollInterrupt();
    CUserInterface* pUI = GetUserInterface();
    if (pUI->GetGraphicsFormat() == GF_NONE) {
        pUI->SetGraphicsFormat(GF_MEDIUM);
    }
    pUI->ClearGraph();
    const SInterval interval = EvaluateOrderedInterval(GetExpression(1), GetExpression(2));
    int pxLeft = 0;
    int pyTop = 0;
    int pxRight = 0;
    int pyBottom = 0;
    pUI->GetPlotArea(&pxLeft, &pyTop, &pxRight, &pyBottom);
    // One sample per pixel column but the last two; a pane too narrow for
    // that still gets one.
    const int nSamples =
        IsParametric() ? PARAMETRIC_SAMPLES : std::max(1, std::abs(pxLeft - pxRight + 1));
    Extended* px = AllocateNumbers(static_cast<std::size_t>(nSamples));
    CleanupStack::PushNumbers(px);
    Extended* py = AllocateNumbers(static_cast<std::size_t>(nSamples));
    CleanupStack::PushNumbers(py);
    SRange xRange{};
    SRange yRange{};
    SampleCurve(interval, nSamples, px, py, &xRange, &yRange);
    // PLOTXY spans exactly its interval; only a parametric curve gets
    // margins left and right.
    xRange = IsParametric() ? Widened(xRange) : SRange{interval.lo, interval.hi};
    yRange = Widened(yRange);
    DrawPicture(pUI, xRange, yRange, px, py, nSamples);
    CleanupStack::PopAndDestroy(2);
    pUI->DrawGraphFrame();
    PrintSummary(pUI, interval);
    return ES_CONTINUE;
}

void CPlotCurve::DrawPicture(CUserInterface* pUI, const SRange& xRange, const SRange& yRange,
                             const Extended* px, const Extended* py, int nSamples) {
    pUI->SetWorldWindow(xRange.lo, yRange.hi, xRange.hi, yRange.lo);
    const SGrid grid = DrawGrid(pUI, xRange, yRange);
    DrawAxes(pUI, xRange, yRange);
    DrawYLabels(pUI, xRange.lo, grid.y, yRange.hi);
    DrawXLabels(pUI, yRange.lo, grid.x, xRange.hi);
    pUI->SetPenColor(0, 0, 255);
    DrawPolyline(pUI, px, py, nSamples);
}

CPlotCurve::SGrid CPlotCurve::DrawGrid(CUserInterface* pUI, const SRange& xRange,
                                       const SRange& yRange) {
    OSTREL_ASSERT(pUI);
    const SGridStep yGrid = ChooseGridStep(yRange.lo, yRange.hi);
    pUI->SetGridPen();
    ForEachGridValue(yGrid, yRange.hi, true, [&](Extended y) {
        pUI->MoveTo(xRange.lo, y);
        pUI->LineTo(xRange.hi, y);
    });
    const SGridStep xGrid = ChooseGridStep(xRange.lo, xRange.hi);
    pUI->SetGridPen();
    ForEachGridValue(xGrid, xRange.hi, false, [&](Extended x) {
        pUI->MoveTo(x, yRange.lo);
        pUI->LineTo(x, yRange.hi);
    });
    return {xGrid, yGrid};
}

void CPlotCurve::DrawAxes(CUserInterface* pUI, const SRange& xRange, const SRange& yRange) {
    OSTREL_ASSERT(pUI);
    // An axis outside the window maps outside the plot area, where the
    // canvas clips it.
    pUI->SetAxisPen();
    pUI->MoveTo(0, yRange.hi);
    pUI->LineTo(0, yRange.lo);
    pUI->SetAxisPen();
    pUI->MoveTo(xRange.lo, 0);
    pUI->LineTo(xRange.hi, 0);
}

void CPlotCurve::DrawYLabels(CUserInterface* pUI, Extended x, const SGridStep& grid, Extended yHi) {
    OSTREL_ASSERT(pUI);
    ForEachGridValue(grid, yHi, true,
                     [&](Extended y) { pUI->DrawNumber(LabelValue(y, grid.step), x, y); });
}

void CPlotCurve::DrawXLabels(CUserInterface* pUI, Extended y, const SGridStep& grid, Extended xHi) {
    OSTREL_ASSERT(pUI);
    ForEachGridValue(grid, xHi, false,
                     [&](Extended x) { pUI->DrawNumber(LabelValue(x, grid.step), x, y); });
}

void CPlotCurve::DrawPolyline(CUserInterface* pUI, const Extended* px, const Extended* py,
                              int nSamples) {
    OSTREL_ASSERT(pUI && px && py);
    pUI->MoveTo(px[0], py[0]);
    for (int i = 1; i < nSamples; ++i) {
        pUI->LineTo(px[i], py[i]);
    }
}

void CPlotCurve::PrintSummary(CUserInterface* pUI, const SInterval& interval) const {
    if (IsParametric()) {
        pUI->PrintText("Plotted \nY = ");
        _pFuncY->Print(pUI);
        pUI->PrintText("(T)\nX = ");
        _pFuncX->Print(pUI);
        pUI->PrintText("(T)\non interval from\nT = ");
    } else {
        pUI->PrintText("Plotted Y = ");
        _pFuncY->Print(pUI);
        pUI->PrintText("(X)\non interval from\nX = ");
    }
    pUI->PrintNumber(interval.lo);
    pUI->PrintText(IsParametric() ? " to \nT = " : " to \nX = ");
    pUI->PrintNumber(interval.hi);
    pUI->PrintText("\n");
}

void CPlotCurve::Describe() const {
    CStatement::Describe();
    GetUserInterface()->PrintText("DrawGraph");
}
