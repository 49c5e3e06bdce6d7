#include "core/cstring.h"
#include "core/errorcodes.h"
#include "crecordinginterface.h"
#include "enginetest.h"
#include "expression/mathsupport.h"
#include "symbols/carray.h"
#include "symbols/cnamedconstant.h"

#include <cmath>
#include <limits>

namespace {

class SymbolTest : public EngineTest {
protected:
    static void Dimension(CArray& array, int nLower, int nUpper) {
        CString name;
        name.Set(" A ");
        const int limits[] = {nLower, nUpper};
        array.Dimension(&name, limits, 1);
    }
};

TEST_F(SymbolTest, PrintTexts) {
    CRecordingInterface ui;
    CNamedConstant constant(2.5L);
    constant.SetName("K");
    constant.Print(&ui);
    EXPECT_EQ(ui.TakeOutput(), "K = 2.5");
    CVariable variable(false, 0);
    variable.SetName("X");
    variable.SetValue(-1.0L / 3);
    variable.Print(&ui);
    EXPECT_EQ(ui.TakeOutput(), "variable X = -0.333333333333333333");
    CArray array(false);
    Dimension(array, 1, 10);
    array.Print(&ui);
    EXPECT_EQ(ui.TakeOutput(), "A(1 To 10)");
    ui.SetNumberFormat(NF_FIXED);
    array.Print(&ui);
    EXPECT_EQ(ui.TakeOutput(), "A(1.00 To 10.00)");
    CSymbol symbol;
    symbol.Print(&ui);
    EXPECT_EQ(ui.TakeOutput(), "\nSymbol");
}

TEST_F(SymbolTest, NamesAreTrimmedOnlyFromStrings) {
    CString name;
    name.Set("  N1\t");
    CVariable variable(true, 0);
    variable.SetName(&name);
    EXPECT_STREQ(variable.GetName()->GetData(), "N1");
    variable.SetName(" raw ");
    EXPECT_STREQ(variable.GetName()->GetData(), " raw ");
}

TEST_F(SymbolTest, VariableResetHonoursStatic) {
    CVariable local(false, 4);
    CVariable kept(true, 4);
    local.SetValue(9);
    kept.SetValue(9);
    local.Reset();
    kept.Reset();
    EXPECT_EQ(local.GetValue(), 4);
    EXPECT_EQ(kept.GetValue(), 9);
}

TEST_F(SymbolTest, ArrayBoundsAndDimensions) {
    CArray single(false);
    Dimension(single, -5, -5);
    single.SetIndex(-5, 1);
    single.SetValue(7);
    EXPECT_EQ(single.GetValue(), 7);
    EXPECT_STREQ(single.GetName()->GetData(), "A");

    CArray wrong(false);
    EXPECT_EQ(RaisedCode([&] { Dimension(wrong, 3, 2); }), ERR_ILLEGAL_ARRAY_DIMENSION);
    CString name;
    name.Set("B");
    const int limits[] = {1, 2, 1, 2};
    EXPECT_EQ(RaisedCode([&] { wrong.Dimension(&name, limits, 2); }), ERR_ILLEGAL_ARRAY_DIMENSION);
    EXPECT_EQ(wrong.GetLowerBound(), 2);
    EXPECT_EQ(wrong.GetUpperBound(), 1);
    EXPECT_EQ(RaisedCode([&] { wrong.GetValue(); }), ERR_ILLEGAL_PARAMETER);
}

TEST_F(SymbolTest, ArrayIndexIsRoundedThenChecked) {
    CArray array(false);
    Dimension(array, 1, 10);
    array.SetIndex(10, 1);
    array.SetValue(10);
    array.SetIndex(10.4L, 1);
    EXPECT_EQ(array.GetValue(), 10);
    EXPECT_EQ(RaisedCode([&] { array.SetIndex(10.5L, 1); }), ERR_ILLEGAL_PARAMETER);
    EXPECT_EQ(RaisedCode([&] { array.SetIndex(0.4L, 1); }), ERR_ILLEGAL_PARAMETER);
    EXPECT_EQ(RaisedCode([&] { array.SetIndex(1, 2); }), ERR_ILLEGAL_PARAMETER);
    EXPECT_EQ(RaisedCode([&] { array.SetIndex(1e12L, 1); }), ERR_ILLEGAL_PARAMETER);
    EXPECT_EQ(RaisedCode([&] { array.SetIndex(std::numeric_limits<Extended>::quiet_NaN(), 1); }),
              ERR_ILLEGAL_PARAMETER);
    // A failed index leaves the last good one in place.
    EXPECT_EQ(array.GetValue(), 10);
}

TEST_F(SymbolTest, ArrayResetZeroesUnlessStatic) {
    CArray local(false);
    CArray kept(true);
    Dimension(local, 0, 2);
    Dimension(kept, 0, 2);
    for (CArray* pArray : {&local, &kept}) {
        pArray->SetIndex(2, 1);
        pArray->SetValue(5);
        pArray->Reset();
    }
    EXPECT_EQ(local.GetValue(), 0);
    EXPECT_EQ(kept.GetValue(), 5);
}

TEST_F(SymbolTest, OversizedArraysAreRefusedBeforeAllocation) {
    CArray huge(false);
    // The full 32-bit span: computed without overflow, refused by the limit.
    EXPECT_EQ(RaisedCode([&] { Dimension(huge, -2147483647 - 1, 2147483647); }), ERR_OUT_OF_MEMORY);
    EXPECT_EQ(RaisedCode([&] { Dimension(huge, 1, static_cast<int>(CArray::MAX_ELEMENTS) + 1); }),
              ERR_OUT_OF_MEMORY);
    EXPECT_EQ(CArray::GetLiveElements(), 0);
    // The failed attempts left the array usable.
    Dimension(huge, 1, 3);
    EXPECT_EQ(CArray::GetLiveElements(), 3);
    Dimension(huge, 1, 5);
    EXPECT_EQ(CArray::GetLiveElements(), 5);
}

TEST_F(SymbolTest, ReferenceCounting) {
    CNamedConstant constant(1);
    EXPECT_EQ(constant.AddReference(), &constant);
    constant.AddReference();
    EXPECT_EQ(constant.GetReferenceCount(), 2);
    constant.ReleaseReference();
    constant.ReleaseReference();
    EXPECT_EQ(constant.GetReferenceCount(), 0);
}

using SymbolDeathTest = SymbolTest;

TEST_F(SymbolDeathTest, ReleasingAnUnheldReferenceIsAnInternalFault) {
    EXPECT_DEATH(
        {
            CNamedConstant constant(1);
            constant.ReleaseReference();
        },
        "Assertion failed: _nReference >= 0, file csymbol.cpp");
}

TEST(RoundToInt, HalfAwayFromZeroWithinInt32) {
    EXPECT_EQ(RoundToInt(2.5L), 3);
    EXPECT_EQ(RoundToInt(-2.5L), -3);
    EXPECT_EQ(RoundToInt(2.4999L), 2);
    EXPECT_EQ(RoundToInt(0), 0);
    EXPECT_EQ(RoundToInt(2147483647.4L), 2147483647);
    EXPECT_EQ(RoundToInt(-2147483648.4L), -2147483647 - 1);
    EXPECT_EQ(RaisedCode([] { RoundToInt(2147483647.5L); }), ERR_ILLEGAL_PARAMETER);
    EXPECT_EQ(RaisedCode([] { RoundToInt(-2147483648.6L); }), ERR_ILLEGAL_PARAMETER);
    EXPECT_EQ(RaisedCode([] { RoundToInt(std::numeric_limits<Extended>::infinity()); }),
              ERR_ILLEGAL_PARAMETER);
}

} // namespace
