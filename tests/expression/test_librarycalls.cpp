#include "core/cstring.h"
#include "core/errorcodes.h"
#include "crecordinginterface.h"
#include "enginetest.h"
#include "expression/cexpression.h"
#include "expressiontest.h"

#include <cmath>
#include <memory>

namespace {

// Library functions reached the way a typed line reaches them: through the
// built-in names and the evaluator's call protocol.
using LibraryCallTest = ExpressionFixture;

TEST_F(LibraryCallTest, ValuesThroughExpressions) {
    const Extended pi = Value("PI");
    EXPECT_EQ(Value("ACOT(0)*2"), pi);
    EXPECT_EQ(Value("ATAN(1)*4"), pi);
    EXPECT_EQ(Value("SQR(16)"), 4);
    EXPECT_EQ(Value("ROUND(-2.5)+ABS(-3)"), 0);
    EXPECT_EQ(Value("E"), Value("EXP(1)"));
}

TEST_F(LibraryCallTest, TwoCallsOfOneFunctionKeepTheirArguments) {
    EXPECT_EQ(Value("SQR(9)*10+SQR(4)"), 32);
    EXPECT_EQ(Value("ROUND(SQR(ROUND(15.6)))"), 4);
}

TEST_F(LibraryCallTest, MathErrorsThroughExpressions) {
    EXPECT_EQ(Failure("LOG(0)"), ERR_SINGULARITY);
    EXPECT_EQ(Failure("1+LOG(-1)"), ERR_ILLEGAL_PARAMETER);
    EXPECT_EQ(Failure("EXP(20000)"), ERR_OVERFLOW);
    EXPECT_EQ(Failure("EXP(-20000)"), ERR_UNDERFLOW);
    EXPECT_EQ(Failure("SIN(10^20)"), ERR_PRECISION_LOSS);
    EXPECT_EQ(Failure("COT(0)"), ERR_DIVISION_BY_ZERO);
    // A failed call leaves nothing behind for the next one.
    EXPECT_EQ(Value("LOG(1)"), 0);
}

TEST_F(LibraryCallTest, CallForms) {
    EXPECT_TRUE(Build("CLS()")->IsSubroutineCall());
    EXPECT_TRUE(Build("SETNUMBERFORMAT(2)")->IsSubroutineCall());
    EXPECT_FALSE(Build("RND()")->IsSubroutineCall());
    EXPECT_EQ(Failure("1+CLS()"), ERR_SUB_IN_EXPRESSION);
    EXPECT_EQ(Failure("RND(1)"), ERR_EXPECTED_RIGHT_BRACKET);
    const Extended random = Value("RND()");
    EXPECT_GE(random, 0);
    EXPECT_LE(random, 32767);
}

} // namespace
