// The track tree's measures and cells.
#include "CKeyList.h"
#include "TrackTreeView.h"

namespace {

// The number columns share the three high bytes "drt".
constexpr LONG COLUMN_NUMBER_PREFIX = FourCharId('d', 'r', 't', '\0');

// A status icon and a layer box are drawn 12 pixels square; numbers are centred in 24.
constexpr LONG kIconBox = 12;
constexpr LONG kNumberBox = 24;
// Icons scaled into their box and blended over the line's background.
constexpr LONG kIconDrawMode = BMP_NORMALSCALED | BMP_ALLOWALPHA | BMP_TRANSPARENTALPHA;

struct Cell {
  LONG x, y, width, height;
};

// A sample text of digits per column kind, so that columns fit their widest content.
constexpr const char* kFourDigits = "8888";
constexpr const char* kSixDigits = "888888";
constexpr const char* kSevenDigits = "8888888";
constexpr const char* kInfoDigits = "888888888888888888888888";

bool IsNumberColumn(LONG col) {
  return (static_cast<ULONG>(col) & 0xFFFFFF00u) == static_cast<ULONG>(COLUMN_NUMBER_PREFIX);
}

Cell Centred(Cell cell, LONG box) {
  if (cell.width > box) {
    cell.x += (cell.width - box) / 2;
    cell.width = box;
  }
  if (cell.height > box) {
    cell.y += (cell.height - box) / 2;
    cell.height = box;
  }
  return cell;
}

LONG HeaderTitleId(LONG col) {
  switch (col) {
    case COLUMN_CHECK:
      return IDS_COLUMN_CHECK;
    case COLUMN_LAYER:
      return IDS_COLUMN_LAYER;
    case COLUMN_TREE:
      return IDS_COLUMN_TREE;
    case COLUMN_ICON:
      return IDS_COLUMN_ICON;
    case COLUMN_INFO:
      return IDS_COLUMN_INFO;
    case COLUMN_PERCENT:
      return IDS_COLUMN_PERCENT;
    case COLUMN_KEYS_BEFORE:
      return IDS_COLUMN_KEYS_BEFORE;
    case COLUMN_KEYS_AFTER:
      return IDS_COLUMN_KEYS_AFTER;
    default:
      return 0;
  }
}

void DrawStatusIcon(GeUserArea* area, const TreeListNode* node, const TreeListData* data, Cell cell,
                    const GeData& bg) {
  if (!node->_status || !data) return;
  const LONG status = node->GetStatus();
  if (status < 0 || status >= TREELIST_ICON_COUNT) return;
  BaseBitmap* icon = data->_icons[status];
  if (!icon) return;
  cell = Centred(cell, kIconBox);
  area->DrawSetPen(bg);
  area->DrawBitmap(icon, cell.x, cell.y, kIconBox, kIconBox, 0, 0, icon->GetBw(), icon->GetBh(),
                   kIconDrawMode);
}

void DrawLayerBar(GeUserArea* area, const TreeListNode* node, Cell cell) {
  cell = Centred(cell, kIconBox);
  const BaseList2D* owner = node->GetBaseList2D();
  if (!owner || !node->_doclink) return;
  BaseDocument* doc = dynamic_cast<BaseDocument*>(node->_doclink->ForceGetLink());
  const LayerData* layer = owner->GetLayerData(doc, FALSE);
  if (!layer) return;
  area->DrawSetPen(layer->color);
  area->DrawRectangle(cell.x - 4, cell.y + 2, cell.x + 4, cell.y + cell.height - 2);
}

// The number a "drt" column shows; FALSE when the node has nothing to show there.
Bool NumberText(const TreeListNode* node, LONG col, String& text) {
  if (col == COLUMN_PERCENT && node->_percent) {
    text = LongToString(node->GetPercent()) + GeGetPercentChar();
  } else if (col == COLUMN_KEYS_BEFORE) {
    text = LongToString(node->_keycount);
  } else if (col == COLUMN_KEYS_AFTER && node->_newcount) {
    text = LongToString(node->GetNewCount());
  } else {
    return FALSE;
  }
  return TRUE;
}

// The background reaches 12 pixels past the cell, under the start of the next column.
void DrawNumberCell(GeUserArea* area, const TreeListNode* node, LONG col, Cell cell,
                    const GeData& bg) {
  area->DrawSetPen(bg);
  area->DrawRectangle(cell.x, cell.y, cell.x + cell.width + 12, cell.y + cell.height);
  const Cell text = Centred(cell, kNumberBox);
  String number;
  if (NumberText(node, col, number)) area->DrawText(number, text.x, text.y, 0);
}

}  // namespace

