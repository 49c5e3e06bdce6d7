// Timings of the window's graph pane, run by hand on Qt's offscreen
// platform: ./build/default/bench/ostrel_bench_window.

#include "statements/cplotscene.h"
#include "tgraphpaintbox.h"
#include "uFrmCalc.h"
#include "ui/cgraphpicture.h"
#include "ui/cwindowinterface.h"

#include <QApplication>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// Three curves of PLOTXY on the window's real pane, grown to 1920 by 1080
// pixels.
class CFullHdPane {
public:
    CFullHdPane() : _frm("") {
        // Shown, so that the pane takes its sizes at once.
        _frm.show();
        QApplication::processEvents();
        Pane()->resize(1920, 1080);
        CWindowInterface* pUI = _frm.GetWindowInterface();
        pUI->ExecuteLine("FUNCTION F(X) = SIN(X) * X");
        pUI->ExecuteLine("FUNCTION G(X) = 4 * COS(X)");
        pUI->ExecuteLine("FUNCTION H(X) = X^2 / 10 - 5");
        pUI->ExecuteLine("PLOTXY -10,10,F,G,H");
    }
    bool HasTheSamples() const {
        const CPlotScene* pScene = _frm.GetWindowInterface()->GetGraphPicture().GetScene();
        return pScene && pScene->GetCurves().size() == 3 &&
               pScene->GetCurves().at(2).x.size() == 1915 &&
               Pane()->GetImage().size() == QSize(1920, 1080);
    }
    TGraphPaintBox* Pane() const {
        return _frm.findChild<TGraphPaintBox*>(QStringLiteral("pbGraph"));
    }
    TfrmCalc& Form() { return _frm; }

private:
    TfrmCalc _frm;
};

// One wheel notch as the user turns it: the wheel event through the pane
// and the window into the engine, which samples the three functions for
// the new view and draws them on the pane's image. In and out in turn.
void WheelNotchOnTheFullHdPane(benchmark::State& state) {
    CFullHdPane pane;
    if (!pane.HasTheSamples()) {
        state.SkipWithError("the picture does not hold three curves of 1915 samples");
        return;
    }
    const QPointF middle(960, 540);
    int nDelta = 120;
    for (auto _ : state) {
        QWheelEvent wheel(middle, pane.Pane()->mapToGlobal(middle), QPoint(), QPoint(0, nDelta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(pane.Pane(), &wheel);
        nDelta = -nDelta;
    }
}
BENCHMARK(WheelNotchOnTheFullHdPane)->Unit(benchmark::kMillisecond);

// What a resize costs the pane: a new white image, the functions sampled
// for the new width and the picture drawn on it.
void ResizeTheFullHdPane(benchmark::State& state) {
    CFullHdPane pane;
    if (!pane.HasTheSamples()) {
        state.SkipWithError("the picture does not hold three curves of 1915 samples");
        return;
    }
    int nWidth = 1920;
    for (auto _ : state) {
        nWidth = nWidth == 1920 ? 1919 : 1920;
        pane.Pane()->resize(nWidth, 1080);
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
