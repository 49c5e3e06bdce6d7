#include "core/errorcodes.h"
#include "crecordinginterface.h"
#include "enginetest.h"
#include "expression/clibraryfunction.h"
#include "symbols/cnamedconstant.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

// Also records the order of the graph and output operations.
class CCallRecordingInterface : public CRecordingInterface {
public:
    void ClearGraph() override { _calls.emplace_back("ClearGraph"); }
    void DrawGraphFrame() override { _calls.emplace_back("DrawGraphFrame"); }
    void ClearOutput() override {
        _calls.emplace_back("ClearOutput");
        CRecordingInterface::ClearOutput();
    }

    std::vector<std::string> _calls;
};

// See the math error tests: a reference value from the run-time routine.
Extended Opaque(Extended x) {
    volatile Extended v = x;
    return v;
}

// Within a few units in the last place of the extended format.
bool IsClose(Extended actual, Extended expected) {
    return std::fabs(actual - expected) <=
           4 * std::numeric_limits<Extended>::epsilon() * std::fabs(expected);
}

const Extended PI = 4 * std::atan(Opaque(1));
constexpr Extended INF = std::numeric_limits<Extended>::infinity();

class LibraryFunctionTest : public EngineTest {
protected:
    void TearDown() override {
        _poUI.reset();
        EngineTest::TearDown();
    }

    // One call as an expression makes it: before-call, arguments, value.
    Extended Call(int nFunction, Extended x) {
        CLibraryFunction function(_poUI->GetProgram());
        function.Setup(nFunction);
        function.BeforeCall();
        function.ResetParamCursor();
        function.SetParam(x, 1);
        return function.GetValue();
    }

    Extended Call(int nFunction) {
        CLibraryFunction function(_poUI->GetProgram());
        function.Setup(nFunction);
        function.BeforeCall();
        return function.GetValue();
    }

    int CallCode(int nFunction, Extended x) {
        return RaisedCode([&] { Call(nFunction, x); });
    }

    std::unique_ptr<CCallRecordingInterface> _poUI = std::make_unique<CCallRecordingInterface>();
};

TEST_F(LibraryFunctionTest, InverseTrigonometry) {
    EXPECT_EQ(Call(LF_ACOS, 0.5L), std::acos(Opaque(0.5L)));
    EXPECT_EQ(Call(LF_ACOS, -1), PI);
    EXPECT_EQ(Call(LF_ASIN, -0.3L), std::asin(Opaque(-0.3L)));
    EXPECT_EQ(Call(LF_ATAN, 2), std::atan(Opaque(2)));
    EXPECT_EQ(Call(LF_ATAN, 1), PI / 4);
}

TEST_F(LibraryFunctionTest, ArcCotangentBranches) {
    EXPECT_EQ(Call(LF_ACOT, 0), PI / 2);
    EXPECT_EQ(Call(LF_ACOT, 1), PI / 4);
    EXPECT_EQ(Call(LF_ACOT, -1), 3 * PI / 4);
    EXPECT_EQ(Call(LF_ACOT, 2), std::atan(Opaque(0.5L)));
    EXPECT_EQ(Call(LF_ACOT, -4), std::atan(Opaque(-0.25L)) + PI);
    // The range is 0 to pi, continuous through 0.
    EXPECT_TRUE(IsClose(Call(LF_ACOT, -1e-30L), PI / 2));
    EXPECT_TRUE(IsClose(Call(LF_ACOT, -1e30L), PI));
    const Extended nearZero = Call(LF_ACOT, 1e30L);
    EXPECT_GT(nearZero, 0);
    EXPECT_TRUE(IsClose(nearZero, 1e-30L));
}

TEST_F(LibraryFunctionTest, ArcCotangentOfATinyValueIsNoOverflow) {
    // 1/x overflows to infinity outside any library routine, and the arc
    // tangent of that is the proper result.
    const Extended tiny = std::numeric_limits<Extended>::denorm_min();
    Extended value = 0;
    EXPECT_EQ(RaisedCode([&] { value = Call(LF_ACOT, tiny); }), 0);
    EXPECT_EQ(value, std::atan(Opaque(INF)));
    EXPECT_TRUE(IsClose(value, PI / 2));
}

