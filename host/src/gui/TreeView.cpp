// The tree view gadget: its columns, root and callbacks, focus and scrolling.
#include <algorithm>

#include "gui/DialogLayout.h"
#include "gui/GadgetAccess.h"
#include "c4d_customgui.h"

TreeViewCustomGui::TreeViewCustomGui(LONG id, const BaseContainer& settings)
    : BaseCustomGui(id, CUSTOMGUI_TREEVIEW, settings) {}

Bool TreeViewCustomGui::SetLayout(LONG columns, const BaseContainer& layout) {
  if (columns < 0 || columns != layout.GetEntryCount()) return FALSE;
  std::vector<Column> made;
  LONG treeColumns = 0;
  for (LONG i = 0; i < columns; ++i) {
    const LONG id = layout.GetIndexId(i);
    const LONG type = layout.GetLong(id);
    if (type != LV_TREE && type != LV_USER && type != LV_CHECKBOX) return FALSE;
    if (type == LV_TREE) ++treeColumns;
    made.push_back(Column{id, type, 0});
  }
  if (treeColumns > 1) return FALSE;
  _columns = made;
  Redraw();
  return TRUE;
}

LONG TreeViewCustomGui::FindColumn(LONG col) const {
  for (size_t i = 0; i < _columns.size(); ++i)
    if (_columns[i].id == col) return static_cast<LONG>(i);
  return col >= 0 && col < GetColumnCount() ? col : NOTOK;
}

Bool TreeViewCustomGui::SetColumnWidthUser(LONG col, LONG width) {
  const LONG position = FindColumn(col);
  if (position == NOTOK) return FALSE;
  _columns[position].userWidth = width > 0 ? width : 0;
  Redraw();
  return TRUE;
}

LONG TreeViewCustomGui::GetColumnId(LONG position) const {
  return position >= 0 && position < GetColumnCount() ? _columns[position].id : 0;
}

LONG TreeViewCustomGui::GetColumnType(LONG position) const {
  return position >= 0 && position < GetColumnCount() ? _columns[position].type : 0;
}

void TreeViewCustomGui::SetRoot(void* root, TreeViewFunctions* functions, void* userdata) {
  _root = root;
  _functions = functions;
  _userdata = userdata;
  _focus = nullptr;
  _scrollY = 0;
  Redraw();
}

void TreeViewCustomGui::Refresh() {
  ++_refreshCount;
  Redraw();
}

void TreeViewCustomGui::SetFocusItem(void* obj) {
  _focus = obj;
  Redraw();
}

LONG TreeViewCustomGui::ViewHeight() const {
  standin::DialogWindow* window = standin::GadgetAccess::Window(*this);
  if (window) standin::LayoutWindow(*window);
  return GetState().rect.height;
}

void TreeViewCustomGui::MakeVisible(void* obj) {
  WalkLines();
  PlaceLines();
  const auto line = std::find_if(_lines.begin(), _lines.end(),
                                 [obj](const TreeViewLine& l) { return l.object == obj; });
  const LONG view = ViewHeight() - _headerHeight;
  if (line == _lines.end() || view <= 0) return;
  const LONG top = line->top - _headerHeight + _scrollY;
  const LONG bottom = top + line->height;
  if (top < _scrollY)
    _scrollY = top;
  else if (bottom > _scrollY + view)
    _scrollY = bottom - view;
  _scrollY = std::max<LONG>(_scrollY, 0);
  Redraw();
}
