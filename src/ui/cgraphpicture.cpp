#include "cgraphpicture.h"

#include "core/cleanupstack.h"
#include "core/errorcodes.h"

#include <algorithm>
#include <new>

namespace {

// Growing the picture's vectors may fail like any allocation; the user sees
// "Out of memory." and the picture keeps what it had.
template <class F> void Growing(F&& grow) {
    try {
        grow();
    } catch (const std::bad_alloc&) {
        RaiseError(ERR_OUT_OF_MEMORY);
    }
}

} // namespace

CGraphPicture::CGraphPicture() {
    AddInstance(CN_GRAPHPICTURE);
}

CGraphPicture::~CGraphPicture() {
    RemoveInstance(CN_GRAPHPICTURE);
}

std::uint8_t CGraphPicture::GetClassNumber() const {
    return CN_GRAPHPICTURE;
}

void CGraphPicture::Clear() {
    _operations.clear();
    _curves.clear();
    _bHasPlot = false;
    ++_nRevision;
}

void CGraphPicture::Record(EOperation op, Extended a, Extended b, Extended c, Extended d) {
    Growing([&] { _operations.push_back({op, a, b, c, d}); });
    ++_nRevision;
}

void CGraphPicture::KeepPlot(const SPlotScene& scene) {
    std::vector<SCurve> curves;
    Growing([&] {
        curves.reserve(static_cast<std::size_t>(scene.nCurves));
        for (int i = 0; i < scene.nCurves; ++i) {
            const SPlotCurve& curve = scene.pCurves[i];
            curves.push_back({curve.pchName, curve.nColor,
                              std::vector<Extended>(curve.px, curve.px + curve.nSamples),
                              std::vector<Extended>(curve.py, curve.py + curve.nSamples)});
        }
    });
    _curves.swap(curves);
    _kind = scene.kind;
    _interval = scene.interval;
    _x = scene.x;
    _y = scene.y;
    _bHasPlot = true;
    ++_nRevision;
}

std::vector<SPlotCurve> CGraphPicture::SceneCurves(const std::vector<SCurve>& curves) {
    std::vector<SPlotCurve> sceneCurves;
    Growing([&] {
        sceneCurves.resize(curves.size());
        std::transform(curves.begin(), curves.end(), sceneCurves.begin(), [](const SCurve& curve) {
            return SPlotCurve{curve.name.c_str(), curve.x.data(), curve.y.data(), curve.nColor,
                              static_cast<int>(curve.x.size())};
        });
    });
    return sceneCurves;
}