TEST_F(LibraryFunctionTest, Trigonometry) {
    for (const Extended x : {1.2L, -0.7L, 100.0L}) {
        EXPECT_EQ(Call(LF_COS, x), std::cos(Opaque(x)));
        EXPECT_EQ(Call(LF_SIN, x), std::sin(Opaque(x)));
        EXPECT_EQ(Call(LF_TAN, x), std::tan(Opaque(x)));
        EXPECT_EQ(Call(LF_COT, x), std::cos(Opaque(x)) / std::sin(Opaque(x)));
    }
    EXPECT_EQ(Call(LF_COS, 0), 1);
    EXPECT_EQ(Call(LF_SIN, 0), 0);
}

TEST_F(LibraryFunctionTest, HyperbolicExponentialAndLogarithms) {
    for (const Extended x : {0.5L, -3.0L, 20.0L}) {
        EXPECT_EQ(Call(LF_COSH, x), std::cosh(Opaque(x)));
        EXPECT_EQ(Call(LF_SINH, x), std::sinh(Opaque(x)));
        EXPECT_EQ(Call(LF_TANH, x), std::tanh(Opaque(x)));
        EXPECT_EQ(Call(LF_EXP, x), std::exp(Opaque(x)));
    }
    EXPECT_EQ(Call(LF_EXP, 0), 1);
    EXPECT_EQ(Call(LF_LOG, 10), std::log(Opaque(10)));
    EXPECT_EQ(Call(LF_LOG, 1), 0);
    EXPECT_EQ(Call(LF_LOG10, 1000), std::log10(Opaque(1000)));
    EXPECT_TRUE(IsClose(Call(LF_LOG10, 1000), 3));
    EXPECT_EQ(Call(LF_LOG10, 0.02L), std::log10(Opaque(0.02L)));
}

TEST_F(LibraryFunctionTest, SquareRootAbsoluteValueAndRounding) {
    EXPECT_EQ(Call(LF_SQR, 16), 4);
    EXPECT_EQ(Call(LF_SQR, 2), std::sqrt(Opaque(2)));
    EXPECT_EQ(Call(LF_ABS, -3), 3);
    EXPECT_EQ(Call(LF_ABS, 2.5L), 2.5L);
    EXPECT_EQ(Call(LF_ROUND, -2.5L), -3);
    EXPECT_EQ(Call(LF_ROUND, 2.49L), 2);
    EXPECT_EQ(Call(LF_ROUND, 2.5L), 3);
    EXPECT_EQ(Call(LF_ROUND, -2147483648.4L), -2147483648.0L);
    EXPECT_EQ(CallCode(LF_ROUND, 2147483647.5L), ERR_ILLEGAL_PARAMETER);
    EXPECT_EQ(CallCode(LF_ROUND, INF), ERR_ILLEGAL_PARAMETER);
}

TEST_F(LibraryFunctionTest, ArgumentsOutsideTheDomain) {
    EXPECT_EQ(CallCode(LF_ACOS, 1.5L), ERR_ILLEGAL_PARAMETER);
    EXPECT_EQ(CallCode(LF_ASIN, -2), ERR_ILLEGAL_PARAMETER);
    EXPECT_EQ(CallCode(LF_LOG, -1), ERR_ILLEGAL_PARAMETER);
    EXPECT_EQ(CallCode(LF_LOG10, -1), ERR_ILLEGAL_PARAMETER);
    EXPECT_EQ(CallCode(LF_SQR, -1), ERR_ILLEGAL_PARAMETER);
    EXPECT_EQ(CallCode(LF_SIN, INF), ERR_ILLEGAL_PARAMETER);
}

TEST_F(LibraryFunctionTest, LogarithmsOfZeroAreSingular) {
    EXPECT_EQ(CallCode(LF_LOG, 0), ERR_SINGULARITY);
    EXPECT_EQ(CallCode(LF_LOG10, 0), ERR_SINGULARITY);
}

TEST_F(LibraryFunctionTest, OverflowAndUnderflow) {
    EXPECT_EQ(CallCode(LF_EXP, 20000), ERR_OVERFLOW);
    EXPECT_EQ(CallCode(LF_COSH, 20000), ERR_OVERFLOW);
    EXPECT_EQ(CallCode(LF_SINH, -20000), ERR_OVERFLOW);
    EXPECT_EQ(CallCode(LF_EXP, -20000), ERR_UNDERFLOW);
}

