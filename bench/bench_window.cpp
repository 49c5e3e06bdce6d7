// Timings of the window's graph pane, run by hand on Qt's offscreen
// platform: ./build/default/bench/ostrel_bench_window.

#include "tgraphpaintbox.h"
#include "uFrmCalc.h"
#include "ui/cgraphpicture.h"
#include "ui/cwindowinterface.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// A picture of 295 samples (PLOTXY on a pane 300 pixels wide) on the
// window's real pane, grown to 1920 by 1080 pixels.
class CFullHdPane {
public:
    CFullHdPane() : _frm("") {
        // Shown, so that the pane takes its sizes at once.
        _frm.show();
        QApplication::processEvents();
        _frm.findChild<TGraphPaintBox*>(QStringLiteral("pbGraph"))->resize(300, 200);
        CWindowInterface* pUI = _frm.GetWindowInterface();
        pUI->ExecuteLine("FUNCTION F(X) = SIN(X) * X");
        pUI->ExecuteLine("PLOTXY -10,10,F");
        _frm.findChild<TGraphPaintBox*>(QStringLiteral("pbGraph"))->resize(1920, 1080);
    }
    bool HasTheSamples() const {
        return _frm.GetWindowInterface()->GetGraphPicture().GetCurves().at(0).x.size() == 295 &&
               _frm.findChild<TGraphPaintBox*>(QStringLiteral("pbGraph"))->GetImage().size() ==
                   QSize(1920, 1080);
    }
    TfrmCalc& Form() { return _frm; }

private:
    TfrmCalc _frm;
};

// Drawing the kept picture again on the pane's image: the engine's replay
// and the pane's rasterising of lines and labels.
void RedrawAPlotOnTheFullHdPane(benchmark::State& state) {
    CFullHdPane pane;
    if (!pane.HasTheSamples()) {
        state.SkipWithError("the picture does not hold 295 samples");
        return;
    }
    for (auto _ : state) {
        pane.Form().GetWindowInterface()->RedrawGraph();
    }
}
BENCHMARK(RedrawAPlotOnTheFullHdPane)->Unit(benchmark::kMillisecond);

// What a resize costs the pane: a new white image and the picture drawn on
// it again.
void ResizeTheFullHdPane(benchmark::State& state) {
    CFullHdPane pane;
    if (!pane.HasTheSamples()) {
        state.SkipWithError("the picture does not hold 295 samples");
        return;
    }
    int nHeight = 1080;
    for (auto _ : state) {
        nHeight = nHeight == 1080 ? 1079 : 1080;
        pane.Form().findChild<TGraphPaintBox*>(QStringLiteral("pbGraph"))->resize(1920, nHeight);
    }
}
BENCHMARK(ResizeTheFullHdPane)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // The pane draws on an image of its own; no display is needed.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
