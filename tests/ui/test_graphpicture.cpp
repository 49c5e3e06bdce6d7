#include "windowinterfacetest.h"

#include "statements/cplotscene.h"
#include "ui/cgraphpicture.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

namespace {

// A window interface on a recording window of 224 by 145 pixels: its plot
// area spans 220 pixels, so that PLOTXY takes 219 samples.
class GraphPictureTest : public WindowInterfaceFixture {
protected:
    void SetUp() override {
        WindowInterfaceFixture::SetUp();
        Resize(224, 145);
        Run("FUNCTION F(X) = X*X");
        Run("FUNCTION G(X) = 1 - X");
        Run("FUNCTION R(P) = 1 + COS(P) / 2");
        window.output.clear();
        window.TakeCanvas();
    }

    void Run(const std::string& line) {
        ASSERT_TRUE(poUI->ExecuteLine(line.c_str())) << line << ": " << window.output;
    }
    void Resize(int nWidth, int nHeight) {
        window.nGraphWidth = nWidth;
        window.nGraphHeight = nHeight;
    }
    const CPlotScene& Scene() const {
        const CPlotScene* pScene = poUI->GetGraphPicture().GetScene();
        EXPECT_NE(pScene, nullptr);
        return *pScene;
    }
    // The canvas calls from the white pane to the frame, as a plot draws
    // them: what the pane shows.
    std::string Picture() {
        const std::string canvas = window.TakeCanvas();
        const std::size_t iStart = canvas.rfind("brush 16777215\nrect (0,0)");
        return iStart == std::string::npos ? canvas : canvas.substr(iStart);
    }
    static int CountOf(const std::string& text, const std::string& part) {
        int n = 0;
        for (std::size_t i = text.find(part); i != std::string::npos; i = text.find(part, i + 1)) {
            ++n;
        }
        return n;
    }
    // The canvas calls of the first curve: from its pen to the next pen.
    static std::string FirstCurve(const std::string& picture) {
        const std::size_t iStart = picture.find("pen 16711680 1\n");
        if (iStart == std::string::npos) {
            return {};
        }
        const std::size_t iEnd = picture.find("pen", iStart + 4);
        return picture.substr(iStart, iEnd - iStart);
    }
};

std::string Numeral(Extended value) {
    char pchText[64];
    std::snprintf(pchText, sizeof pchText, "%.6Lf", value);
    return pchText;
}

// --- One model, one sampling, one drawing --------------------------------------------

// A PLOTXY view drawn by exploring, at any size, is exactly what PLOTXY typed
// with that interval and SETYRANGE draws at that size: the same samples,
// grid, labels and curves, call for call.
TEST_F(GraphPictureTest, AnExploredPlotXYViewIsTheTypedPlotOfThatView) {
    const SPlotView views[] = {{{-1, 1}, {-2, 3}}, {{-0.5, 0.75}, {-2, 3}}, {{0.25, 1.5}, {-1, 2}}};
    const int sizes[][2] = {{224, 145}, {600, 400}};
    for (const auto& size : sizes) {
        for (const SPlotView& view : views) {
            Resize(size[0], size[1]);
            Run("SETYRANGE " + Numeral(view.y.lo) + "," + Numeral(view.y.hi));
            Run("PLOTXY " + Numeral(view.x.lo) + "," + Numeral(view.x.hi) + ",F,G");
            const std::string typed = Picture();
            // Plotted at the other size, then shown at this one in the view.
            Run("SETYRANGE AUTO");
            Resize(size[0] == 224 ? 600 : 224, size[1] == 145 ? 400 : 145);
            Run("PLOTXY -1,1,F,G");
            Resize(size[0], size[1]);
            window.output.clear();
            ASSERT_TRUE(poUI->SetGraphView(view));
            EXPECT_EQ(Picture(), typed) << size[0] << " x " << size[1];
            EXPECT_EQ(Scene().GetCurves()[1].x.size(), static_cast<std::size_t>(size[0] - 5));
            EXPECT_EQ(window.output, "");
        }
    }
}

// The parametric and polar kinds: their 300 samples do not depend on the
// size, so a picture drawn at another size is the plot typed there; a
// polar curve stays round on a pane of any shape.
TEST_F(GraphPictureTest, AParametricOrPolarPictureAtAnotherSizeIsThePlotTypedThere) {
    for (const char* pchPlot : {"PLOTTXY 0,6.3,COS,SIN", "PLOTPHIR 0,6.3,R"}) {
        Resize(600, 400);
        Run(pchPlot);
        const std::string typed = Picture();
        Resize(224, 145);
        Run(pchPlot);
        Resize(600, 400);
        poUI->RedrawGraph();
        EXPECT_EQ(Picture(), typed) << pchPlot;
    }
    Resize(304, 604);
    poUI->RedrawGraph();
    SPlotView view{};
    ASSERT_TRUE(poUI->GetGraphView(&view));
    EXPECT_NEAR(static_cast<double>((view.x.hi - view.x.lo) / 300),
                static_cast<double>((view.y.hi - view.y.lo) / 600), 1e-12);
}

// Whatever way a view was reached, the same view at the same size draws the
// same picture: for each kind, three views, two sizes.
TEST_F(GraphPictureTest, AViewAtASizeDrawsTheSamePictureHoweverItWasReached) {
    for (const char* pchPlot : {"PLOTXY -1,1,F,G", "PLOTTXY 0,6.3,COS,SIN", "PLOTPHIR 0,6.3,R"}) {
        Resize(224, 145);
        Run(pchPlot);
        SPlotView home{};
        ASSERT_TRUE(poUI->GetGraphView(&home));
        const SPlotView views[] = {
            home,
            {{home.x.lo / 4, home.x.hi / 4}, {home.y.lo / 4, home.y.hi / 4}},
            {{home.x.lo + 0.5L, home.x.hi + 0.5L}, {home.y.lo - 0.25L, home.y.hi - 0.25L}}};
        for (const auto& size : {std::make_pair(224, 145), std::make_pair(600, 400)}) {
            for (const SPlotView& view : views) {
                Resize(size.first, size.second);
                ASSERT_TRUE(poUI->SetGraphView(view));
                const std::string direct = Picture();
                // Elsewhere and at another size first.
                Resize(size.first == 224 ? 600 : 224, size.second == 145 ? 400 : 145);
                poUI->ZoomGraph(30, 30, 3, 0.5);
                Resize(size.first, size.second);
                ASSERT_TRUE(poUI->SetGraphView(view));
                EXPECT_EQ(Picture(), direct) << pchPlot << " at " << size.first;
            }
        }
    }
}

// Zoomed in, a parametric curve gets at least as many samples again inside
// the view; the same view at the same size draws the same picture.
TEST_F(GraphPictureTest, AZoomedParametricViewIsSampledFinelyWhereTheCurveMeetsIt) {
    Run("PLOTTXY 0,6.3,COS,SIN");
    ASSERT_EQ(Scene().GetCurves()[0].x.size(), 300U);
    const SPlotView view{{0.5, 1.1}, {-0.2, 0.6}};
    ASSERT_TRUE(poUI->SetGraphView(view));
    const std::string zoomed = Picture();
    int nInside = 0;
    const CPlotScene::SCurve& curve = Scene().GetCurves()[0];
    for (std::size_t i = 0; i < curve.x.size(); ++i) {
        nInside += curve.x[i] >= view.x.lo && curve.x[i] <= view.x.hi && curve.y[i] >= view.y.lo &&
                   curve.y[i] <= view.y.hi;
    }
    // The arc from about -0.2 to 0.6 rad holds about 13 of the 300.
    EXPECT_GE(nInside, 300);
    poUI->RedrawGraph();
    EXPECT_EQ(Picture(), zoomed);
    poUI->HomeGraph();
    EXPECT_EQ(Scene().GetCurves()[0].x.size(), 300U);
}

TEST_F(GraphPictureTest, WheelDragAndBandChangeBothAxesAndHomeReturnsToTheStatementsView) {
    Run("PLOTXY 0,2,F");
    SPlotView home{};
    ASSERT_TRUE(poUI->GetGraphView(&home));
    window.output.clear();
    // Shift+wheel: y only, about the pointer.
    poUI->ZoomGraph(poUI->MapX(1), poUI->MapY(2), 1, 0.5);
    SPlotView view{};
    ASSERT_TRUE(poUI->GetGraphView(&view));
    EXPECT_EQ(view.x.lo, home.x.lo);
    EXPECT_EQ(view.x.hi, home.x.hi);
    EXPECT_NEAR(static_cast<double>(view.y.hi - view.y.lo),
                static_cast<double>(home.y.hi - home.y.lo) / 2, 0.05);
    // A drag down by 40 pixels moves the content down: the view goes up.
    const Extended yUnit = (view.y.hi - view.y.lo) / 141;
    poUI->PanGraph(0, 40);
    SPlotView panned{};
    ASSERT_TRUE(poUI->GetGraphView(&panned));
    EXPECT_NEAR(static_cast<double>(panned.y.lo - view.y.lo), static_cast<double>(40 * yUnit),
                1e-9);
    // A band over y 0 to 1 gives exactly y 0 to 1 (to a pixel).
    poUI->ZoomGraphTo(poUI->MapX(0.5), poUI->MapY(1), poUI->MapX(1.5), poUI->MapY(0));
    SPlotView band{};
    ASSERT_TRUE(poUI->GetGraphView(&band));
    EXPECT_NEAR(static_cast<double>(band.y.lo), 0, 0.02);
    EXPECT_NEAR(static_cast<double>(band.y.hi), 1, 0.02);
    EXPECT_EQ(window.output, "") << "exploring prints nothing";
    EXPECT_TRUE(window.commands.empty()) << "and runs no command";
    poUI->HomeGraph();
    ASSERT_TRUE(poUI->GetGraphView(&view));
    EXPECT_EQ(view.x.lo, home.x.lo);
    EXPECT_EQ(view.y.hi, home.y.hi);
}

// --- Exploring never raises ----------------------------------------------------

TEST_F(GraphPictureTest, AnExploredViewBreaksCurvesWhereTheyAreUndefinedAndHomeBringsThemBack) {
    Run("PLOTXY 0.5,10,LOG");
    window.output.clear();
    const std::string home = Picture();
    ASSERT_EQ(CountOf(FirstCurve(home), "move"), 1);
    // Panned right by half the pane: the view reaches across x = 0.
    poUI->PanGraph(110, 0);
    const std::string panned = Picture();
    EXPECT_EQ(window.output, "");
    SPlotView view{};
    ASSERT_TRUE(poUI->GetGraphView(&view));
    EXPECT_LT(view.x.lo, -3);
    const CPlotScene::SCurve& curve = Scene().GetCurves()[0];
    EXPECT_TRUE(std::isnan(curve.y.front()));
    EXPECT_FALSE(std::isnan(curve.y.back()));
    EXPECT_EQ(CountOf(FirstCurve(panned), "move"), 1);
    // Nothing of the curve in view: grid, axes and labels only.
    ASSERT_TRUE(poUI->SetGraphView({{-10, -5}, {-1, 1}}));
    const std::string empty = Picture();
    EXPECT_EQ(CountOf(FirstCurve(empty), "line"), 0);
    EXPECT_NE(empty.find("text"), std::string::npos);
    poUI->HomeGraph();
    EXPECT_EQ(Picture(), home);
}

TEST_F(GraphPictureTest, ASampleThatFailsOnlyAtAnotherSizeBreaksTheCurveThere) {
    Run("FUNCTION H(X) = 1/X");
    // 219 samples on -1 to 1 miss 0; 220 hit it.
    Run("PLOTXY -1,1,H");
    Resize(225, 145);
    window.output.clear();
    poUI->RedrawGraph();
    EXPECT_EQ(CountOf(FirstCurve(Picture()), "move"), 2);
    EXPECT_EQ(window.output, "");
    EXPECT_EQ(CleanupStack::GetCount(), 0);
}

// A function of a program file may print or plot; sampled for the picture
// it neither prints nor changes the pane: such a sample is left out.
TEST_F(GraphPictureTest, FunctionsSampledForThePicturePrintNothingAndCannotReplaceIt) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "ostrel_graphpicture_test.bas";
    {
        std::ofstream out(file);
        out << "FUNCTION P(X)\n  PRINT \"sampled\"\n  IF X > 1 THEN PLOTXY 0,1,SIN\n"
               "  P = X\nEND FUNCTION\n";
    }
    Run("RUNFILE \"" + file.string() + "\"");
    std::filesystem::remove(file);
    Run("PLOTXY 0,1,P");
    window.output.clear();
    // Zoomed out about x = 0: the view reaches x = 4.
    poUI->ZoomGraph(poUI->MapX(0), poUI->MapY(0.5), 4, 4);
    EXPECT_EQ(window.output, "");
    const CPlotScene::SCurve& curve = Scene().GetCurves()[0];
    EXPECT_EQ(curve.name, "P");
    EXPECT_TRUE(std::isnan(curve.y.back())) << "X > 1 tried to plot";
    EXPECT_FALSE(std::isnan(curve.y.front()));
}

