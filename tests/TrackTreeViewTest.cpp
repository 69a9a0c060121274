// The track tree's callbacks: measures, cells, check boxes, selection, context menu and keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CBakeControlThread.h"
#include "CTrackSubData.h"
#include "TrackTreeView.h"
#include "TreeSelection.h"
#include "UiScene.h"
#include "c4d_standin.h"

namespace {

constexpr LONG kCheck = COLUMN_CHECK;
constexpr LONG kLayer = COLUMN_LAYER;
constexpr LONG kTree = COLUMN_TREE;
constexpr LONG kIcon = COLUMN_ICON;
constexpr LONG kInfo = COLUMN_INFO;
constexpr LONG kPercent = COLUMN_PERCENT;
constexpr LONG kKeysBefore = COLUMN_KEYS_BEFORE;
constexpr LONG kKeysAfter = COLUMN_KEYS_AFTER;

using Events = std::vector<VULONG>;
using Indices = std::vector<int>;

// The tree's core events (second parameters of MSG_TREE), in posting order.
class TreeEventLog : public CoreMessageReceiver {
 public:
  TreeEventLog() {
    standin::ProcessEvents();
    standin::RegisterCoreMessageReceiver(this);
  }
  ~TreeEventLog() override { standin::UnregisterCoreMessageReceiver(this); }
  Bool CoreMessage(LONG id, const BaseContainer& msg) override {
    if (id == ID_THINFOLD && GetCoreMessageParam(msg, BFM_CORE_PAR1) == MSG_TREE)
      _events.push_back(GetCoreMessageParam(msg, BFM_CORE_PAR2));
    return TRUE;
  }
  Events Take() {
    standin::ProcessEvents();
    Events taken;
    taken.swap(_events);
    return taken;
  }

 private:
  Events _events;
};

BaseContainer KeyMessage(LONG key, LONG qualifier) {
  BaseContainer msg(BFM_INPUT);
  msg.SetLong(BFM_INPUT_DEVICE, BFM_INPUT_KEYBOARD);
  msg.SetLong(BFM_INPUT_CHANNEL, key);
  msg.SetLong(BFM_INPUT_QUALIFIER, qualifier);
  return msg;
}

class TrackTreeView : public ::testing::Test {
 protected:
  void SetUp() override {
    InitModelResources();
    ASSERT_TRUE(curveList.SaveTracks(doc.get(), 0));
    for (CTreeListObj* o = root()->_children.GetFirst(); o; o = o->GetNext())
      nodes.push_back(static_cast<TreeListNode*>(o));
    ASSERT_EQ(nodes.size(), 5u);
  }
  TreeListNode* root() { return curveList.GetListRoot(); }
  TreeListData* data() { return curveList.GetListArgs(); }
  void SelectIndices(const Indices& indices) {
    data()->Free();
    for (int i : indices) data()->Push(nodes[i]);
  }
  Indices Selection() {
    Indices indices;
    for (VLONG i = 0; i < data()->GetCount(); ++i)
      for (size_t n = 0; n < nodes.size(); ++n)
        if ((*data())[i] == nodes[n]) indices.push_back(static_cast<int>(n));
    return indices;
  }
  // Active flags of the nodes' copies and of the tracks' settings, which must agree.
  std::vector<Bool> ActiveFlags() {
    std::vector<Bool> flags;
    for (TreeListNode* node : nodes) {
      EXPECT_EQ(node->_subdata.active, GetCTrackSubData(node->GetTrack()).active)
          << node->_name.ToUtf8();
      flags.push_back(node->_subdata.active);
    }
    return flags;
  }
  std::vector<DrawCall> Draw(TreeListNode* node, LONG col, LONG x, LONG y, LONG w, LONG h) {
    area.ClearDrawing();
    DrawInfo info{&area, 0, x, y, w, h};
    functable.DrawCell(root(), data(), node, col, &info, GeData(COLOR_BGSELECTED));
    return area.GetDrawCalls();
  }

