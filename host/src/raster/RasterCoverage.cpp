// Coverage gathered over a shape's pixels, then blended in one pass.
#include "raster/RasterCoverage.h"

#include <algorithm>
#include <cmath>

namespace standin {

namespace {

// The whole pixel that holds coordinate, kept within low..high (NaN gives high, so that the
// mask comes out empty).
LONG PixelWithin(double coordinate, LONG low, LONG high) {
  if (!(coordinate <= high)) return high;
  if (coordinate < low) return low;
  return static_cast<LONG>(std::floor(coordinate));
}

}  // namespace

CoverageMask::CoverageMask(const RasterCanvas& canvas, double x1, double y1, double x2, double y2)
    : _left(PixelWithin(std::min(x1, x2), 0, canvas.GetWidth())),
      _top(PixelWithin(std::min(y1, y2), 0, canvas.GetHeight())),
      _right(PixelWithin(std::max(x1, x2), -1, canvas.GetWidth() - 1)),
      _bottom(PixelWithin(std::max(y1, y2), -1, canvas.GetHeight() - 1)) {
  if (std::isnan(x1) || std::isnan(x2) || std::isnan(y1) || std::isnan(y2)) _right = _left - 1;
  if (!IsEmpty())
    _coverage.assign(static_cast<size_t>(_right - _left + 1) * (_bottom - _top + 1), 0.0);
}

double* CoverageMask::At(LONG x, LONG y) {
  if (x < _left || x > _right || y < _top || y > _bottom) return nullptr;
  return &_coverage[static_cast<size_t>(y - _top) * (_right - _left + 1) + (x - _left)];
}

void CoverageMask::Cover(LONG x, LONG y, double coverage) {
  if (double* cell = At(x, y)) *cell = std::max(*cell, coverage);
}

void CoverageMask::Add(LONG x, LONG y, double coverage) {
  if (double* cell = At(x, y)) *cell += coverage;
}

void CoverageMask::BlendOnto(RasterCanvas& canvas, Rgba colour, double opacity) const {
  const double scale = std::isfinite(opacity) ? std::clamp(opacity, 0.0, 1.0) * 255.0 : 0.0;
  size_t at = 0;
  for (LONG y = _top; y <= _bottom && !IsEmpty(); ++y)
    for (LONG x = _left; x <= _right; ++x, ++at) {
      const long level = std::lround(std::min(_coverage[at], 1.0) * scale);
      if (level > 0) canvas.Blend(x, y, colour, static_cast<UCHAR>(level));
    }
}

}  // namespace standin
