#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CCurveList.h"
#include "CTrackList.h"
#include "ModelDocument.h"
#include "SceneReader.h"
#include "SceneWriter.h"
#include "c4d_standin.h"

namespace {

// A user's document: Cube with a reducible value track, a data track and a plug-in track (never
// gathered), its tag Display with a value track, and material Steel with a value track.
struct UserScene {
  ModelDoc doc = MakeDocument(30);
  BaseObject* cube = AddObject(doc.get(), "Cube");
  CTrack* flat = AddTrack(cube, "Flat", CTRACK_CATEGORY_VALUE, 1);
  CTrack* data = AddTrack(cube, "Data", CTRACK_CATEGORY_DATA, 2);
  CTrack* plugin = AddTrack(cube, "Plugin", CTRACK_CATEGORY_PLUGIN, 3);
  CTrack* tagTrack = AddTrack(AddTag(cube, "Display"), "Zig");
  CTrack* steel = AddTrack(AddMaterial(doc.get(), "Steel"), "Shine");

  UserScene() {
    AddValueKeys(flat, 30, {1, 1, 1, 1, 1, 2});
    AddDataKeys(data, 30, {GeData(LONG(3)), GeData(LONG(3)), GeData(LONG(3)), GeData(LONG(4))});
    AddValueKeys(plugin, 30, {1, 1, 1});
    AddValueKeys(tagTrack, 30, {0, 5, 0, 5});
    AddValueKeys(steel, 30, {2, 2, 2});
    for (CTrack* track : {flat, data, tagTrack, steel}) {
      CTrackSubData settings = GetCTrackSubData(track);
      settings.method = 1;  // redundant-key removal: results known in advance
      SetCTrackSubData(track, settings);
    }
  }
};

std::vector<std::string> NodeNames(CCurveList& list) {
  std::vector<std::string> names;
  for (CTreeListObj* o = list.GetListRoot()->_children.GetFirst(); o; o = o->GetNext())
    names.push_back(static_cast<TreeListNode*>(o)->_name.ToUtf8());
  return names;
}

// Runs every key list on this thread as a worker would.
void OptimizeAll(CCurveList& list) {
  for (VLONG i = 0; i < list.GetCount(); ++i) {
    CKeyList* keyList = list[i];
    keyList->SetThreadResult(keyList->OptimizeTrack(nullptr, nullptr) ? THREADRESULT_OK
                                                                      : THREADRESULT_FAILED);
  }
}

CKeyList* KeyListOf(CCurveList& list, VLONG index) { return list[index]; }

}  // namespace

class CCurveListTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { InitModelResources(); }
};

TEST_F(CCurveListTest, SaveTracksPairsUserAndWorkingTracks) {
  UserScene user;
  CCurveList list;
  ASSERT_TRUE(list.SaveTracks(user.doc.get(), FALSE));
  ASSERT_EQ(list.GetCount(), 4);
  EXPECT_EQ(NodeNames(list), (std::vector<std::string>{"Cube.Flat", "Cube.Data", "Cube.Display.Zig",
                                                       "Steel.Shine"}));
  EXPECT_EQ(list.GetSourceDocument(), user.doc.get());
  const CTrack* userTracks[] = {user.flat, user.data, user.tagTrack, user.steel};
  for (VLONG i = 0; i < 4; ++i) {
    CTrack* work = KeyListOf(list, i)->GetTrack();
    ASSERT_NE(work, nullptr);
    EXPECT_NE(work, userTracks[i]);  // the key lists work on the copy
    EXPECT_EQ(work->GetName(), userTracks[i]->GetName());
    EXPECT_NE(KeyListOf(list, i)->GetBaseDocument(), user.doc.get());
    TreeListNode* node = list.GetTreeListNode(work);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(list.GetTrack(node), work);
  }
  EXPECT_EQ(list.GetTreeListNode(user.flat), nullptr);
  EXPECT_EQ(list.GetTreeListNode(nullptr), nullptr);
  EXPECT_EQ(list.GetTrack(nullptr), nullptr);
  for (int s = 0; s < TREELIST_ICON_COUNT; ++s) EXPECT_NE(list.GetListArgs()->_icons[s], nullptr);
}

TEST_F(CCurveListTest, DocumentWithoutTracks) {
  ModelDoc doc = MakeDocument();
  AddObject(doc.get(), "Empty");
  CCurveList list;
  EXPECT_TRUE(list.SaveTracks(doc.get(), FALSE));
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.GetListRoot()->_children.GetCount(), 0);
  EXPECT_TRUE(list.CopyTracks(1));
}

