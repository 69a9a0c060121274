// The tree view of the headless host: it walks a caller's tree through the callbacks, measures
// and draws it, and hands the user's clicks, menus and keys to the callbacks.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "c4d.h"
#include "c4d_standin_gui.h"

namespace {

const LONG kCheck = FourCharId('c', 'h', 'c', 'k');
const LONG kTree = FourCharId('t', 'r', 'e', 'e');
const LONG kInfo = FourCharId('i', 'n', 'f', 'o');
constexpr LONG kHeaderWidth = 30;

using Log = std::vector<std::string>;

struct Node {
  std::string name;
  Node* next = nullptr;
  Node* pred = nullptr;
  Node* down = nullptr;
  Bool opened = FALSE;
  LONG checkState = LV_CHECKBOX_ENABLED;
  Bool selected = FALSE;
};

// A small tree: A, B (with children B1 and B2, folded), C.
struct Forest {
  Forest() {
    for (const char* name : {"A", "B", "C", "B1", "B2"})
      nodes.push_back(std::make_unique<Node>(Node{name}));
    Link(0, 1);
    Link(1, 2);
    Link(3, 4);
    nodes[1]->down = Get("B1");
  }
  void Link(size_t first, size_t second) {
    nodes[first]->next = nodes[second].get();
    nodes[second]->pred = nodes[first].get();
  }
  Node* Get(const std::string& name) {
    for (auto& node : nodes)
      if (node->name == name) return node.get();
    return nullptr;
  }
  std::vector<std::unique_ptr<Node>> nodes;
  Log log;
  std::vector<DrawInfo> cells;
  std::vector<BaseContainer> inputs;
  Bool takeClicks = FALSE;
};

Node* AsNode(void* obj) { return static_cast<Node*>(obj); }
Forest* AsForest(void* data) { return static_cast<Forest*>(data); }
std::string NameOf(void* obj) { return obj ? AsNode(obj)->name : "-"; }

class TestFunctions : public TreeViewFunctions {
 public:
  void* GetFirst(void* root, void*) override { return static_cast<Forest*>(root)->nodes[0].get(); }
  void* GetDown(void*, void*, void* obj) override { return AsNode(obj)->down; }
  void* GetNext(void*, void*, void* obj) override { return AsNode(obj)->next; }
  void* GetPred(void*, void*, void* obj) override { return AsNode(obj)->pred; }
  LONG GetColumnWidth(void*, void*, void* obj, LONG col, GeUserArea* area) override {
    return col == kInfo ? area->DrawGetTextWidth(String(AsNode(obj)->name.c_str())) + 10 : 0;
  }
  LONG GetHeaderColumnWidth(void*, void*, LONG col, GeUserArea*) override {
    return col == kInfo ? kHeaderWidth : 0;
  }
  LONG GetLineHeight(void*, void*, void*, LONG, GeUserArea* area) override {
    return area->DrawGetFontHeight() + 2;
  }
  void DrawCell(void*, void* data, void* obj, LONG, DrawInfo* info, const GeData& bg) override {
    AsForest(data)->cells.push_back(*info);
    info->frame->DrawSetPen(bg);
    info->frame->DrawRectangle(info->xpos, info->ypos, info->xpos + info->width - 1,
                               info->ypos + info->height - 1);
    info->frame->DrawText(String(("<" + AsNode(obj)->name + ">").c_str()), info->xpos, info->ypos);
  }
  Bool DrawHeaderCell(void*, void*, LONG col, DrawInfo* info) override {
    if (col != kInfo) return FALSE;
    info->frame->DrawText(String("Info"), info->xpos, info->ypos);
    return TRUE;
  }
  Bool IsSelected(void*, void*, void* obj) override { return AsNode(obj)->selected; }
  Bool IsOpened(void*, void*, void* obj) override { return AsNode(obj)->opened; }
  String GetName(void*, void*, void* obj) override { return String(AsNode(obj)->name.c_str()); }
  VLONG GetId(void*, void*, void* obj) override { return reinterpret_cast<VLONG>(obj); }
  LONG GetDragType(void*, void*, void*) override { return -1; }
  LONG IsChecked(void*, void*, void* obj, LONG) override { return AsNode(obj)->checkState; }
  void Open(void*, void* data, void* obj, Bool onoff) override {
    AsNode(obj)->opened = onoff;
    AsForest(data)->log.push_back("Open " + NameOf(obj) + " " + std::to_string(onoff));
  }
  void Select(void*, void* data, void* obj, LONG mode) override {
    AsForest(data)->log.push_back("Select " + NameOf(obj) + " " + std::to_string(mode));
  }
  void SetCheck(void*, void* data, void* obj, LONG, Bool checked, const BaseContainer&) override {
    AsForest(data)->log.push_back("SetCheck " + NameOf(obj) + " " + std::to_string(checked));
  }
  void CreateContextMenu(void*, void*, void*, LONG col, BaseContainer* menu) override {
    if (col != kTree) return;
    menu->SetString(900010, String("Select all"));
    menu->SetString(0, String());
    menu->SetString(900011, String("Activate all"));
  }
  Bool InputEvent(void*, void* data, GeUserArea* area, const BaseContainer& msg) override {
    AsForest(data)->inputs.push_back(msg);
    return area && msg.GetLong(BFM_INPUT_DEVICE) == BFM_INPUT_KEYBOARD;
  }
  Bool MouseDown(void*, void* data, void*, LONG, MouseInfo*, Bool) override {
    return AsForest(data)->takeClicks;
  }
  void SelectionChanged(void*, void* data) override {
    AsForest(data)->log.push_back("SelectionChanged");
  }
  Bool ContextMenuCall(void*, void* data, void* obj, LONG col, LONG command) override {
    AsForest(data)->log.push_back("Menu " + NameOf(obj) + " " + std::to_string(col == kTree) + " " +
                                  std::to_string(command));
    return TRUE;
  }
};

BaseContainer Columns() {
  BaseContainer layout;
  layout.SetLong(kCheck, LV_CHECKBOX);
  layout.SetLong(kTree, LV_TREE);
  layout.SetLong(kInfo, LV_USER);
  return layout;
}

class GuiTreeView : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tree.SetLayout(3, Columns()));
    tree.SetRoot(&forest, &functions, &forest);
  }
  std::vector<std::string> LineNames() {
    std::vector<std::string> names;
    tree.Paint();
    for (const TreeViewLine& line : tree.GetLines())
      names.push_back(NameOf(line.object) + "@" + std::to_string(line.depth));
    return names;
  }
  Forest forest;
  TestFunctions functions;
  TreeViewCustomGui tree{1, BaseContainer()};
};

