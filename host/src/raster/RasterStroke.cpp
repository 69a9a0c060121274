// Wide anti-aliased lines and discs: a pixel is covered by how far its centre lies inside the
// shape's edge, which gives round ends and joins for free.
#include <algorithm>
#include <cmath>

#include "raster/RasterCoverage.h"
#include "raster/RasterShapes.h"

namespace standin {

namespace {

bool IsFinite(RasterPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// A pixel coordinate kept within low..high before it becomes a whole number (NaN gives low).
LONG Clamped(double coordinate, LONG low, LONG high) {
  if (!(coordinate >= low)) return low;
  return coordinate > high ? high : static_cast<LONG>(coordinate);
}

double DistanceToSegment(double x, double y, RasterPoint a, RasterPoint b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double lengthSquared = dx * dx + dy * dy;
  double t = lengthSquared > 0.0 ? ((x - a.x) * dx + (y - a.y) * dy) / lengthSquared : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(x - (a.x + t * dx), y - (a.y + t * dy));
}

// The columns of row whose centres may lie within reach of the segment, so that a long
// diagonal visits only the pixels near it rather than its whole bounding box.
bool RowSpan(RasterPoint a, RasterPoint b, double rowCentre, double reach, double& from,
             double& to) {
  double t0 = 0.0, t1 = 1.0;
  const double dy = b.y - a.y;
  if (dy != 0.0) {
    t0 = std::max(0.0, std::min((rowCentre - reach - a.y) / dy, (rowCentre + reach - a.y) / dy));
    t1 = std::min(1.0, std::max((rowCentre - reach - a.y) / dy, (rowCentre + reach - a.y) / dy));
  } else if (std::fabs(rowCentre - a.y) > reach) {
    return false;
  }
  if (t0 > t1) return false;
  const double x0 = a.x + t0 * (b.x - a.x), x1 = a.x + t1 * (b.x - a.x);
  from = std::min(x0, x1) - reach;
  to = std::max(x0, x1) + reach;
  return true;
}

// A line narrower than a pixel is drawn one pixel wide and fainter.
double Coverage(double halfWidth, double distance) {
  const double inside = std::clamp(std::max(halfWidth, 0.5) + 0.5 - distance, 0.0, 1.0);
  return inside * std::min(1.0, 2.0 * halfWidth);
}

void CoverSegment(CoverageMask& mask, RasterPoint a, RasterPoint b, double halfWidth) {
  const double reach = std::max(halfWidth, 0.5) + 1.0;
  const LONG top = Clamped(std::floor(std::min(a.y, b.y) - reach), mask.Top(), mask.Bottom());
  const LONG bottom = Clamped(std::ceil(std::max(a.y, b.y) + reach), mask.Top(), mask.Bottom());
  for (LONG y = top; y <= bottom; ++y) {
    double from = 0.0, to = 0.0;
    if (!RowSpan(a, b, y + 0.5, reach, from, to)) continue;
    const LONG first = Clamped(std::floor(from), mask.Left(), mask.Right());
    const LONG last = Clamped(std::ceil(to), mask.Left(), mask.Right());
    for (LONG x = first; x <= last; ++x)
      mask.Cover(x, y, Coverage(halfWidth, DistanceToSegment(x + 0.5, y + 0.5, a, b)));
  }
}

CoverageMask MaskAround(const RasterCanvas& canvas, const std::vector<RasterPoint>& points,
                        double reach) {
  double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
  for (const RasterPoint& p : points) {
    if (!IsFinite(p)) continue;
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  return CoverageMask(canvas, left - reach, top - reach, right + reach, bottom + reach);
}

}  // namespace

void StrokePolyline(RasterCanvas& canvas, const std::vector<RasterPoint>& points, double width,
                    Rgba colour, double opacity) {
  if (!(width > 0.0) || !std::isfinite(width)) return;
  const double halfWidth = width / 2.0;
  CoverageMask mask = MaskAround(canvas, points, std::max(halfWidth, 0.5) + 1.0);
  if (mask.IsEmpty()) return;
  for (size_t i = 0; i < points.size(); ++i) {
    if (!IsFinite(points[i])) continue;
    const bool nextFinite = i + 1 < points.size() && IsFinite(points[i + 1]);
    const bool previousFinite = i > 0 && IsFinite(points[i - 1]);
    if (nextFinite)
      CoverSegment(mask, points[i], points[i + 1], halfWidth);
    else if (!previousFinite)
      CoverSegment(mask, points[i], points[i], halfWidth);  // a lone point: a dot
  }
  mask.BlendOnto(canvas, colour, opacity);
}

void FillDisc(RasterCanvas& canvas, RasterPoint centre, double radius, Rgba colour,
              double opacity) {
  if (!IsFinite(centre) || !(radius > 0.0) || !std::isfinite(radius)) return;
  StrokePolyline(canvas, {centre}, 2.0 * radius, colour, opacity);
}

}  // namespace standin
