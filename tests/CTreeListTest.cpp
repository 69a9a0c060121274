#include <gtest/gtest.h>

#include <vector>

#include "CCurveList.h"
#include "CTreeList.h"

namespace {

// Counts destructor runs, so tests can tell unlinking from deleting.
class CountedObj : public CTreeListObj {
 public:
  explicit CountedObj(int* destroyed) : _destroyed(destroyed) {}
  ~CountedObj() override { ++*_destroyed; }

 private:
  int* _destroyed;
};

std::vector<CTreeListObj*> Forward(const CTreeListHeader& head) {
  std::vector<CTreeListObj*> out;
  for (CTreeListObj* o = head.GetFirst(); o; o = o->GetNext()) out.push_back(o);
  return out;
}

std::vector<CTreeListObj*> Backward(const CTreeListHeader& head) {
  std::vector<CTreeListObj*> out;
  CTreeListObj* last = head.GetFirst();
  while (last && last->GetNext()) last = last->GetNext();
  for (CTreeListObj* o = last; o; o = o->GetPrev()) out.push_back(o);
  return out;
}

bool Unlinked(const CTreeListObj& o) { return !o.GetNext() && !o.GetPrev() && !o.GetUp(); }

}  // namespace

TEST(CTreeList, AppendsAndWalksBothWays) {
  CTreeListHeader head;
  CTreeListObj a, b, c;
  head.AddObj(&a);
  b.AddObj(&head);
  head.AddObj(&c);
  EXPECT_EQ(Forward(head), (std::vector<CTreeListObj*>{&a, &b, &c}));
  EXPECT_EQ(Backward(head), (std::vector<CTreeListObj*>{&c, &b, &a}));
  EXPECT_EQ(head.GetCount(), 3);
  EXPECT_EQ(a.GetUp(), &head);
  EXPECT_EQ(c.GetUp(), &head);
  head.FreeList(FALSE);
}

TEST(CTreeList, RemovesAnyPosition) {
  struct Row {
    const char* name;
    int removeIndex;
    std::vector<int> remaining;
  };
  const Row rows[] = {{"first", 0, {1, 2}}, {"middle", 1, {0, 2}}, {"last", 2, {0, 1}}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CTreeListHeader head;
    CTreeListObj objs[3];
    for (CTreeListObj& o : objs) head.AddObj(&o);
    head.RemObj(&objs[row.removeIndex], FALSE);
    EXPECT_TRUE(Unlinked(objs[row.removeIndex]));
    std::vector<CTreeListObj*> expected;
    for (int i : row.remaining) expected.push_back(&objs[i]);
    EXPECT_EQ(Forward(head), expected);
    std::vector<CTreeListObj*> reversed(expected.rbegin(), expected.rend());
    EXPECT_EQ(Backward(head), reversed);
    // A removed element can be appended again.
    objs[row.removeIndex].AddObj(&head);
    EXPECT_EQ(head.GetCount(), 3);
    head.FreeList(FALSE);
  }
}

TEST(CTreeList, RemovingOnlyElementEmptiesList) {
  CTreeListHeader head;
  CTreeListObj only, next;
  head.AddObj(&only);
  only.RemObj(&head, FALSE);
  EXPECT_EQ(head.GetFirst(), nullptr);
  head.AddObj(&next);  // a stale _last would link next after the removed element
  EXPECT_EQ(next.GetPrev(), nullptr);
  EXPECT_EQ(head.GetCount(), 1);
  head.FreeList(FALSE);
}

TEST(CTreeList, DestroyedElementUnlinksItself) {
  CTreeListHeader head;
  CTreeListObj a, c;
  head.AddObj(&a);
  {
    CTreeListObj b;
    head.AddObj(&b);
    head.AddObj(&c);
  }
  EXPECT_EQ(Forward(head), (std::vector<CTreeListObj*>{&a, &c}));
  EXPECT_EQ(c.GetPrev(), &a);
  head.FreeList(FALSE);
}

TEST(CTreeList, DestroyedHeadLeavesElementsUnlinkedAndAlive) {
  int destroyed = 0;
  CountedObj a(&destroyed), b(&destroyed);
  {
    CTreeListHeader head;
    head.AddObj(&a);
    head.AddObj(&b);
  }
  EXPECT_EQ(destroyed, 0);
  EXPECT_TRUE(Unlinked(a));
  EXPECT_TRUE(Unlinked(b));
}

TEST(CTreeList, FreeListDeletesOnlyWhenAsked) {
  int destroyed = 0;
  CTreeListHeader head;
  for (int i = 0; i < 4; ++i) head.AddObj(new CountedObj(&destroyed));
  head.RemObj(head.GetFirst(), TRUE);
  EXPECT_EQ(destroyed, 1);
  head.FreeList(TRUE);
  EXPECT_EQ(destroyed, 4);
  EXPECT_EQ(head.GetFirst(), nullptr);
}

TEST(CTreeList, FreeListRunsTreeNodeDestructors) {
  // Each node owns a name and a child list; ASan reports a leak if the derived destructor is
  // skipped.
  CTreeListHeader head;
  for (int i = 0; i < 3; ++i) {
    TreeListNode* node = new TreeListNode;
    node->_name = String("a name long enough to live on the heap, not in the string itself");
    head.AddObj(node);
  }
  head.FreeList(TRUE);
  EXPECT_EQ(head.GetCount(), 0);
}
