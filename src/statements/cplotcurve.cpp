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

namespace {

constexpr int PARAMETRIC_SAMPLES = 300;
constexpr Extended HEADROOM = 0.1L;

// A range that one value spans is widened by 1 on each side, or, for a value
// too large for 1 to make a difference, by a small part of the value; then
// it gets its headroom. A range the numbers cannot hold is an overflow.
SPlotRange Widened(SPlotRange range) {
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

// The scaling and the mapping to pixels need finite samples.
Extended Finite(Extended value) {
    if (!std::isfinite(value)) {
        RaiseError(ERR_OVERFLOW);
    }
    return value;
}

SPlotRange RangeOf(const Extended* pValues, int nValues) {
    SPlotRange range{pValues[0], pValues[0]};
    for (int i = 1; i < nValues; ++i) {
        range.lo = std::fmin(range.lo, pValues[i]);
        range.hi = std::fmax(range.hi, pValues[i]);
    }
    return range;
}

// Sample i of n across the interval: its lower end first, the upper end
// one step beyond the last.
Extended SamplePoint(const SInterval& interval, int i, int nSamples) {
    return i * (interval.hi - interval.lo) / nSamples + interval.lo;
}

Extended* AllocatedSamples(int nSamples) {
    Extended* p = AllocateNumbers(static_cast<std::size_t>(nSamples));
    CleanupStack::PushNumbers(p);
    return p;
}

const char* NameOf(const CFunction* pFunc) {
    return pFunc->GetName()->GetData();
}

} // namespace

CPlotCurve::CPlotCurve(CProgram* pProg) : CStatementWithExpressions(pProg) {
    AddInstance(CN_PLOTCURVE);
}

CPlotCurve::~CPlotCurve() {
    for (int i = 0; i < _nFunc; ++i) {
        ReleaseNamedFunction(_apFunc[i]);
        delete _apostrFunc[i];
    }
    ReleaseNamedFunction(_pFuncX);
    delete _postrFuncX;
    RemoveInstance(CN_PLOTCURVE);
}

std::uint8_t CPlotCurve::GetClassNumber() const {
    return CN_PLOTCURVE;
}

void CPlotCurve::AddFunctionName(const CString* pstrName, int nSyntaxCode) {
    if (_nFunc == MAX_PLOT_CURVES) {
        RaiseError(nSyntaxCode);
    }
    CString* poName = pstrName->MidToEnd(1, CString::Trimmed);
    if (poName->GetLength() == 0) {
        delete poName;
        RaiseError(nSyntaxCode);
    }
    _apostrFunc[_nFunc++] = poName;
}

void CPlotCurve::SetUpPlotXY(const CString* pstrFuncY, const CString* pstrInterval) {
    if (!pstrFuncY || pstrFuncY->GetLength() == 0) {
        RaiseError(ERR_PLOTXY_SYNTAX);
    }
    _kind = PK_XY;
    // The names stand between the commas outside brackets and quotes.
    int iStart = 1;
    for (int nComma = 1;; ++nComma) {
        const int iComma = pstrFuncY->FindSeparator(1, ',', nComma);
        const int iEnd = iComma > 0 ? iComma : pstrFuncY->GetLength() + 1;
        CString* poPiece = pstrFuncY->Mid(iStart, iEnd - iStart, CString::Plain);
        CleanupStack::PushObject(poPiece);
        AddFunctionName(poPiece, ERR_PLOTXY_SYNTAX);
        CleanupStack::PopAndDestroy(1);
        if (iComma == 0) {
            break;
        }
        iStart = iComma + 1;
    }
    SetIntervalExpressions(this, pstrInterval, ERR_PLOTXY_SYNTAX);
}

void CPlotCurve::SetUpPlotTXY(const CString* pstrFuncX, const CString* pstrFuncY,
                              const CString* pstrInterval) {
    if (!pstrFuncX || !pstrFuncY || pstrFuncX->GetLength() == 0 || pstrFuncY->GetLength() == 0) {
        RaiseError(ERR_PLOTTXY_SYNTAX);
    }
    _kind = PK_TXY;
    delete _postrFuncX;
    _postrFuncX = pstrFuncX->MidToEnd(1, CString::Trimmed);
    AddFunctionName(pstrFuncY, ERR_PLOTTXY_SYNTAX);
    SetIntervalExpressions(this, pstrInterval, ERR_PLOTTXY_SYNTAX);
}

void CPlotCurve::SetUpPlotPhiR(const CString* pstrFuncR, const CString* pstrInterval) {
    if (!pstrFuncR || pstrFuncR->GetLength() == 0) {
        RaiseError(ERR_PLOTPHIR_SYNTAX);
    }
    _kind = PK_PHIR;
    AddFunctionName(pstrFuncR, ERR_PLOTPHIR_SYNTAX);
    SetIntervalExpressions(this, pstrInterval, ERR_PLOTPHIR_SYNTAX);
}

void CPlotCurve::Link() {
    // Every name is checked in the order written, before anything is drawn.
    OSTREL_ASSERT(_nFunc > 0);
    for (int i = 0; i < _nFunc; ++i) {
        if (!_apFunc[i]) {
            LinkNamedFunction(this, &_apostrFunc[i], &_apFunc[i], ERR_ONE_VARIABLE_PLOT);
        }
    }
    if (_postrFuncX) {
        LinkNamedFunction(this, &_postrFuncX, &_pFuncX, ERR_ONE_VARIABLE_PLOT);
    }
    CStatementWithExpressions::Link();
}

void CPlotCurve::SampleFunctionOfX(CFunction* pFunc, const Extended* px, int nSamples,
                                   Extended* py) const {
    for (int i = 0; i < nSamples; ++i) {
        GetProgram()->PollInterrupt();
        SetParameter(pFunc, px[i]);
        py[i] = Finite(pFunc->GetValue());
    }
}

void CPlotCurve::SampleCurve(const SInterval& interval, Extended* px, Extended* py) const {
    CFunction* pFunc = _apFunc[0];
    for (int i = 0; i < PARAMETRIC_SAMPLES; ++i) {
        GetProgram()->PollInterrupt();
        const Extended t = SamplePoint(interval, i, PARAMETRIC_SAMPLES);
        SetParameter(pFunc, t);
        if (_pFuncX) {
            SetParameter(_pFuncX, t);
        }
        const Extended value = pFunc->GetValue();
        if (_kind == PK_PHIR) {
            px[i] = Finite(value * std::cos(t));
            py[i] = Finite(value * std::sin(t));
        } else {
            OSTREL_ASSERT(_pFuncX);
            const Extended x = _pFuncX->GetValue();
            py[i] = Finite(value);
            px[i] = Finite(x);
        }
    }
}

EExitSignal CPlotCurve::Execute() {
    OSTREL_ASSERT(_nFunc > 0 && _apFunc[0]);
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
    // PLOTXY takes one sample per pixel column but the last two (a pane too
    // narrow for that still gets one).
    const int nSamples =
        _kind == PK_XY ? std::max(1, std::abs(pxLeft - pxRight + 1)) : PARAMETRIC_SAMPLES;
    // Only PLOTXY names several functions.
    const int nCurves = _nFunc;
    // The shared abscissae and one array of ordinates per curve, on the
    // cleanup stack while the functions are evaluated.
    Extended* px = AllocatedSamples(nSamples);
    Extended* apy[MAX_PLOT_CURVES] = {};
    for (int i = 0; i < nCurves; ++i) {
        apy[i] = AllocatedSamples(nSamples);
    }
    SPlotRange xRange{interval.lo, interval.hi};
    SPlotRange yRange{};
    if (_kind == PK_XY) {
        // One sampling per function at the same abscissae, and one y range
        // over all of them; the picture spans exactly the interval.
        for (int i = 0; i < nSamples; ++i) {
            px[i] = SamplePoint(interval, i, nSamples);
        }
        for (int i = 0; i < nCurves; ++i) {
            SampleFunctionOfX(_apFunc[i], px, nSamples, apy[i]);
            const SPlotRange range = RangeOf(apy[i], nSamples);
            yRange =
                i == 0 ? range
                       : SPlotRange{std::fmin(yRange.lo, range.lo), std::fmax(yRange.hi, range.hi)};
        }
    } else {
        SampleCurve(interval, px, apy[0]);
        xRange = Widened(RangeOf(px, nSamples));
        yRange = RangeOf(apy[0], nSamples);
    }
    yRange = Widened(yRange);
    if (_kind == PK_PHIR) {
        MakeEqualUnits(&xRange, &yRange, pxRight - pxLeft, pyBottom - pyTop);
    }
    SPlotCurve curves[MAX_PLOT_CURVES] = {};
    for (int i = 0; i < nCurves; ++i) {
        curves[i] = {NameOf(_apFunc[i]), px, apy[i], PlotCurveColor(i), nSamples};
    }
    const SPlotScene scene{_kind, {interval.lo, interval.hi}, xRange, yRange, curves, nCurves};
    DrawPlotScene(pUI, scene);
    CleanupStack::PopAndDestroy(nCurves + 1);
    pUI->DrawGraphFrame();
    PrintSummary(pUI, interval);
    return ES_CONTINUE;
}

void CPlotCurve::PrintSummary(CUserInterface* pUI, const SInterval& interval) const {
    const char* pchVariable = "X";
    switch (_kind) {
    case PK_TXY:
        pUI->PrintText("Plotted \nY = ");
        _apFunc[0]->Print(pUI);
        pUI->PrintText("(T)\nX = ");
        _pFuncX->Print(pUI);
        pUI->PrintText("(T)\n");
        pchVariable = "T";
        break;
    case PK_PHIR:
        pUI->PrintText("Plotted \nR = ");
        _apFunc[0]->Print(pUI);
        pUI->PrintText("(PHI)\n");
        pchVariable = "PHI";
        break;
    default:
        pUI->PrintText("Plotted Y = ");
        for (int i = 0; i < _nFunc; ++i) {
            pUI->PrintText(i == 0 ? nullptr : ", ");
            _apFunc[i]->Print(pUI);
            pUI->PrintText("(X)");
        }
        pUI->PrintText("\n");
        break;
    }
    pUI->PrintText("on interval from\n");
    pUI->PrintText(pchVariable);
    pUI->PrintText(" = ");
    pUI->PrintNumber(interval.lo);
    pUI->PrintText(" to \n");
    pUI->PrintText(pchVariable);
    pUI->PrintText(" = ");
    pUI->PrintNumber(interval.hi);
    pUI->PrintText("\n");
}

void CPlotCurve::Describe() const {
    CStatement::Describe();
    GetUserInterface()->PrintText("DrawGraph");
}