  ModelDoc doc = MakeUiScene();
  CCurveList curveList;
  std::vector<TreeListNode*> nodes;
  GeUserArea area;
};

TEST_F(TrackTreeView, ColumnWidthsFollowTheirWidestContent) {
  const LONG four = area.DrawGetTextWidth(String("8888"));
  const LONG six = area.DrawGetTextWidth(String("888888"));
  const LONG seven = area.DrawGetTextWidth(String("8888888"));
  const LONG font = area.DrawGetFontHeight();
  const LONG info = area.DrawGetTextWidth(String("888888888888888888888888"));
  struct Row {
    LONG col;
    LONG width;
    LONG header;
  };
  const Row rows[] = {
      {kCheck, four + 12, four + 4},     {kLayer, font + 4, four + 4},
      {kTree, four + 12, four + 4},      {kIcon, font + 4, four + 4},
      {kInfo, info + 12, four + 4},      {kPercent, six + 12, seven + 4},
      {kKeysAfter, six + 12, seven + 4}, {FourCharId('d', 'r', 't', 'x'), six + 12, seven + 4}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.col);
    EXPECT_EQ(functable.GetColumnWidth(root(), data(), nodes[0], row.col, &area), row.width);
    EXPECT_EQ(functable.GetHeaderColumnWidth(root(), data(), row.col, &area), row.header);
    EXPECT_EQ(functable.GetColumnWidth(root(), data(), nodes[0], row.col, nullptr), 0);
    EXPECT_EQ(functable.GetHeaderColumnWidth(root(), data(), row.col, nullptr), 0);
  }
  EXPECT_EQ(functable.GetLineHeight(root(), data(), nodes[0], kTree, &area), font);
  EXPECT_EQ(functable.GetLineHeight(root(), data(), nodes[0], kTree, nullptr), 0);
}

TEST_F(TrackTreeView, NumberCellsCentreTheirTextOnAWideBackground) {
  // A 40-pixel cell: the text starts (40 - 24) / 2 = 8 pixels in; the background reaches
  // 12 pixels past the cell's right edge.
  std::vector<DrawCall> calls = Draw(nodes[0], kKeysBefore, 100, 20, 40, 16);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[1].op, DRAWOP_RECTANGLE);
  EXPECT_EQ((std::vector<LONG>{calls[1].x1, calls[1].y1, calls[1].x2, calls[1].y2}),
            (std::vector<LONG>{100, 20, 152, 36}));
  EXPECT_EQ(calls[1].colour, GeData(COLOR_BGSELECTED));
  EXPECT_EQ(calls[2].op, DRAWOP_TEXT);
  EXPECT_EQ(calls[2].text.ToUtf8(), "90");
  EXPECT_EQ((std::vector<LONG>{calls[2].x1, calls[2].y1}), (std::vector<LONG>{108, 20}));

  // A tall cell centres vertically too.
  calls = Draw(nodes[0], kPercent, 0, 0, 40, 40);
  EXPECT_EQ(calls.back().text.ToUtf8(), "0%");
  EXPECT_EQ((std::vector<LONG>{calls.back().x1, calls.back().y1}), (std::vector<LONG>{8, 8}));
  curveList[0]->SetPercentField(42);
  EXPECT_EQ(Draw(nodes[0], kPercent, 0, 0, 40, 40).back().text.ToUtf8(), "42%");
  EXPECT_EQ(Draw(nodes[0], kKeysAfter, 0, 0, 40, 40).back().text.ToUtf8(), "0");
}

TEST_F(TrackTreeView, CellsOfANodeWithoutKeyListShowTheirBackgroundOnly) {
  TreeListNode* bare = root();  // the root has no key list and no links
  for (LONG col : {kPercent, kKeysAfter}) {
    const std::vector<DrawCall> calls = Draw(bare, col, 0, 0, 40, 16);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].op, DRAWOP_RECTANGLE);
  }
  for (LONG col : {kInfo, kIcon, kLayer}) EXPECT_TRUE(Draw(bare, col, 0, 0, 40, 16).empty());
}

TEST_F(TrackTreeView, LayerCellShowsABarInTheLayerColour) {
  // The 12-pixel box centred in 20 x 20 starts at (14, 34): the bar reaches from 4 pixels left
  // to 4 pixels right of its left edge, 2 pixels inside its top and bottom.
  const std::vector<DrawCall> calls = Draw(nodes[0], kLayer, 10, 30, 20, 20);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].op, DRAWOP_RECTANGLE);
  EXPECT_EQ((std::vector<LONG>{calls[1].x1, calls[1].y1, calls[1].x2, calls[1].y2}),
            (std::vector<LONG>{10, 36, 18, 44}));
  EXPECT_EQ(calls[1].colour, GeData(Vector(kLayerRed, kLayerGreen, kLayerBlue)));
  // Plain is on no layer.
  EXPECT_TRUE(Draw(nodes[3], kLayer, 10, 30, 20, 20).empty());
}

