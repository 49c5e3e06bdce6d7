#include "windowtest.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <set>

namespace {

// The main window with its graph pane shown at a fixed size; lines are typed
// into the input line and run with Enter's menu item, as the user would.
class PlotWindowTest : public ShownWindowTest {
protected:
    static constexpr QRgb WHITE = 0xFFFFFF;
    static constexpr QRgb BLACK = 0x000000;
    static constexpr QRgb BLUE = 0x0000FF;
    static constexpr QRgb SILVER = 0xC0C0C0;
    static constexpr QRgb GREY = 0x808080;
};

TEST_F(PlotWindowTest, PlottedSineIsABlueCurveOnAWhitePaneInsideTheSunkenFrame) {
    OutputPane(frm.get())->clear();
    Type("PLOTXY 0,6.28,SIN");
    ASSERT_EQ(Output().toStdString(),
              "Plotted Y = SIN(X)\non interval from\nX = 0 to \nX = 6.28\n");
    const int W = GraphPane(frm.get())->width();
    const int H = GraphPane(frm.get())->height();
    ASSERT_EQ(GraphPane(frm.get())->GetImage().size(), GraphPane(frm.get())->size());

    // The frame: shadow and black above and left, white and button face
    // below and right.
    const QRgb shadow = Rgb(frm->GetButtonShadowColor());
    const QRgb face = Rgb(frm->GetButtonFaceColor());
    EXPECT_EQ(Pixel(0, 0), shadow);
    EXPECT_EQ(Pixel(0, H / 2), shadow);
    EXPECT_EQ(Pixel(W / 2, 0), shadow);
    EXPECT_EQ(Pixel(1, 1), BLACK);
    EXPECT_EQ(Pixel(1, H / 2), BLACK);
    EXPECT_EQ(Pixel(W - 1, H / 2), WHITE);
    EXPECT_EQ(Pixel(W / 2, H - 1), WHITE);
    EXPECT_EQ(Pixel(W - 2, H / 2), face);
    EXPECT_EQ(Pixel(W / 2, H - 2), face);

    // The samples, worked out from the plot's definition: W - 5 of them,
    // the y range widened by a tenth on each side, each mapped with the
    // plot area (2, 2)-(W - 2, H - 2) and truncated toward zero.
    const int n = W - 5;
    const long double b = 6.28L;
    long double yMin = 0;
    long double yMax = 0;
    for (int i = 0; i < n; ++i) {
        const long double y = std::sin(i * b / n);
        yMin = std::fmin(yMin, y);
        yMax = std::fmax(yMax, y);
    }
    const long double r = yMax - yMin;
    const long double yTop = yMax + 0.1L * r;
    const long double yBottom = yMin - 0.1L * r;
    const int nWidth = W - 4;
    const int nHeight = H - 4;
    int nCurve = 0;
    std::set<std::pair<int, int>> curve;
    for (int i = 0; i + 1 < n; ++i) {
        const long double x = i * b / n;
        const int px = static_cast<int>(std::trunc(nWidth * x / b)) + 2;
        const int py =
            static_cast<int>(std::trunc(nHeight * (std::sin(x) - yTop) / (yBottom - yTop))) + 2;
        curve.insert({px, py});
        nCurve += Pixel(px, py) == BLUE ? 1 : 0;
    }
    // Every sample but the last starts a segment, so its pixel is blue.
    EXPECT_EQ(nCurve, n - 1);

    // The rest of the plot area is the white pane with the silver grid and
    // the grey axes; the labels stand along the left and bottom edges.
    int nWhite = 0;
    int nOther = 0;
    for (int y = 2; y < H - 16; ++y) {
        for (int x = 40; x < W - 2; ++x) {
            const QRgb c = Pixel(x, y);
            nWhite += c == WHITE ? 1 : 0;
            if (c != WHITE && c != SILVER && c != GREY && c != BLUE) {
                ++nOther;
            }
        }
    }
    EXPECT_EQ(nOther, 0);
    EXPECT_GT(nWhite, (W - 42) * (H - 18) * 3 / 4);
    // The horizontal axis y = 0 is grey where the curve does not cross it.
    const int pyAxis = static_cast<int>(std::trunc(nHeight * (0 - yTop) / (yBottom - yTop))) + 2;
    EXPECT_EQ(Pixel(W / 4, pyAxis), GREY);
}

TEST_F(PlotWindowTest, GraphicsFormatNoneIsSwitchedToTheMediumFrameByAPlot) {
    Type("SETGRAPHICSFRAME 0");
    ASSERT_TRUE(GraphPane(frm.get())->isHidden());
    Type("PLOTXY -1,1,SIN");
    EXPECT_FALSE(GraphPane(frm.get())->isHidden());
    EXPECT_EQ(frm->GetWindowInterface()->GetGraphicsFormat(), GF_MEDIUM);
}

TEST_F(PlotWindowTest, FailedPlotLeavesAWhitePane) {
    Type("PLOTXY -1,1,SIN");
    Type("PLOTXY -1,1,LOG");
    const int W = GraphPane(frm.get())->width();
    const int H = GraphPane(frm.get())->height();
    for (int x = 2; x < W - 2; x += 7) {
        for (int y = 2; y < H - 2; y += 5) {
            EXPECT_EQ(Pixel(x, y), WHITE) << x << "," << y;
        }
    }
}

TEST_F(PlotWindowTest, RunAtOnceButtonBoundByTheStatementRunsWhenClicked) {
    Type("SETFUNCTIONBUTTON 1, \"PRINT 6*7\", \"Answer\", 1");
    EXPECT_EQ(FunctionButton(frm.get(), 1)->text(), "Answer");
    InputLine(frm.get())->setText("typed");
    OutputPane(frm.get())->clear();
    FunctionButton(frm.get(), 1)->click();
    EXPECT_EQ(Output().toStdString(), "42\n");
    EXPECT_EQ(InputLine(frm.get())->text(), "typed");
}

TEST_F(PlotWindowTest, TemplateButtonPutsTheCaretAfterTheFirstQuestionMark) {
    Type("SETFUNCTIONBUTTON 2, \"PLOTXY ?,?,SIN\", \"Plot\", 0");
    OutputPane(frm.get())->clear();
    FunctionButton(frm.get(), 2)->click();
    EXPECT_EQ(InputLine(frm.get())->text(), "PLOTXY ?,?,SIN");
    EXPECT_EQ(InputLine(frm.get())->cursorPosition(), 8);
    EXPECT_EQ(Output().toStdString(), "");
    Type("SETFUNCTIONBUTTON 3, \"PRINT PI\", \"Pi\", 0");
    FunctionButton(frm.get(), 3)->click();
    EXPECT_EQ(InputLine(frm.get())->text(), "PRINT PI");
    EXPECT_EQ(InputLine(frm.get())->cursorPosition(), 8);
}

TEST_F(PlotWindowTest, ClearedButtonHasAnEmptyCaptionAndDoesNothing) {
    Type("SETFUNCTIONBUTTON 4, \"PRINT 1\", \"One\", 1");
    Type("CLEARFUNCTIONBUTTON 4");
    EXPECT_EQ(FunctionButton(frm.get(), 4)->text(), "");
    InputLine(frm.get())->setText("typed");
    OutputPane(frm.get())->clear();
    FunctionButton(frm.get(), 4)->click();
    EXPECT_EQ(Output().toStdString(), "");
    EXPECT_EQ(InputLine(frm.get())->text(), "typed");
}

} // namespace
