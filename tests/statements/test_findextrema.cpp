#include "enginetest.h"
#include "linerunner.h"

#include "core/cstring.h"
#include "interpreter/cprogram.h"
#include "symbols/cfunction.h"

#include <cmath>
#include <string>

namespace {

class FindExtremaTest : public EngineTest {};

const Extended PI = 4 * std::atan(1.0L);

CFunction* Named(CRecordingInterface& ui, const char* pchName) {
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

} // namespace