TEST_F(TrackTreeView, IconAndInfoCellsShowTheKeyListsState) {
  std::vector<DrawCall> calls = Draw(nodes[1], kIcon, 50, 0, 20, 20);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].op, DRAWOP_BITMAP);
  EXPECT_EQ((std::vector<LONG>{calls[1].x1, calls[1].y1, calls[1].x2, calls[1].y2}),
            (std::vector<LONG>{54, 4, 12, 12}));
  EXPECT_EQ(calls[1].flags, 769);
  ASSERT_NE(calls[1].bitmap, nullptr);
  EXPECT_EQ(calls[1].bitmap->GetBw(), 32);

  curveList[1]->SetTextField(String("Reduced"));
  calls = Draw(nodes[1], kInfo, 7, 9, 100, 16);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].text.ToUtf8(), "Reduced");
  EXPECT_EQ((std::vector<LONG>{calls[0].x1, calls[0].y1}), (std::vector<LONG>{7, 9}));
}

TEST_F(TrackTreeView, HeaderCellsAreBevelledWithTheirTitle) {
  struct Row {
    LONG col;
    const char* title;
  };
  const Row rows[] = {{kCheck, "On"},
                      {kTree, "Track"},
                      {kKeysBefore, "Before"},
                      {FourCharId('x', 'x', 'x', 'x'), ""}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.title);
    area.ClearDrawing();
    DrawInfo info{&area, -1, 10, 0, 50, 20};
    EXPECT_TRUE(functable.DrawHeaderCell(root(), data(), row.col, &info));
    const std::vector<DrawCall>& calls = area.GetDrawCalls();
    std::vector<DrawCall> text, rects, lines;
    for (const DrawCall& c : calls) {
      if (c.op == DRAWOP_TEXT) text.push_back(c);
      if (c.op == DRAWOP_RECTANGLE) rects.push_back(c);
      if (c.op == DRAWOP_LINE) lines.push_back(c);
    }
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].text.ToUtf8(), row.title);
    EXPECT_EQ(text[0].x1, 10 + 13);
    EXPECT_EQ(text[0].colour, GeData(COLOR_TEXT));
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ((std::vector<LONG>{rects[0].x2, rects[0].y2}), (std::vector<LONG>{59, 19}));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].colour, GeData(COLOR_EDGELT));
    EXPECT_EQ(lines[3].colour, GeData(COLOR_EDGEDK));
    EXPECT_EQ((std::vector<LONG>{lines[3].x1, lines[3].y1, lines[3].x2, lines[3].y2}),
              (std::vector<LONG>{10, 19, 59, 19}));
  }
}

TEST_F(TrackTreeView, CheckBoxesShowAndWriteTheActiveFlag) {
  TreeEventLog log;
  EXPECT_EQ(functable.IsChecked(root(), data(), nodes[0], kCheck), 3);
  functable.SetCheck(root(), data(), nodes[0], kCheck, FALSE, BaseContainer());
  EXPECT_EQ(functable.IsChecked(root(), data(), nodes[0], kCheck), 1);
  EXPECT_FALSE(GetCTrackSubData(nodes[0]->GetTrack()).active);
  // The same state again changes nothing and tells nobody.
  functable.SetCheck(root(), data(), nodes[0], kCheck, FALSE, BaseContainer());
  EXPECT_EQ(log.Take(), (Events{TREE_SETTINGS_CHANGED}));

  // A node whose track is gone hides its check box; a check changes its copy only.
  CTrack* gone = curveList.GetTrack(nodes[4]);
  CTrack::Free(gone);
  EXPECT_EQ(functable.IsChecked(root(), data(), nodes[4], kCheck), 8);
  functable.SetCheck(root(), data(), nodes[4], kCheck, FALSE, BaseContainer());
  EXPECT_FALSE(nodes[4]->_subdata.active);
  EXPECT_EQ(functable.IsChecked(root(), data(), root(), kCheck), 8);
}

