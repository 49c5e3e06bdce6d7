#include "cplotscene.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/cstring.h"
#include "core/errorcodes.h"
#include "interpreter/cprogram.h"
#include "numericalcommand.h"
#include "symbols/cfunction.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>
#include <numeric>
#include <utility>

namespace {

constexpr int PARAMETRIC_SAMPLES = 300;
constexpr Extended HEADROOM = 0.1L;
constexpr Extended NOT_A_NUMBER = std::numeric_limits<Extended>::quiet_NaN();

// Growing the samples may fail like any allocation; the user sees "Out of
// memory.".
template <class F> void Growing(F&& grow) {
    try {
        grow();
    } catch (const std::bad_alloc&) {
        RaiseError(ERR_OUT_OF_MEMORY);
    }
}

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

// The statement's scaling needs finite samples; a view made by exploring
// leaves a sample that is not finite out instead.
Extended Checked(Extended value, bool bStrict) {
    if (std::isfinite(value)) {
        return value;
    }
    if (bStrict) {
        RaiseError(ERR_OVERFLOW);
    }
    return NOT_A_NUMBER;
}

SPlotRange RangeOf(const std::vector<Extended>& values) {
    OSTREL_ASSERT(!values.empty());
    SPlotRange range{values.front(), values.front()};
    for (const Extended value : values) {
        range.lo = std::fmin(range.lo, value);
        range.hi = std::fmax(range.hi, value);
    }
    return range;
}

SPlotRange Union(const SPlotRange& a, const SPlotRange& b) {
    return {std::fmin(a.lo, b.lo), std::fmax(a.hi, b.hi)};
}

// Sample i of n across the range: its lower end first, the upper end one
// step beyond the last.
Extended SamplePoint(const SPlotRange& range, int i, int nSamples) {
    return i * (range.hi - range.lo) / nSamples + range.lo;
}

std::vector<Extended> SamplePoints(const SPlotRange& range, int nSamples) {
    std::vector<Extended> points;
    Growing([&] { points.resize(static_cast<std::size_t>(nSamples)); });
    for (int i = 0; i < nSamples; ++i) {
        points[static_cast<std::size_t>(i)] = SamplePoint(range, i, nSamples);
    }
    return points;
}

// PLOTXY takes one sample per pixel column of the plot area but the last
// (a pane too narrow for that still gets one).
int SamplesAcross(int nWidth) {
    return std::max(1, std::abs(1 - nWidth));
}

bool SameRange(const SPlotRange& a, const SPlotRange& b) {
    return a.lo == b.lo && a.hi == b.hi;
}

bool SameView(const SPlotView& a, const SPlotView& b) {
    return SameRange(a.x, b.x) && SameRange(a.y, b.y);
}

bool Overlap(Extended lo1, Extended hi1, const SPlotRange& range) {
    return lo1 <= range.hi && range.lo <= hi1;
}

} // namespace

CPlotScene::CPlotScene(CProgram* pProg, EPlotKind kind, const SPlotRange& interval)
    : _pProg(pProg), _kind(kind), _interval(interval) {
    OSTREL_ASSERT(pProg);
    AddInstance(CN_PLOTSCENE);
}

CPlotScene::~CPlotScene() {
    LetGoOfFunctions();
    RemoveInstance(CN_PLOTSCENE);
}

std::uint8_t CPlotScene::GetClassNumber() const {
    return CN_PLOTSCENE;
}

void CPlotScene::AddCurve(CFunction* pFunc) {
    OSTREL_ASSERT(pFunc && static_cast<int>(_curves.size()) < MAX_PLOT_CURVES);
    Growing([&] {
        SCurve curve;
        curve.name = pFunc->GetName()->GetData();
        curve.bExpression = pFunc->IsExpression();
        curve.nColor = PlotCurveColor(static_cast<int>(_curves.size()));
        _curves.push_back(std::move(curve));
    });
    pFunc->AddReference();
    _curves.back().pFunc = pFunc;
}

void CPlotScene::SetXFunction(CFunction* pFunc) {
    OSTREL_ASSERT(pFunc && !_pFuncX);
    pFunc->AddReference();
    _pFuncX = pFunc;
}

void CPlotScene::LetGoOfFunctions() {
    for (SCurve& curve : _curves) {
        ReleaseNamedFunction(std::exchange(curve.pFunc, nullptr));
    }
    ReleaseNamedFunction(std::exchange(_pFuncX, nullptr));
}

void CPlotScene::AddMark(SMark mark) {
    OSTREL_ASSERT(mark.iCurve >= 0 && mark.iCurve < static_cast<int>(_curves.size()));
    Growing([&] { _marks.push_back(std::move(mark)); });
}