TEST(GuiTreeViewLayout, RefusesBadColumnLayouts) {
  struct Row {
    const char* name;
    LONG count;
    std::vector<std::pair<LONG, LONG>> columns;
    Bool accepted;
  };
  const Row rows[] = {
      {"three columns", 3, {{1, LV_CHECKBOX}, {2, LV_TREE}, {3, LV_USER}}, TRUE},
      {"count differs", 2, {{1, LV_CHECKBOX}, {2, LV_TREE}, {3, LV_USER}}, FALSE},
      {"unknown type", 1, {{1, FourCharId('s', 'l', 'i', 'd')}}, FALSE},
      {"two tree columns", 2, {{1, LV_TREE}, {2, LV_TREE}}, FALSE},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TreeViewCustomGui tree(1, BaseContainer());
    BaseContainer layout;
    for (const auto& [id, type] : row.columns) layout.SetLong(id, type);
    EXPECT_EQ(tree.SetLayout(row.count, layout), row.accepted);
    EXPECT_EQ(tree.GetColumnCount(), row.accepted ? row.count : 0);
  }
}

TEST_F(GuiTreeView, WalksOnlyOpenedBranches) {
  EXPECT_EQ(LineNames(), (std::vector<std::string>{"A@0", "B@0", "C@0"}));
  EXPECT_TRUE(standin::ToggleTreeLine(tree, 1));
  EXPECT_EQ(forest.log, Log{"Open B 1"});
  EXPECT_EQ(LineNames(), (std::vector<std::string>{"A@0", "B@0", "B1@1", "B2@1", "C@0"}));
  EXPECT_FALSE(standin::ToggleTreeLine(tree, 0));  // A has no children
  EXPECT_FALSE(standin::ToggleTreeLine(tree, 9));
}