TEST_F(TrackTreeView, SelectKeepsEveryNodeOnce) {
  struct Row {
    const char* name;
    Indices before;
    int node;
    LONG mode;
    Indices after;
  };
  const Row rows[] = {
      {"new selection", {0, 1}, 3, SELECTION_NEW, {3}},
      {"add", {0}, 2, SELECTION_ADD, {0, 2}},
      {"add a selected node", {0, 2}, 0, SELECTION_ADD, {0, 2}},
      {"remove the only node", {1}, 1, SELECTION_SUB, {1}},
      {"remove one of two", {1, 3}, 1, SELECTION_SUB, {3}},
      {"remove an unselected node", {1, 3}, 2, SELECTION_SUB, {1, 3}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SelectIndices(row.before);
    functable.Select(root(), data(), nodes[row.node], row.mode);
    EXPECT_EQ(Selection(), row.after);
  }
  functable.Select(root(), data(), nullptr, SELECTION_NEW);
  functable.Select(root(), nullptr, nodes[0], SELECTION_NEW);
  EXPECT_EQ(Selection(), (Indices{1, 3}));
}

TEST_F(TrackTreeView, SelectedLinesAreReported) {
  TreeEventLog log;
  SelectIndices({2});
  EXPECT_TRUE(functable.IsSelected(root(), data(), nodes[2]));
  EXPECT_FALSE(functable.IsSelected(root(), data(), nodes[1]));
  EXPECT_EQ(log.Take(), (Events{TREE_SELECTED_ASKED}));
}

TEST_F(TrackTreeView, ContextMenuOffersItsCommandsInTheTreeColumnOnly) {
  BaseContainer menu;
  menu.SetString(4711, String("stale"));
  functable.CreateContextMenu(root(), data(), nodes[0], kIcon, &menu);
  EXPECT_EQ(menu.GetEntryCount(), 0);
  functable.CreateContextMenu(root(), data(), nodes[0], kTree, &menu);
  ASSERT_EQ(menu.GetEntryCount(), 4);
  EXPECT_EQ((std::vector<LONG>{menu.GetIndexId(0), menu.GetIndexId(1), menu.GetIndexId(2),
                               menu.GetIndexId(3)}),
            (std::vector<LONG>{900010, 0, 900011, 900012}));
  EXPECT_EQ(menu.GetString(0).ToUtf8(), "");
  EXPECT_EQ(menu.GetString(900012).ToUtf8(), "Activate selection only");
}

TEST_F(TrackTreeView, ContextMenuCommandsSelectAndActivate) {
  TreeEventLog log;
  SelectIndices({1, 3});
  EXPECT_TRUE(functable.ContextMenuCall(root(), data(), nodes[1], kTree, 900012));
  EXPECT_EQ(ActiveFlags(), (std::vector<Bool>{FALSE, TRUE, FALSE, TRUE, FALSE}));
  EXPECT_EQ(log.Take(), (Events{TREE_SETTINGS_CHANGED}));

  EXPECT_TRUE(functable.ContextMenuCall(root(), data(), nodes[1], kTree, 900011));
  EXPECT_EQ(ActiveFlags(), (std::vector<Bool>(5, TRUE)));
  EXPECT_EQ(log.Take(), (Events{TREE_SETTINGS_CHANGED}));

  // Select all over a selection adds every other track once.
  SelectIndices({2});
  EXPECT_TRUE(functable.ContextMenuCall(root(), data(), nodes[1], kTree, 900010));
  EXPECT_EQ(Selection(), (Indices{2, 0, 1, 3, 4}));
  EXPECT_EQ(GetSelectionString(*data()).ToUtf8(),
            "5 tracks [Cube.Display.Mode,Cube.X,...,Steel.Shine]");
  EXPECT_TRUE(log.Take().empty());

  EXPECT_TRUE(functable.ContextMenuCall(root(), data(), nodes[1], kIcon, 900012));
  EXPECT_EQ(ActiveFlags(), (std::vector<Bool>(5, TRUE)));
  EXPECT_FALSE(functable.ContextMenuCall(root(), nullptr, nodes[1], kTree, 900012));
}

TEST_F(TrackTreeView, KeysMoveTheSelection) {
  struct Row {
    const char* name;
    Indices before;
    LONG key;
    LONG qualifier;
    Bool answer;
    Indices after;
    Events events;
  };
  const Events moved{TREE_SELECTION_CHANGED, TREE_MAKE_VISIBLE, TREE_REDRAW_LINES};
  const Row rows[] = {
      {"down", {1}, KEY_DOWN, 0, TRUE, {2}, moved},
      {"up", {1}, KEY_UP, 0, TRUE, {0}, moved},
      {"shift down grows", {0, 1}, KEY_DOWN, QSHIFT, TRUE, {0, 1, 2}, moved},
      {"shift up shrinks", {0, 1, 2}, KEY_UP, QSHIFT, TRUE, {0, 1}, moved},
      {"up onto a selected node keeps the last", {1, 2}, KEY_UP, 0, TRUE, {2}, moved},
      {"shift up towards an unselected node", {2}, KEY_UP, QSHIFT, TRUE, {2, 1}, moved},
      {"down at the end", {4}, KEY_DOWN, 0, FALSE, {4}, {}},
      {"shift down at the end", {3, 4}, KEY_DOWN, QSHIFT, FALSE, {3, 4}, {}},
      {"up at the start", {0}, KEY_UP, 0, FALSE, {0}, {}},
      {"no selection", {}, KEY_DOWN, 0, FALSE, {}, {}},
      {"another key", {1}, 'A', 0, TRUE, {1}, {TREE_REDRAW_LINES}},
  };
  TreeEventLog log;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SelectIndices(row.before);
    EXPECT_EQ(functable.InputEvent(root(), data(), &area, KeyMessage(row.key, row.qualifier)),
              row.answer);
    EXPECT_EQ(Selection(), row.after);
    EXPECT_EQ(log.Take(), row.events);
  }
}

