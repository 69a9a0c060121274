// How the headless host draws its gadgets: flat bevelled boxes, DejaVu text, and the tree
// view's own record cut to its rectangle.
#include "gui/DialogRender.h"

#include <algorithm>

#include "gui/DialogLayout.h"
#include "gui/GadgetAccess.h"
#include "raster/RasterFont.h"
#include "raster/RasterReplay.h"
#include "c4d_customgui.h"

namespace standin {

namespace {

// What a gadget shows for a TriState that merged different values.
constexpr const char* kAmbiguous = "<<Multiple Values>>";

Rgba Colour(LONG id) { return ResolveColour(GeData(id)); }

Rgba TextColour(const GadgetState& state) {
  return Colour(state.enabled ? COLOR_TEXT : COLOR_TEXT_DISABLED);
}

void Bevel(RasterCanvas& canvas, const GadgetRect& r, LONG fill, Bool sunken) {
  const LONG right = r.x + r.width - 1, bottom = r.y + r.height - 1;
  canvas.FillRect(r.x, r.y, right, bottom, Colour(fill));
  const Rgba light = Colour(sunken ? COLOR_EDGEDK : COLOR_EDGELT);
  const Rgba dark = Colour(sunken ? COLOR_EDGELT : COLOR_EDGEDK);
  canvas.DrawLine(r.x, r.y, right, r.y, light);
  canvas.DrawLine(r.x, r.y, r.x, bottom, light);
  canvas.DrawLine(right, r.y, right, bottom, dark);
  canvas.DrawLine(r.x, bottom, right, bottom, dark);
}

// Text in the rectangle, vertically centred, from x (or centred when x is below 0).
void Label(RasterCanvas& canvas, const GadgetRect& r, const String& text, LONG x, Rgba colour) {
  const std::string& utf8 = text.ToUtf8();
  const LONG left = x >= 0 ? x : r.x + (r.width - FontTextWidth(FONT_STANDARD, utf8)) / 2;
  canvas.SetClip(r.x, r.y, r.x + r.width - 1, r.y + r.height - 1);
  canvas.DrawText(utf8, left, r.y + (r.height - FontLineHeight(FONT_STANDARD)) / 2, FONT_STANDARD,
                  colour);
  canvas.ResetClip();
}

String NumberText(const GadgetState& state) {
  if (state.ambiguous) return String(kAmbiguous);
  if (state.format == FORMAT_LONG) return LongToString(state.value.GetLong());
  return RealToString(state.value.GetReal());
}

void RenderGadget(C4DGadget& gadget, RasterCanvas& canvas);

void RenderGroup(const GadgetState& state, RasterCanvas& canvas) {
  if (state.title.Content()) {
    const GadgetRect& r = state.rect;
    const LONG top = r.y + FontLineHeight(FONT_STANDARD) / 2;
    const Rgba edge = Colour(COLOR_EDGEDK);
    canvas.DrawLine(r.x, top, r.x + r.width - 1, top, edge);
    canvas.DrawLine(r.x, top, r.x, r.y + r.height - 1, edge);
    canvas.DrawLine(r.x + r.width - 1, top, r.x + r.width - 1, r.y + r.height - 1, edge);
    canvas.DrawLine(r.x, r.y + r.height - 1, r.x + r.width - 1, r.y + r.height - 1, edge);
    canvas.DrawText(state.title.ToUtf8(), r.x + 6, r.y, FONT_STANDARD, TextColour(state));
  }
  for (C4DGadget* member : state.members) RenderGadget(*member, canvas);
}

void RenderArrows(const GadgetRect& r, RasterCanvas& canvas, Rgba colour) {
  const LONG x = r.x + r.width - 12, middle = r.y + r.height / 2;
  canvas.DrawLine(x - 2, r.y + 1, x - 2, r.y + r.height - 2, Colour(COLOR_EDGEDK));
  for (LONG step = 0; step < 3; ++step) {
    canvas.DrawLine(x + 3 - step, middle - 3 + step, x + 3 + step, middle - 3 + step, colour);
    canvas.DrawLine(x + 3 - step, middle + 3 - step, x + 3 + step, middle + 3 - step, colour);
  }
}

// A number field or combo box: the value's text and the arrows at the right.
void RenderField(const GadgetState& state, const String& text, LONG fill, RasterCanvas& canvas) {
  const GadgetRect& r = state.rect;
  Bevel(canvas, r, fill, fill == COLOR_BGEDIT);
  Label(canvas, GadgetRect{r.x, r.y, r.width - 14, r.height}, text, r.x + 4, TextColour(state));
  RenderArrows(r, canvas, TextColour(state));
}

// The square at the left, vertically centred: a tick when checked, a bar when ambiguous; the
// text beside it.
void RenderCheckbox(const GadgetState& state, RasterCanvas& canvas) {
  const GadgetRect& r = state.rect;
  const LONG left = r.x + 2, top = r.y + (r.height - kCheckBoxSize) / 2;
  const LONG right = left + kCheckBoxSize - 1, bottom = top + kCheckBoxSize - 1;
  Bevel(canvas, GadgetRect{left, top, kCheckBoxSize, kCheckBoxSize},
        state.enabled ? COLOR_BGEDIT : COLOR_BG, TRUE);
  const Rgba mark = TextColour(state);
  if (state.ambiguous) {
    canvas.FillRect(left + 3, top + 5, right - 3, bottom - 5, mark);
  } else if (state.value.GetBool()) {
    canvas.DrawLine(left + 2, top + 6, left + 4, top + 9, mark);
    canvas.DrawLine(left + 4, top + 9, right - 2, top + 2, mark);
  }
  const LONG textLeft = right + 1 + kCheckBoxGap;
  Label(canvas, GadgetRect{textLeft, r.y, r.x + r.width - textLeft, r.height}, state.title,
        textLeft, mark);
}

void RenderTree(TreeViewCustomGui& tree, RasterCanvas& canvas) {
  const GadgetRect& r = tree.GetState().rect;
  GeUserArea& area = tree.Paint();
  canvas.FillRect(r.x, r.y, r.x + r.width - 1, r.y + r.height - 1, Colour(COLOR_BG));
  canvas.SetClip(r.x, r.y, r.x + r.width - 1, r.y + r.height - 1);
  canvas.SetOffset(r.x, r.y);
  ReplayDrawCalls(area.GetDrawCalls(), canvas);
  canvas.SetOffset(0, 0);
  canvas.ResetClip();
}

void RenderTabs(const QuickTabCustomGui& tabs, RasterCanvas& canvas) {
  GadgetRect tab = tabs.GetState().rect;
  for (LONG i = 0; i < tabs.GetEntryCount(); ++i) {
    const LONG id = tabs.GetEntryId(i);
    const String text = tabs.GetEntryText(id);
    tab.width = FontTextWidth(FONT_STANDARD, text.ToUtf8()) + 16;
    Bevel(canvas, tab, tabs.IsSelected(id) ? COLOR_BGSELECTED : COLOR_BG, FALSE);
    Label(canvas, tab, text, -1, TextColour(tabs.GetState()));
    tab.x += tab.width;
  }
}

void RenderStatusBar(const GadgetState& state, RasterCanvas& canvas) {
  const GadgetRect& r = state.rect;
  Bevel(canvas, r, COLOR_BG, TRUE);
  GadgetRect text = r;
  if (state.message.GetBool(BFM_STATUSBAR_PROGRESSON)) {
    GadgetRect bar{r.x + 2, r.y + 2, r.width / 3, r.height - 4};
    Bevel(canvas, bar, COLOR_BGEDIT, TRUE);
    const Bool spin = state.message.GetBool(BFM_STATUSBAR_PROGRESSSPIN);
    const Real fraction = spin ? 1.0 : state.message.GetReal(BFM_STATUSBAR_PROGRESS);
    const LONG filled = static_cast<LONG>((bar.width - 2) * std::clamp(fraction, 0.0, 1.0));
    if (filled > 0)
      canvas.FillRect(bar.x + 1, bar.y + 1, bar.x + filled, bar.y + bar.height - 2,
                      Colour(COLOR_PROGRESS));
    Label(canvas, bar, state.message.GetString(BFM_STATUSBAR_PROGRESSTXT), -1, Colour(COLOR_TEXT));
    text.x = bar.x + bar.width + 4;
    text.width = r.x + r.width - text.x;
  }
  Label(canvas, text, state.message.GetString(BFM_STATUSBAR_TXT), text.x + 4, TextColour(state));
}

void RenderGadget(C4DGadget& gadget, RasterCanvas& canvas) {
  const GadgetState& state = gadget.GetState();
  const GadgetRect& r = state.rect;
  switch (state.kind) {
    case GADGET_GROUP:
      RenderGroup(state, canvas);
      break;
    case GADGET_STATICTEXT:
      Label(canvas, r, state.title, r.x + 2, TextColour(state));
      break;
    case GADGET_BUTTON:
      Bevel(canvas, r, COLOR_BG, FALSE);
      Label(canvas, r, state.title, -1, TextColour(state));
      break;
    case GADGET_EDITNUMBER:
      RenderField(state, NumberText(state), COLOR_BGEDIT, canvas);
      break;
    case GADGET_COMBOBOX:
      RenderField(state, state.ambiguous ? String(kAmbiguous) : gadget.GetChildText(), COLOR_BG,
                  canvas);
      break;
    case GADGET_CHECKBOX:
      RenderCheckbox(state, canvas);
      break;
    case GADGET_SUBDIALOG:
      if (state.subDialog)
        if (DialogWindow* window = GadgetAccess::Window(*state.subDialog))
          RenderGadget(window->Root(), canvas);
      break;
    case GADGET_CUSTOMGUI:
      if (state.customGuiId == CUSTOMGUI_TREEVIEW)
        RenderTree(static_cast<TreeViewCustomGui&>(gadget), canvas);
      else if (state.customGuiId == CUSTOMGUI_QUICKTAB)
        RenderTabs(static_cast<const QuickTabCustomGui&>(gadget), canvas);
      break;
    case GADGET_STATUSBAR:
      RenderStatusBar(state, canvas);
      break;
  }
}

}  // namespace

void RenderWindow(DialogWindow& window, RasterCanvas& canvas) {
  DialogWindow& top = window.Top();
  const LONG titleHeight = TitleBarHeight();
  canvas.FillRect(0, 0, top.width - 1, titleHeight - 1, Colour(COLOR_EDGEDK));
  canvas.DrawText(top.title.ToUtf8(), 8, (titleHeight - FontLineHeight(FONT_BOLD)) / 2, FONT_BOLD,
                  Colour(COLOR_EDGELT));
  RenderGadget(top.Root(), canvas);
}

}  // namespace standin
