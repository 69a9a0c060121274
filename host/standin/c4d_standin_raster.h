// Pictures the host program draws itself (curve plots), on the canvas that draws dialog snapshots,
// with its colours and interface fonts, plus what user areas cannot draw: anti-aliased lines of any
// width, filled discs and filled polygons, all with an opacity. Only the program and the tests
// include it: the plug-in's target does not see this folder.
#ifndef C4D_STANDIN_RASTER_H
#define C4D_STANDIN_RASTER_H

#include <memory>
#include <vector>

#include "c4d_bitmap.h"
#include "c4d_string.h"
#include "c4d_types.h"
#include "c4d_vector.h"

namespace standin {

class RasterCanvas;

// A point of a shape in pixels with fractions: pixel (x, y) is the square from (x, y) to
// (x + 1, y + 1), so its centre is (x + 0.5, y + 0.5).
struct RasterPoint {
  Real x = 0.0;
  Real y = 0.0;
};

class RasterPicture {
 public:
  // A width x height picture (negative sizes count as 0) filled with background (RGB 0 to 1).
  RasterPicture(LONG width, LONG height, const Vector& background);
  ~RasterPicture();
  RasterPicture(const RasterPicture&) = delete;
  RasterPicture& operator=(const RasterPicture&) = delete;

  LONG GetWidth() const;
  LONG GetHeight() const;
  // Shapes are cut to this rectangle of whole pixels, corners included (default: the picture).
  void SetClip(LONG x1, LONG y1, LONG x2, LONG y2);
  void ResetClip();

  // Colours are RGB from 0 to 1; opacity from 0 (nothing) to 1 (covers).
  // Fills the whole pixels from (x1, y1) to (x2, y2), corners in any order.
  void FillRect(LONG x1, LONG y1, LONG x2, LONG y2, const Vector& colour, Real opacity = 1.0);
  // Joined line through the points, width pixels wide, with round joins and ends. Points that
  // are not finite break the line there. A single point draws a dot.
  void StrokePolyline(const std::vector<RasterPoint>& points, Real width, const Vector& colour,
                      Real opacity = 1.0);
  void FillCircle(RasterPoint centre, Real radius, const Vector& colour, Real opacity = 1.0);
  // The inside of the closed outline (non-zero winding), anti-aliased at its edges. An outline
  // with a point that is not finite draws nothing.
  void FillPolygon(const std::vector<RasterPoint>& outline, const Vector& colour,
                   Real opacity = 1.0);
  // Text in a FONT_ id with its top left corner at (x, y), as a user area draws it.
  void DrawText(const String& text, LONG x, LONG y, LONG font, const Vector& colour);
  LONG GetTextWidth(const String& text, LONG font) const;
  LONG GetFontHeight(LONG font) const;

  // Copies the picture into target, which is initialised to the picture's size.
  Bool CopyTo(BaseBitmap& target) const;

 private:
  std::unique_ptr<RasterCanvas> _canvas;
};

}  // namespace standin

#endif
