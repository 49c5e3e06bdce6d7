#include "ccanvasrecorder.h"
#include "enginetest.h"
#include "linerunner.h"

#include "interpreter/cprogram.h"
#include "statements/cplotcurve.h"
#include "symbols/cfunction.h"
#include "symbols/cnamedconstant.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

// Each test builds its own recorder inside the test body, so that the
// counters are checked after it is gone.
class PlotTest : public EngineTest {};

// Definitions echo; the tests look at what the plots print.
void Define(CCanvasRecorder& ui, std::initializer_list<const char*> lines) {
    RunLines(ui, lines);
    ui.TakeCalls();
}

std::string Text(Extended value) {
    return CCanvasRecorder::Text(value);
}

// The calls between the blue pen and the frame: the curve.
Calls CurveCalls(const Calls& calls) {
    const auto first = std::find(calls.begin(), calls.end(), "SetPenColor(0,0,255)");
    const auto last = std::find(calls.begin(), calls.end(), "DrawGraphFrame");
    return first == calls.end() || last == calls.end() ? Calls{} : Calls(first + 1, last);
}

int CountStartingWith(const Calls& calls, const std::string& prefix) {
    return static_cast<int>(std::count_if(
        calls.begin(), calls.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
}

// F(X) = X*X on [0, 3] with three samples (x = 0, 1, 2; y = 0, 1, 4): the
// y range 0..4 gets 10 % headroom to -0.4..4.4, whose 4.8 units take a grid
// step of 0.5; the x range 0..3 takes 0.5 as well.
const Calls SMALL_PLOT = {
    "ClearGraph",
    "GetPlotArea",
    "SetWorldWindow(0,4.4,3,-0.4)",
    "SetGridPen",
    "MoveTo(0,0)",
    "LineTo(3,0)",
    "MoveTo(0,0.5)",
    "LineTo(3,0.5)",
    "MoveTo(0,1)",
    "LineTo(3,1)",
    "MoveTo(0,1.5)",
    "LineTo(3,1.5)",
    "MoveTo(0,2)",
    "LineTo(3,2)",
    "MoveTo(0,2.5)",
    "LineTo(3,2.5)",
    "MoveTo(0,3)",
    "LineTo(3,3)",
    "MoveTo(0,3.5)",
    "LineTo(3,3.5)",
    "MoveTo(0,4)",
    "LineTo(3,4)",
    "SetGridPen",
    "MoveTo(0,-0.4)",
    "LineTo(0,4.4)",
    "MoveTo(0.5,-0.4)",
    "LineTo(0.5,4.4)",
    "MoveTo(1,-0.4)",
    "LineTo(1,4.4)",
    "MoveTo(1.5,-0.4)",
    "LineTo(1.5,4.4)",
    "MoveTo(2,-0.4)",
    "LineTo(2,4.4)",
    "MoveTo(2.5,-0.4)",
    "LineTo(2.5,4.4)",
    "SetAxisPen",
    "MoveTo(0,4.4)",
    "LineTo(0,-0.4)",
    "SetAxisPen",
    "MoveTo(0,0)",
    "LineTo(3,0)",
    "DrawNumber(0,0,0)",
    "DrawNumber(0.5,0,0.5)",
    "DrawNumber(1,0,1)",
    "DrawNumber(1.5,0,1.5)",
    "DrawNumber(2,0,2)",
    "DrawNumber(2.5,0,2.5)",
    "DrawNumber(3,0,3)",
    "DrawNumber(3.5,0,3.5)",
    "DrawNumber(4,0,4)",
    "DrawNumber(0,0,-0.4)",
    "DrawNumber(0.5,0.5,-0.4)",
    "DrawNumber(1,1,-0.4)",
    "DrawNumber(1.5,1.5,-0.4)",
    "DrawNumber(2,2,-0.4)",
    "DrawNumber(2.5,2.5,-0.4)",
    "SetPenColor(0,0,255)",
    "MoveTo(0,0)",
    "LineTo(1,1)",
    "LineTo(2,4)",
    "DrawGraphFrame",
};

TEST_F(PlotTest, SmallPlotXYDrawsClearGridAxesLabelsCurveFrameInOrder) {
    CCanvasRecorder ui(8, 100); // plot area 2..6: three samples
    RunLines(ui, {"FUNCTION F(X) = X*X"});
    ui.TakeCalls();
    EXPECT_EQ(RunLines(ui, {"PLOTXY 0,3,F"}),
              "Plotted Y = F(X)\non interval from\nX = 0 to \nX = 3\n");
    EXPECT_EQ(ui.TakeCalls(), SMALL_PLOT);
}

TEST_F(PlotTest, ReversedIntervalDrawsTheSameAndNamesTheSmallerEndFirst) {
    CCanvasRecorder ui(8, 100);
    RunLines(ui, {"FUNCTION F(X) = X*X"});
    ui.TakeCalls();
    EXPECT_EQ(RunLines(ui, {"PLOTXY 3,0,F"}),
              "Plotted Y = F(X)\non interval from\nX = 0 to \nX = 3\n");
    EXPECT_EQ(ui.TakeCalls(), SMALL_PLOT);
}

TEST_F(PlotTest, FunctionWithABodyPlotsLikeTheOneLineForm) {
    CCanvasRecorder ui(8, 100);
    const std::string path = WriteProgramFile("square.bas", "FUNCTION F(X)\n"
                                                            "F = X*X\n"
                                                            "END FUNCTION\n");
    const std::string line = "RUNFILE \"" + path + "\"";
    Define(ui, {line.c_str()});
    RunLines(ui, {"PLOTXY 0,3,F"});
    EXPECT_EQ(ui.TakeCalls(), SMALL_PLOT);
    Define(ui, {"FUNCTION G(T) = T"});
    RunLines(ui, {"PLOTTXY 0,3,G,F"});
    EXPECT_EQ(CurveCalls(ui.TakeCalls()).back(), "LineTo(2.99,8.9401)");
}

TEST_F(PlotTest, PlotXYTakesPaneWidthMinusFiveSamplesAndLeavesOutTheRightEnd) {
    CCanvasRecorder ui(300, 200);
    Define(ui, {"FUNCTION F(X) = 2*X"});
    EXPECT_EQ(RunLines(ui, {"PLOTXY -1,1,F"}),
              "Plotted Y = F(X)\non interval from\nX = -1 to \nX = 1\n");
    const Calls curve = CurveCalls(ui.TakeCalls());
    ASSERT_EQ(curve.size(), 295U);
    EXPECT_EQ(curve.front(), "MoveTo(-1,-2)");
    EXPECT_EQ(CountStartingWith(curve, "LineTo("), 294);
    // The last sample is 1 - 2/295, one step short of the right end.
    const Extended xLast = 1 - 2.0L / 295;
    EXPECT_EQ(curve.back(), "LineTo(" + Text(xLast) + "," + Text(2 * xLast) + ")");
}

TEST_F(PlotTest, PlotTXYSamples300TimesAndGivesBothRangesHeadroom) {
    CCanvasRecorder ui(120, 80);
    Define(ui, {"FUNCTION FX(T) = T", "FUNCTION FY(T) = T*T"});
    EXPECT_EQ(RunLines(ui, {"PLOTTXY 0,3,FX,FY"}),
              "Plotted \nY = FY(T)\nX = FX(T)\non interval from\nT = 0 to \nT = 3\n");
    const Calls calls = ui.TakeCalls();
    // t = 0, 0.01, ..., 2.99: x spans 0..2.99 and y 0..8.9401, each widened
    // by a tenth of its width on both sides.
    ASSERT_GE(calls.size(), 3U);
    EXPECT_EQ(calls[0], "ClearGraph");
    EXPECT_EQ(calls[1], "GetPlotArea");
    EXPECT_EQ(calls[2], "SetWorldWindow(-0.299,9.83411,3.289,-0.89401)");
    // The y range of 10.73 takes a step of 1 (ten lines from 0 to 9), the x
    // range of 3.588 a step of 0.5 (seven lines from 0 to 3).
    EXPECT_EQ(CountStartingWith(calls, "MoveTo(-0.299,"), 10 + 1);
    EXPECT_EQ(CountStartingWith(calls, "LineTo(3.289,"), 10 + 1);
    EXPECT_EQ(CountStartingWith(calls, "MoveTo(3,-0.89401)"), 1);
    EXPECT_EQ(CountStartingWith(calls, "DrawNumber("), 10 + 7);
    EXPECT_EQ(CountStartingWith(calls, "DrawNumber(9,-0.299,9)"), 1);
    EXPECT_EQ(CountStartingWith(calls, "DrawNumber(3,3,-0.89401)"), 1);
    const Calls curve = CurveCalls(calls);
    ASSERT_EQ(curve.size(), 300U);
    EXPECT_EQ(curve.front(), "MoveTo(0,0)");
    EXPECT_EQ(curve.back(), "LineTo(2.99,8.9401)");
    EXPECT_EQ(calls.back(), "DrawGraphFrame");
}

TEST_F(PlotTest, PlotTXYSampleCountDoesNotDependOnThePane) {
    CCanvasRecorder ui(20, 20);
    RunLines(ui, {"PLOTTXY 0,6.3,COS,SIN"});
    EXPECT_EQ(CurveCalls(ui.TakeCalls()).size(), 300U);
}

TEST_F(PlotTest, ZeroLengthIntervalLeavesAClearedPane) {
    CCanvasRecorder ui;
    Define(ui, {"FUNCTION F(X) = X"});
    EXPECT_EQ(RunLines(ui, {"PLOTXY 1,1,F", "PLOTTXY 2,2,F,F"}),
              "ERROR! Interval must have nonzero length.\n"
              "ERROR! Interval must have nonzero length.\n");
    EXPECT_EQ(ui.TakeCalls(), (Calls{"ClearGraph", "ClearGraph"}));
}

TEST_F(PlotTest, ConstantFunctionGetsTheRangeOneToEachSideAndTenPercent) {
    CCanvasRecorder ui;
    RunLines(ui, {"FUNCTION C(X) = 3", "PLOTXY 0,1,C"});
    const Calls calls = ui.TakeCalls();
    ASSERT_GE(calls.size(), 4U);
    EXPECT_EQ(calls[2], "SetWorldWindow(0,4.2,1,1.8)");
    // Horizontal grid lines every 0.2 from 1.8 up.
    EXPECT_EQ(calls[3], "SetGridPen");
    EXPECT_EQ(calls[4], "MoveTo(0,1.8)");
    EXPECT_EQ(calls[6], "MoveTo(0,2)");
    EXPECT_EQ(calls[8], "MoveTo(0,2.2)");
    EXPECT_EQ(CurveCalls(calls).front(), "MoveTo(0,3)");
}

TEST_F(PlotTest, GridValueWithinHalfAStepOfZeroIsLabelledZero) {
    // F(X) = X on [-1, 1]: the y grid of step 0.2 starts at -1, and five
    // additions of 0.2 do not land exactly on 0.
    CCanvasRecorder ui;
    RunLines(ui, {"FUNCTION F(X) = X", "PLOTXY -1,1,F"});
    const Calls calls = ui.TakeCalls();
    int nNearZero = 0;
    for (const std::string& call : calls) {
        if (call.rfind("DrawNumber(", 0) != 0 || call.find(",-1,") == std::string::npos) {
            continue;
        }
        // DrawNumber(value,-1,y): the vertical labels along the left edge.
        const std::string y = call.substr(call.rfind(',') + 1);
        const long double yValue = std::strtold(y.c_str(), nullptr);
        if (std::fabs(yValue) < 0.1L) {
            ++nNearZero;
            EXPECT_NE(yValue, 0.0L) << "this case is meant to carry rounding noise";
            EXPECT_EQ(call.substr(0, 13), "DrawNumber(0,");
        }
    }
    EXPECT_EQ(nNearZero, 1);
}

TEST_F(PlotTest, FailingSampleDrawsNothingAfterTheClear) {
    CCanvasRecorder ui(405, 100); // 400 samples: x = 0 is sample 201
    Define(ui, {"FUNCTION R(X) = 1/X"});
    EXPECT_EQ(RunLines(ui, {"PLOTXY -1,1,R", "PLOTXY -1,1,LOG"}),
              "ERROR! Division by zero.\nERROR! Illegal parameter value in function call.\n");
    EXPECT_EQ(ui.TakeCalls(), (Calls{"ClearGraph", "GetPlotArea", "ClearGraph", "GetPlotArea"}));
}

TEST_F(PlotTest, GraphicsFormatNoneSwitchesToTheMediumFrameBeforeClearing) {
    CCanvasRecorder ui;
    ui.SetGraphicsFormat(GF_NONE);
    ui.TakeCalls();
    RunLines(ui, {"PLOTXY 0,1,SIN"});
    const Calls calls = ui.TakeCalls();
    ASSERT_GE(calls.size(), 2U);
    EXPECT_EQ(calls[0], "SetGraphicsFormat(1)");
    EXPECT_EQ(calls[1], "ClearGraph");
    EXPECT_EQ(ui.GetGraphicsFormat(), GF_MEDIUM);
    // A shown pane is left as it is.
    RunLines(ui, {"PLOTXY 0,1,SIN"});
    EXPECT_EQ(ui.TakeCalls()[0], "ClearGraph");
}

TEST_F(PlotTest, StepFarBelowTheValuesResolutionStillEnds) {
    // The values sit near 1e25, where one unit in the last place is about
    // 1e6; the grid step of the 2.4e6 wide range is below half of it.
    CCanvasRecorder ui;
    Define(ui, {"FUNCTION F(X) = 10^25 + X*10^6"});
    EXPECT_EQ(RunLines(ui, {"PLOTXY -1,1,F"}),
              "Plotted Y = F(X)\non interval from\nX = -1 to \nX = 1\n");
    const Calls calls = ui.TakeCalls();
    EXPECT_EQ(calls.back(), "DrawGraphFrame");
    EXPECT_LT(calls.size(), 500U);
}

TEST_F(PlotTest, ConstantFarBeyondUnitResolutionStillGetsARange) {
    CCanvasRecorder ui;
    Define(ui, {"FUNCTION F(X) = 10^30"});
    EXPECT_EQ(RunLines(ui, {"PLOTXY 0,1,F"}),
              "Plotted Y = F(X)\non interval from\nX = 0 to \nX = 1\n");
    EXPECT_EQ(ui.TakeCalls().back(), "DrawGraphFrame");
}

TEST_F(PlotTest, RangeBeyondTheNumbersIsAnOverflow) {
    CCanvasRecorder ui;
    Define(ui, {"FUNCTION F(X) = X*11*10^4931"});
    EXPECT_EQ(RunLines(ui, {"PLOTXY -1,1,F"}), "ERROR! Overflow.\n");
    EXPECT_EQ(ui.TakeCalls(), (Calls{"ClearGraph", "GetPlotArea"}));
}

// A function whose value is not a number, which the evaluator would never
// hand over: the plot must refuse it rather than scale to it.
class CNotANumber : public CFunction {
public:
    explicit CNotANumber(CProgram* pProg) : CFunction(pProg) {
        Init(nullptr, false);
        SetName("NAN");
        SetParamCount(1);
        auto* poParam = new CVariable(true, 0);
        poParam->SetName("X");
        GetParams()->AddLast(poParam);
    }
    Extended GetValue() override { return std::numeric_limits<Extended>::quiet_NaN(); }
};

TEST_F(PlotTest, SampleThatIsNotANumberFailsCleanly) {
    CCanvasRecorder ui;
    ui.GetProgram()->GetUserFunctions()->AddLast(new CNotANumber(ui.GetProgram()));
    EXPECT_EQ(RunLines(ui, {"PLOTXY 0,1,NAN", "PLOTTXY 0,1,SIN,NAN"}),
              "ERROR! Overflow.\nERROR! Overflow.\n");
    EXPECT_EQ(CountStartingWith(ui.TakeCalls(), "SetWorldWindow"), 0);
}

TEST_F(PlotTest, InterruptReachesTheSampling) {
    CCanvasRecorder ui(2005, 100);
    ui.SetInterrupted(true);
    EXPECT_EQ(RunLines(ui, {"PLOTXY 0,1,SIN"}), "Execution interrupted by user.\n");
    EXPECT_EQ(CountStartingWith(ui.TakeCalls(), "DrawGraphFrame"), 0);
}

TEST_F(PlotTest, RecognitionAndSetUpErrors) {
    CCanvasRecorder ui;
    const std::string xySyntax = "ERROR! The syntax for PlotXY is \nPLOTXY X1,X2,FY \nwhere X1 and "
                                 "X2 determine endpoints of the x range.\n";
    const std::string txySyntax = "ERROR! The syntax for PlotTXY is \nPLOTTXY T1,T2,FX,FY\nwhere "
                                  "T1 and T2 determine endpoints of the t range.\n";
    EXPECT_EQ(RunLines(ui, {"PLOTXY 0,1", "PLOTXY ,1,F", "PLOTXY 1,,F"}),
              "ERROR! Expected comma \",\".\nERROR! Expected comma \",\".\n"
              "ERROR! Expected comma \",\".\n");
    EXPECT_EQ(RunLines(ui, {"PLOTXY 0,1,", "PLOTXY 10,,F", "PLOTXY 0,1,  "}),
              xySyntax + xySyntax + xySyntax);
    EXPECT_EQ(RunLines(ui, {"PLOTTXY 0,1,SIN", "PLOTTXY 0,1,,SIN", "PLOTTXY 0,SIN,COS"}),
              "ERROR! Syntax error.\nERROR! Syntax error.\nERROR! Syntax error.\n");
    EXPECT_EQ(RunLines(ui, {"PLOTTXY 0,1,SIN,", "PLOTTXY 01,,SIN,COS"}), txySyntax + txySyntax);
    // Commas inside brackets belong to the endpoints.
    Define(ui, {"FUNCTION G(A,B) = A+B"});
    EXPECT_EQ(RunLines(ui, {"PLOTXY 0,G(1,2),SIN"}),
              "Plotted Y = SIN(X)\non interval from\nX = 0 to \nX = 3\n");
    ui.TakeCalls();
    EXPECT_EQ(ui.TakeCalls(), Calls{});
}

TEST_F(PlotTest, LinkErrorsNameTheFunction) {
    CCanvasRecorder ui;
    Define(ui, {"FUNCTION G(A,B) = A+B"});
    EXPECT_EQ(RunLines(ui, {"PLOTXY 0,1,G", "PLOTXY 0,1,H", "PLOTTXY 0,1,H,SIN",
                            "PLOTTXY 0,1,SIN,G", "PLOTXY 0,1,CLS"}),
              "ERROR! This statement can only deal with functions of ONE variable.\n"
              "ERROR! Unknown symbol: \"H\".\n"
              "ERROR! Unknown symbol: \"H\".\n"
              "ERROR! This statement can only deal with functions of ONE variable.\n"
              "ERROR! This statement can only deal with functions of ONE variable.\n");
    EXPECT_EQ(ui.TakeCalls(), Calls{});
}

TEST_F(PlotTest, PlottedFunctionsAreReleasedAfterTheLine) {
    CCanvasRecorder ui;
    Define(ui, {"FUNCTION F(X) = X", "FUNCTION G(X) = 1"});
    EXPECT_EQ(RunLines(ui, {"PLOTTXY 0,1,F,G", "PLOTXY 0,1,G", "DELETE F", "DELETE G", "F(1)"}),
              "Plotted \nY = G(T)\nX = F(T)\non interval from\nT = 0 to \nT = 1\n"
              "Plotted Y = G(X)\non interval from\nX = 0 to \nX = 1\n"
              "Deleted function F\nDeleted function G\nERROR! Unknown symbol: \"F\".\n");
}

struct SStepCase {
    Extended d;
    Extended step;
};

TEST_F(PlotTest, ChooseGridStepTakesTheSmallestStepWithFewerThanThirteenParts) {
    for (const SStepCase c : {SStepCase{12, 1},
                              {20, 2},
                              {60, 5},
                              {70, 10},
                              {2.4L, 0.2L},
                              {0.03L, 0.005L},
                              {5, 1},
                              {13, 2},
                              {1e6L, 1e5L}}) {
        const SGridStep grid = ChooseGridStep(0, c.d);
        EXPECT_NEAR(grid.step / c.step, 1, 1e-15) << "d = " << static_cast<double>(c.d);
        EXPECT_EQ(grid.first, 0);
    }
}

TEST_F(PlotTest, ChooseGridStepStartsAtTheFirstMultipleInTheRange) {
    const SGridStep grid = ChooseGridStep(-3.7L, 8.3L);
    EXPECT_EQ(grid.step, 1);
    EXPECT_EQ(grid.first, -3);
    EXPECT_EQ(ChooseGridStep(2.5L, 14.5L).first, 3);
}

TEST_F(PlotTest, ChooseGridStepEndsForEveryFiniteRange) {
    const Extended max = std::numeric_limits<Extended>::max();
    const Extended tiny = std::numeric_limits<Extended>::denorm_min();
    EXPECT_EQ(RaisedCode([] { ChooseGridStep(1, 1); }), ERR_ILLEGAL_PARAMETER_UI);
    EXPECT_EQ(RaisedCode([] { ChooseGridStep(2, 1); }), ERR_ILLEGAL_PARAMETER_UI);
    EXPECT_EQ(RaisedCode([] { ChooseGridStep(0, std::numeric_limits<Extended>::quiet_NaN()); }),
              ERR_ILLEGAL_PARAMETER_UI);
    EXPECT_EQ(RaisedCode([&] { ChooseGridStep(-max, max); }), ERR_OVERFLOW);
    EXPECT_NEAR(ChooseGridStep(0, max).step / 1e4931L, 1, 1e-15);
    const int nTiny = RaisedCode([&] { ChooseGridStep(0, tiny); });
    EXPECT_EQ(nTiny, ERR_UNDERFLOW);
    const SGridStep small = ChooseGridStep(0, 1e-4000L);
    EXPECT_NEAR(small.step / 1e-4001L, 1, 1e-12);
}

} // namespace
