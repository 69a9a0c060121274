// Painting the tree view: the host walks the tree through the callbacks, measures columns and
// lines, and draws the header and every line into the gadget's user area.
#include <algorithm>
#include <numeric>

#include "gui/DialogLayout.h"
#include "c4d_customgui.h"
#include "c4d_debug.h"

namespace {

constexpr LONG kIndent = 12;      // per tree level, in the tree column
constexpr LONG kArrowWidth = 12;  // room for the fold arrow before a name
using standin::kCheckBoxSize;
// A tree that seems longer is taken as a broken GetNext chain (a cycle) and cut there.
constexpr size_t kMaxLines = 1 << 18;

}  // namespace

GeUserArea& TreeViewCustomGui::Paint() {
  _area.ClearDrawing();
  LayOut();
  const LONG contentWidth = std::accumulate(_widths.begin(), _widths.end(), 0);
  const LONG contentHeight =
      _lines.empty() ? _headerHeight : _lines.back().top + _lines.back().height;
  const GadgetRect& rect = GetState().rect;
  _area.SetSize(rect.width > 0 ? rect.width : contentWidth,
                rect.height > 0 ? rect.height : contentHeight);
  PaintHeader();
  for (size_t i = 0; i < _lines.size(); ++i) PaintLine(static_cast<LONG>(i));
  _area.SetCellTag(-1, 0);
  return _area;
}

void TreeViewCustomGui::LayOut() {
  WalkLines();
  MeasureColumns();
  PlaceLines();
}

void TreeViewCustomGui::WalkLines() {
  _lines.clear();
  if (_functions) AppendLines(_functions->GetFirst(_root, _userdata), 0);
}

void TreeViewCustomGui::AppendLines(void* first, LONG depth) {
  for (void* obj = first; obj; obj = _functions->GetNext(_root, _userdata, obj)) {
    if (_lines.size() >= kMaxLines) {
      GeDebugOut("tree view %d: more than %zu lines, the rest is not shown",
                 static_cast<int>(GetId()), kMaxLines);
      return;
    }
    _lines.push_back(TreeViewLine{obj, depth, 0, 0});
    ++_walkedLineCount;
    if (!_functions->IsOpened(_root, _userdata, obj)) continue;
    if (void* child = _functions->GetDown(_root, _userdata, obj)) AppendLines(child, depth + 1);
  }
}

void TreeViewCustomGui::MeasureColumns() {
  _area.ResetDrawState();
  _widths.clear();
  for (const Column& column : _columns)
    _widths.push_back(column.userWidth > 0 ? column.userWidth : MeasureColumn(column));
}

LONG TreeViewCustomGui::MeasureColumn(const Column& column) {
  if (!_functions) return 0;
  LONG width = _functions->GetHeaderColumnWidth(_root, _userdata, column.id, &_area);
  for (const TreeViewLine& line : _lines) {
    width = std::max(width,
                     _functions->GetColumnWidth(_root, _userdata, line.object, column.id, &_area));
    if (column.type == LV_TREE) {
      const String name = _functions->GetName(_root, _userdata, line.object);
      width =
          std::max(width, line.depth * kIndent + kArrowWidth + _area.DrawGetTextWidth(name) + 4);
    }
  }
  if (column.type == LV_CHECKBOX) width = std::max(width, kCheckBoxSize + 4);
  return width;
}

LONG TreeViewCustomGui::MeasureLine(void* obj) {
  LONG height = 0;
  for (const Column& column : _columns)
    height = std::max(height, _functions->GetLineHeight(_root, _userdata, obj, column.id, &_area));
  return height > 0 ? height : _area.DrawGetFontHeight();
}

void TreeViewCustomGui::PlaceLines() {
  _area.ResetDrawState();
  const LONG minHeader = _functions ? _functions->GetMinHeaderHeight(_root, _userdata) : 0;
  _headerHeight = std::max(minHeader, _area.DrawGetFontHeight() + 6);
  LONG top = _headerHeight - _scrollY;
  for (TreeViewLine& line : _lines) {
    line.top = top;
    line.height = MeasureLine(line.object);
    top += line.height;
  }
}

