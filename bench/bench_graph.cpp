#include "crecordingwindow.h"

#include "statements/cplotscene.h"
#include "ui/cgraphpicture.h"
#include "ui/cwindowinterface.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A pane that draws nothing, so that the figure is the engine's own work:
// sampling the functions, mapping the picture to pixels, formatting the
// labels and keeping them apart.
class CNullPane : public CRecordingWindow {
public:
    void SetCanvasPen(int /*nColor*/, int /*nWidth*/) override {}
    void SetCanvasBrush(int /*nColor*/) override {}
    void CanvasRectangle(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) override {}
    void CanvasMoveTo(int /*x*/, int /*y*/) override {}
    void CanvasLineTo(int x, int y) override { nChecksum += x ^ y; }
    void CanvasTextOut(int /*x*/, int /*y*/, const char* /*pchText*/) override {}

    long nChecksum = 0;
};

// A pane of 1920 by 1080 pixels with three curves of PLOTXY on it.
class CFullHdPlot {
public:
    CFullHdPlot() : _poUI(new CWindowInterface) {
        _poUI->Initialise();
        pane.SetInterface(_poUI.get());
        _poUI->AttachWindow(&pane);
        pane.nGraphWidth = 1920;
        pane.nGraphHeight = 1080;
        _poUI->ExecuteLine("FUNCTION F(X) = SIN(X) * X");
        _poUI->ExecuteLine("FUNCTION G(X) = 4 * COS(X)");
        _poUI->ExecuteLine("FUNCTION H(X) = X^2 / 10 - 5");
        _poUI->ExecuteLine("PLOTXY -10,10,F,G,H");
    }
    // 1915 samples a curve: one per pixel column of the plot area but one.
    bool HasTheSamples() const {
        const CPlotScene* pScene = _poUI->GetGraphPicture().GetScene();
        return pScene && pScene->GetCurves().size() == 3 &&
               pScene->GetCurves().at(2).x.size() == 1915;
    }
    CWindowInterface* Interface() const { return _poUI.get(); }

    CNullPane pane;

private:
    const std::unique_ptr<CWindowInterface> _poUI;
};

// One wheel notch: the view zoomed about the middle of the pane, the three
// functions sampled anew for it and the picture drawn. The notches go in
// and out in turn, so that every one is a new view of the same size.
void WheelNotchOnAFullHdPlotOfThreeCurves(benchmark::State& state) {
    CFullHdPlot plot;
    if (!plot.HasTheSamples()) {
        state.SkipWithError("the picture does not hold three curves of 1915 samples");
        return;
    }
    bool bIn = true;
    for (auto _ : state) {
        const double factor = bIn ? 0.8 : 1.25;
        plot.Interface()->ZoomGraph(960, 540, factor, factor);
        bIn = !bIn;
    }
    benchmark::DoNotOptimize(plot.pane.nChecksum);
}
BENCHMARK(WheelNotchOnAFullHdPlotOfThreeCurves)->Unit(benchmark::kMillisecond);

// Drawing the same view again at the same size: nothing is evaluated.
void RedrawAFullHdPlotOfThreeCurves(benchmark::State& state) {
    CFullHdPlot plot;
    if (!plot.HasTheSamples()) {
        state.SkipWithError("the picture does not hold three curves of 1915 samples");
        return;
    }
    for (auto _ : state) {
        plot.Interface()->RedrawGraph();
    }
    benchmark::DoNotOptimize(plot.pane.nChecksum);
}
BENCHMARK(RedrawAFullHdPlotOfThreeCurves)->Unit(benchmark::kMillisecond);

} // namespace
