// An RGBA picture to draw into: solid rectangles, lines, anti-aliased text, bitmaps with alpha.
// Drawing is cut to a clip rectangle and moved by an offset, so a gadget's own drawing can be
// placed into a window's picture.
#ifndef HOST_RASTERCANVAS_H
#define HOST_RASTERCANVAS_H

#include <string>
#include <vector>

#include "c4d_bitmap.h"
#include "c4d_container.h"
#include "c4d_types.h"

namespace standin {

struct Rgba {
  UCHAR r = 0, g = 0, b = 0, a = 255;
};

// The colour of a colour id (COLOR_), an RGB vector (components 0 to 1) or either in a GeData;
// anything else gives the text colour.
Rgba ResolveColour(const GeData& colour);

class RasterCanvas {
 public:
  RasterCanvas(LONG width, LONG height, Rgba background);

  LONG GetWidth() const { return _width; }
  LONG GetHeight() const { return _height; }
  // Drawing at (x, y) lands at (x + dx, y + dy), only inside the clip rectangle (in the
  // canvas's pixels, corners included).
  void SetOffset(LONG dx, LONG dy);
  void SetClip(LONG x1, LONG y1, LONG x2, LONG y2);
  void ResetClip();

  void FillRect(LONG x1, LONG y1, LONG x2, LONG y2, Rgba colour);
  void DrawLine(LONG x1, LONG y1, LONG x2, LONG y2, Rgba colour);
  // Text with its top left corner at (x, y).
  void DrawText(const std::string& utf8, LONG x, LONG y, LONG font, Rgba colour);
  // The part (sx, sy, sw, sh) of bitmap into (x, y, w, h): scaled (nearest pixel) or cut 1:1,
  // blended by the bitmap's alpha or copied.
  void DrawBitmap(const BaseBitmap& bitmap, LONG sx, LONG sy, LONG sw, LONG sh, LONG x, LONG y,
                  LONG w, LONG h, Bool scaled, Bool blendAlpha);
  // Blends colour over pixel (x, y) (before offset) with coverage 0 to 255.
  void Blend(LONG x, LONG y, Rgba colour, UCHAR coverage);

  Rgba GetPixel(LONG x, LONG y) const;
  // Copies the picture into target, which is initialised to the canvas's size.
  Bool CopyTo(BaseBitmap& target) const;

 private:
  Bool Inside(LONG x, LONG y) const;

  LONG _width;
  LONG _height;
  std::vector<Rgba> _pixels;
  LONG _dx = 0, _dy = 0;
  LONG _clipX1 = 0, _clipY1 = 0, _clipX2 = -1, _clipY2 = -1;
};

}  // namespace standin

#endif