LONG FunctionTable::GetColumnWidth(void*, void*, void*, LONG col, GeUserArea* area) {
  if (!area) return 0;
  if (col == COLUMN_ICON || col == COLUMN_LAYER) return area->DrawGetFontHeight() + 4;
  if (col == COLUMN_INFO) return area->DrawGetTextWidth(String(kInfoDigits)) + 12;
  if (IsNumberColumn(col)) return area->DrawGetTextWidth(String(kSixDigits)) + 12;
  return area->DrawGetTextWidth(String(kFourDigits)) + 12;
}

LONG FunctionTable::GetHeaderColumnWidth(void*, void*, LONG col, GeUserArea* area) {
  if (!area) return 0;
  const char* sample = IsNumberColumn(col) ? kSevenDigits : kFourDigits;
  return area->DrawGetTextWidth(String(sample)) + 4;
}

LONG FunctionTable::GetLineHeight(void*, void*, void*, LONG, GeUserArea* area) {
  return area ? area->DrawGetFontHeight() : 0;
}

void FunctionTable::DrawCell(void*, void* userdata, void* obj, LONG col, DrawInfo* drawinfo,
                             const GeData& bgColour) {
  const TreeListNode* node = static_cast<const TreeListNode*>(obj);
  if (!node || !drawinfo || !drawinfo->frame) return;
  GeUserArea* area = drawinfo->frame;
  const Cell cell{drawinfo->xpos, drawinfo->ypos, drawinfo->width, drawinfo->height};
  if (col == COLUMN_ICON) {
    DrawStatusIcon(area, node, static_cast<const TreeListData*>(userdata), cell, bgColour);
  } else if (col == COLUMN_LAYER) {
    DrawLayerBar(area, node, cell);
  } else if (col == COLUMN_INFO) {
    if (node->_text) area->DrawText(node->GetText(), cell.x, cell.y, 0);
  } else {
    DrawNumberCell(area, node, col, cell, bgColour);
  }
}

Bool FunctionTable::DrawHeaderCell(void*, void*, LONG col, DrawInfo* drawinfo) {
  if (!drawinfo || !drawinfo->frame) return FALSE;
  GeUserArea* area = drawinfo->frame;
  const LONG x0 = drawinfo->xpos, y0 = drawinfo->ypos;
  const LONG x1 = x0 + drawinfo->width - 1, y1 = y0 + drawinfo->height - 1;
  const Cell text = Centred(Cell{x0, y0, drawinfo->width, drawinfo->height}, kNumberBox);
  area->DrawSetPen(COLOR_BG);
  area->DrawRectangle(x0, y0, x1, y1);
  area->DrawSetFont(FONT_STANDARD);
  const LONG titleId = HeaderTitleId(col);
  area->DrawSetTextCol(GeData(COLOR_TEXT), GeData(COLOR_BG));
  area->DrawText(titleId ? GeLoadString(titleId) : String(), text.x, text.y, 0);
  area->DrawSetPen(COLOR_EDGELT);
  area->DrawLine(x0, y0, x1, y0);
  area->DrawLine(x0, y0, x0, y1);
  area->DrawSetPen(COLOR_EDGEDK);
  area->DrawLine(x1, y0, x1, y1);
  area->DrawLine(x0, y1, x1, y1);
  return TRUE;
}
