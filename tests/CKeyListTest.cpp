#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "CCurveList.h"
#include "CKeyList.h"
#include "ModelDocument.h"
#include "c4d_standin.h"

namespace {

// A document with one object Cube carrying a value track, and a root node that frees the
// track nodes the key lists hang under it.
struct Fixture {
  ModelDoc doc = MakeDocument(30);
  BaseObject* cube = AddObject(doc.get(), "Cube");
  CTrack* track = AddTrack(cube, "Position . X");
  TreeListNode root;

  Fixture() { AddValueKeys(track, 30, {0.0, 1.0, 4.0, 2.0}); }
  ~Fixture() { root._children.FreeList(TRUE); }
  TreeListNode* FirstNode() { return static_cast<TreeListNode*>(root._children.GetFirst()); }
};

void SetActive(CTrack* track, Bool active) {
  CTrackSubData data = GetCTrackSubData(track);
  data.active = active;
  SetCTrackSubData(track, data);
}

}  // namespace

TEST(CKeyList, SaveTrackTakesSnapshotAndNode) {
  Fixture f;
  CKeyList keyList;
  ASSERT_TRUE(keyList.SaveTrack(f.doc.get(), f.track, &f.root));
  EXPECT_EQ(keyList.GetCount(), 4);
  EXPECT_EQ(keyList.GetTrack(), f.track);
  EXPECT_EQ(keyList.GetCurve(), f.track->GetCurve());
  EXPECT_EQ(keyList.GetBaseDocument(), f.doc.get());
  TreeListNode* node = f.FirstNode();
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->_name, String("Cube.Position . X"));
  EXPECT_EQ(node->_keycount, 4);
  EXPECT_EQ(node->GetTrack(), f.track);
  EXPECT_EQ(node->GetBaseList2D(), f.cube);
  EXPECT_TRUE(node->_subdata.active);
  EXPECT_NE(f.track->GetDataInstance()->GetContainerInstance(1031254), nullptr);
  EXPECT_TRUE(node->_percent && node->_text && node->_newcount && node->_status);
  // The snapshot is a set of detached copies: changing the curve leaves it alone.
  f.track->GetCurve()->GetKey(2)->SetValue(f.track->GetCurve(), 99.0);
  EXPECT_EQ(keyList[2]->GetValue(), 4.0);
  EXPECT_EQ(keyList[2]->GetCurve(), nullptr);
}

