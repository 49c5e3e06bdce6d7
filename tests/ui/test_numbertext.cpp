#include "core/numbertext.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

std::string Text(Extended value, EFloatFormat format, int nPrecision = 18) {
    char pch[NUMBER_TEXT_SIZE];
    FormatNumber(value, format, nPrecision, 2, pch);
    return pch;
}

TEST(NumberText, GeneralSwitchesToExponentOutsideItsRange) {
    EXPECT_EQ(Text(0.5L, FF_GENERAL), "0.5");
    EXPECT_EQ(Text(100, FF_GENERAL), "100");
    EXPECT_EQ(Text(0, FF_GENERAL), "0");
    EXPECT_EQ(Text(1e-4L, FF_GENERAL), "0.0001");
    EXPECT_EQ(Text(1e-5L, FF_GENERAL), "1E-5");
    EXPECT_EQ(Text(1.5e20L, FF_GENERAL), "1.5E20");
    EXPECT_EQ(Text(1e17L, FF_GENERAL), "100000000000000000");
    EXPECT_EQ(Text(1e18L, FF_GENERAL), "1E18");
    EXPECT_EQ(Text(-12.25L, FF_GENERAL), "-12.25");
    EXPECT_EQ(Text(1.0L / 3, FF_GENERAL), "0.333333333333333333");
    EXPECT_EQ(Text(2.0L / 3, FF_GENERAL), "0.666666666666666667");
}

TEST(NumberText, RoundingCarriesIntoTheExponent) {
    EXPECT_EQ(Text(0.9999999999999999999L, FF_GENERAL), "1");
    EXPECT_EQ(Text(9.9999999999999999999e-5L, FF_GENERAL), "0.0001");
    EXPECT_EQ(Text(999.96L, FF_FIXED), "999.96");
    EXPECT_EQ(Text(999.996L, FF_FIXED), "1000.00");
}

TEST(NumberText, FixedHasTwoDecimals) {
    EXPECT_EQ(Text(3.14159L, FF_FIXED), "3.14");
    EXPECT_EQ(Text(-0.5L, FF_FIXED), "-0.50");
    EXPECT_EQ(Text(2, FF_FIXED), "2.00");
    EXPECT_EQ(Text(0.005L, FF_FIXED), "0.01");
    EXPECT_EQ(Text(0.0001L, FF_FIXED), "0.00");
    EXPECT_EQ(Text(0, FF_FIXED), "0.00");
    EXPECT_EQ(Text(1e25L, FF_FIXED), "1E25");
}

TEST(NumberText, ExponentHasEighteenDigits) {
    EXPECT_EQ(Text(1, FF_EXPONENT), "1.00000000000000000E+00");
    EXPECT_EQ(Text(-0.00123L, FF_EXPONENT), "-1.23000000000000000E-03");
    EXPECT_EQ(Text(0, FF_EXPONENT), "0.00000000000000000E+00");
    EXPECT_EQ(Text(1e300L, FF_EXPONENT), "1.00000000000000000E+300");
}

TEST(NumberText, TwoDigitLabels) {
    EXPECT_EQ(Text(0.25L, FF_GENERAL, 2), "0.25");
    EXPECT_EQ(Text(1.25L, FF_GENERAL, 2), "1.3");
    EXPECT_EQ(Text(10, FF_GENERAL, 2), "10");
    EXPECT_EQ(Text(100, FF_GENERAL, 2), "1E2");
    EXPECT_EQ(Text(150, FF_GENERAL, 2), "1.5E2");
    EXPECT_EQ(Text(-0.5L, FF_GENERAL, 2), "-0.5");
}

TEST(NumberText, InfinityAndNotANumber) {
    const Extended inf = std::numeric_limits<Extended>::infinity();
    EXPECT_EQ(Text(inf, FF_GENERAL), "INF");
    EXPECT_EQ(Text(-inf, FF_FIXED), "-INF");
    EXPECT_EQ(Text(std::numeric_limits<Extended>::quiet_NaN(), FF_EXPONENT), "NAN");
    EXPECT_EQ(Text(std::numeric_limits<Extended>::max(), FF_GENERAL), "1.18973149535723177E4932");
    EXPECT_EQ(Text(std::numeric_limits<Extended>::denorm_min(), FF_GENERAL),
              "3.6451995318824746E-4951");
}

} // namespace
