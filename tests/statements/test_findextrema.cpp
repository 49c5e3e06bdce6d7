#include "enginetest.h"
#include "linerunner.h"

#include "core/cstring.h"
#include "interpreter/cprogram.h"
#include "symbols/cfunction.h"

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace {

class FindExtremaTest : public EngineTest {};

const Extended PI = 4 * std::atan(1.0L);

const std::string ONE_VARIABLE =
    "ERROR! This statement can only deal with functions of ONE variable.\n";
const std::string FINDEXTREMA_SYNTAX =
    "ERROR! The syntax for FindExtrema is \nFINDEXTREMA F,A,B\nwhere F is the function the "
    "extrema are searched for, A and B are the search interval endpoints.\n";

CFunction* Named(const CRecordingInterface& ui, const char* pchName) {
    CString name;
    name.Set(pchName);
    return ui.GetProgram()->FindFunction(&name);
}

struct SExtremum {
    bool bMaximum;
    Extended x;
    Extended y;
};

SExtremum Refined(CFunction* pFunc, Extended a, Extended b, bool bMaximum) {
    SExtremum found{bMaximum, 0, 0};
    pFunc->FindExtremum(a, b, bMaximum, &found.x, &found.y);
    return found;
}

// The extremum lines of a report, in the order printed.
std::vector<SExtremum> ExtremaOf(const std::string& report) {
    const std::string maximum = "Maximum at X = ";
    const std::string minimum = "Minimum at X = ";
    const std::string separator = " : Y = ";
    std::vector<SExtremum> extrema;
    std::istringstream lines(report);
    std::string line;
    while (std::getline(lines, line)) {
        const bool bMaximum = line.rfind(maximum, 0) == 0;
        if (!bMaximum && line.rfind(minimum, 0) != 0) {
            continue;
        }
        const std::size_t iSeparator = line.find(separator);
        const std::string x = line.substr(maximum.size(), iSeparator - maximum.size());
        extrema.push_back(
            {bMaximum, std::stold(x), std::stold(line.substr(iSeparator + separator.size()))});
    }
    return extrema;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Near an extremum f(x) differs from the top by c (x - x*)^2, which the
// comparisons stop seeing below the last digit of f: x is good to about
// the square root of the precision, and to its fourth root for the flat
// top of 1 - (X-1)^4. Over many brackets the errors stayed below 2e-10 for
// SIN, 3e-11 for the cubic and 1.3e-5 for the flat top.
TEST_F(FindExtremaTest, RefinementMeetsTheClosedForms) {
    CRecordingInterface ui;
    RunLines(ui, {"FUNCTION C(X) = X^3 - 2*X", "FUNCTION Q(X) = 1 - (X-1)^4"});
    CFunction* pSin = Named(ui, "SIN");
    // Brackets of two grid steps, not centred on the extremum, given in
    // either order.
    for (int k = -3; k <= 3; ++k) {
        const Extended xTop = PI / 2 + 2 * k * PI;
        const SExtremum top = Refined(pSin, xTop - 0.013L, xTop + 0.021L, true);
        EXPECT_LE(std::fabs(top.x - xTop), 1e-9L) << k;
        EXPECT_LE(std::fabs(top.y - 1), 1e-18L) << k;
        const SExtremum bottom = Refined(pSin, xTop + PI + 0.02L, xTop + PI - 0.007L, false);
        EXPECT_LE(std::fabs(bottom.x - (xTop + PI)), 1e-9L) << k;
        EXPECT_LE(std::fabs(bottom.y + 1), 1e-18L) << k;
    }
    // C'(X) = 3X^2 - 2 is 0 at -r and r, r = SQR(2/3), where C = -+ 4r/3.
    const Extended r = std::sqrt(2.0L / 3);
    const SExtremum top = Refined(Named(ui, "C"), -0.9L, -0.7L, true);
    EXPECT_LE(std::fabs(top.x + r), 1e-10L);
    EXPECT_LE(std::fabs(top.y - 4 * r / 3), 1e-18L);
    const SExtremum bottom = Refined(Named(ui, "C"), 0.75L, 0.85L, false);
    EXPECT_LE(std::fabs(bottom.x - r), 1e-10L);
    EXPECT_LE(std::fabs(bottom.y + 4 * r / 3), 1e-18L);
    const SExtremum flat = Refined(Named(ui, "Q"), 0.99L, 1.013L, true);
    EXPECT_LE(std::fabs(flat.x - 1), 5e-5L);
    EXPECT_LE(std::fabs(flat.y - 1), 1e-18L);
}

TEST_F(FindExtremaTest, RefinementStaysStrictlyInsideItsBracket) {
    CRecordingInterface ui;
    RunLines(ui, {"FUNCTION G(X,Y) = X+Y"});
    // EXP climbs all the way: the best x comes close to the upper end.
    const SExtremum climb = Refined(Named(ui, "EXP"), 0, 1, true);
    EXPECT_LT(climb.x, 1);
    EXPECT_GT(climb.x, 1 - 1e-15L);
    EXPECT_EQ(climb.y, std::exp(climb.x));
    // A bracket with one number between its ends answers that number.
    const Extended below = std::nextafter(1.0L, 0.0L);
    const Extended above = std::nextafter(1.0L, 2.0L);
    EXPECT_EQ(Refined(Named(ui, "EXP"), below, above, false).x, 1);
    EXPECT_EQ(RaisedCode([&] { Refined(Named(ui, "G"), 0, 1, true); }), ERR_ONE_VARIABLE_FUNCTION);
}

// SIN turns at PI/2 + k PI, 32 times between 0 and 100; it climbs from 0
// and into 100, which are no turns.
TEST_F(FindExtremaTest, ReportsEachTurnOnceInOrderAndNeverTheEnds) {
    CRecordingInterface ui;
    const std::string report = RunLines(ui, {"FINDEXTREMA SIN,0,100"});
    EXPECT_EQ(report.rfind("Extrema of function SIN(X)\nin interval 0 <= X <= 100 :\n\n", 0), 0U);
    EXPECT_TRUE(EndsWith(report, "\nFound 32 extrema.\n"));
    const std::vector<SExtremum> extrema = ExtremaOf(report);
    ASSERT_EQ(extrema.size(), 32U);
    for (int k = 0; k < 32; ++k) {
        const SExtremum& found = extrema[k];
        EXPECT_EQ(found.bMaximum, k % 2 == 0) << k;
        EXPECT_LE(std::fabs(found.x - (PI / 2 + k * PI)), 1e-9L) << k;
        EXPECT_LE(std::fabs(std::fabs(found.y) - 1), 1e-17L) << k;
    }
}

// On 0..5000 grid point j is exactly 5j.
TEST_F(FindExtremaTest, RunsOfEqualSamples) {
    CRecordingInterface ui;
    RunLines(ui, {"FUNCTION T(X) = 1 - ABS(X - 2502.5)",
                  "FUNCTION B(X) = ABS(X - 2500) + ABS(X - 2505)",
                  "FUNCTION U(X) = (X - 2500)*(X < 2500) + (X - 2505)*(X > 2505)",
                  "FUNCTION D(X) = -U(X)"});
    // The top between the equal samples at 2500 and 2505 counts once.
    const std::vector<SExtremum> tops = ExtremaOf(RunLines(ui, {"FINDEXTREMA T,0,5000"}));
    ASSERT_EQ(tops.size(), 1U);
    EXPECT_TRUE(tops[0].bMaximum);
    EXPECT_LE(std::fabs(tops[0].x - 2502.5L), 1e-14L);
    // So does a flat bottom from 2500 to 2505, anywhere on it.
    const std::vector<SExtremum> bottoms = ExtremaOf(RunLines(ui, {"FINDEXTREMA B,0,5000"}));
    ASSERT_EQ(bottoms.size(), 1U);
    EXPECT_FALSE(bottoms[0].bMaximum);
    EXPECT_GE(bottoms[0].x, 2500);
    EXPECT_LE(bottoms[0].x, 2505);
    EXPECT_EQ(bottoms[0].y, 5);
    // A flat step on the way up or down is no turn.
    for (const char* pchFunc : {"U", "D"}) {
        const std::string line = std::string("FINDEXTREMA ") + pchFunc + ",0,5000";
        EXPECT_EQ(RunLines(ui, {line.c_str()}),
                  std::string("Extrema of function ") + pchFunc +
                      "(X)\nin interval 0 <= X <= 5000 :\n\nCouldn't find any extrema.\n");
    }
}

// The transcript shows the other errors.
TEST_F(FindExtremaTest, MisshapenLinesAndFunctionsWithoutAParameter) {
    CRecordingInterface ui;
    EXPECT_EQ(RunLines(ui, {"FINDEXTREMA SIN,1", "FINDEXTREMA SIN,,1", "FINDEXTREMA SIN,1,"}),
              FINDEXTREMA_SYNTAX + FINDEXTREMA_SYNTAX + FINDEXTREMA_SYNTAX);
    EXPECT_EQ(RunLines(ui, {"FINDEXTREMA ,1,2"}), "ERROR! Expected comma \",\".\n");
    EXPECT_EQ(RunLines(ui, {"FINDEXTREMA CLS,0,1"}),
              "Extrema of function CLS(X)\nin interval 0 <= X <= 1 :\n\n" + ONE_VARIABLE);
}

TEST_F(FindExtremaTest, IsInReachOfTheInterrupt) {
    // A new interface is asked at the 1000th poll, which falls among the
    // 1001 samples, after the heading and the first extrema.
    CRecordingInterface ui;
    ui.SetInterrupted(true);
    const std::string report = RunLines(ui, {"FINDEXTREMA SIN,0,3000"});
    EXPECT_FALSE(ExtremaOf(report).empty());
    EXPECT_TRUE(EndsWith(report, "\nExecution interrupted by user.\n"));
}

} // namespace