TEST(CKeyList, NodeNamesByOwner) {
  ModelDoc doc = MakeDocument();
  BaseObject* cube = AddObject(doc.get(), "Cube");
  struct Row {
    const char* name;
    CTrack* track;
    const char* expected;
  };
  const Row rows[] = {
      {"object", AddTrack(cube, "T"), "Cube.T"},
      {"tag", AddTrack(AddTag(cube, "Display"), "T"), "Cube.Display.T"},
      {"material", AddTrack(AddMaterial(doc.get(), "Steel"), "T"), "Steel.T"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TreeListNode root;
    CKeyList keyList;
    ASSERT_TRUE(keyList.SaveTrack(doc.get(), row.track, &root));
    EXPECT_EQ(static_cast<TreeListNode*>(root._children.GetFirst())->_name, String(row.expected));
    root._children.FreeList(TRUE);
  }
}

TEST(CKeyList, SaveTrackRefusals) {
  ModelDoc doc = MakeDocument();
  BaseObject* cube = AddObject(doc.get(), "Cube");
  CTrack* plugin = AddTrack(cube, "P", CTRACK_CATEGORY_PLUGIN, 1);
  AddValueKeys(plugin, 30, {1, 2, 3});
  CTrack* bare = AddTrackWithoutCurve(cube, "Bare", 2);
  CTrack* empty = AddTrack(cube, "Empty", CTRACK_CATEGORY_VALUE, 3);
  struct Row {
    const char* name;
    CTrack* track;
    Bool taken;
    VLONG snapshot;
    Bool linked;
  };
  const Row rows[] = {{"other category keeps links", plugin, FALSE, 0, TRUE},
                      {"no curve", bare, FALSE, 0, TRUE},
                      {"no keys", empty, TRUE, 0, TRUE}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TreeListNode root;
    CKeyList keyList;
    EXPECT_EQ(keyList.SaveTrack(doc.get(), row.track, &root), row.taken);
    EXPECT_EQ(keyList.GetCount(), row.snapshot);
    EXPECT_EQ(root._children.GetCount(), row.taken ? 1 : 0);
    EXPECT_EQ(keyList.GetTrack() == row.track, row.linked);
    if (row.taken) {
      EXPECT_EQ(static_cast<TreeListNode*>(root._children.GetFirst())->_keycount, 0);
      EXPECT_TRUE(keyList.RestoreTrack(nullptr, nullptr));
      EXPECT_EQ(KeyCount(row.track), 0);
    }
    EXPECT_EQ(bare->GetCurve(CC_CURVE_CURVE, FALSE), nullptr);  // never created here
    root._children.FreeList(TRUE);
  }
}

TEST(CKeyList, RestoreAnyNumberOfTimesKeepsThreadResult) {
  Fixture f;
  CKeyList keyList;
  keyList.SaveTrack(f.doc.get(), f.track, &f.root);
  const std::vector<KeyState> saved = ReadKeys(f.track);
  keyList.SetThreadResult(THREADRESULT_FAILED);
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    CCurve* curve = f.track->GetCurve();
    curve->DelKey(1);
    curve->GetKey(0)->SetValue(curve, -7.0);
    keyList.SetPercentField(55);
    keyList.SetTextField("busy");
    const LONG dirtyBefore = curve->GetDirtyCount();
    ASSERT_TRUE(keyList.RestoreTrack(nullptr, nullptr));
    EXPECT_EQ(ReadKeys(f.track), saved);
    EXPECT_GT(curve->GetDirtyCount(), dirtyBefore);
    EXPECT_EQ(keyList.GetCount(), 4);
    EXPECT_EQ(keyList.GetPercentField(), 0);
    EXPECT_EQ(keyList.GetTextField(), String());
    EXPECT_EQ(keyList.GetNewCountField(), 0);
    EXPECT_EQ(keyList.GetStatusField(), KEYSTATUS_NONE);
    EXPECT_EQ(keyList.GetThreadResult(), THREADRESULT_FAILED);
  }
}

TEST(CKeyList, InactiveTrackIsNeitherRestoredNorCopied) {
  Fixture f;
  CTrack* target = AddTrack(f.cube, "Target", CTRACK_CATEGORY_VALUE, 2000);
  AddValueKeys(target, 30, {7.0, 8.0});
  CKeyList keyList;
  keyList.SaveTrack(f.doc.get(), f.track, &f.root);
  SetActive(f.track, FALSE);
  f.track->GetCurve()->DelKey(0);
  keyList.SetTextField("kept");
  const std::vector<KeyState> changed = ReadKeys(f.track);
  const std::vector<KeyState> targetKeys = ReadKeys(target);
  EXPECT_TRUE(keyList.RestoreTrack(nullptr, nullptr));
  EXPECT_TRUE(keyList.CopyTrack(target));
  EXPECT_EQ(ReadKeys(f.track), changed);
  EXPECT_EQ(ReadKeys(target), targetKeys);
  EXPECT_EQ(keyList.GetTextField(), String("kept"));
}

TEST(CKeyList, CopyTrackReplacesTargetKeys) {
  Fixture f;
  CTrack* target = AddTrack(f.cube, "Target", CTRACK_CATEGORY_VALUE, 2000);
  AddValueKeys(target, 30, {7.0, 8.0, 9.0, 10.0, 11.0});
  CKeyList keyList;
  keyList.SaveTrack(f.doc.get(), f.track, &f.root);
  f.track->GetCurve()->DelKey(1);
  ASSERT_TRUE(keyList.CopyTrack(target));
  EXPECT_EQ(ReadKeys(target), ReadKeys(f.track));
  EXPECT_EQ(ReadValues(target), (std::vector<double>{0.0, 4.0, 2.0}));
  EXPECT_EQ(keyList.GetCount(), 4);  // the snapshot is not touched
}