TEST_F(GuiTreeView, ColumnsAreAsWideAsTheirWidestCell) {
  GeUserArea& area = tree.Paint();
  area.ResetDrawState();
  LONG expected = kHeaderWidth;
  for (const char* name : {"A", "B", "C"})
    expected = std::max(expected, area.DrawGetTextWidth(String(name)) + 10);
  EXPECT_EQ(tree.GetColumnWidths()[2], expected);
  EXPECT_EQ(tree.GetColumnWidths()[0], 16);  // the host's check box
  EXPECT_TRUE(tree.SetColumnWidthUser(kInfo, 200));
  EXPECT_TRUE(tree.SetColumnWidthUser(1, 150));  // a position: the tree column
  tree.Paint();
  EXPECT_EQ(tree.GetColumnWidths()[2], 200);
  EXPECT_EQ(tree.GetColumnWidths()[1], 150);
  EXPECT_TRUE(tree.SetColumnWidthUser(kInfo, 0));
  tree.Paint();
  EXPECT_EQ(tree.GetColumnWidths()[2], expected);
  EXPECT_FALSE(tree.SetColumnWidthUser(FourCharId('n', 'o', 'n', 'e'), 10));
}

TEST_F(GuiTreeView, UserCellsAreDrawnIntoTheirRectangles) {
  forest.Get("B")->selected = TRUE;
  GeUserArea& area = tree.Paint();
  const std::vector<LONG>& widths = tree.GetColumnWidths();
  ASSERT_EQ(forest.cells.size(), 3u);
  const LONG lineHeight = area.DrawGetFontHeight() + 2;
  for (LONG line = 0; line < 3; ++line) {
    SCOPED_TRACE(line);
    const DrawInfo& cell = forest.cells[line];
    EXPECT_EQ(cell.xpos, widths[0] + widths[1]);
    EXPECT_EQ(cell.ypos, tree.GetHeaderHeight() + line * lineHeight);
    EXPECT_EQ(cell.width, widths[2]);
    EXPECT_EQ(cell.height, lineHeight);
    std::vector<DrawCall> rectangles;
    for (const DrawCall& call : area.GetDrawCalls())
      if (call.line == line && call.column == kInfo && call.op == DRAWOP_RECTANGLE)
        rectangles.push_back(call);
    ASSERT_EQ(rectangles.size(), 1u);
    EXPECT_EQ(rectangles[0].x1, cell.xpos);
    EXPECT_EQ(rectangles[0].y2, cell.ypos + lineHeight - 1);
    EXPECT_EQ(rectangles[0].colour.GetLong(), line == 1 ? COLOR_BGSELECTED : COLOR_BG);
  }
  EXPECT_EQ(standin::GetTreeCellText(tree, 1, kInfo).ToUtf8(), "<B>");
  EXPECT_EQ(standin::GetTreeCellText(tree, 2, kTree).ToUtf8(), "C");
  EXPECT_EQ(standin::GetTreeCellText(tree, -1, kInfo).ToUtf8(), "Info");
}

TEST_F(GuiTreeView, HostDrawsHeadersTheCallbacksLeaveToIt) {
  GeUserArea& area = tree.Paint();
  LONG hostRectangles = 0, infoRectangles = 0;
  for (const DrawCall& call : area.GetDrawCalls()) {
    if (call.line != -1 || call.op != DRAWOP_RECTANGLE) continue;
    if (call.column == kInfo) ++infoRectangles;
    if (call.column == kTree && call.colour.GetLong() == COLOR_BG) ++hostRectangles;
  }
  EXPECT_EQ(hostRectangles, 1);
  EXPECT_EQ(infoRectangles, 0);
}

