#include "windowinterfacetest.h"

#include "core/numbertext.h"
#include "ui/cgraphcanvas.h"
#include "ui/plotscene.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The labels of a picture, as the pane writes them: the texts along the
// bottom edge (the x axis) or along the left edge (the y axis).
class GraphLabelTest : public WindowInterfaceFixture {
protected:
    void SetUp() override {
        WindowInterfaceFixture::SetUp();
        window.nGraphWidth = 600;
        window.nGraphHeight = 300;
        ASSERT_TRUE(poUI->ExecuteLine("FUNCTION F(X) = SIN(X)"));
        window.TakeCanvas();
    }

    std::vector<std::string> XLabels() { return LabelsAlong(false); }
    std::vector<std::string> YLabels() { return LabelsAlong(true); }

private:
    // "text (x,y) LABEL": the y labels stand at the left edge (x = 3),
    // the x labels on the bottom row, written after them.
    std::vector<std::string> LabelsAlong(bool bVertical) {
        std::istringstream lines(window.canvas);
        std::vector<std::string> labels;
        std::string line;
        while (std::getline(lines, line)) {
            int x = 0;
            int y = 0;
            char pchText[64] = "";
            if (std::sscanf(line.c_str(), "text (%d,%d) %63s", &x, &y, pchText) != 3) {
                continue;
            }
            const bool bLeft = x == 3;
            const bool bBottom = y == window.nGraphHeight - 1 - window.nTextHeight;
            if ((bVertical && bLeft && !bBottom) || (!bVertical && bBottom && !bLeft)) {
                labels.emplace_back(pchText);
            }
        }
        return labels;
    }
};

using Labels = std::vector<std::string>;

TEST_F(GraphLabelTest, ZoomedIntervalsGetTheDigitsThatTellTheirLabelsApart) {
    ASSERT_TRUE(poUI->ExecuteLine("PLOTXY 2,2.3,F"));
    // The grid walk lands a hair below 2.3, so its line and label are drawn.
    EXPECT_EQ(XLabels(), Labels({"2.05", "2.1", "2.15", "2.2", "2.25", "2.3"}));
    window.TakeCanvas();
    ASSERT_TRUE(poUI->ExecuteLine("PLOTXY 1000000,1000001,F"));
    EXPECT_EQ(XLabels(), Labels({"1000000.1", "1000000.2", "1000000.3", "1000000.4", "1000000.5",
                                 "1000000.6", "1000000.7", "1000000.8", "1000000.9"}));
    window.TakeCanvas();
    // Where two digits tell them apart, the labels are as they always were.
    ASSERT_TRUE(poUI->ExecuteLine("PLOTXY -10,10,F"));
    EXPECT_EQ(XLabels(), Labels({"-8", "-6", "-4", "-2", "0", "2", "4", "6", "8"}));
    EXPECT_EQ(YLabels(),
              Labels({"-1", "-0.8", "-0.6", "-0.4", "-0.2", "0", "0.2", "0.4", "0.6", "0.8", "1"}));
    window.TakeCanvas();
    ASSERT_TRUE(poUI->ExecuteLine("PLOTXY 0,1000,F"));
    EXPECT_EQ(XLabels()[1], "2E2");
}

TEST_F(GraphLabelTest, AZoomedPolarViewLabelsEveryLineDifferently) {
    ASSERT_TRUE(poUI->ExecuteLine("FUNCTION R(P) = 2 + P / 10"));
    ASSERT_TRUE(poUI->ExecuteLine("PLOTPHIR 0,3,R"));
    ASSERT_TRUE(poUI->SetGraphView({{2, 2.3L}, {0, 0.15L}}));
    const Labels x = XLabels();
    ASSERT_GE(x.size(), 5U);
    for (std::size_t i = 1; i < x.size(); ++i) {
        EXPECT_NE(x[i], x[i - 1]);
    }
}

// Over many ranges of every scale: the labels of an axis differ from their
// neighbours, each reads within half a step of its grid line, and one
// digit fewer would not do (or two digits are enough).
TEST(LabelDigits, NeighboursDifferAndEachReadsWithinHalfAStep) {
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> exponent(-12, 12);
    std::uniform_real_distribution<double> relativeWidth(-13, 1);
    std::uniform_real_distribution<double> unit(-1, 1);
    const auto fits = [](const SGridStep& grid, Extended hi, int nDigits) {
        std::string previous;
        // The values as the pane walks them: each a step beyond the last.
        Extended value = grid.first;
        while (value < hi) {
            const Extended label =
                value - grid.step / 2 < 0 && value + grid.step / 2 > 0 ? 0 : value;
            char pchText[NUMBER_TEXT_SIZE];
            FormatNumber(label, FF_GENERAL, nDigits, 2, pchText);
            Extended reading = 0;
            std::from_chars(pchText, pchText + std::strlen(pchText), reading);
            if (!(std::fabs(reading - label) < grid.step / 2) || previous == pchText) {
                return false;
            }
            previous = pchText;
            value += grid.step;
        }
        return true;
    };
    for (int i = 0; i < 2000; ++i) {
        const Extended lo = unit(random) * std::pow(10.0L, exponent(random));
        const Extended width = std::fabs(lo == 0 ? 1 : lo) * std::pow(10.0L, relativeWidth(random));
        const SPlotRange range{lo, lo + width};
        if (!IsDrawableRange(range)) {
            continue;
        }
        const SGridStep grid = ChooseGridStep(range.lo, range.hi);
        const int nDigits = ChooseLabelDigits(grid, range.hi, false);
        EXPECT_TRUE(fits(grid, range.hi, nDigits))
            << static_cast<double>(range.lo) << " to " << static_cast<double>(range.hi);
        if (nDigits > 2) {
            EXPECT_FALSE(fits(grid, range.hi, nDigits - 1))
                << static_cast<double>(range.lo) << " to " << static_cast<double>(range.hi);
        }
    }
}

// 8 pixels at the design's pane, 12 to 14 on the pane of a window
// maximised on a full-HD screen (about 1216 by 960 pixels with the medium
// frame).
TEST(LabelSize, GrowsFromTheDesignPaneToAMaximisedWindow) {
    EXPECT_EQ(GraphLabelPixelSize(480, 180), 8);
    EXPECT_EQ(GraphLabelPixelSize(300, 200), 8);
    const int nMaximised = GraphLabelPixelSize(1216, 960);
    EXPECT_GE(nMaximised, 12);
    EXPECT_LE(nMaximised, 14);
    EXPECT_LE(GraphLabelPixelSize(10000, 10000), 18);
}

} // namespace
