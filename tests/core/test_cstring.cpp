#include "core/cstring.h"

#include "enginetest.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

namespace {

class StringTest : public EngineTest {
protected:
    static std::unique_ptr<CString> Make(const char* pch) {
        auto po = std::make_unique<CString>();
        po->Set(pch);
        return po;
    }
    static std::string Text(const CString* pstr) { return pstr->GetData(); }
    static std::string Take(CString* poPiece) {
        std::unique_ptr<CString> owner(poPiece);
        return poPiece->GetData();
    }
};

TEST_F(StringTest, SetCopiesCountedAndTerminatedText) {
    CString s;
    s.Set("abcdef", 3);
    EXPECT_EQ(Text(&s), "abc");
    EXPECT_EQ(s.GetLength(), 3);
    s.Set("xy", 0);
    EXPECT_EQ(Text(&s), "");
    s.Set(nullptr);
    EXPECT_EQ(s.GetLength(), 0);
    EXPECT_NE(s.GetData(), nullptr);
}

TEST_F(StringTest, FindSeparatorSkipsBracketsAndQuotes) {
    EXPECT_EQ(Make("F(A,B),C")->FindSeparator(1, ',', 1), 7);
    EXPECT_EQ(Make("\"a,b\",c")->FindSeparator(1, ',', 1), 6);
    EXPECT_EQ(Make("A,B,C")->FindSeparator(1, ',', 2), 4);
    EXPECT_EQ(Make("A,B")->FindSeparator(1, ',', 2), 0);
    EXPECT_EQ(Make("A,B,C")->FindSeparator(3, ',', 1), 4);
    // Square brackets do not nest; an unmatched ")" hides later separators.
    EXPECT_EQ(Make("[A,B]")->FindSeparator(1, ',', 1), 3);
    EXPECT_EQ(Make("A),B")->FindSeparator(1, ',', 1), 0);
}

TEST_F(StringTest, ToUpperLeavesQuotedTextAlone) {
    auto s = Make("print \"Abc\" x");
    s->ToUpperOutsideQuotes();
    EXPECT_EQ(Text(s.get()), "PRINT \"Abc\" X");
    auto t = Make("a\"b\"c\"d");
    t->ToUpperOutsideQuotes();
    EXPECT_EQ(Text(t.get()), "A\"b\"C\"d");
}

TEST_F(StringTest, MidModesAndBounds) {
    auto s = Make(" a b ");
    EXPECT_EQ(Take(s->Mid(1, 5, CString::Plain)), " a b ");
    EXPECT_EQ(Take(s->Mid(1, 5, CString::NoBlanks)), "ab");
    EXPECT_EQ(Take(s->Mid(1, 5, CString::Trimmed)), "a b");
    EXPECT_EQ(Take(s->Mid(3, 100, CString::Plain)), " b ");
    EXPECT_EQ(Take(s->Mid(0, 2, CString::Plain)), "");
    EXPECT_EQ(Take(s->Mid(6, 2, CString::Plain)), "");
    EXPECT_EQ(Take(s->Mid(2, 0, CString::Plain)), "");
    EXPECT_EQ(Take(s->MidToEnd(4, CString::Trimmed)), "b");
}

TEST_F(StringTest, TrimmedMidOfBlanksIsEmptyButTrimKeepsThem) {
    auto s = Make(" \t ");
    EXPECT_EQ(Take(s->Mid(1, 3, CString::Trimmed)), "");
    EXPECT_EQ(Take(s->Mid(1, 3, CString::NoBlanks)), "");
    s->Trim();
    EXPECT_EQ(Text(s.get()), " \t ");
    auto t = Make("\t x y \t");
    t->Trim();
    EXPECT_EQ(Text(t.get()), "x y");
    t->RemoveBlanks();
    EXPECT_EQ(Text(t.get()), "xy");
}

TEST_F(StringTest, FindRejectsLongOrForeignPatterns) {
    auto s = Make("HELLO");
    EXPECT_EQ(s->Find("LL", 2, false), 3);
    EXPECT_EQ(s->Find("HELLO!", 6, false), 0);
    EXPECT_EQ(s->Find("LZ", 2, false), 0);
    EXPECT_EQ(s->Find("llo", 3, true), 3);
    EXPECT_EQ(s->Find("llo", 3, false), 0);
    EXPECT_EQ(s->FindChar('L', 4), 4);
    EXPECT_EQ(s->FindOneOf("OL", 1), 3);
    EXPECT_EQ(Make("")->FindChar('x', 1), 0);
}

TEST_F(StringTest, ToNumberAcceptsOnlyPlainNumerals) {
    Extended value = -1;
    EXPECT_TRUE(Make("007")->ToNumber(&value));
    EXPECT_EQ(value, 7);
    EXPECT_TRUE(Make("0.25")->ToNumber(&value));
    EXPECT_EQ(value, 0.25L);
    EXPECT_TRUE(Make(".5")->ToNumber(&value));
    EXPECT_EQ(value, 0.5L);
    EXPECT_TRUE(Make("5.")->ToNumber(&value));
    EXPECT_EQ(value, 5);
    EXPECT_TRUE(Make(".")->ToNumber(&value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(Make("12.5")->ToNumber(&value));
    EXPECT_EQ(value, 125 * 0.1L);
    for (const char* pch : {"1e5", "-3", "1.2.3", "1 2", ""}) {
        EXPECT_FALSE(Make(pch)->ToNumber(&value)) << pch;
    }
}

TEST_F(StringTest, ToNumberScalesByTheExponent) {
    Extended value = -1;
    EXPECT_TRUE(Make("1E25")->ToNumber(&value));
    EXPECT_EQ(value, 1e25L);
    EXPECT_TRUE(Make("15E-1")->ToNumber(&value));
    EXPECT_EQ(value, 1.5L);
    EXPECT_TRUE(Make("2E+3")->ToNumber(&value));
    EXPECT_EQ(value, 2000);
    EXPECT_TRUE(Make(".5E2")->ToNumber(&value));
    EXPECT_EQ(value, 50);
    EXPECT_TRUE(Make("5.E0")->ToNumber(&value));
    EXPECT_EQ(value, 5);
    // The mantissa converts as a plain numeral does.
    Extended plain = 0;
    ASSERT_TRUE(Make("1.23456789012345678")->ToNumber(&plain));
    EXPECT_TRUE(Make("1.23456789012345678E0")->ToNumber(&value));
    EXPECT_EQ(value, plain);
    for (const char* pch : {"1E", "E5", "1E+", "1E-", ".E5", "1E2E3", "1E+-2", "1E2.5", "1e5"}) {
        EXPECT_FALSE(Make(pch)->ToNumber(&value)) << pch;
    }
}

TEST_F(StringTest, ToNumberExponentsAtTheRangesEnds) {
    Extended value = -1;
    EXPECT_TRUE(Make("1E5000")->ToNumber(&value));
    EXPECT_TRUE(std::isinf(value));
    EXPECT_TRUE(Make("1E-5000")->ToNumber(&value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(Make("0E99999")->ToNumber(&value));
    EXPECT_EQ(value, 0);
    // Reached in steps: the power alone would leave the range.
    EXPECT_TRUE(Make("0.001E4934")->ToNumber(&value));
    EXPECT_NEAR(value / 1e4931L, 1, 1e-17L);
    EXPECT_TRUE(Make("1E-4940")->ToNumber(&value));
    EXPECT_GT(value, 0);
    EXPECT_LT(value, LDBL_MIN);
    // An exponent of thousands of digits neither overflows nor takes long.
    EXPECT_TRUE(Make(("1E-" + std::string(10000, '7')).c_str())->ToNumber(&value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(Make(("1E+" + std::string(10000, '0') + "3").c_str())->ToNumber(&value));
    EXPECT_EQ(value, 1000);
}

TEST_F(StringTest, IsMantissaNeedsADigit) {
    EXPECT_TRUE(IsMantissa("12.5", 4));
    EXPECT_TRUE(IsMantissa(".5", 2));
    EXPECT_TRUE(IsMantissa("5.", 2));
    for (const char* pch : {".", "", "1.2.3", "X1", "1-"}) {
        EXPECT_FALSE(IsMantissa(pch, static_cast<int>(std::strlen(pch)))) << pch;
    }
}

TEST_F(StringTest, FindOutsideSkipsQuotesAndBrackets) {
    auto s = Make("A \" STEP \" F( STEP ) STEP 2");
    EXPECT_EQ(s->FindOutside(" STEP", 5, 1), 21);
    EXPECT_EQ(s->FindOutside(" STEP", 5, 22), 0);
    EXPECT_EQ(s->FindOutside("A", 1, 1), 1);
    EXPECT_EQ(s->FindOutside("2", 1, 1), 27);
}

TEST_F(StringTest, ValidNamesUpTo255Characters) {
    EXPECT_TRUE(Make("_x1")->IsValidName());
    EXPECT_TRUE(Make("X")->IsValidName());
    EXPECT_TRUE(Make(std::string(255, 'A').c_str())->IsValidName());
    EXPECT_FALSE(Make(std::string(256, 'A').c_str())->IsValidName());
    for (const char* pch : {"1x", "x-y", "", "a b", "\xc4"}) {
        EXPECT_FALSE(Make(pch)->IsValidName()) << pch;
    }
}

TEST_F(StringTest, CompareAndStartsWith) {
    auto abc = Make("abc");
    auto abcd = Make("abcd");
    EXPECT_FALSE(abc->Compare(abcd.get(), false));
    EXPECT_FALSE(abcd->Compare(abc.get(), false));
    EXPECT_FALSE(abc->Compare("abcd", true));
    EXPECT_FALSE(abcd->Compare("abc", true));
    EXPECT_TRUE(Make("ABC")->Compare(abc.get(), true));
    EXPECT_FALSE(Make("ABC")->Compare(abc.get(), false));
    EXPECT_TRUE(Make("abc")->Compare(abc.get(), false));
    EXPECT_TRUE(abcd->StartsWith(abc.get(), false));
    EXPECT_FALSE(abc->StartsWith(abcd.get(), false));
    EXPECT_TRUE(abcd->StartsWith("AB", 2, true));
    EXPECT_FALSE(abcd->StartsWith("AB", 2, false));
}

TEST_F(StringTest, HashFollowsChangedContents) {
    auto a = Make("ab");
    EXPECT_EQ(a->GetHash(), ('a' << 8) + 'b');
    a->Insert("c", 1, CString::Append);
    EXPECT_EQ(a->GetHash(), (('a' << 8) + 'b') * 256 + 'c');
    EXPECT_TRUE(a->Compare(Make("abc").get(), false));
}

TEST_F(StringTest, EditingInPlace) {
    auto s = Make("abcdef");
    s->DeleteLeft(2);
    EXPECT_EQ(Text(s.get()), "cdef");
    s->DeleteRight(1);
    EXPECT_EQ(Text(s.get()), "cde");
    s->DeleteLeft(0);
    EXPECT_EQ(Text(s.get()), "cde");
    s->Insert(">", 1, CString::Prepend);
    s->Insert(s.get(), CString::Append);
    EXPECT_EQ(Text(s.get()), ">cde>cde");
    s->Overwrite(2, "XY");
    EXPECT_EQ(Text(s.get()), ">XYe>cde");
    s->DeleteRight(100);
    EXPECT_EQ(Text(s.get()), "");
    EXPECT_EQ(s->GetLength(), 0);
}

TEST_F(StringTest, CounterOffsetMovesTheBooking) {
    {
        CString s;
        s.SetCounterOffset(90);
        EXPECT_EQ(ObjectCount[35], 0);
        EXPECT_EQ(ObjectCount[125], 1);
    }
    EXPECT_EQ(ObjectCount[125], 0);
}

} // namespace
