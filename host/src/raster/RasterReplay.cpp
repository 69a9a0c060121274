// Replaying recorded drawing calls onto a canvas.
#include "raster/RasterReplay.h"

#include "raster/RasterFont.h"

namespace standin {

namespace {

void ReplayText(const DrawCall& call, RasterCanvas& canvas) {
  const std::string& text = call.text.ToUtf8();
  const Rgba background = ResolveColour(call.background);
  if (background.a != 0) {
    const LONG width = FontTextWidth(call.font, text);
    canvas.FillRect(call.x1, call.y1, call.x1 + width - 1, call.y1 + FontLineHeight(call.font) - 1,
                    background);
  }
  canvas.DrawText(text, call.x1, call.y1, call.font, ResolveColour(call.colour));
}

void ReplayBitmap(const DrawCall& call, RasterCanvas& canvas) {
  if (!call.bitmap) return;
  const Bool scaled = (call.flags & BMP_NORMALSCALED) != 0;
  const Bool blend = (call.flags & (BMP_ALLOWALPHA | BMP_TRANSPARENTALPHA)) != 0;
  canvas.DrawBitmap(*call.bitmap, call.sx, call.sy, call.sw, call.sh, call.x1, call.y1, call.x2,
                    call.y2, scaled, blend);
}

}  // namespace

void ReplayDrawCalls(const std::vector<DrawCall>& calls, RasterCanvas& canvas) {
  for (const DrawCall& call : calls) {
    switch (call.op) {
      case DRAWOP_RECTANGLE:
        canvas.FillRect(call.x1, call.y1, call.x2, call.y2, ResolveColour(call.colour));
        break;
      case DRAWOP_LINE:
        canvas.DrawLine(call.x1, call.y1, call.x2, call.y2, ResolveColour(call.colour));
        break;
      case DRAWOP_TEXT:
        ReplayText(call, canvas);
        break;
      case DRAWOP_BITMAP:
        ReplayBitmap(call, canvas);
        break;
      case DRAWOP_SETPEN:
      case DRAWOP_SETFONT:
      case DRAWOP_SETTEXTCOL:
        break;
    }
  }
}

}  // namespace standin
