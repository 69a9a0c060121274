// User areas: drawing calls are recorded with the state they were made in.
#include "raster/RasterFont.h"
#include "c4d_userarea.h"

namespace {

// A rectangle or line call: two corners in the pen's colour.
DrawCall WithCorners(DrawCall call, LONG x1, LONG y1, LONG x2, LONG y2, const GeData& pen) {
  call.x1 = x1;
  call.y1 = y1;
  call.x2 = x2;
  call.y2 = y2;
  call.colour = pen;
  return call;
}

}  // namespace

DrawCall GeUserArea::MakeCall(DRAWOP op) const {
  DrawCall call;
  call.op = op;
  call.line = _tagLine;
  call.column = _tagColumn;
  return call;
}

void GeUserArea::DrawSetPen(LONG colourId) { DrawSetPen(GeData(colourId)); }

void GeUserArea::DrawSetPen(const Vector& colour) { DrawSetPen(GeData(colour)); }

void GeUserArea::DrawSetPen(const GeData& colour) {
  _pen = colour;
  DrawCall call = MakeCall(DRAWOP_SETPEN);
  call.colour = colour;
  _calls.push_back(call);
}

void GeUserArea::DrawRectangle(LONG x1, LONG y1, LONG x2, LONG y2) {
  _calls.push_back(WithCorners(MakeCall(DRAWOP_RECTANGLE), x1, y1, x2, y2, _pen));
}

void GeUserArea::DrawLine(LONG x1, LONG y1, LONG x2, LONG y2) {
  _calls.push_back(WithCorners(MakeCall(DRAWOP_LINE), x1, y1, x2, y2, _pen));
}

void GeUserArea::DrawBitmap(BaseBitmap* bmp, LONG wx, LONG wy, LONG ww, LONG wh, LONG x, LONG y,
                            LONG w, LONG h, LONG mode) {
  if (!bmp) return;
  // The record keeps its own copy: the caller may free the bitmap after drawing.
  BaseBitmap* copy = bmp->GetClonePart(0, 0, bmp->GetBw(), bmp->GetBh());
  if (!copy) return;
  DrawCall call = MakeCall(DRAWOP_BITMAP);
  call.x1 = wx;
  call.y1 = wy;
  call.x2 = ww;
  call.y2 = wh;
  call.sx = x;
  call.sy = y;
  call.sw = w;
  call.sh = h;
  call.flags = mode;
  call.bitmap.reset(copy, [](const BaseBitmap* owned) {
    BaseBitmap* freed = const_cast<BaseBitmap*>(owned);
    BaseBitmap::Free(freed);
  });
  _calls.push_back(call);
}

void GeUserArea::DrawText(const String& text, LONG x, LONG y, LONG flags) {
  DrawCall call = MakeCall(DRAWOP_TEXT);
  call.x1 = x;
  call.y1 = y;
  call.text = text;
  call.flags = flags;
  call.font = _font;
  call.colour = _textColour;
  call.background = _textBackground;
  _calls.push_back(call);
}

void GeUserArea::DrawSetFont(LONG fontId) {
  _font = fontId;
  DrawCall call = MakeCall(DRAWOP_SETFONT);
  call.font = fontId;
  _calls.push_back(call);
}

void GeUserArea::DrawSetTextCol(const GeData& foreground, const GeData& background) {
  _textColour = foreground;
  _textBackground = background;
  DrawCall call = MakeCall(DRAWOP_SETTEXTCOL);
  call.colour = foreground;
  call.background = background;
  _calls.push_back(call);
}

LONG GeUserArea::DrawGetTextWidth(const String& text) const {
  return standin::FontTextWidth(_font, text.ToUtf8());
}

LONG GeUserArea::DrawGetFontHeight() const { return standin::FontLineHeight(_font); }

void GeUserArea::SetSize(LONG width, LONG height) {
  _width = width > 0 ? width : 0;
  _height = height > 0 ? height : 0;
}

void GeUserArea::ClearDrawing() {
  _calls.clear();
  ResetDrawState();
  SetCellTag(-1, 0);
}

void GeUserArea::ResetDrawState() {
  _pen = GeData(COLOR_TEXT);
  _textColour = GeData(COLOR_TEXT);
  _textBackground = GeData(COLOR_TRANS);
  _font = FONT_STANDARD;
}

void GeUserArea::SetCellTag(LONG line, LONG column) {
  _tagLine = line;
  _tagColumn = column;
}
