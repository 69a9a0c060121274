// Layout of dialog windows (rules: DialogLayout.h).
#include "gui/DialogLayout.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "gui/GadgetAccess.h"
#include "raster/RasterFont.h"
#include "c4d_customgui.h"

namespace standin {

namespace {

constexpr LONG kSpacing = 4;  // between the cells of a group
constexpr LONG kBorder = 4;   // around the window's gadgets and inside a titled group

struct Size {
  LONG width = 0;
  LONG height = 0;
};

struct Grid {
  LONG columns = 1;
  LONG rows = 0;
  std::vector<LONG> widths;
  std::vector<LONG> heights;
};

LONG TextWidth(const String& text) { return FontTextWidth(FONT_STANDARD, text.ToUtf8()); }

LONG LineHeight() { return FontLineHeight(FONT_STANDARD); }

Size Measure(const C4DGadget& gadget);

Grid MakeGrid(const GadgetState& group) {
  Grid grid;
  const LONG count = static_cast<LONG>(group.members.size());
  if (group.columns > 0)
    grid.columns = group.columns;
  else if (group.rows > 0)
    grid.columns = std::max<LONG>(1, (count + group.rows - 1) / group.rows);
  grid.rows = (count + grid.columns - 1) / grid.columns;
  grid.widths.assign(grid.columns, 0);
  grid.heights.assign(grid.rows, 0);
  for (LONG i = 0; i < count; ++i) {
    const Size size = Measure(*group.members[i]);
    grid.widths[i % grid.columns] = std::max(grid.widths[i % grid.columns], size.width);
    grid.heights[i / grid.columns] = std::max(grid.heights[i / grid.columns], size.height);
  }
  return grid;
}

LONG Span(const std::vector<LONG>& sizes) {
  const LONG total = std::accumulate(sizes.begin(), sizes.end(), 0);
  return sizes.empty() ? 0 : total + kSpacing * static_cast<LONG>(sizes.size() - 1);
}

// The space a titled group keeps for its frame and title.
GadgetRect Inset(const GadgetState& group) {
  if (!group.title.Content()) return GadgetRect{};
  return GadgetRect{kBorder, LineHeight() + 2, 2 * kBorder, LineHeight() + 2 + kBorder};
}

Size MeasureGroup(const GadgetState& group) {
  const Grid grid = MakeGrid(group);
  const GadgetRect inset = Inset(group);
  const LONG titleWidth = group.title.Content() ? TextWidth(group.title) + 2 * kBorder : 0;
  return Size{std::max(Span(grid.widths) + inset.width, titleWidth),
              Span(grid.heights) + inset.height};
}

Size MeasureCustomGui(const GadgetState& state, const C4DGadget& gadget) {
  if (state.customGuiId != CUSTOMGUI_QUICKTAB) return Size{100, 60};
  const auto& tabs = static_cast<const QuickTabCustomGui&>(gadget);
  LONG width = 0;
  for (LONG i = 0; i < tabs.GetEntryCount(); ++i)
    width += TextWidth(tabs.GetEntryText(tabs.GetEntryId(i))) + 16;
  return Size{std::max<LONG>(width, 40), LineHeight() + 8};
}

Size MeasureOwn(const C4DGadget& gadget) {
  const GadgetState& state = gadget.GetState();
  switch (state.kind) {
    case GADGET_GROUP:
      return MeasureGroup(state);
    case GADGET_STATICTEXT:
      return Size{TextWidth(state.title) + 4, LineHeight() + 4};
    case GADGET_BUTTON:
      return Size{TextWidth(state.title) + 20, LineHeight() + 8};
    case GADGET_EDITNUMBER:
      return Size{74, LineHeight() + 6};
    case GADGET_COMBOBOX: {
      LONG widest = 0;
      for (LONG i = 0; i < state.children.GetEntryCount(); ++i)
        widest =
            std::max(widest, TextWidth(state.children.GetString(state.children.GetIndexId(i))));
      return Size{widest + 28, LineHeight() + 6};
    }
    case GADGET_CHECKBOX:
      return Size{kCheckBoxSize + kCheckBoxGap + TextWidth(state.title) + 4, LineHeight() + 6};
    case GADGET_SUBDIALOG: {
      const DialogWindow* window =
          state.subDialog ? GadgetAccess::Window(*state.subDialog) : nullptr;
      return window ? Measure(window->Root()) : Size{};
    }
    case GADGET_CUSTOMGUI:
      return MeasureCustomGui(state, gadget);
    case GADGET_STATUSBAR:
      return Size{200, LineHeight() + 8};
  }
  return Size{};
}

Size Measure(const C4DGadget& gadget) {
  const Size own = MeasureOwn(gadget);
  const GadgetState& state = gadget.GetState();
  return Size{std::max(own.width, state.initWidth), std::max(own.height, state.initHeight)};
}

// Shares extra among the entries marked scalable, the remainder to the last of them.
void Distribute(std::vector<LONG>& sizes, const std::vector<bool>& scalable, LONG extra) {
  const LONG count = static_cast<LONG>(std::count(scalable.begin(), scalable.end(), true));
  if (extra <= 0 || count == 0) return;
  LONG given = 0, seen = 0;
  for (size_t i = 0; i < sizes.size(); ++i) {
    if (!scalable[i]) continue;
    const LONG share = ++seen == count ? extra - given : extra / count;
    sizes[i] += share;
    given += share;
  }
}

// One axis of a gadget inside its cell: start and length.
void Align(LONG mode, LONG fit, LONG low, LONG high, LONG cellStart, LONG cellLength, LONG wanted,
           LONG& start, LONG& length) {
  length = (mode & fit) == fit ? cellLength : std::min(wanted, cellLength);
  if ((mode & fit) == fit || (mode & fit) == low)
    start = cellStart;
  else if ((mode & fit) == high)
    start = cellStart + cellLength - length;
  else
    start = cellStart + (cellLength - length) / 2;
}

void Place(C4DGadget& gadget, const GadgetRect& rect);

void PlaceGroup(const GadgetState& group, const GadgetRect& rect) {
  Grid grid = MakeGrid(group);
  const GadgetRect inset = Inset(group);
  std::vector<bool> wideColumns(grid.columns, false), tallRows(grid.rows, false);
  for (size_t i = 0; i < group.members.size(); ++i) {
    const LONG flags = group.members[i]->GetState().flags;
    if (flags & BFH_SCALE) wideColumns[i % grid.columns] = true;
    if (flags & BFV_SCALE) tallRows[i / grid.columns] = true;
  }
  Distribute(grid.widths, wideColumns, rect.width - inset.width - Span(grid.widths));
  Distribute(grid.heights, tallRows, rect.height - inset.height - Span(grid.heights));
  for (size_t i = 0; i < group.members.size(); ++i) {
    const LONG column = static_cast<LONG>(i) % grid.columns,
               row = static_cast<LONG>(i) / grid.columns;
    const LONG cellX = rect.x + inset.x +
                       std::accumulate(grid.widths.begin(), grid.widths.begin() + column, 0) +
                       kSpacing * column;
    const LONG cellY = rect.y + inset.y +
                       std::accumulate(grid.heights.begin(), grid.heights.begin() + row, 0) +
                       kSpacing * row;
    C4DGadget& member = *group.members[i];
    const Size wanted = Measure(member);
    const LONG flags = member.GetState().flags;
    GadgetRect placed;
    Align(flags & BFH_MASK, BFH_FIT, BFH_LEFT, BFH_RIGHT, cellX, grid.widths[column], wanted.width,
          placed.x, placed.width);
    Align(flags & BFV_MASK, BFV_FIT, BFV_TOP, BFV_BOTTOM, cellY, grid.heights[row], wanted.height,
          placed.y, placed.height);
    Place(member, placed);
  }
}

void Place(C4DGadget& gadget, const GadgetRect& rect) {
  GadgetState& state = GadgetAccess::State(gadget);
  state.rect = rect;
  if (state.kind == GADGET_GROUP) PlaceGroup(state, rect);
  if (state.kind == GADGET_SUBDIALOG && state.subDialog)
    if (DialogWindow* window = GadgetAccess::Window(*state.subDialog)) Place(window->Root(), rect);
}

}  // namespace

LONG TitleBarHeight() { return LineHeight() + 8; }

void LayoutWindow(DialogWindow& window) {
  DialogWindow& top = window.Top();
  const Size wanted = Measure(top.Root());
  const LONG clientWidth = std::max(wanted.width + 2 * kBorder, top.minWidth);
  const LONG clientHeight = std::max(wanted.height + 2 * kBorder, top.minHeight);
  top.width = clientWidth;
  top.height = TitleBarHeight() + clientHeight;
  Place(top.Root(), GadgetRect{kBorder, TitleBarHeight() + kBorder, clientWidth - 2 * kBorder,
                               clientHeight - 2 * kBorder});
}

}  // namespace standin