int CPlotScene::CountHolds(const CNamedNumeric* pSymbol) const {
    const auto nCurves = std::count_if(_curves.begin(), _curves.end(), [&](const SCurve& curve) {
        return curve.pFunc && curve.pFunc == pSymbol;
    });
    return static_cast<int>(nCurves) + (_pFuncX && _pFuncX == pSymbol ? 1 : 0);
}

Extended CPlotScene::EvaluateAt(CFunction* pFunc, Extended t, bool bStrict) {
    if (bStrict) {
        return pFunc->ValueAt(t);
    }
    // Only the user's request to stop and the end of the memory end the
    // sampling of a view; any other failure leaves just this sample out.
    // The cleanup stack was empty when the sampling began, so what the
    // raise released was the failed evaluation's own.
    try {
        return pFunc->ValueAt(t);
    } catch (int nCode) {
        if (nCode == ERR_INTERRUPTED || nCode == ERR_OUT_OF_MEMORY) {
            throw;
        }
        return NOT_A_NUMBER;
    }
}

void CPlotScene::EvaluateCurvePoint(Extended t, bool bStrict, Extended* px, Extended* py) const {
    CFunction* pFunc = _curves.front().pFunc;
    if (_kind == PK_PHIR) {
        const Extended r = EvaluateAt(pFunc, t, bStrict);
        *px = Checked(r * std::cos(t), bStrict);
        *py = Checked(r * std::sin(t), bStrict);
        return;
    }
    OSTREL_ASSERT(_pFuncX);
    if (bStrict) {
        // Both parameters are set before either function runs.
        SetParameter(pFunc, t);
        SetParameter(_pFuncX, t);
        *py = Checked(pFunc->GetValue(), bStrict);
        *px = Checked(_pFuncX->GetValue(), bStrict);
        return;
    }
    const Extended y = Checked(EvaluateAt(pFunc, t, false), false);
    const Extended x = std::isnan(y) ? NOT_A_NUMBER : Checked(EvaluateAt(_pFuncX, t, false), false);
    // A point is whole or left out.
    *px = std::isnan(x) ? NOT_A_NUMBER : x;
    *py = std::isnan(x) ? NOT_A_NUMBER : y;
}

void CPlotScene::SampleFunctionsOfX(const SPlotRange& x, int nSamples, bool bStrict,
                                    std::vector<SSamples>* pSamples) const {
    // One sampling per function at the same abscissae.
    const std::vector<Extended> points = SamplePoints(x, nSamples);
    Growing([&] { pSamples->resize(_curves.size()); });
    for (std::size_t iCurve = 0; iCurve < _curves.size(); ++iCurve) {
        SSamples& samples = (*pSamples)[iCurve];
        // The parameter of y = F(x) is x itself: no copy of it is kept.
        Growing([&] {
            samples.x = points;
            samples.y.resize(points.size());
        });
        for (std::size_t i = 0; i < points.size(); ++i) {
            _pProg->PollInterrupt();
            samples.y[i] = Checked(EvaluateAt(_curves[iCurve].pFunc, points[i], bStrict), bStrict);
            if (std::isnan(samples.y[i])) {
                samples.x[i] = NOT_A_NUMBER;
            }
        }
    }
}

void CPlotScene::SampleCurve(const std::vector<Extended>& parameters, bool bStrict,
                             SSamples* pSamples) const {
    Growing([&] {
        pSamples->t = parameters;
        pSamples->x.resize(parameters.size());
        pSamples->y.resize(parameters.size());
    });
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        _pProg->PollInterrupt();
        EvaluateCurvePoint(parameters[i], bStrict, &pSamples->x[i], &pSamples->y[i]);
    }
}

void CPlotScene::SampleStrictly(int nWidth, int nHeight) {
    OSTREL_ASSERT(HasFunctions());
    std::vector<SSamples> samples;
    if (_kind == PK_XY) {
        SampleFunctionsOfX(_interval, SamplesAcross(nWidth), true, &samples);
    } else {
        Growing([&] { samples.resize(1); });
        SampleCurve(SamplePoints(_interval, PARAMETRIC_SAMPLES), true, &samples.front());
    }
    TakeSamples(std::move(samples), _view, nWidth, nHeight);
}

void CPlotScene::ChooseHomeView(const SPlotRange* pFixedY) {
    OSTREL_ASSERT(!_curves.empty() && !_curves.front().y.empty());
    if (_kind == PK_XY) {
        // One range over all the curves.
        const SPlotRange y =
            std::accumulate(_curves.begin(), _curves.end(), RangeOf(_curves.front().y),
                            [](const SPlotRange& range, const SCurve& curve) {
                                return Union(range, RangeOf(curve.y));
                            });
        _home = {_interval, pFixedY ? *pFixedY : Widened(y)};
    } else {
        _home = {Widened(RangeOf(_curves.front().x)), Widened(RangeOf(_curves.front().y))};
    }
    _view = _home;
    _sampledView = _home;
}