TEST_F(LibraryFunctionTest, SubnormalResultsAreResults) {
    // e^-11390 is about 1e-4947, below the normal range but representable.
    Extended value = 0;
    EXPECT_EQ(RaisedCode([&] { value = Call(LF_EXP, -11390); }), 0);
    EXPECT_GT(value, 0);
    EXPECT_LT(value, std::numeric_limits<Extended>::min());
    const Extended tiny = std::numeric_limits<Extended>::denorm_min() * 1000;
    EXPECT_EQ(RaisedCode([&] { value = Call(LF_SIN, tiny); }), 0);
    EXPECT_EQ(value, tiny);
}

TEST_F(LibraryFunctionTest, HugeAnglesLosePrecision) {
    EXPECT_EQ(CallCode(LF_SIN, 1e20L), ERR_PRECISION_LOSS);
    EXPECT_EQ(CallCode(LF_COS, -1e20L), ERR_PRECISION_LOSS);
    EXPECT_EQ(CallCode(LF_TAN, std::ldexp(1.0L, 64)), ERR_PRECISION_LOSS);
    // The precision loss, not the division by the default sine 0.
    EXPECT_EQ(CallCode(LF_COT, 1e30L), ERR_PRECISION_LOSS);
    EXPECT_EQ(Call(LF_SIN, 9e18L), std::sin(Opaque(9e18L)));
}

TEST_F(LibraryFunctionTest, CotangentOfZeroDividesByZero) {
    EXPECT_EQ(CallCode(LF_COT, 0), ERR_DIVISION_BY_ZERO);
}

TEST_F(LibraryFunctionTest, FailureKeepsTheArgumentAndLeavesNothingPending) {
    CLibraryFunction log(_poUI->GetProgram());
    log.Setup(LF_LOG);
    log.ResetParamCursor();
    log.SetParam(-1, 1);
    EXPECT_EQ(RaisedCode([&] { log.GetValue(); }), ERR_ILLEGAL_PARAMETER);
    EXPECT_EQ(log.GetParams()->GetCurrent()->GetValue(), -1);
    log.SetParam(std::exp(Opaque(2)), 1);
    EXPECT_EQ(log.GetValue(), std::log(std::exp(Opaque(2))));
}

TEST_F(LibraryFunctionTest, RandomNumbersAreIntegersFrom0To32767) {
    std::srand(12345);
    std::vector<Extended> first;
    for (int i = 0; i < 200; ++i) {
        const Extended value = Call(LF_RND);
        EXPECT_GE(value, 0);
        EXPECT_LE(value, 32767);
        EXPECT_EQ(value, std::floor(value));
        first.push_back(value);
    }
    EXPECT_NE(first.front(), first.back());
    // The same seed gives the same sequence: it is the runtime's generator.
    std::srand(12345);
    for (const Extended value : first) {
        EXPECT_EQ(Call(LF_RND), value);
    }
}

TEST_F(LibraryFunctionTest, ClockCountsWholeMillisecondsForward) {
    const Extended first = Call(LF_CLOCK);
    const Extended second = Call(LF_CLOCK);
    EXPECT_GE(first, 0);
    EXPECT_EQ(first, std::floor(first));
    EXPECT_GE(second, first);
}

TEST_F(LibraryFunctionTest, ClsClearsGraphThenFrameThenOutput) {
    _poUI->PrintText("old output");
    EXPECT_EQ(Call(LF_CLS), 0);
    const std::vector<std::string> expected = {"ClearGraph", "DrawGraphFrame", "ClearOutput"};
    EXPECT_EQ(_poUI->_calls, expected);
    EXPECT_EQ(_poUI->TakeOutput(), "");
}

