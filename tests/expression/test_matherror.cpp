#include "core/errorcodes.h"
#include "enginetest.h"
#include "expression/mathsupport.h"

#include <cmath>
#include <limits>

namespace {

using MathErrorTest = EngineTest;

// Keeps the compiler from folding a reference value at compile time, so that
// it comes from the same run-time routine as the value under test.
Extended Opaque(Extended x) {
    volatile Extended v = x;
    return v;
}

TEST_F(MathErrorTest, EachCategoryBecomesItsCode) {
    const struct {
        EMathError category;
        int nCode;
    } cases[] = {
        {EMathError::Domain, ERR_ILLEGAL_PARAMETER},
        {EMathError::Singularity, ERR_SINGULARITY},
        {EMathError::Overflow, ERR_OVERFLOW},
        {EMathError::Underflow, ERR_UNDERFLOW},
        {EMathError::PrecisionLoss, ERR_PRECISION_LOSS},
        {EMathError::Other, -19},
    };
    for (const auto& c : cases) {
        RecordMathError(c.category);
        EXPECT_EQ(TakeMathError(), c.nCode);
    }
}

TEST_F(MathErrorTest, TakingOrClearingLeavesNothingPending) {
    EXPECT_EQ(TakeMathError(), 0);
    RecordMathError(EMathError::Overflow);
    EXPECT_EQ(TakeMathError(), ERR_OVERFLOW);
    EXPECT_EQ(TakeMathError(), 0);
    RecordMathError(EMathError::Domain);
    ClearMathError();
    EXPECT_EQ(TakeMathError(), 0);
}

TEST_F(MathErrorTest, RaisePendingRaisesOnlyWhatIsPending) {
    EXPECT_EQ(RaisedCode([] { RaisePendingMathError(); }), 0);
    RecordMathError(EMathError::Singularity);
    EXPECT_EQ(RaisedCode([] { RaisePendingMathError(); }), ERR_SINGULARITY);
    EXPECT_EQ(RaisedCode([] { RaisePendingMathError(); }), 0);
}

TEST_F(MathErrorTest, GuardedMathIgnoresAStaleCode) {
    RecordMathError(EMathError::Overflow);
    Extended value = 0;
    EXPECT_EQ(RaisedCode([&] { value = GuardedMath([] { return 7.0L; }); }), 0);
    EXPECT_EQ(value, 7.0L);
}

TEST_F(MathErrorTest, GuardedMathRaisesWhatTheComputationRecorded) {
    EXPECT_EQ(RaisedCode([] { GuardedMath([] { return CallMathRoutine(::logl, Opaque(-1)); }); }),
              ERR_ILLEGAL_PARAMETER);
    EXPECT_EQ(TakeMathError(), 0);
}

TEST_F(MathErrorTest, PowerOfValidOperands) {
    EXPECT_EQ(CheckedPow(2, 0.5L), std::sqrt(Opaque(2)));
    EXPECT_EQ(CheckedPow(-8, 3), -512);
    EXPECT_EQ(CheckedPow(0, 0), 1);
    EXPECT_EQ(CheckedPow(-2, -1), -0.5L);
}

TEST_F(MathErrorTest, PowerErrorsByCategory) {
    EXPECT_EQ(RaisedCode([] { CheckedPow(-8, 1.0L / 3); }), ERR_ILLEGAL_PARAMETER);
    EXPECT_EQ(RaisedCode([] { CheckedPow(0, -1); }), ERR_SINGULARITY);
    EXPECT_EQ(RaisedCode([] { CheckedPow(10, 5000); }), ERR_OVERFLOW);
    EXPECT_EQ(RaisedCode([] { CheckedPow(2, -20000); }), ERR_UNDERFLOW);
}

TEST_F(MathErrorTest, SubnormalResultIsNoUnderflow) {
    // 2^-16440 lies below the smallest normal extended value (2^-16382) but
    // is still representable.
    Extended value = 0;
    EXPECT_EQ(RaisedCode([&] { value = CheckedPow(2, -16440); }), 0);
    EXPECT_EQ(value, std::ldexp(1.0L, -16440));
    EXPECT_GT(value, 0);
}

TEST_F(MathErrorTest, RoutineErrorsAreRecordedNotRaised) {
    ClearMathError();
    EXPECT_TRUE(std::isinf(CallMathRoutine(::logl, Opaque(0))));
    EXPECT_EQ(TakeMathError(), ERR_SINGULARITY);
    EXPECT_EQ(CallMathRoutine(::expl, Opaque(-20000)), 0);
    EXPECT_EQ(TakeMathError(), ERR_UNDERFLOW);
    EXPECT_EQ(CallMathRoutine(::expl, Opaque(1)), std::exp(Opaque(1)));
    EXPECT_EQ(TakeMathError(), 0);
}

TEST_F(MathErrorTest, TrigonometryLosesPrecisionBeyondTheLimit) {
    const Extended limit = TRIG_ARGUMENT_LIMIT;
    EXPECT_EQ(limit, std::ldexp(1.0L, 63));
    ClearMathError();
    EXPECT_EQ(CallTrigRoutine(::sinl, limit), std::sin(Opaque(limit)));
    EXPECT_EQ(CallTrigRoutine(::cosl, -limit), std::cos(Opaque(-limit)));
    EXPECT_EQ(TakeMathError(), 0);
    const Extended above = std::nextafter(limit, std::numeric_limits<Extended>::infinity());
    EXPECT_EQ(CallTrigRoutine(::sinl, above), 0);
    EXPECT_EQ(TakeMathError(), ERR_PRECISION_LOSS);
    EXPECT_EQ(CallTrigRoutine(::tanl, -1e300L), 0);
    EXPECT_EQ(TakeMathError(), ERR_PRECISION_LOSS);
}

TEST_F(MathErrorTest, TrigonometryOfInfinityIsADomainError) {
    ClearMathError();
    CallTrigRoutine(::cosl, std::numeric_limits<Extended>::infinity());
    EXPECT_EQ(TakeMathError(), ERR_ILLEGAL_PARAMETER);
}

} // namespace