bool CPlotScene::IsHome() const {
    return SameView(_view, _home);
}

SPlotView CPlotScene::ViewOn(int nWidth, int nHeight) const {
    SPlotView view = _view;
    if (_kind == PK_PHIR) {
        MakeEqualUnits(&view.x, &view.y, nWidth, nHeight);
    }
    return view;
}

bool CPlotScene::MeetsView(const SSamples& samples, std::size_t i, const SPlotView& view) {
    const Extended x0 = samples.x[i];
    const Extended x1 = samples.x[i + 1];
    const Extended y0 = samples.y[i];
    const Extended y1 = samples.y[i + 1];
    return !std::isnan(x0) && !std::isnan(x1) &&
           Overlap(std::fmin(x0, x1), std::fmax(x0, x1), view.x) &&
           Overlap(std::fmin(y0, y1), std::fmax(y0, y1), view.y);
}

void CPlotScene::Refine(const SPlotView& view, SSamples* pSamples) const {
    // As many samples again as the statement's 300, spread over the steps
    // between them whose span meets the view, so that a curve looked at
    // closely stays smooth.
    const SSamples& coarse = *pSamples;
    std::size_t nVisible = 0;
    for (std::size_t i = 0; i + 1 < coarse.t.size(); ++i) {
        nVisible += MeetsView(coarse, i, view) ? 1 : 0;
    }
    if (nVisible == 0) {
        return;
    }
    const std::size_t nExtra = (PARAMETRIC_SAMPLES + nVisible - 1) / nVisible;
    SSamples refined;
    const auto append = [&refined](Extended t, Extended x, Extended y) {
        Growing([&] {
            refined.t.push_back(t);
            refined.x.push_back(x);
            refined.y.push_back(y);
        });
    };
    for (std::size_t i = 0; i < coarse.t.size(); ++i) {
        append(coarse.t[i], coarse.x[i], coarse.y[i]);
        if (i + 1 == coarse.t.size() || !MeetsView(coarse, i, view)) {
            continue;
        }
        const Extended step = (coarse.t[i + 1] - coarse.t[i]) / static_cast<Extended>(nExtra + 1);
        for (std::size_t j = 1; j <= nExtra; ++j) {
            _pProg->PollInterrupt();
            const Extended t = coarse.t[i] + static_cast<Extended>(j) * step;
            Extended x = 0;
            Extended y = 0;
            EvaluateCurvePoint(t, false, &x, &y);
            append(t, x, y);
        }
    }
    *pSamples = std::move(refined);
}

void CPlotScene::SampleView(int nWidth, int nHeight) {
    if (!HasFunctions() ||
        (nWidth == _nSampledWidth && nHeight == _nSampledHeight && SameView(_view, _sampledView))) {
        return;
    }
    std::vector<SSamples> samples;
    if (_kind == PK_XY) {
        SampleFunctionsOfX(_view.x, SamplesAcross(nWidth), false, &samples);
    } else {
        Growing([&] { samples.resize(1); });
        SampleCurve(SamplePoints(_interval, PARAMETRIC_SAMPLES), false, &samples.front());
        if (!IsHome()) {
            Refine(ViewOn(nWidth, nHeight), &samples.front());
        }
    }
    TakeSamples(std::move(samples), _view, nWidth, nHeight);
}

void CPlotScene::TakeSamples(std::vector<SSamples>&& samples, const SPlotView& view, int nWidth,
                             int nHeight) {
    OSTREL_ASSERT(samples.size() <= _curves.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        _curves[i].t = std::move(samples[i].t);
        _curves[i].x = std::move(samples[i].x);
        _curves[i].y = std::move(samples[i].y);
    }
    _sampledView = view;
    _nSampledWidth = nWidth;
    _nSampledHeight = nHeight;
}

SPlotScene CPlotScene::Describe(const SPlotView& view, std::vector<SPlotCurve>* pCurves) const {
    OSTREL_ASSERT(pCurves);
    Growing([&] { pCurves->resize(_curves.size()); });
    std::transform(_curves.begin(), _curves.end(), pCurves->begin(), [](const SCurve& curve) {
        return SPlotCurve{curve.name.c_str(), curve.x.data(), curve.y.data(), curve.nColor,
                          static_cast<int>(curve.x.size())};
    });
    return {_kind, _interval, view.x, view.y, pCurves->data(), static_cast<int>(pCurves->size())};
}
