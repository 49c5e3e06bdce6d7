#include "plotscene.h"

#include "cgraphcanvas.h"
#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/errorcodes.h"
#include "core/numbertext.h"
#include "cuserinterface.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>

namespace {

// Blue first, then colours that stay apart from it and from each other on
// white: red, green, orange, purple, teal, magenta, brown.
constexpr int CURVE_COLORS[MAX_PLOT_CURVES] = {
    CanvasColor(0, 0, 255),   CanvasColor(204, 0, 0),   CanvasColor(0, 140, 0),
    CanvasColor(230, 120, 0), CanvasColor(130, 0, 170), CanvasColor(0, 140, 140),
    CanvasColor(210, 0, 140), CanvasColor(130, 80, 30),
};

// First, first + step, ... while within the limit (the limit itself
// included when bInclusive). The walk also ends where adding the step no
// longer changes the value: a step below the values' resolution would never
// get anywhere.
template <class F>
void ForEachGridValue(const SGridStep& grid, Extended limit, bool bInclusive, F&& visit) {
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

struct SGrid {
    SGridStep x;
    SGridStep y;
};

SGrid DrawGrid(CUserInterface* pUI, const SPlotRange& xRange, const SPlotRange& yRange) {
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

void DrawAxes(CUserInterface* pUI, const SPlotRange& xRange, const SPlotRange& yRange) {
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

void DrawYLabels(CUserInterface* pUI, Extended x, const SGridStep& grid, Extended yHi) {
    OSTREL_ASSERT(pUI);
    const int nDigits = ChooseLabelDigits(grid, yHi, true);
    ForEachGridValue(grid, yHi, true,
                     [&](Extended y) { pUI->DrawNumber(LabelValue(y, grid.step), x, y, nDigits); });
}

void DrawXLabels(CUserInterface* pUI, Extended y, const SGridStep& grid, Extended xHi) {
    OSTREL_ASSERT(pUI);
    const int nDigits = ChooseLabelDigits(grid, xHi, false);
    ForEachGridValue(grid, xHi, false,
                     [&](Extended x) { pUI->DrawNumber(LabelValue(x, grid.step), x, y, nDigits); });
}

// A sample that could not be evaluated lifts the pen: the curve goes on
// from the next one that could.
void DrawPolyline(CUserInterface* pUI, const SPlotCurve& curve) {
    OSTREL_ASSERT(pUI && curve.px && curve.py);
    bool bPenDown = false;
    for (int i = 0; i < curve.nSamples; ++i) {
        if (std::isnan(curve.px[i]) || std::isnan(curve.py[i])) {
            bPenDown = false;
        } else if (bPenDown) {
            pUI->LineTo(curve.px[i], curve.py[i]);
        } else {
            pUI->MoveTo(curve.px[i], curve.py[i]);
            bPenDown = true;
        }
    }
}

// The label as the pane writes it, read back.
Extended LabelReading(Extended value, int nDigits, char (&pchText)[NUMBER_TEXT_SIZE]) {
    FormatNumber(value, FF_GENERAL, nDigits, 2, pchText);
    // Whatever the locale: the label's separator is always ".".
    const char* pchStart = pchText;
    while (*pchStart == ' ') {
        ++pchStart;
    }
    Extended reading = 0;
    std::from_chars(pchStart, pchStart + std::strlen(pchStart), reading);
    return reading;
}

} // namespace

int PlotCurveColor(int iCurve) {
    OSTREL_ASSERT(iCurve >= 0 && iCurve < MAX_PLOT_CURVES);
    return CURVE_COLORS[iCurve];
}

SGridStep ChooseGridStep(Extended lo, Extended hi) {
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

int ChooseLabelDigits(const SGridStep& grid, Extended limit, bool bInclusive) {
    // Two digits keep the labels as they always were wherever they already
    // tell the values apart; more are taken only where zooming needs them.
    constexpr int MIN_DIGITS = 2;
    constexpr int MAX_DIGITS = 20;
    for (int nDigits = MIN_DIGITS; nDigits < MAX_DIGITS; ++nDigits) {
        bool bFits = true;
        char pchPrevious[NUMBER_TEXT_SIZE] = "";
        ForEachGridValue(grid, limit, bInclusive, [&](Extended value) {
            if (!bFits) {
                return;
            }
            const Extended label = LabelValue(value, grid.step);
            char pchText[NUMBER_TEXT_SIZE];
            const Extended reading = LabelReading(label, nDigits, pchText);
            bFits = std::fabs(reading - label) < grid.step / 2 &&
                    std::strcmp(pchText, pchPrevious) != 0;
            std::memcpy(pchPrevious, pchText, sizeof pchText);
        });
        if (bFits) {
            return nDigits;
        }
    }
    return MAX_DIGITS;
}

bool IsDrawableRange(const SPlotRange& range) {
    if (!std::isfinite(range.lo) || !std::isfinite(range.hi) || !(range.lo < range.hi) ||
        !std::isfinite(range.hi - range.lo)) {
        return false;
    }
    // A grid step must still tell the values of the range apart.
    const Extended magnitude = std::max(std::fabs(range.lo), std::fabs(range.hi));
    return range.hi - range.lo > magnitude * 1e-15L;
}

void DrawPlotScene(CUserInterface* pUI, const SPlotScene& scene) {
    OSTREL_ASSERT(pUI && scene.pCurves && scene.nCurves > 0);
    pUI->DescribePlot(scene);
    pUI->SetWorldWindow(scene.x.lo, scene.y.hi, scene.x.hi, scene.y.lo);
    const SGrid grid = DrawGrid(pUI, scene.x, scene.y);
    DrawAxes(pUI, scene.x, scene.y);
    DrawYLabels(pUI, scene.x.lo, grid.y, scene.y.hi);
    DrawXLabels(pUI, scene.y.lo, grid.x, scene.x.hi);
    for (int i = 0; i < scene.nCurves; ++i) {
        const int nColor = scene.pCurves[i].nColor;
        pUI->SetPenColor(nColor & 0xFF, (nColor >> 8) & 0xFF, (nColor >> 16) & 0xFF);
        DrawPolyline(pUI, scene.pCurves[i]);
    }
    if (scene.nCurves > 1) {
        pUI->DrawLegend();
    }
}

void MakeEqualUnits(SPlotRange* pxRange, SPlotRange* pyRange, int nWidth, int nHeight) {
    OSTREL_ASSERT(pxRange && pyRange);
    if (nWidth <= 0 || nHeight <= 0) {
        return;
    }
    const Extended xUnit = (pxRange->hi - pxRange->lo) / nWidth;
    const Extended yUnit = (pyRange->hi - pyRange->lo) / nHeight;
    SPlotRange* pNarrower = xUnit < yUnit ? pxRange : pyRange;
    const Extended span = xUnit < yUnit ? yUnit * nWidth : xUnit * nHeight;
    const Extended middle = pNarrower->lo / 2 + pNarrower->hi / 2;
    pNarrower->lo = middle - span / 2;
    pNarrower->hi = middle + span / 2;
}