TEST(CKeyList, CopyTrackFailuresLeaveTargetAlone) {
  Fixture f;
  CTrack* target = AddTrack(f.cube, "Target", CTRACK_CATEGORY_VALUE, 2000);
  AddValueKeys(target, 30, {7.0, 8.0});
  CTrack* bare = AddTrackWithoutCurve(f.cube, "Bare", 2001);
  const std::vector<KeyState> targetKeys = ReadKeys(target);

  CKeyList unlinked;  // no track, no curve
  EXPECT_FALSE(unlinked.CopyTrack(target));
  EXPECT_FALSE(unlinked.CopyTrackSubData(target));
  EXPECT_EQ(ReadKeys(target), targetKeys);

  CKeyList keyList;
  keyList.SaveTrack(f.doc.get(), f.track, &f.root);
  EXPECT_FALSE(keyList.CopyTrack(nullptr));
  EXPECT_FALSE(keyList.CopyTrack(bare));
  EXPECT_EQ(bare->GetCurve(CC_CURVE_CURVE, FALSE), nullptr);
  EXPECT_FALSE(keyList.CopyTrackSubData(nullptr));
  EXPECT_TRUE(keyList.CopyTrack(f.track));  // onto itself: nothing is lost
  EXPECT_EQ(KeyCount(f.track), 4);
}

// A host out of memory part way through a copy of keys: every copy reports the failure instead
// of passing a curve that lacks keys for a whole one.
TEST(CKeyList, CopiesThatRunOutOfKeysFail) {
  struct LimitGuard {
    ~LimitGuard() { standin::SetKeyAllocationLimit(-1); }
  } guard;
  const struct Row {
    const char* name;
    std::function<Bool(Fixture&, CKeyList&, CTrack* target)> copy;
  } rows[] = {
      {"snapshot", [](Fixture& f, CKeyList& keyList,
                      CTrack*) { return keyList.SaveTrack(f.doc.get(), f.track, &f.root); }},
      {"restore",
       [](Fixture&, CKeyList& keyList, CTrack*) { return keyList.RestoreTrack(nullptr, nullptr); }},
      {"copy",
       [](Fixture&, CKeyList& keyList, CTrack* target) { return keyList.CopyTrack(target); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Fixture f;
    CTrack* target = AddTrack(f.cube, "Target", CTRACK_CATEGORY_VALUE, 2000);
    CKeyList keyList;
    ASSERT_TRUE(keyList.SaveTrack(f.doc.get(), f.track, &f.root));
    standin::SetKeyAllocationLimit(2);
    EXPECT_FALSE(row.copy(f, keyList, target));
    standin::SetKeyAllocationLimit(-1);
  }
}

TEST(CKeyList, DeletedDocumentOrTrackResolvesToNull) {
  struct Row {
    const char* name;
    bool deleteDocument;
  };
  for (const Row& row : {Row{"document", true}, Row{"track", false}}) {
    SCOPED_TRACE(row.name);
    Fixture f;
    CKeyList keyList;
    keyList.SaveTrack(f.doc.get(), f.track, &f.root);
    TreeListNode* node = f.FirstNode();
    if (row.deleteDocument)
      f.doc.reset();
    else
      CTrack::Free(f.track);
    EXPECT_EQ(keyList.GetTrack(), nullptr);
    EXPECT_EQ(keyList.GetCurve(), nullptr);
    EXPECT_EQ(node->GetTrack(), nullptr);
    EXPECT_EQ(node->GetBaseList2D(), nullptr);
    EXPECT_FALSE(keyList.RestoreTrack(nullptr, nullptr));
    EXPECT_EQ(keyList.OptimizeTrack(nullptr, nullptr), 0);
    EXPECT_EQ(keyList.GetStatusField(), KEYSTATUS_NONE);
  }
}

TEST(CKeyList, TextIsReadWhileAWorkerWritesIt) {
  // Run under TSan to see the lock at work; here every read must be one whole written text.
  Fixture f;
  CKeyList keyList;
  keyList.SaveTrack(f.doc.get(), f.track, &f.root);
  TreeListNode* node = f.FirstNode();
  const String texts[2] = {String(std::string(200, 'a')), String(std::string(3, 'b'))};
  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (int i = 0; i < 20000; ++i) {
      keyList.SetTextField(texts[i % 2]);
      keyList.SetPercentField(i % 101);
    }
    done = true;
  });
  int torn = 0;
  while (!done) {
    const String text = node->GetText();
    if (text != String() && text != texts[0] && text != texts[1]) ++torn;
    const LONG percent = node->GetPercent();
    if (percent < 0 || percent > 100) ++torn;
  }
  worker.join();
  EXPECT_EQ(torn, 0);
  EXPECT_EQ(node->GetText(), texts[1]);
  EXPECT_EQ(node->GetPercent(), 19999 % 101);
  EXPECT_EQ(f.root.GetText(), String());  // the root shows no key list
}