void TreeViewCustomGui::PaintHeader() {
  LONG x = 0;
  for (size_t position = 0; position < _columns.size(); ++position) {
    const LONG width = _widths[position];
    _area.SetCellTag(-1, _columns[position].id);
    _area.ResetDrawState();
    DrawInfo info{&_area, -1, x, 0, width, _headerHeight};
    if (!_functions ||
        !_functions->DrawHeaderCell(_root, _userdata, _columns[position].id, &info)) {
      _area.DrawSetPen(COLOR_BG);
      _area.DrawRectangle(x, 0, x + width - 1, _headerHeight - 1);
      _area.DrawSetPen(COLOR_EDGEDK);
      _area.DrawLine(x + width - 1, 0, x + width - 1, _headerHeight - 1);
    }
    x += width;
  }
}

void TreeViewCustomGui::PaintLine(LONG index) {
  const TreeViewLine& line = _lines[index];
  const Bool selected = _functions->IsSelected(_root, _userdata, line.object);
  const GeData background(selected ? COLOR_BGSELECTED : COLOR_BG);
  const LONG width = std::accumulate(_widths.begin(), _widths.end(), 0);
  _area.SetCellTag(index, 0);
  _area.ResetDrawState();
  _area.DrawSetPen(background);
  _area.DrawRectangle(0, line.top, width - 1, line.top + line.height - 1);
  LONG x = 0;
  for (size_t position = 0; position < _columns.size(); ++position) {
    PaintCell(index, static_cast<LONG>(position), x, background);
    x += _widths[position];
  }
}

void TreeViewCustomGui::PaintCell(LONG index, LONG position, LONG x, const GeData& bg) {
  const TreeViewLine& line = _lines[index];
  const Column& column = _columns[position];
  const LONG width = _widths[position];
  _area.SetCellTag(index, column.id);
  _area.ResetDrawState();
  if (column.type == LV_CHECKBOX) {
    PaintCheckBox(line.object, column.id, x, line.top, width, line.height);
  } else if (column.type == LV_TREE) {
    PaintName(index, x, line.top, line.height, bg.GetLong() == COLOR_BGSELECTED);
  } else {
    DrawInfo info{&_area, index, x, line.top, width, line.height};
    _functions->DrawCell(_root, _userdata, line.object, column.id, &info, bg);
  }
}

void TreeViewCustomGui::PaintCheckBox(void* obj, LONG col, LONG x, LONG y, LONG width,
                                      LONG height) {
  const LONG state = _functions->IsChecked(_root, _userdata, obj, col);
  if (state & LV_CHECKBOX_HIDE) return;
  const LONG left = x + std::max<LONG>(0, (width - kCheckBoxSize) / 2);
  const LONG top = y + std::max<LONG>(0, (height - kCheckBoxSize) / 2);
  const LONG right = left + kCheckBoxSize - 1;
  const LONG bottom = top + kCheckBoxSize - 1;
  const Bool enabled = (state & LV_CHECKBOX_ENABLED) != 0;
  _area.DrawSetPen(enabled ? COLOR_BGEDIT : COLOR_BG);
  _area.DrawRectangle(left, top, right, bottom);
  _area.DrawSetPen(COLOR_EDGEDK);
  _area.DrawLine(left, top, right, top);
  _area.DrawLine(left, bottom, right, bottom);
  _area.DrawLine(left, top, left, bottom);
  _area.DrawLine(right, top, right, bottom);
  if (!(state & LV_CHECKBOX_CHECKED)) return;
  _area.DrawSetPen(enabled ? COLOR_TEXT : COLOR_TEXT_DISABLED);
  _area.DrawLine(left + 2, top + 6, left + 4, top + 9);
  _area.DrawLine(left + 4, top + 9, right - 2, top + 2);
}

void TreeViewCustomGui::PaintName(LONG index, LONG x, LONG y, LONG height, Bool selected) {
  const TreeViewLine& line = _lines[index];
  const LONG left = x + line.depth * kIndent;
  if (_functions->GetDown(_root, _userdata, line.object)) {
    const LONG middle = y + height / 2;
    _area.DrawSetPen(COLOR_TEXT);
    if (_functions->IsOpened(_root, _userdata, line.object)) {
      for (LONG row = 0; row < 4; ++row)
        _area.DrawLine(left + 2 + row, middle - 2 + row, left + 8 - row, middle - 2 + row);
    } else {
      for (LONG column = 0; column < 4; ++column)
        _area.DrawLine(left + 3 + column, middle - 3 + column, left + 3 + column,
                       middle + 3 - column);
    }
  }
  const String name = _functions->GetName(_root, _userdata, line.object);
  _area.DrawSetTextCol(selected ? COLOR_TEXT_SELECTED : COLOR_TEXT, COLOR_TRANS);
  _area.DrawText(name, left + kArrowWidth, y + (height - _area.DrawGetFontHeight()) / 2);
}
