// The user's actions on tree views, handled as the host handles them.
#include <algorithm>

#include "c4d_standin_gui.h"

namespace standin {

namespace {

// The object on line as the tree stands now; null outside the tree. Only a paint draws: an
// action repaints nothing.
void* LineObject(TreeViewCustomGui& tree, LONG line) {
  tree.LayOut();
  const std::vector<TreeViewLine>& lines = tree.GetLines();
  return line >= 0 && line < static_cast<LONG>(lines.size()) ? lines[line].object : nullptr;
}

// The middle of the cell, in the area's pixels.
MouseInfo CellPoint(const TreeViewCustomGui& tree, LONG line, LONG col, LONG qualifier) {
  MouseInfo info;
  info.qualifier = qualifier;
  LONG x = 0;
  for (LONG position = 0; position < tree.GetColumnCount(); ++position) {
    const LONG width = tree.GetColumnWidths()[position];
    if (tree.GetColumnId(position) == col) info.x = x + width / 2;
    x += width;
  }
  const std::vector<TreeViewLine>& lines = tree.GetLines();
  if (line >= 0 && line < static_cast<LONG>(lines.size()))
    info.y = lines[line].top + lines[line].height / 2;
  return info;
}

BaseContainer MouseMessage(LONG channel, LONG qualifier) {
  BaseContainer msg(BFM_INPUT);
  msg.SetLong(BFM_INPUT_DEVICE, BFM_INPUT_MOUSE);
  msg.SetLong(BFM_INPUT_CHANNEL, channel);
  msg.SetLong(BFM_INPUT_QUALIFIER, qualifier);
  return msg;
}

LONG ColumnType(const TreeViewCustomGui& tree, LONG col) {
  for (LONG position = 0; position < tree.GetColumnCount(); ++position)
    if (tree.GetColumnId(position) == col) return tree.GetColumnType(position);
  return 0;
}

LONG ClickMode(TreeViewCustomGui& tree, void* obj, LONG qualifier) {
  if (qualifier & QCTRL)
    return tree.GetFunctions()->IsSelected(tree.GetRoot(), tree.GetUserData(), obj) ? SELECTION_SUB
                                                                                    : SELECTION_ADD;
  return (qualifier & QSHIFT) ? SELECTION_ADD : SELECTION_NEW;
}

// Sets the check of a shown, enabled check box; FALSE when the cell has none.
Bool SetCheckTo(TreeViewCustomGui& tree, void* obj, LONG col, Bool checked, LONG qualifier) {
  TreeViewFunctions* functions = tree.GetFunctions();
  const LONG state = functions->IsChecked(tree.GetRoot(), tree.GetUserData(), obj, col);
  if ((state & LV_CHECKBOX_HIDE) || !(state & LV_CHECKBOX_ENABLED)) return FALSE;
  functions->SetCheck(tree.GetRoot(), tree.GetUserData(), obj, col, checked,
                      MouseMessage(BFM_INPUT_MOUSELEFT, qualifier));
  tree.Redraw();
  return TRUE;
}

}  // namespace

Bool ClickTreeCell(TreeViewCustomGui& tree, LONG line, LONG col, LONG qualifier) {
  void* obj = LineObject(tree, line);
  if (!obj) return FALSE;
  TreeViewFunctions* functions = tree.GetFunctions();
  MouseInfo info = CellPoint(tree, line, col, qualifier);
  if (functions->MouseDown(tree.GetRoot(), tree.GetUserData(), obj, col, &info, FALSE)) return TRUE;
  if (ColumnType(tree, col) == LV_CHECKBOX) {
    const LONG state = functions->IsChecked(tree.GetRoot(), tree.GetUserData(), obj, col);
    if (SetCheckTo(tree, obj, col, !(state & LV_CHECKBOX_CHECKED), qualifier)) return TRUE;
  }
  return SelectTreeLine(tree, line, ClickMode(tree, obj, qualifier));
}

Bool SelectTreeLine(TreeViewCustomGui& tree, LONG line, LONG mode) {
  void* obj = LineObject(tree, line);
  if (!obj) return FALSE;
  tree.GetFunctions()->Select(tree.GetRoot(), tree.GetUserData(), obj, mode);
  tree.GetFunctions()->SelectionChanged(tree.GetRoot(), tree.GetUserData());
  tree.Redraw();
  return TRUE;
}

Bool CheckTreeCell(TreeViewCustomGui& tree, LONG line, LONG col, Bool checked) {
  void* obj = LineObject(tree, line);
  return obj && ColumnType(tree, col) == LV_CHECKBOX && SetCheckTo(tree, obj, col, checked, 0);
}

Bool ToggleTreeLine(TreeViewCustomGui& tree, LONG line) {
  void* obj = LineObject(tree, line);
  if (!obj) return FALSE;
  TreeViewFunctions* functions = tree.GetFunctions();
  if (!functions->GetDown(tree.GetRoot(), tree.GetUserData(), obj)) return FALSE;
  const Bool opened = functions->IsOpened(tree.GetRoot(), tree.GetUserData(), obj);
  functions->Open(tree.GetRoot(), tree.GetUserData(), obj, !opened);
  tree.Refresh();
  return TRUE;
}

Bool DoubleClickTreeCell(TreeViewCustomGui& tree, LONG line, LONG col) {
  void* obj = LineObject(tree, line);
  if (!obj) return FALSE;
  MouseInfo info = CellPoint(tree, line, col, 0);
  return tree.GetFunctions()->DoubleClick(tree.GetRoot(), tree.GetUserData(), obj, col, &info);
}

BaseContainer OpenTreeContextMenu(TreeViewCustomGui& tree, LONG line, LONG col) {
  BaseContainer menu;
  void* obj = LineObject(tree, line);
  TreeViewFunctions* functions = tree.GetFunctions();
  if (!functions) return menu;
  MouseInfo info = CellPoint(tree, line, col, 0);
  if (functions->MouseDown(tree.GetRoot(), tree.GetUserData(), obj, col, &info, TRUE)) return menu;
  functions->CreateContextMenu(tree.GetRoot(), tree.GetUserData(), obj, col, &menu);
  return menu;
}

Bool ChooseTreeContextMenu(TreeViewCustomGui& tree, LONG line, LONG col, LONG command) {
  const BaseContainer menu = OpenTreeContextMenu(tree, line, col);
  if (command == 0 || !menu.GetDataPointer(command)) return FALSE;
  void* obj = LineObject(tree, line);
  const Bool answer =
      tree.GetFunctions()->ContextMenuCall(tree.GetRoot(), tree.GetUserData(), obj, col, command);
  tree.Redraw();
  return answer;
}

Bool SendTreeKey(TreeViewCustomGui& tree, LONG key, LONG qualifier) {
  BaseContainer msg(BFM_INPUT);
  msg.SetLong(BFM_INPUT_DEVICE, BFM_INPUT_KEYBOARD);
  msg.SetLong(BFM_INPUT_CHANNEL, key);
  msg.SetLong(BFM_INPUT_QUALIFIER, qualifier);
  return SendTreeInput(tree, msg);
}

Bool SendTreeInput(TreeViewCustomGui& tree, const BaseContainer& msg) {
  TreeViewFunctions* functions = tree.GetFunctions();
  if (!functions) return FALSE;
  return functions->InputEvent(tree.GetRoot(), tree.GetUserData(), &tree.GetArea(), msg);
}

// Paint records the header's calls first, then each line's in line order, so a line's calls are
// found by halving instead of a walk through the whole record.
String GetTreeCellText(const TreeViewCustomGui& tree, LONG line, LONG col) {
  const std::vector<DrawCall>& calls = tree.GetArea().GetDrawCalls();
  const auto before = [](const DrawCall& call, LONG wanted) { return call.line < wanted; };
  String text;
  for (auto call = std::lower_bound(calls.begin(), calls.end(), line, before);
       call != calls.end() && call->line == line; ++call)
    if (call->op == DRAWOP_TEXT && call->column == col) text += call->text;
  return text;
}

}  // namespace standin