TEST_F(GuiTreeView, CheckBoxesFollowIsChecked) {
  forest.Get("A")->checkState = LV_CHECKBOX_ENABLED | LV_CHECKBOX_CHECKED;
  forest.Get("C")->checkState = LV_CHECKBOX_HIDE;
  GeUserArea& area = tree.Paint();
  auto callsIn = [&area](LONG line) {
    LONG count = 0;
    for (const DrawCall& call : area.GetDrawCalls())
      if (call.line == line && call.column == kCheck) ++count;
    return count;
  };
  EXPECT_GT(callsIn(0), callsIn(1));  // the tick
  EXPECT_GT(callsIn(1), 0);
  EXPECT_EQ(callsIn(2), 0);
  EXPECT_TRUE(standin::ClickTreeCell(tree, 0, kCheck));
  EXPECT_TRUE(standin::ClickTreeCell(tree, 1, kCheck));
  EXPECT_TRUE(standin::CheckTreeCell(tree, 1, kCheck, FALSE));
  EXPECT_FALSE(standin::CheckTreeCell(tree, 2, kCheck, TRUE));
  EXPECT_FALSE(standin::CheckTreeCell(tree, 1, kInfo, TRUE));
  EXPECT_EQ(forest.log, (Log{"SetCheck A 0", "SetCheck B 1", "SetCheck B 0"}));
  // A click where no check box shows selects the line instead.
  forest.log.clear();
  EXPECT_TRUE(standin::ClickTreeCell(tree, 2, kCheck));
  EXPECT_EQ(forest.log, (Log{"Select C 0", "SelectionChanged"}));
}