TEST_F(CCurveListTest, RunCopiesOnlySuccessfulTracks) {
  UserScene user;
  CTrackSubData broken = GetCTrackSubData(user.steel);
  broken.method = 5;  // makes that track's run fail
  SetCTrackSubData(user.steel, broken);
  CCurveList list;
  list.SaveTracks(user.doc.get(), FALSE);
  OptimizeAll(list);
  EXPECT_EQ(KeyListOf(list, 3)->GetThreadResult(), THREADRESULT_FAILED);
  ASSERT_TRUE(list.CopyTracks(0));
  EXPECT_EQ(ReadValues(user.flat), (std::vector<double>{1, 1, 2}));
  EXPECT_EQ(KeyCount(user.data), 3);
  EXPECT_EQ(KeyCount(user.tagTrack), 4);  // unchanged: restored snapshot copied
  EXPECT_EQ(KeyCount(user.steel), 3);     // failed: the user's keys stay
  EXPECT_EQ(KeyCount(user.plugin), 3);
}

TEST_F(CCurveListTest, CopyAllTakesTracksThatNeverRan) {
  UserScene user;
  CCurveList list;
  list.SaveTracks(user.doc.get(), FALSE);
  CTrack* work = KeyListOf(list, 0)->GetTrack();
  work->GetCurve()->DelKey(2);
  ASSERT_TRUE(list.CopyTracks(0));
  EXPECT_EQ(KeyCount(user.flat), 6);  // no thread result yet
  ASSERT_TRUE(list.CopyTracks(1));
  EXPECT_EQ(KeyCount(user.flat), 5);
}

TEST_F(CCurveListTest, RestoreAfterRunSparesInactiveTracks) {
  UserScene user;
  CCurveList list;
  list.SaveTracks(user.doc.get(), FALSE);
  OptimizeAll(list);
  list.CopyTracks(0);
  ASSERT_EQ(KeyCount(user.flat), 3);
  ASSERT_EQ(KeyCount(user.data), 3);
  // The data track is made inactive after the run, as the tree's check box does.
  CKeyList* dataList = KeyListOf(list, 1);
  GetCTrackSubContainerInstance(dataList->GetTrack())->SetBool(2000, FALSE);
  ASSERT_TRUE(list.RestoreTracks(nullptr, nullptr));
  EXPECT_EQ(KeyCount(user.flat), 6);
  EXPECT_EQ(KeyListOf(list, 0)->GetStatusField(), KEYSTATUS_NONE);
  EXPECT_EQ(KeyListOf(list, 0)->GetNewCountField(), 0);
  EXPECT_EQ(KeyListOf(list, 0)->GetTextField(), String());
  EXPECT_EQ(KeyListOf(list, 0)->GetThreadResult(), THREADRESULT_OK);
  EXPECT_EQ(KeyCount(user.data), 3);
  EXPECT_EQ(dataList->GetStatusField(), KEYSTATUS_REDUCED);
}

TEST_F(CCurveListTest, SaveTracksTwiceFreesTheFirstSet) {
  UserScene user;
  CCurveList list;
  const LLONG atomsBefore = standin::GetLiveAtomCount();
  list.SaveTracks(user.doc.get(), FALSE);
  const LLONG atomsWithFirstSet = standin::GetLiveAtomCount();
  list.GetListArgs()->Push(static_cast<TreeListNode*>(list.GetListRoot()->_children.GetFirst()));
  user.doc->SetActiveTag(static_cast<BaseTag*>(user.tagTrack->GetObject()));
  ASSERT_TRUE(list.SaveTracks(user.doc.get(), TRUE));
  EXPECT_EQ(NodeNames(list), (std::vector<std::string>{"Cube.Display.Zig"}));
  EXPECT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.GetListArgs()->GetCount(), 0);
  EXPECT_LT(standin::GetLiveAtomCount(), atomsWithFirstSet);
  list.FreeItems();
  list.FreeItems();  // harmless twice
  EXPECT_EQ(standin::GetLiveAtomCount(), atomsBefore);
  EXPECT_EQ(list.GetSourceDocument(), user.doc.get());
}

TEST_F(CCurveListTest, UserDocumentOrTrackDeleted) {
  UserScene user;
  CCurveList list;
  list.SaveTracks(user.doc.get(), FALSE);
  OptimizeAll(list);
  CTrack::Free(user.flat);
  ASSERT_TRUE(list.CopyTracks(0));  // the deleted track is skipped, the others are copied
  EXPECT_EQ(KeyCount(user.data), 3);
  ASSERT_TRUE(list.CopyTrackSubData());
  user.doc.reset();
  EXPECT_EQ(list.GetSourceDocument(), nullptr);
  EXPECT_FALSE(list.CopyTracks(1));
  EXPECT_FALSE(list.CopyTrackSubData());
  EXPECT_FALSE(list.RestoreTracks(nullptr, nullptr));
}