TEST_F(LibraryFunctionTest, ShowToolbarShowsForAnyNonZero) {
    EXPECT_EQ(Call(LF_SHOWTOOLBAR, 0), 0);
    EXPECT_FALSE(_poUI->IsToolbarShown());
    Call(LF_SHOWTOOLBAR, 0.1L);
    EXPECT_TRUE(_poUI->IsToolbarShown());
    Call(LF_SHOWTOOLBAR, 0);
    Call(LF_SHOWTOOLBAR, -5);
    EXPECT_TRUE(_poUI->IsToolbarShown());
}

TEST_F(LibraryFunctionTest, SetNumberFormatRoundsItsArgument) {
    EXPECT_EQ(Call(LF_SETNUMBERFORMAT, 2.4L), 0);
    _poUI->PrintNumber(1.5L);
    EXPECT_EQ(_poUI->TakeOutput(), "1.50");
    EXPECT_EQ(CallCode(LF_SETNUMBERFORMAT, 4), ERR_ILLEGAL_PARAMETER_UI);
    EXPECT_EQ(CallCode(LF_SETNUMBERFORMAT, 0.4L), ERR_ILLEGAL_PARAMETER_UI);
    // Rounding refuses first, before the user interface is asked.
    EXPECT_EQ(CallCode(LF_SETNUMBERFORMAT, 3e9L), ERR_ILLEGAL_PARAMETER);
    _poUI->PrintNumber(1.5L);
    EXPECT_EQ(_poUI->TakeOutput(), "1.50");
    Call(LF_SETNUMBERFORMAT, 1);
    _poUI->PrintNumber(1.5L);
    EXPECT_EQ(_poUI->TakeOutput(), "1.5");
}

TEST_F(LibraryFunctionTest, SetGraphicsFrameRoundsItsArgument) {
    EXPECT_EQ(Call(LF_SETGRAPHICSFRAME, 1.5L), 0);
    EXPECT_EQ(_poUI->GetGraphicsFormat(), GF_LARGE);
    Call(LF_SETGRAPHICSFRAME, -0.4L);
    EXPECT_EQ(_poUI->GetGraphicsFormat(), GF_NONE);
    EXPECT_EQ(CallCode(LF_SETGRAPHICSFRAME, 3), ERR_ILLEGAL_PARAMETER_UI);
    EXPECT_EQ(CallCode(LF_SETGRAPHICSFRAME, -1), ERR_ILLEGAL_PARAMETER_UI);
    EXPECT_EQ(CallCode(LF_SETGRAPHICSFRAME, -3e9L), ERR_ILLEGAL_PARAMETER);
    EXPECT_EQ(_poUI->GetGraphicsFormat(), GF_NONE);
}

TEST_F(LibraryFunctionTest, SetupRefusesNumbersOutsideTheLibrary) {
    for (const int nFunction : {-1, 23, 255}) {
        CLibraryFunction function(_poUI->GetProgram());
        EXPECT_EQ(RaisedCode([&] { function.Setup(nFunction); }), ERR_UNEXPECTED);
    }
}

TEST_F(LibraryFunctionTest, ParameterIsAnUnnamedStaticVariableStartingAt0) {
    CLibraryFunction cosine(_poUI->GetProgram());
    cosine.Setup(LF_COS);
    ASSERT_EQ(cosine.GetParams()->GetCount(), 1);
    auto* pParameter = static_cast<CVariable*>(cosine.GetParams()->GetCurrent());
    EXPECT_EQ(pParameter->GetClassNumber(), CN_VARIABLE);
    EXPECT_TRUE(pParameter->IsStatic());
    EXPECT_EQ(pParameter->GetName(), nullptr);
    // Called before any argument was passed in: the cosine of 0.
    EXPECT_EQ(cosine.GetValue(), 1);
    CLibraryFunction random(_poUI->GetProgram());
    random.Setup(LF_RND);
    EXPECT_EQ(random.GetParams()->GetCount(), 0);
    EXPECT_EQ(random.GetParamCount(), 0);
}

TEST_F(LibraryFunctionTest, PrintWritesTheName) {
    CLibraryFunction function(_poUI->GetProgram());
    function.Setup(LF_SETGRAPHICSFRAME);
    function.Print(_poUI.get());
    EXPECT_EQ(_poUI->TakeOutput(), "SETGRAPHICSFRAME");
    EXPECT_EQ(function.GetClassNumber(), CN_LIBRARYFUNCTION);
}

} // namespace
