#include "core/clinkedlist.h"

#include "core/cstring.h"
#include "enginetest.h"
#include "symbols/cnamedconstant.h"

#include <string>
#include <vector>

namespace {

std::vector<int> g_destroyed;

class CTracked : public CBase {
public:
    explicit CTracked(int nId) : _nId(nId) {}
    ~CTracked() override { g_destroyed.push_back(_nId); }
    int GetId() const { return _nId; }

private:
    int _nId;
};

class LinkedListTest : public EngineTest {
protected:
    void SetUp() override { g_destroyed.clear(); }

    // The ids from start to end, walking with the cursor.
    static std::vector<int> Ids(CLinkedList<CTracked>& list) {
        std::vector<int> ids;
        if (list.GetCount() == 0) {
            return ids;
        }
        for (list.GoToStart(); list.GetCurrent(); list.GoToNext()) {
            ids.push_back(list.GetCurrent()->GetId());
        }
        return ids;
    }
};

TEST_F(LinkedListTest, AddLastMakesTheFirstNodeCurrentOnly) {
    CLinkedList<CTracked> list;
    list.AddLast(new CTracked(1));
    EXPECT_EQ(list.GetCurrent()->GetId(), 1);
    list.AddLast(new CTracked(2));
    EXPECT_EQ(list.GetCurrent()->GetId(), 1);
    list.GoToNext();
    list.GoToNext();
    EXPECT_EQ(list.GetCurrent(), nullptr);
    list.AddLast(new CTracked(3));
    EXPECT_EQ(list.GetCurrent(), nullptr);
    list.AddFirst(new CTracked(0));
    EXPECT_EQ(Ids(list), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(list.GetCount(), 4);
}

TEST_F(LinkedListTest, InsertAroundTheCursor) {
    CLinkedList<CTracked> list;
    list.AddLast(new CTracked(2));
    list.InsertBefore(new CTracked(1));
    list.InsertAfter(new CTracked(4));
    list.InsertAfter(new CTracked(3));
    EXPECT_EQ(list.GetCurrent()->GetId(), 2);
    EXPECT_EQ(list.GetPrevious()->GetId(), 1);
    EXPECT_EQ(list.GetNext()->GetId(), 3);
    EXPECT_EQ(Ids(list), (std::vector<int>{1, 2, 3, 4}));
    list.GoToEnd();
    EXPECT_EQ(list.GetCurrent()->GetId(), 4);
    EXPECT_EQ(list.GetNext(), nullptr);
}

TEST_F(LinkedListTest, RemoveCurrentClearsTheCursor) {
    CLinkedList<CTracked> list;
    for (int i = 1; i <= 4; ++i) {
        list.AddLast(new CTracked(i));
    }
    list.GoToStart();
    list.GoToNext();
    list.RemoveCurrent();
    EXPECT_EQ(list.GetCurrent(), nullptr);
    EXPECT_EQ(g_destroyed, (std::vector<int>{2}));
    list.GoToStart();
    list.RemoveNext();
    EXPECT_EQ(list.GetCurrent()->GetId(), 1);
    list.GoToEnd();
    list.RemovePrevious();
    EXPECT_EQ(Ids(list), (std::vector<int>{4}));
    EXPECT_EQ(list.GetCount(), 1);
    list.GoToStart();
    list.RemoveCurrent();
    EXPECT_EQ(list.GetCount(), 0);
    list.AddLast(new CTracked(5));
    EXPECT_EQ(list.GetCurrent()->GetId(), 5);
}

TEST_F(LinkedListTest, ReplaceCurrentOnTheLastNode) {
    CLinkedList<CTracked> list;
    list.AddLast(new CTracked(1));
    list.AddLast(new CTracked(2));
    list.GoToEnd();
    list.ReplaceCurrent(new CTracked(9));
    EXPECT_EQ(list.GetCurrent()->GetId(), 9);
    EXPECT_EQ(list.GetNext(), nullptr);
    EXPECT_EQ(g_destroyed, (std::vector<int>{2}));
    EXPECT_EQ(Ids(list), (std::vector<int>{1, 9}));
}

TEST_F(LinkedListTest, DestructionGoesLastToFirstAndSparesReleasedItems) {
    CTracked* pKept = new CTracked(2);
    {
        CLinkedList<CTracked> list;
        list.AddLast(new CTracked(1));
        list.AddLast(pKept);
        list.AddLast(new CTracked(3));
        list.GoToStart();
        list.GoToNext();
        list.ReleaseCurrent();
    }
    EXPECT_EQ(g_destroyed, (std::vector<int>{3, 1}));
    {
        CLinkedList<CTracked> view;
        view.AddLast(pKept);
        view.ReleaseAll();
        EXPECT_EQ(view.GetCurrent(), nullptr);
    }
    EXPECT_EQ(g_destroyed.size(), 2U);
    delete pKept;
}

TEST_F(LinkedListTest, BookmarkReturnsToTheMarkedNode) {
    CLinkedList<CTracked> list;
    list.AddLast(new CTracked(1));
    list.AddLast(new CTracked(2));
    list.GoToEnd();
    list.SetBookmark();
    list.GoToStart();
    list.GoToBookmark();
    EXPECT_EQ(list.GetCurrent()->GetId(), 2);
}

TEST_F(LinkedListTest, FindByNameIsExactAndSafeOnEmptyLists) {
    CLinkedList<CNamedNumeric> list;
    CString name;
    name.Set("PI");
    EXPECT_EQ(list.FindByName(&name), nullptr);
    AddNamedConstant(&list, 1, "E");
    AddNamedConstant(&list, 3, "PI");
    AddNamedConstant(&list, 4, "PI");
    CNamedNumeric* pFound = list.FindByName(&name);
    ASSERT_NE(pFound, nullptr);
    EXPECT_EQ(pFound->GetValue(), 3);
    name.Set("pi");
    EXPECT_EQ(list.FindByName(&name), nullptr);
}

} // namespace