TEST_F(TrackTreeView, ShiftStepBackAfterReselectingDropsTheNode) {
  SelectIndices({0});
  for (int i : {1, 2, 1}) functable.Select(root(), data(), nodes[i], SELECTION_ADD);
  EXPECT_EQ(GetSelectionString(*data()).ToUtf8(), "3 tracks [Cube.X,Cube.Y,Cube.Display.Mode]");
  functable.InputEvent(root(), data(), &area, KeyMessage(KEY_UP, QSHIFT));
  EXPECT_EQ(Selection(), (Indices{0, 1}));
  functable.InputEvent(root(), data(), &area, KeyMessage(KEY_UP, QSHIFT));
  EXPECT_EQ(Selection(), (Indices{0}));
}

TEST_F(TrackTreeView, EnterActivatesTheSelectionOnly) {
  TreeEventLog log;
  SelectIndices({1, 3});
  EXPECT_TRUE(functable.InputEvent(root(), data(), &area, KeyMessage(KEY_ENTER, 0)));
  EXPECT_EQ(ActiveFlags(), (std::vector<Bool>{FALSE, TRUE, FALSE, TRUE, FALSE}));
  EXPECT_EQ(log.Take(), (Events{TREE_SELECTION_CHANGED, TREE_SETTINGS_CHANGED, TREE_REDRAW_LINES}));
  // Mouse input is left to the host.
  BaseContainer mouse(BFM_INPUT);
  mouse.SetLong(BFM_INPUT_DEVICE, BFM_INPUT_MOUSE);
  mouse.SetLong(BFM_INPUT_CHANNEL, BFM_INPUT_MOUSELEFT);
  EXPECT_TRUE(functable.InputEvent(root(), data(), &area, mouse));
  EXPECT_TRUE(log.Take().empty());
}

TEST_F(TrackTreeView, SelectionStringNamesFirstSecondAndLast) {
  struct Row {
    Indices selection;
    const char* text;
  };
  const Row rows[] = {
      {{}, ""},
      {{0}, "Cube.X"},
      {{0, 1}, "2 tracks [Cube.X,Cube.Y]"},
      {{3, 0, 4}, "3 tracks [Plain.W,Cube.X,Steel.Shine]"},
      {{0, 1, 2, 3}, "4 tracks [Cube.X,Cube.Y,...,Plain.W]"},
      {{0, 1, 2, 3, 4}, "5 tracks [Cube.X,Cube.Y,...,Steel.Shine]"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    SelectIndices(row.selection);
    EXPECT_EQ(GetSelectionString(*data()).ToUtf8(), row.text);
    EXPECT_EQ(GetFirstSelected(*data()),
              row.selection.empty() ? nullptr : nodes[row.selection.front()]);
    EXPECT_EQ(GetLastSelected(*data()),
              row.selection.empty() ? nullptr : nodes[row.selection.back()]);
  }
}

}  // namespace
