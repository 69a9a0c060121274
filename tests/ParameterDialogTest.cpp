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

void TurnHoldOff(CTrack* track) {
  CTrackSubData settings = GetCTrackSubData(track);
  settings.hold = FALSE;
  ASSERT_TRUE(SetCTrackSubData(track, settings));
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

// Hold applies to both methods: Plain.W (line 3, method 1) shows it enabled as well.
TEST_F(ParameterDialog, HoldIsMergedAndStoredAsATruthValueInEverySelectedTrack) {
  TurnHoldOff(UiTrack(doc.get(), 3));
  Press(IDC_GATHER_ALL);
  const struct Row {
    const char* name;
    std::initializer_list<int> lines;
    bool ambiguous;
    bool checked;
  } rows[] = {{"all hold", {0, 1}, false, true},
              {"one does not", {0, 3}, true, false},
              {"none holds, method 1", {3}, false, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SelectLines(Tree(), row.lines);
    ASSERT_NE(Field(*dialog, IDC_HOLD), nullptr);
    EXPECT_EQ(Field(*dialog, IDC_HOLD)->ambiguous, row.ambiguous);
    if (!row.ambiguous) {
      EXPECT_EQ(Field(*dialog, IDC_HOLD)->value.GetBool() != FALSE, row.checked);
    }
    EXPECT_TRUE(Field(*dialog, IDC_HOLD)->enabled);
  }

  SelectLines(Tree(), {0, 3});
  PluginMessageLog log(*dialog);
  ASSERT_TRUE(standin::ClickCheckbox(*dialog, IDC_HOLD));  // the ambiguous box gets checked
  ASSERT_TRUE(standin::ClickCheckbox(*dialog, IDC_HOLD));
  for (int line : {0, 3}) {
    SCOPED_TRACE(line);
    EXPECT_FALSE(Node(line)->_subdata.hold);
    const GeData* stored =
        GetCTrackSubContainerInstance(Node(line)->GetTrack())->GetDataPointer(TRACKSUBDATA_HOLD);
    ASSERT_NE(stored, nullptr);
    EXPECT_TRUE(stored->IsBool());
    EXPECT_FALSE(stored->GetBool());
  }
  EXPECT_TRUE(GetCTrackSubData(Node(1)->GetTrack()).hold);
  standin::ProcessEvents();
  EXPECT_EQ(log.TreeEvents(), (std::vector<VULONG>{TREE_SETTINGS_CHANGED, TREE_SETTINGS_CHANGED}));
  EXPECT_FALSE(GetCTrackSubData(UiTrack(doc.get(), 0)).hold);
  EXPECT_TRUE(GetCTrackSubData(UiTrack(doc.get(), 1)).hold);
}

TEST_F(ParameterDialog, AmbiguousFieldLeftUnchangedChangesNothing) {
  TurnHoldOff(UiTrack(doc.get(), 3));
  Press(IDC_GATHER_ALL);
  SelectLines(Tree(), {0, 3});  // precision 0.25 and 0.5, method 0 and 1, hold on and off
  PluginMessageLog log(*dialog);
  for (LONG id : {IDC_PRECISION, IDC_METHOD, IDC_HOLD}) {
    SCOPED_TRACE(id);
    EXPECT_TRUE(Field(*dialog, id)->ambiguous);
    EXPECT_TRUE(standin::SendCommand(*dialog, id));
    EXPECT_TRUE(Field(*dialog, id)->ambiguous);
  }
  standin::ProcessEvents();
  EXPECT_TRUE(log.TreeEvents().empty());
  EXPECT_DOUBLE_EQ(Node(0)->_subdata.precision, 0.25);
  EXPECT_EQ(GetCTrackSubData(Node(3)->GetTrack()).method, 1);
  EXPECT_TRUE(Node(0)->_subdata.hold);
  EXPECT_FALSE(GetCTrackSubData(Node(3)->GetTrack()).hold);
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
