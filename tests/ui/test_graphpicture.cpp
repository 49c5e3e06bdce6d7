#include "windowinterfacetest.h"

#include "ui/cgraphpicture.h"

#include <string>

namespace {

// A window interface on a recording window of 224 by 145 pixels: its plot
// area spans 220 pixels, so that PLOTXY 0,220 has one unit a pixel, and
// PLOTXY takes 219 samples, so that PLOTXY 0,219 samples the whole numbers.
class GraphPictureTest : public WindowInterfaceFixture {
protected:
    void SetUp() override {
        WindowInterfaceFixture::SetUp();
        window.nGraphWidth = 224;
        Run("FUNCTION F(X) = X*X");
        Run("FUNCTION G(X) = 1 - X");
        window.output.clear();
    }

    void Run(const char* pchLine) {
        ASSERT_TRUE(poUI->ExecuteLine(pchLine)) << pchLine << ": " << window.output;
    }
    const CGraphPicture& Picture() const { return poUI->GetGraphPicture(); }
    std::string LastCommand() const {
        return window.commands.empty() ? std::string() : window.commands.back();
    }
};

// --- Keeping and drawing again ---------------------------------------------------

TEST_F(GraphPictureTest, DrawnAgainAtTheSameSizeItIsTheFirstDrawingCallForCall) {
    window.TakeCanvas();
    Run("PLOTXY -1,1,F,G");
    const std::string first = window.TakeCanvas();
    ASSERT_NE(first.find("line"), std::string::npos);
    poUI->RedrawGraph();
    EXPECT_EQ(window.TakeCanvas(), first);
    Run("PLOTTXY 0,6.3,COS,SIN");
    const std::string parametric = window.TakeCanvas();
    poUI->RedrawGraph();
    EXPECT_EQ(window.TakeCanvas(), parametric);
}

TEST_F(GraphPictureTest, DrawnAtAnotherSizeItMapsToTheNewPlotAreaWithoutEvaluating) {
    Run("PLOTXY -1,1,F");
    const std::size_t nOperations = Picture().GetOperations().size();
    // The function is gone: drawing again must not need it.
    Run("DELETE F");
    window.TakeCanvas();
    window.output.clear();
    window.nGraphWidth = 600;
    window.nGraphHeight = 400;
    poUI->RedrawGraph();
    const std::string canvas = window.TakeCanvas();
    EXPECT_EQ(window.output, "");
    EXPECT_EQ(Picture().GetOperations().size(), nOperations);
    EXPECT_EQ(poUI->MapX(-1), 2);
    EXPECT_EQ(poUI->MapX(1), 598);
    // The white pane and the frame cover the new size; the curve starts at
    // the left edge of the new plot area.
    EXPECT_NE(canvas.find("rect (0,0) (600,400)"), std::string::npos) << canvas;
    EXPECT_NE(canvas.find("move (599,0)"), std::string::npos);
    EXPECT_NE(canvas.find("pen 16711680 1\nmove (2,"), std::string::npos);
}

TEST_F(GraphPictureTest, ClearingOrAFailedPlotLeavesTheFramedWhitePane) {
    Run("PLOTXY -1,1,F");
    EXPECT_TRUE(Picture().HasPlot());
    Run("CLS");
    EXPECT_FALSE(Picture().HasPlot());
    window.TakeCanvas();
    poUI->RedrawGraph();
    const std::string cls = window.TakeCanvas();
    EXPECT_EQ(cls.find("line (-1,144)"), cls.rfind("line (-1,144)")) << "one frame only";
    EXPECT_EQ(cls.find("text"), std::string::npos);
    Run("PLOTXY -1,1,F");
    EXPECT_FALSE(poUI->ExecuteLine("PLOTXY 1,1,F"));
    EXPECT_TRUE(Picture().IsEmpty());
    EXPECT_FALSE(poUI->IsGraphNavigable());
}

TEST_F(GraphPictureTest, EveryChangeOfThePictureChangesItsRevision) {
    const unsigned nStart = Picture().GetRevision();
    Run("? 1");
    EXPECT_EQ(Picture().GetRevision(), nStart);
    Run("PLOTXY -1,1,F");
    const unsigned nPlotted = Picture().GetRevision();
    EXPECT_NE(nPlotted, nStart);
    poUI->RedrawGraph();
    EXPECT_EQ(Picture().GetRevision(), nPlotted);
    Run("CLS");
    EXPECT_NE(Picture().GetRevision(), nPlotted);
}

TEST_F(GraphPictureTest, RenderingOnAnotherCanvasLeavesThePaneAsItWas) {
    Run("PLOTXY -1,1,F");
    const int pxMiddle = poUI->MapX(0);
    CRecordingWindow other;
    other.nGraphWidth = 1000;
    other.nGraphHeight = 500;
    poUI->RenderGraph(&other);
    EXPECT_NE(other.canvas.find("rect (0,0) (1000,500)"), std::string::npos);
    EXPECT_NE(other.canvas.find("text"), std::string::npos);
    EXPECT_EQ(poUI->MapX(0), pxMiddle);
}

// --- Several curves and the polar plot ---------------------------------------------

TEST_F(GraphPictureTest, SeveralCurvesShareOneYRangeWithTheirOwnColoursAndALegend) {
    window.TakeCanvas();
    Run("PLOTXY 0,2,F,G");
    EXPECT_EQ(window.output,
              "Plotted Y = F(X), G(X)\r\non interval from\r\nX = 0 to \r\nX = 2\r\n");
    ASSERT_EQ(Picture().GetCurves().size(), 2U);
    EXPECT_EQ(Picture().GetCurves()[0].nColor, CanvasColor(0, 0, 255));
    EXPECT_EQ(Picture().GetCurves()[1].nColor, PlotCurveColor(1));
    // F spans 0 to about 4, G about 1 to -1: one range over both, with its
    // headroom.
    EXPECT_LT(Picture().GetViewY().lo, -1);
    EXPECT_GT(Picture().GetViewY().hi, 3.9L);
    const std::string canvas = window.TakeCanvas();
    EXPECT_LT(canvas.find("pen 16711680 1"), canvas.find("pen 204 1"));
    EXPECT_NE(canvas.find("text"), std::string::npos);
    EXPECT_NE(canvas.find(" F\n"), std::string::npos);
    EXPECT_NE(canvas.find(" G\n"), std::string::npos);
}

TEST_F(GraphPictureTest, OneCurveDrawsNoLegend) {
    window.TakeCanvas();
    Run("PLOTXY 0,2,F");
    const std::string canvas = window.TakeCanvas();
    EXPECT_EQ(canvas.find(" F\n"), std::string::npos);
    EXPECT_EQ(canvas.find("pen 16711680 2"), std::string::npos);
}

TEST_F(GraphPictureTest, APolarCurveHasEqualUnitsOnBothAxes) {
    Run("FUNCTION R(P) = 1");
    Run("PLOTPHIR 0,6.3,R");
    const SPlotRange& x = Picture().GetViewX();
    const SPlotRange& y = Picture().GetViewY();
    // Plot area 220 by 141 pixels.
    EXPECT_NEAR(static_cast<double>((x.hi - x.lo) / 220), static_cast<double>((y.hi - y.lo) / 141),
                1e-12);
    // The circle's middle stays in the middle.
    EXPECT_NEAR(static_cast<double>(x.lo + x.hi), 0, 0.05);
    EXPECT_GT(x.hi - x.lo, y.hi - y.lo);
}

TEST_F(GraphPictureTest, APolarCurveStaysRoundOnAPaneOfAnotherShape) {
    Run("FUNCTION R(P) = 1");
    Run("PLOTPHIR 0,6.3,R");
    const std::string first = window.TakeCanvas();
    window.nGraphWidth = 304;
    window.nGraphHeight = 604;
    poUI->RedrawGraph();
    const SPlotRange& x = Picture().GetViewX();
    const SPlotRange& y = Picture().GetViewY();
    EXPECT_NEAR(static_cast<double>((x.hi - x.lo) / 300), static_cast<double>((y.hi - y.lo) / 600),
                1e-12);
    EXPECT_GT(y.hi - y.lo, x.hi - x.lo);
    EXPECT_GT(x.hi, 1) << "the circle stays whole";
    // Back at the first shape the first picture returns.
    window.nGraphWidth = 224;
    window.nGraphHeight = 145;
    window.TakeCanvas();
    poUI->RedrawGraph();
    const std::string again = window.TakeCanvas();
    EXPECT_EQ(again.substr(again.find("pen 16711680")), first.substr(first.find("pen 16711680")));
}

// --- Reading and exploring ------------------------------------------------------------

TEST_F(GraphPictureTest, AProbeReadsThePointerAndTheNearestSample) {
    SGraphProbe probe{};
    EXPECT_FALSE(poUI->ProbeGraph(50, 50, &probe));
    Run("PLOTXY 0,219,F");
    ASSERT_TRUE(poUI->ProbeGraph(poUI->MapX(110), poUI->MapY(12100), &probe));
    EXPECT_TRUE(probe.bSample);
    EXPECT_EQ(probe.iCurve, 0);
    EXPECT_EQ(probe.iSample, 110);
    EXPECT_STREQ(probe.pchSample, "F(110) = 12100");
    EXPECT_EQ(std::string(probe.pchPointer).rfind("x = 109.5  y = ", 0), 0U) << probe.pchPointer;
    EXPECT_EQ(probe.nColor, CanvasColor(0, 0, 255));
    ASSERT_TRUE(poUI->ProbeSample(0, 111, &probe));
    EXPECT_STREQ(probe.pchSample, "F(111) = 12321");
    EXPECT_FALSE(poUI->ProbeSample(0, 219, &probe));
    EXPECT_FALSE(poUI->ProbeSample(1, 0, &probe));
}

TEST_F(GraphPictureTest, ZoomAndPanOfAPlotXYRunTheCommandAndHomeReturnsToTheTypedInterval) {
    Run("PLOTXY 0,220,F,G");
    poUI->ZoomGraph(poUI->MapX(110), 0, 0.5);
    EXPECT_EQ(LastCommand(), "PLOTXY 55.0000,165.0000,F,G");
    EXPECT_NE(window.output.find("X = 55 to \r\nX = 165\r\n"), std::string::npos);
    // 220 pixels for 110 units.
    poUI->PanGraph(220, 0);
    EXPECT_EQ(LastCommand(), "PLOTXY -55.0000,55.0000,F,G");
    poUI->ZoomGraphTo(poUI->MapX(-50), 5, poUI->MapX(-10), 5);
    EXPECT_EQ(Picture().GetInterval().lo, -50);
    EXPECT_EQ(Picture().GetInterval().hi, -10);
    poUI->HomeGraph();
    EXPECT_EQ(LastCommand(), "PLOTXY 0.0000,220.0000,F,G");
}

TEST_F(GraphPictureTest, AZoomOverAnIntervalWiderThanADoubleHoldsRunsThePlot) {
    Run("PLOTXY 2,1E380,G");
    window.output.clear();
    poUI->ZoomGraph(poUI->MapX(5E379L), 0, 0.5);
    ASSERT_EQ(window.commands.size(), 1U);
    EXPECT_EQ(LastCommand().rfind("PLOTXY ", 0), 0U);
    EXPECT_EQ(window.output.rfind("Plotted Y = G(X)\r\non interval from\r\n", 0), 0U)
        << window.output;
}

TEST_F(GraphPictureTest, ZoomOfAParametricPictureChangesOnlyItsView) {
    Run("PLOTTXY 0,6.3,COS,SIN");
    const SPlotRange x = Picture().GetViewX();
    const SPlotRange y = Picture().GetViewY();
    window.output.clear();
    const Extended xMiddle = (x.lo + x.hi) / 2;
    poUI->ZoomGraph(poUI->MapX(xMiddle), poUI->MapY((y.lo + y.hi) / 2), 0.5);
    EXPECT_TRUE(window.commands.empty());
    EXPECT_EQ(window.output, "");
    EXPECT_NEAR(static_cast<double>(Picture().GetViewX().hi - Picture().GetViewX().lo),
                static_cast<double>(x.hi - x.lo) / 2, 0.02);
    EXPECT_EQ(Picture().GetCurves().size(), 1U);
    poUI->PanGraph(10, 0);
    EXPECT_LT(Picture().GetViewX().lo, x.lo / 2);
    poUI->HomeGraph();
    EXPECT_EQ(Picture().GetViewX().lo, x.lo);
    EXPECT_EQ(Picture().GetViewY().hi, y.hi);
}

TEST_F(GraphPictureTest, AZoomBeyondWhatTheNumbersResolveDoesNothing) {
    Run("PLOTTXY 0,6.3,COS,SIN");
    const unsigned nRevision = Picture().GetRevision();
    poUI->ZoomGraph(100, 70, 1e-30);
    poUI->ZoomGraph(100, 70, 0);
    EXPECT_EQ(Picture().GetRevision(), nRevision);
    Run("PLOTXY 0,1,F");
    window.commands.clear();
    poUI->ZoomGraph(100, 70, 1e-30);
    poUI->ZoomGraphTo(100, 70, 100, 80);
    EXPECT_TRUE(window.commands.empty());
}

} // namespace
