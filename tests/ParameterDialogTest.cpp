// The parameter sub-dialogs, driven through the main dialog's tree and fields as a user does.
#include <gtest/gtest.h>

#include "CTrackSubData.h"
#include "ParameterDialogs.h"
#include "TrackTreeView.h"
#include "UiDialog.h"
#include "UiScene.h"

namespace {

using ParameterDialog = UiDialogTest;

const GadgetState* Field(GeDialog& dialog, LONG id) {
  const C4DGadget* gadget = standin::FindGadget(dialog, id);
  return gadget ? &gadget->GetState() : nullptr;
}

// Selects the tree lines in order (the first as a new selection) and lets the dialog follow.
void SelectLines(TreeViewCustomGui& tree, std::initializer_list<int> lines) {
  LONG mode = SELECTION_NEW;
  for (int line : lines) {
    ASSERT_TRUE(standin::SelectTreeLine(tree, line, mode));
    mode = SELECTION_ADD;
  }
  standin::ProcessEvents();
}

TEST_F(ParameterDialog, ShowsMergedValuesAndWritesToEverySelectedTrack) {
  Press(IDC_GATHER_ALL);
  SelectLines(Tree(), {0, 1});  // precisions 0.25 and 0.5, both method 0
  ASSERT_NE(Field(*dialog, IDC_PRECISION), nullptr);
  EXPECT_TRUE(Field(*dialog, IDC_PRECISION)->ambiguous);
  EXPECT_FALSE(Field(*dialog, IDC_METHOD)->ambiguous);
  EXPECT_EQ(Field(*dialog, IDC_METHOD)->value.GetLong(), 0);
  EXPECT_TRUE(Field(*dialog, IDC_QUALITY)->enabled);

  PluginMessageLog log(*dialog);
  ASSERT_TRUE(standin::EditReal(*dialog, IDC_PRECISION, 0.75));
  EXPECT_FALSE(Field(*dialog, IDC_PRECISION)->ambiguous);
  EXPECT_DOUBLE_EQ(Field(*dialog, IDC_PRECISION)->value.GetReal(), 0.75);
  for (int line : {0, 1}) {
    EXPECT_DOUBLE_EQ(Node(line)->_subdata.precision, 0.75);
    EXPECT_DOUBLE_EQ(GetCTrackSubData(Node(line)->GetTrack()).precision, 0.75);
  }
  EXPECT_DOUBLE_EQ(GetCTrackSubData(Node(4)->GetTrack()).precision, 0.5);
  // The settings event makes the dialog copy them to the user's tracks.
  standin::ProcessEvents();
  EXPECT_EQ(log.TreeEvents(), (std::vector<VULONG>{TREE_SETTINGS_CHANGED}));
  EXPECT_DOUBLE_EQ(GetCTrackSubData(UiTrack(doc.get(), 0)).precision, 0.75);
  EXPECT_DOUBLE_EQ(GetCTrackSubData(UiTrack(doc.get(), 1)).precision, 0.75);
  EXPECT_DOUBLE_EQ(GetCTrackSubData(UiTrack(doc.get(), 4)).precision, 0.5);
}

TEST_F(ParameterDialog, FollowsTheSelectionWhileItStaysShown) {
  Press(IDC_GATHER_ALL);
  SelectLines(Tree(), {0});
  SubDialog* shown = ShownSubDialog(*dialog);
  EXPECT_DOUBLE_EQ(Field(*dialog, IDC_PRECISION)->value.GetReal(), 0.25);
  SelectLines(Tree(), {1});
  EXPECT_EQ(ShownSubDialog(*dialog), shown);
  EXPECT_DOUBLE_EQ(Field(*dialog, IDC_PRECISION)->value.GetReal(), 0.5);
}

TEST_F(ParameterDialog, MethodOfTheFirstSelectedTrackDecidesAboutQuality) {
  Press(IDC_GATHER_ALL);
  SelectLines(Tree(), {0});
  ASSERT_TRUE(standin::EditLong(*dialog, IDC_METHOD, 1));
  EXPECT_FALSE(Field(*dialog, IDC_QUALITY)->enabled);
  EXPECT_EQ(GetCTrackSubData(Node(0)->GetTrack()).method, 1);
  ASSERT_TRUE(standin::EditLong(*dialog, IDC_METHOD, 0));
  EXPECT_TRUE(Field(*dialog, IDC_QUALITY)->enabled);

  // Plain.W (line 3) has method 1, Cube.X method 0: the first selected decides.
  SelectLines(Tree(), {3, 0});
  EXPECT_TRUE(Field(*dialog, IDC_METHOD)->ambiguous);
  EXPECT_FALSE(Field(*dialog, IDC_QUALITY)->enabled);
  SelectLines(Tree(), {0, 3});
  EXPECT_TRUE(Field(*dialog, IDC_QUALITY)->enabled);
}

TEST_F(ParameterDialog, QualityOffersNormalAndHighOnly) {
  Press(IDC_GATHER_ALL);
  const BaseContainer& entries = Field(*dialog, IDC_QUALITY)->children;
  ASSERT_EQ(entries.GetEntryCount(), 2);
  EXPECT_EQ(entries.GetIndexId(0), 0);
  EXPECT_EQ(entries.GetIndexId(1), 2);
  EXPECT_FALSE(standin::EditLong(*dialog, IDC_QUALITY, 1));
  ASSERT_TRUE(standin::EditLong(*dialog, IDC_QUALITY, 2));
  EXPECT_EQ(GetCTrackSubData(Node(0)->GetTrack()).quality, 2);
  EXPECT_EQ(Field(*dialog, IDC_QUALITY)->value.GetLong(), 2);
}

TEST_F(ParameterDialog, AmbiguousFieldLeftUnchangedChangesNothing) {
  Press(IDC_GATHER_ALL);
  SelectLines(Tree(), {0, 3});  // precision 0.25 and 0.5, method 0 and 1
  PluginMessageLog log(*dialog);
  for (LONG id : {IDC_PRECISION, IDC_METHOD}) {
    SCOPED_TRACE(id);
    EXPECT_TRUE(Field(*dialog, id)->ambiguous);
    EXPECT_TRUE(standin::SendCommand(*dialog, id));
    EXPECT_TRUE(Field(*dialog, id)->ambiguous);
  }
  standin::ProcessEvents();
  EXPECT_TRUE(log.TreeEvents().empty());
  EXPECT_DOUBLE_EQ(Node(0)->_subdata.precision, 0.25);
  EXPECT_EQ(GetCTrackSubData(Node(3)->GetTrack()).method, 1);
}

TEST_F(ParameterDialog, TrackThatIsGoneStopsTheEdit) {
  Press(IDC_GATHER_ALL);
  SelectLines(Tree(), {0, 4, 1});
  CTrack* gone = Node(4)->GetTrack();
  CTrack::Free(gone);
  PluginMessageLog log(*dialog);
  EXPECT_FALSE(standin::EditReal(*dialog, IDC_PRECISION, 0.9));
  EXPECT_DOUBLE_EQ(Node(0)->_subdata.precision, 0.9);
  EXPECT_DOUBLE_EQ(GetCTrackSubData(Node(0)->GetTrack()).precision, 0.9);
  EXPECT_DOUBLE_EQ(Node(4)->_subdata.precision, 0.9);
  EXPECT_DOUBLE_EQ(Node(1)->_subdata.precision, 0.5);
  EXPECT_DOUBLE_EQ(GetCTrackSubData(Node(1)->GetTrack()).precision, 0.5);
  standin::ProcessEvents();
  EXPECT_TRUE(log.TreeEvents().empty());
}

TEST_F(ParameterDialog, DataTracksAndEmptyListsShowNoFields) {
  Press(IDC_GATHER_ALL);
  SelectLines(Tree(), {2});  // Cube.Display.Mode, a data track
  EXPECT_EQ(TitleText(*dialog), "Cube.Display.Mode");
  EXPECT_NE(ShownSubDialog(*dialog), nullptr);
  EXPECT_EQ(standin::FindGadget(*dialog, IDC_PRECISION), nullptr);

  OpenOn(MakeDocument(kUiFps));
  Press(IDC_GATHER_ALL);
  SubDialog* empty = ShownSubDialog(*dialog);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(standin::FindGadget(*dialog, IDC_PRECISION), nullptr);
  EXPECT_EQ(TitleText(*dialog), "");
}

}  // namespace