// --- Names keep their meaning ------------------------------------------------------------

TEST_F(GraphPictureTest, DeletingAFunctionOnlyThePictureHoldsKeepsWhatItDrew) {
    Run("PLOTXY -1,1,F");
    const std::vector<Extended> drawn = Scene().GetCurves()[0].y;
    window.output.clear();
    Run("DELETE F");
    EXPECT_EQ(window.output, "Deleted function F\r\n");
    EXPECT_FALSE(Scene().HasFunctions());
    // A new F is another function: the picture goes on rescaling its own
    // samples.
    Run("FUNCTION F(X) = 7");
    Resize(600, 400);
    poUI->RedrawGraph();
    poUI->ZoomGraph(300, 200, 0.5, 0.5);
    EXPECT_EQ(Scene().GetCurves()[0].y, drawn);
    EXPECT_NE(FirstCurve(Picture()).find("line"), std::string::npos);
}

// An expression written in the plot is a function only the statement and
// then the picture hold: it lives while the picture does, is sampled anew,
// and goes with it (the fixture's counters see it go).
TEST_F(GraphPictureTest, AnExpressionInThePlotLivesAsLongAsThePicture) {
    const int nBefore = ObjectCount[CN_USERFUNCTION];
    Run("PLOTXY -1,1,X*X+F(X)");
    EXPECT_EQ(ObjectCount[CN_USERFUNCTION], nBefore + 1);
    EXPECT_EQ(Scene().GetCurves()[0].name, "X*X+F(X)");
    EXPECT_TRUE(Scene().GetCurves()[0].bExpression);
    Resize(300, 145);
    poUI->RedrawGraph();
    const CPlotScene::SCurve& curve = Scene().GetCurves()[0];
    ASSERT_EQ(curve.y.size(), 295U);
    EXPECT_EQ(curve.y[0], 2) << "2*(-1)^2, sampled anew";
    SGraphProbe probe{};
    ASSERT_TRUE(poUI->ProbeSample(0, 0, &probe));
    EXPECT_STREQ(probe.pchSample, "X*X+F(X) = 2 at X = -1");
    // F is held by the expression, which only the picture holds.
    EXPECT_FALSE(poUI->ExecuteLine("DELETE F"));
    Run("CLS");
    EXPECT_EQ(ObjectCount[CN_USERFUNCTION], nBefore);
    Run("DELETE F");
}

