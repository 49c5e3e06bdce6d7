#include "crecordingwindow.h"

#include "ui/cgraphpicture.h"
#include "ui/cwindowinterface.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A pane that draws nothing, so that the figure is the engine's own work of
// drawing a picture again: walking the operations, mapping them to pixels,
// formatting the labels and keeping them apart.
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

// A picture of 295 samples (a PLOTXY on a pane 300 pixels wide) drawn again
// on a maximised pane of 1920 by 1080 pixels.
void RedrawAPlotOnAFullHdPane(benchmark::State& state) {
    CNullPane pane;
    const std::unique_ptr<CWindowInterface> poUI(new CWindowInterface);
    poUI->Initialise();
    pane.SetInterface(poUI.get());
    poUI->AttachWindow(&pane);
    pane.nGraphWidth = 300;
    pane.nGraphHeight = 200;
    poUI->ExecuteLine("FUNCTION F(X) = SIN(X) * X");
    poUI->ExecuteLine("PLOTXY -10,10,F");
    if (poUI->GetGraphPicture().GetCurves().at(0).x.size() != 295) {
        state.SkipWithError("the picture does not hold 295 samples");
        return;
    }
    pane.nGraphWidth = 1920;
    pane.nGraphHeight = 1080;
    for (auto _ : state) {
        poUI->RedrawGraph();
    }
    benchmark::DoNotOptimize(pane.nChecksum);
}
BENCHMARK(RedrawAPlotOnAFullHdPane)->Unit(benchmark::kMicrosecond);

} // namespace
