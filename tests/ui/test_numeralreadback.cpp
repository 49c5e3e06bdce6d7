#include "expressiontest.h"
#include "windowinterfacetest.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

namespace {

// Every number the window prints, typed back, is the number printed to
// within one unit of its last digit.
class NumeralReadBackTest : public WindowInterfaceFixture {
protected:
    std::string Printed(Extended value) {
        window.output.clear();
        poUI->PrintNumber(value);
        std::string text;
        text.swap(window.output);
        return text;
    }
    Extended ReadBack(const std::string& text) {
        return BuildExpression(poUI->GetProgram(), text.c_str())->Evaluate();
    }
    // One unit of the last digit of a numeral: "1.25E-7" 1E-9, "120" 1.
    static Extended LastDigitUnit(const std::string& text) {
        const std::size_t iE = text.find('E');
        const std::string mantissa = text.substr(0, iE);
        const std::size_t iPoint = mantissa.find('.');
        const int nDecimals =
            iPoint == std::string::npos ? 0 : static_cast<int>(mantissa.size() - iPoint - 1);
        const int nExponent = iE == std::string::npos ? 0 : std::atoi(text.c_str() + iE + 1);
        return std::pow(10.0L, static_cast<Extended>(nExponent - nDecimals));
    }
    // The fixed format adds zero decimals past the precision of 18 digits;
    // those say nothing about the value.
    static Extended Tolerance(const std::string& text, Extended value) {
        const Extended significant =
            std::pow(10.0L, std::floor(std::log10(std::fabs(value))) - (PRECISION - 1));
        return std::max(LastDigitUnit(text), significant);
    }
    static constexpr int PRECISION = 18;
    // Values spread evenly over the magnitudes 1E-30 to 1E30, of both signs;
    // the seed is fixed.
    static Extended RandomValue(std::mt19937_64& generator) {
        std::uniform_real_distribution<double> magnitude(-30, 30);
        const Extended value = std::pow(10.0L, static_cast<Extended>(magnitude(generator)));
        return generator() % 2 == 0 ? value : -value;
    }
    void CheckFormat(int nFormat) {
        poUI->SetNumberFormat(nFormat);
        std::mt19937_64 generator(20240611);
        for (int i = 0; i < 2000; ++i) {
            const Extended value = RandomValue(generator);
            const std::string text = Printed(value);
            ASSERT_LE(std::fabs(ReadBack(text) - value), Tolerance(text, value))
                << text << " printed for " << static_cast<double>(value);
        }
    }
};

TEST_F(NumeralReadBackTest, LastDigitUnitOfEachShape) {
    EXPECT_EQ(LastDigitUnit("120"), 1);
    EXPECT_NEAR(LastDigitUnit("-0.25"), 0.01L, 1e-20L);
    EXPECT_NEAR(LastDigitUnit("1.5E-7"), 1e-8L, 1e-26L);
    EXPECT_EQ(LastDigitUnit("1.50E+03"), 10);
    EXPECT_EQ(Tolerance("123456789012345678.00", 123456789012345678.25L), 1);
}

TEST_F(NumeralReadBackTest, GeneralFormat) {
    EXPECT_EQ(Printed(1.0L / 3), "0.333333333333333333");
    CheckFormat(NF_GENERAL);
}

TEST_F(NumeralReadBackTest, FixedFormat) {
    poUI->SetNumberFormat(NF_FIXED);
    EXPECT_EQ(Printed(2.0L / 3), "0.67");
    CheckFormat(NF_FIXED);
}

TEST_F(NumeralReadBackTest, ScientificFormat) {
    poUI->SetNumberFormat(NF_SCIENTIFIC);
    EXPECT_EQ(Printed(-1.0L / 3 * 1e-20L), "-3.33333333333333333E-21");
    CheckFormat(NF_SCIENTIFIC);
}

// The largest and smallest magnitudes print in the general format with
// exponents of four digits, and read back as well.
TEST_F(NumeralReadBackTest, NearTheRangesEnds) {
    for (const Extended value : {1e4900L, -3e-4900L, 1.5e-4940L}) {
        const std::string text = Printed(value);
        EXPECT_LE(std::fabs(ReadBack(text) - value), Tolerance(text, value)) << text;
    }
}

} // namespace