TEST_F(GuiTreeView, ClicksSelectWithTheModeOfTheirKeys) {
  struct Row {
    const char* name;
    LONG qualifier;
    Bool alreadySelected;
    std::string expected;
  };
  const Row rows[] = {
      {"plain click", 0, FALSE, "Select B 0"},
      {"shift click", QSHIFT, FALSE, "Select B 1"},
      {"ctrl click on a selected line", QCTRL, TRUE, "Select B 2"},
      {"ctrl click on another line", QCTRL, FALSE, "Select B 1"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    forest.log.clear();
    forest.Get("B")->selected = row.alreadySelected;
    EXPECT_TRUE(standin::ClickTreeCell(tree, 1, kTree, row.qualifier));
    EXPECT_EQ(forest.log, (Log{row.expected, "SelectionChanged"}));
  }
  forest.log.clear();
  EXPECT_FALSE(standin::ClickTreeCell(tree, 3, kTree));
  forest.takeClicks = TRUE;
  EXPECT_TRUE(standin::ClickTreeCell(tree, 1, kTree));
  EXPECT_TRUE(forest.log.empty());
}

TEST_F(GuiTreeView, ContextMenuCarriesOnlyItsOwnCommands) {
  const BaseContainer menu = standin::OpenTreeContextMenu(tree, 0, kTree);
  EXPECT_EQ(menu.GetEntryCount(), 3);
  EXPECT_EQ(menu.GetString(900010).ToUtf8(), "Select all");
  EXPECT_EQ(standin::OpenTreeContextMenu(tree, 0, kInfo).GetEntryCount(), 0);
  EXPECT_TRUE(standin::ChooseTreeContextMenu(tree, 2, kTree, 900011));
  EXPECT_FALSE(standin::ChooseTreeContextMenu(tree, 2, kTree, 4711));
  EXPECT_FALSE(standin::ChooseTreeContextMenu(tree, 2, kTree, 0));  // the separator
  EXPECT_FALSE(standin::ChooseTreeContextMenu(tree, 2, kInfo, 900011));
  // Below the last line the menu is made for no object.
  EXPECT_TRUE(standin::ChooseTreeContextMenu(tree, 7, kTree, 900010));
  EXPECT_EQ(forest.log, (Log{"Menu C 1 900011", "Menu - 1 900010"}));
}

// An action finds its line in the tree as it stands, but draws nothing: a tree of many lines
// would otherwise be drawn whole for every click.
TEST_F(GuiTreeView, ActionsFindTheirLinesWithoutPainting) {
  tree.Paint();
  const std::size_t cellsDrawn = forest.cells.size();
  EXPECT_TRUE(standin::ToggleTreeLine(tree, 1));
  EXPECT_TRUE(standin::ClickTreeCell(tree, 2, kTree));
  EXPECT_TRUE(standin::SelectTreeLine(tree, 3, SELECTION_ADD));
  EXPECT_TRUE(standin::CheckTreeCell(tree, 4, kCheck, TRUE));
  EXPECT_TRUE(standin::ChooseTreeContextMenu(tree, 4, kTree, 900010));
  EXPECT_EQ(forest.log, (Log{"Open B 1", "Select B1 0", "SelectionChanged", "Select B2 1",
                             "SelectionChanged", "SetCheck C 1", "Menu C 1 900010"}));
  EXPECT_EQ(forest.cells.size(), cellsDrawn);
  EXPECT_EQ(standin::GetTreeCellText(tree, 2, kTree).ToUtf8(), "C");  // as last painted
}

TEST_F(GuiTreeView, KeysArriveAsInputContainers) {
  EXPECT_EQ(BFM_INPUT_DEVICE, 0x69706476);  // "ipdv"
  EXPECT_TRUE(standin::SendTreeKey(tree, KEY_DOWN, QSHIFT));
  BaseContainer mouse(BFM_INPUT);
  mouse.SetLong(BFM_INPUT_DEVICE, BFM_INPUT_MOUSE);
  EXPECT_FALSE(standin::SendTreeInput(tree, mouse));
  ASSERT_EQ(forest.inputs.size(), 2u);
  const BaseContainer& key = forest.inputs[0];
  EXPECT_EQ(key.GetId(), BFM_INPUT);
  EXPECT_EQ(key.GetLong(BFM_INPUT_DEVICE), FourCharId('k', 'e', 'y', 'b'));
  EXPECT_EQ(key.GetLong(FourCharId('i', 'p', 'c', 'a')), 61825);
  EXPECT_EQ(key.GetLong(FourCharId('i', 'p', 'q', 'a')), 1);
}

// A dialog holding only a tree view, low enough to scroll.
class TreeDialog : public GeDialog {
 public:
  Bool CreateLayout() override {
    return AddCustomGui(5, CUSTOMGUI_TREEVIEW, String(), BFH_SCALEFIT | BFV_SCALEFIT, 200, 80,
                        BaseContainer()) != nullptr;
  }
};

TEST(GuiTreeViewScroll, MakeVisibleScrollsTheLineIntoTheView) {
  Forest forest;
  // N0 to N29 follow C (the third node) on the top level.
  for (int i = 0; i < 30; ++i) {
    forest.nodes.push_back(std::make_unique<Node>(Node{"N" + std::to_string(i)}));
    forest.Link(i == 0 ? 2 : forest.nodes.size() - 2, forest.nodes.size() - 1);
  }
  TestFunctions functions;
  TreeDialog dialog;
  ASSERT_TRUE(dialog.Open(DLG_TYPE_ASYNC, 7, -1, -1, 0, 0, 0));
  auto* tree = static_cast<TreeViewCustomGui*>(dialog.FindCustomGui(5, CUSTOMGUI_TREEVIEW));
  ASSERT_NE(tree, nullptr);
  ASSERT_TRUE(tree->SetLayout(3, Columns()));
  tree->SetRoot(&forest, &functions, &forest);
  tree->MakeVisible(forest.nodes.back().get());
  EXPECT_GT(tree->GetScrollY(), 0);
  tree->Paint();
  const TreeViewLine& last = tree->GetLines().back();
  EXPECT_EQ(last.top + last.height, dialog.FindGadget(5)->GetState().rect.height);
  tree->MakeVisible(forest.nodes.front().get());
  EXPECT_EQ(tree->GetScrollY(), 0);
  tree->MakeVisible(nullptr);
  EXPECT_EQ(tree->GetScrollY(), 0);
  const LONG refreshes = tree->GetRefreshCount();
  tree->Refresh();
  EXPECT_EQ(tree->GetRefreshCount(), refreshes + 1);
}

}  // namespace