TEST_F(CCurveListTest, FailedGatheringLeavesListEmpty) {
  UserScene user;
  CCurveList list;
  list.SaveTracks(user.doc.get(), FALSE);
  ASSERT_EQ(list.GetCount(), 4);
  user.doc->RemoveLayerObjectRoot();  // selection gathering gives no array now
  LineCapture console(LineCapture::CONSOLE);
  EXPECT_FALSE(list.SaveTracks(user.doc.get(), TRUE));
  EXPECT_TRUE(console.Contains("no list"));
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.GetListRoot()->_children.GetCount(), 0);
  EXPECT_EQ(list.GetSourceDocument(), nullptr);
  EXPECT_FALSE(list.CopyTrackSubData());
  EXPECT_FALSE(list.SaveTracks(nullptr, FALSE));
}

TEST_F(CCurveListTest, CopyTrackSubDataMarksUserDocument) {
  UserScene user;
  CCurveList list;
  EXPECT_FALSE(list.CopyTrackSubData());  // nothing gathered yet
  list.SaveTracks(user.doc.get(), FALSE);
  CTrack* work = KeyListOf(list, 2)->GetTrack();
  SetCTrackSubData(work, CTrackSubData{FALSE, 3.5, 1, 2});
  EXPECT_FALSE(user.doc->GetChanged());
  ASSERT_TRUE(list.CopyTrackSubData());
  EXPECT_TRUE(user.doc->GetChanged());
  const CTrackSubData copied = GetCTrackSubData(user.tagTrack);
  EXPECT_FALSE(copied.active);
  EXPECT_EQ(copied.precision, 3.5);
}

TEST_F(CCurveListTest, MismatchedCountsCopyUpToTheSmaller) {
  UserScene user;
  CCurveList list;
  list.SaveTracks(user.doc.get(), FALSE);
  for (VLONG i = 0; i < list.GetCount(); ++i)
    KeyListOf(list, i)->GetTrack()->GetCurve()->FlushKeys();
  // Relink only the first two user tracks, as if the two walks had met different tracks.
  GeDynamicArray<CTrack*> shorter;
  shorter.Push(user.flat);
  shorter.Push(user.data);
  list.GetLinkList()->LinkCurveList(user.doc.get(), &shorter);
  LineCapture debug(LineCapture::DEBUG);
  ASSERT_TRUE(list.CopyTracks(1));
  EXPECT_TRUE(debug.Contains("dlist->GetCount() == this->GetCount()"));
  EXPECT_FALSE(debug.Contains("i >= 0 && i < count"));  // never indexed past the links
  EXPECT_EQ(KeyCount(user.flat), 0);
  EXPECT_EQ(KeyCount(user.data), 0);
  EXPECT_EQ(KeyCount(user.tagTrack), 4);
  EXPECT_EQ(KeyCount(user.steel), 3);
}

TEST_F(CCurveListTest, ExampleSceneSavedWithFewerKeys) {
  SceneReadResult read = ReadSceneFile(std::string(THINFOLD_ROOT) + "/examples/demo.json");
  ASSERT_NE(read.document, nullptr) << read.error;
  std::unique_ptr<GeDynamicArray<CTrack*>> userTracks(PickCTracksFromTimeline(read.document.get()));
  std::vector<LONG> countsBefore;
  LONG keysBefore = 0;
  for (VLONG i = 0; i < userTracks->GetCount(); ++i) {
    countsBefore.push_back(KeyCount((*userTracks)[i]));
    keysBefore += countsBefore.back();
  }
  CCurveList list;
  ASSERT_TRUE(list.SaveTracks(read.document.get(), FALSE));
  OptimizeAll(list);
  ASSERT_TRUE(list.CopyTracks(0));
  ASSERT_TRUE(list.CopyTrackSubData());
  SceneWriteResult written = WriteSceneText(*read.document);
  ASSERT_TRUE(written.error.empty()) << written.error;

  SceneReadResult back = ReadSceneText(written.text);
  ASSERT_NE(back.document, nullptr) << back.error;
  std::unique_ptr<GeDynamicArray<CTrack*>> saved(PickCTracksFromTimeline(back.document.get()));
  ASSERT_EQ(saved->GetCount(), userTracks->GetCount());
  LONG keysAfter = 0;
  for (VLONG i = 0; i < saved->GetCount(); ++i) {
    CTrack* track = (*saved)[i];
    SCOPED_TRACE(track->GetName().ToUtf8());
    keysAfter += KeyCount(track);
    EXPECT_LE(KeyCount(track), countsBefore[size_t(i)]);
    const BaseContainer* sub = track->GetDataInstance()->GetContainerInstance(1031254);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->GetEntryCount(), 5);
    EXPECT_TRUE(sub->GetDataPointer(2000)->IsBool());
    EXPECT_TRUE(sub->GetDataPointer(2004)->IsBool());
    EXPECT_EQ(sub->GetDataPointer(2001)->GetType(), DA_REAL);
    EXPECT_EQ(sub->GetDataPointer(2002)->GetType(), DA_LONG);
    EXPECT_EQ(sub->GetDataPointer(2003)->GetType(), DA_LONG);
  }
  EXPECT_LT(keysAfter, keysBefore);
}