TEST_F(GraphPictureTest, AFunctionAnotherStillUsesStaysInThePictureAndCannotBeDeleted) {
    Run("FUNCTION K(X) = F(X) + 1");
    Run("PLOTXY -1,1,F");
    EXPECT_FALSE(poUI->ExecuteLine("DELETE F"));
    EXPECT_TRUE(Scene().HasFunctions());
    Resize(300, 145);
    poUI->RedrawGraph();
    EXPECT_EQ(Scene().GetCurves()[0].y.size(), 295U) << "sampled anew";
}

TEST_F(GraphPictureTest, ClearingOrAFailedPlotLeavesTheFramedWhitePane) {
    Run("PLOTXY -1,1,F");
    const unsigned nPlotted = poUI->GetGraphPicture().GetRevision();
    poUI->RedrawGraph();
    EXPECT_EQ(poUI->GetGraphPicture().GetRevision(), nPlotted);
    Run("CLS");
    EXPECT_FALSE(poUI->GetGraphPicture().HasPlot());
    EXPECT_NE(poUI->GetGraphPicture().GetRevision(), nPlotted);
    window.TakeCanvas();
    poUI->RedrawGraph();
    const std::string cls = window.TakeCanvas();
    EXPECT_EQ(CountOf(cls, "line (-1,144)"), 1) << "one frame only";
    EXPECT_EQ(cls.find("text"), std::string::npos);
    Run("PLOTXY -1,1,F");
    EXPECT_FALSE(poUI->ExecuteLine("PLOTXY 1,1,F"));
    EXPECT_FALSE(poUI->GetGraphPicture().HasPlot());
    EXPECT_FALSE(poUI->IsGraphNavigable());
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

// --- Legend and probe box ------------------------------------------------------------------

TEST_F(GraphPictureTest, TheLegendTakesTheCornerWithTheFewestSamplesAndNoLabelCoversIt) {
    // G falls from the upper left to the lower right, F rises to both upper
    // corners: the lower left is free.
    Run("FUNCTION D(X) = -X");
    Run("PLOTXY -1,1,F,D");
    const std::string picture = Picture();
    EXPECT_NE(picture.find(" F\n"), std::string::npos);
    const std::size_t iLegend = picture.find("pen 8421504 1\nbrush 16777215\nrect (");
    ASSERT_NE(iLegend, std::string::npos);
    int x1 = 0;
    int y1 = 0;
    ASSERT_EQ(std::sscanf(picture.c_str() + iLegend, "pen 8421504 1\nbrush 16777215\nrect (%d,%d)",
                          &x1, &y1),
              2);
    EXPECT_LT(x1, 112);
    EXPECT_GT(y1, 72);
    // The box for the pointer's texts avoids the labels along the left.
    int x = 0;
    int y = 0;
    poUI->PlaceProbeBox(60, 20, &x, &y);
    EXPECT_EQ(y, 5);
    EXPECT_GT(x, 100);
}

TEST_F(GraphPictureTest, AProbeReadsThePointerAndTheNearestSample) {
    SGraphProbe probe{};
    EXPECT_FALSE(poUI->ProbeGraph(50, 50, &probe));
    Run("PLOTXY 0,219,F");
    ASSERT_TRUE(poUI->ProbeGraph(poUI->MapX(110), poUI->MapY(12100), &probe));
    EXPECT_TRUE(probe.bSample);
    EXPECT_EQ(probe.iSample, 110);
    EXPECT_STREQ(probe.pchSample, "F(110) = 12100");
    EXPECT_EQ(probe.nColor, CanvasColor(0, 0, 255));
    EXPECT_FALSE(poUI->ProbeSample(0, 219, &probe));
    EXPECT_FALSE(poUI->ProbeSample(1, 0, &probe));
    Run("PLOTTXY 0,6,COS,SIN");
    ASSERT_TRUE(poUI->ProbeSample(0, 150, &probe));
    EXPECT_EQ(std::string(probe.pchSample).rfind("T = 3:  x = -0.98999", 0), 0U) << probe.pchSample;
}

TEST_F(GraphPictureTest, AViewTheNumbersCannotGridIsRefused) {
    Run("PLOTTXY 0,6.3,COS,SIN");
    SPlotView home{};
    ASSERT_TRUE(poUI->GetGraphView(&home));
    poUI->ZoomGraph(100, 70, 1e-30, 1e-30);
    poUI->ZoomGraph(100, 70, 0, 1);
    EXPECT_FALSE(poUI->SetGraphView({{1, 1}, {0, 1}}));
    SPlotView view{};
    ASSERT_TRUE(poUI->GetGraphView(&view));
    EXPECT_EQ(view.x.lo, home.x.lo);
    EXPECT_EQ(view.y.hi, home.y.hi);
}

} // namespace
