#include "enginetest.h"

#include "core/csourceplace.h"
#include "core/errorcodes.h"

#include <memory>

namespace {

class SourcePlaceTest : public EngineTest {
protected:
    void SetUp() override { ForgetErrorPlace(); }
    void TearDown() override {
        ForgetErrorPlace();
        EngineTest::TearDown();
    }
};

TEST_F(SourcePlaceTest, ARaiseNotesTheInnermostPlaceAndKeepsTheFirstNoted) {
    const std::unique_ptr<CSourcePlace> outer(CSourcePlace::New("a.bas", 3, "RUNFILE \"b.bas\""));
    const std::unique_ptr<CSourcePlace> inner(CSourcePlace::New("b.bas", 7, "PRINT 1/0"));
    EXPECT_EQ(RaisedCode([&] {
                  const CPlaceScope outerScope(outer.get());
                  try {
                      const CPlaceScope innerScope(inner.get());
                      // A scope without a place leaves the current one.
                      const CPlaceScope noScope(nullptr);
                      RaiseError(ERR_DIVISION_BY_ZERO);
                  } catch (int nCode) {
                      // Raised again further out, as a function call does.
                      RaiseError(nCode);
                  }
              }),
              ERR_DIVISION_BY_ZERO);
    const SErrorPlace& place = GetErrorPlace();
    ASSERT_TRUE(place.bNoted);
    EXPECT_EQ(place.file, "b.bas");
    EXPECT_EQ(place.iLine, 7);
    EXPECT_EQ(place.text, "PRINT 1/0");
}

TEST_F(SourcePlaceTest, OutsideEveryScopeARaiseNotesNothing) {
    {
        const std::unique_ptr<CSourcePlace> place(CSourcePlace::New("a.bas", 1, "X = 1"));
        const CPlaceScope scope(place.get());
    }
    EXPECT_EQ(RaisedCode([] { RaiseError(ERR_SYNTAX); }), ERR_SYNTAX);
    EXPECT_FALSE(GetErrorPlace().bNoted);
}

TEST_F(SourcePlaceTest, ACopyIsIndependentOfItsOriginal) {
    auto* poPlace = CSourcePlace::New("dir/x.bas", 12, "  text kept as given ");
    const std::unique_ptr<CSourcePlace> copy(CopyOfPlace(poPlace));
    delete poPlace;
    EXPECT_STREQ(copy->GetFile(), "dir/x.bas");
    EXPECT_EQ(copy->GetLine(), 12);
    EXPECT_STREQ(copy->GetText(), "  text kept as given ");
    EXPECT_EQ(CopyOfPlace(nullptr), nullptr);
}

} // namespace
