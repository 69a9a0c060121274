// How much of each pixel a shape covers, gathered before the shape is blended once, so that
// the overlapping pieces of one shape (the segments of a line at their joins) never darken it.
#ifndef HOST_RASTERCOVERAGE_H
#define HOST_RASTERCOVERAGE_H

#include <vector>

#include "raster/RasterCanvas.h"

namespace standin {

class CoverageMask {
 public:
  // A mask over the pixels from (x1, y1) to (x2, y2), cut to the canvas.
  CoverageMask(const RasterCanvas& canvas, double x1, double y1, double x2, double y2);

  bool IsEmpty() const { return _left > _right || _top > _bottom; }
  LONG Left() const { return _left; }
  LONG Right() const { return _right; }
  LONG Top() const { return _top; }
  LONG Bottom() const { return _bottom; }

  // Coverage 0 to 1: Cover keeps the larger of old and new, Add sums them (capped at blending).
  void Cover(LONG x, LONG y, double coverage);
  void Add(LONG x, LONG y, double coverage);
  // Blends colour, scaled by opacity and each pixel's coverage, over the canvas.
  void BlendOnto(RasterCanvas& canvas, Rgba colour, double opacity) const;

 private:
  double* At(LONG x, LONG y);

  LONG _left, _top, _right, _bottom;
  std::vector<double> _coverage;
};

}  // namespace standin

#endif
