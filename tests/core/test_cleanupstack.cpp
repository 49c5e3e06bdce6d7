#include "core/cleanupstack.h"

#include "core/cstring.h"
#include "enginetest.h"

#include <vector>

namespace {

std::vector<int> g_destroyed;

class CTracked : public CBase {
public:
    explicit CTracked(int nId) : _nId(nId) {}
    ~CTracked() override { g_destroyed.push_back(_nId); }

private:
    int _nId;
};

class CleanupStackTest : public EngineTest {
protected:
    void SetUp() override { g_destroyed.clear(); }
};

TEST_F(CleanupStackTest, RaiseDestroysTemporariesNewestFirst) {
    const int nCode = RaisedCode([] {
        CleanupStack::PushObject(new CTracked(1));
        CleanupStack::PushObject(new CTracked(2));
        CleanupStack::PushObject(new CTracked(3));
        RaiseError(-41);
    });
    EXPECT_EQ(nCode, -41);
    EXPECT_EQ(g_destroyed, (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(CleanupStack::GetCount(), 0);
}

TEST_F(CleanupStackTest, RaiseReleasesEveryKind) {
    // The sanitizer build reports a leak if a block were not freed.
    EXPECT_EQ(RaisedCode([] {
                  CleanupStack::PushNumbers(AllocateNumbers(10));
                  auto* poString = new CString;
                  CleanupStack::PushObject(poString);
                  poString->Set("temporary");
                  CleanupStack::PushBuffer(AllocateBuffer(64));
                  RaiseError(-2062);
              }),
              -2062);
    EXPECT_EQ(CleanupStack::GetCount(), 0);
}

TEST_F(CleanupStackTest, PopUnregistersWithoutDestroying) {
    auto* poObject = new CTracked(1);
    Extended* poNumbers = AllocateNumbers(3);
    char* poBuffer = AllocateBuffer(8);
    CleanupStack::PushObject(poObject);
    CleanupStack::PushNumbers(poNumbers);
    CleanupStack::PushBuffer(poBuffer);
    CleanupStack::Pop(3);
    EXPECT_EQ(CleanupStack::GetCount(), 0);
    EXPECT_TRUE(g_destroyed.empty());
    delete poObject;
    FreeNumbers(poNumbers);
    FreeBuffer(poBuffer);
}

TEST_F(CleanupStackTest, PopAndDestroyTakesTheLastRegistered) {
    CleanupStack::PushObject(new CTracked(1));
    CleanupStack::PushBuffer(AllocateBuffer(4));
    CleanupStack::PushObject(new CTracked(2));
    CleanupStack::PopAndDestroy();
    EXPECT_EQ(g_destroyed, (std::vector<int>{2}));
    CleanupStack::PopAndDestroy(2);
    EXPECT_EQ(g_destroyed, (std::vector<int>{2, 1}));
}

TEST_F(CleanupStackTest, GrowsBeyondAnyFixedCapacity) {
    for (int i = 0; i < 5000; ++i) {
        CleanupStack::PushObject(new CTracked(i));
    }
    EXPECT_EQ(CleanupStack::GetCount(), 5000);
    EXPECT_EQ(RaisedCode([] { RaiseError(-4); }), -4);
    EXPECT_EQ(g_destroyed.size(), 5000U);
    EXPECT_EQ(g_destroyed.front(), 4999);
}

using CleanupStackDeathTest = CleanupStackTest;

TEST_F(CleanupStackDeathTest, PopFromAnEmptyStackIsAnInternalFault) {
    EXPECT_DEATH(CleanupStack::Pop(), "Assertion failed: .*cleanupstack.cpp, line");
}

} // namespace
