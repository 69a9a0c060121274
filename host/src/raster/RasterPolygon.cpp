// Filled polygons: every pixel row is cut by several scan lines; along each, the inside spans
// (non-zero winding) add their exact horizontal share of each pixel, so edges come out smooth
// in both directions.
#include <algorithm>
#include <cmath>

#include "raster/RasterCoverage.h"
#include "raster/RasterShapes.h"

namespace standin {

namespace {

constexpr int kScanLinesPerRow = 16;

struct Edge {
  RasterPoint from, to;  // from.y < to.y
  int direction;         // +1 downwards in the outline's order, -1 upwards
};

struct Crossing {
  double x;
  int direction;
};

std::vector<Edge> EdgesOf(const std::vector<RasterPoint>& outline) {
  std::vector<Edge> edges;
  for (size_t i = 0; i < outline.size(); ++i) {
    const RasterPoint a = outline[i], b = outline[(i + 1) % outline.size()];
    if (a.y == b.y) continue;  // a level edge crosses no scan line
    edges.push_back(a.y < b.y ? Edge{a, b, 1} : Edge{b, a, -1});
  }
  std::sort(edges.begin(), edges.end(),
            [](const Edge& l, const Edge& r) { return l.from.y < r.from.y; });
  return edges;
}

// Adds weight times the part of each pixel between x = from and x = to in row y.
void AddSpan(CoverageMask& mask, LONG y, double from, double to, double weight) {
  from = std::max(from, static_cast<double>(mask.Left()));
  to = std::min(to, mask.Right() + 1.0);
  if (from >= to) return;
  const LONG first = static_cast<LONG>(std::floor(from)), last = static_cast<LONG>(std::floor(to));
  if (first == last) return mask.Add(first, y, (to - from) * weight);
  mask.Add(first, y, (first + 1 - from) * weight);
  for (LONG x = first + 1; x < last; ++x) mask.Add(x, y, weight);
  mask.Add(last, y, (to - last) * weight);
}

void FillScanLine(CoverageMask& mask, LONG y, double scanY, const std::vector<const Edge*>& active,
                  std::vector<Crossing>& crossings) {
  crossings.clear();
  for (const Edge* edge : active) {
    if (scanY < edge->from.y || scanY >= edge->to.y) continue;
    const double share = (scanY - edge->from.y) / (edge->to.y - edge->from.y);
    crossings.push_back({edge->from.x + share * (edge->to.x - edge->from.x), edge->direction});
  }
  std::sort(crossings.begin(), crossings.end(),
            [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
  int winding = 0;
  for (size_t i = 0; i + 1 < crossings.size(); ++i) {
    winding += crossings[i].direction;
    if (winding != 0) AddSpan(mask, y, crossings[i].x, crossings[i + 1].x, 1.0 / kScanLinesPerRow);
  }
}

// Walks the rows top to bottom, keeping the edges that reach into the current row.
void CoverOutline(CoverageMask& mask, const std::vector<Edge>& edges) {
  std::vector<const Edge*> active;
  std::vector<Crossing> crossings;
  size_t next = 0;
  for (LONG y = mask.Top(); y <= mask.Bottom(); ++y) {
    for (; next < edges.size() && edges[next].from.y < y + 1.0; ++next)
      active.push_back(&edges[next]);
    std::erase_if(active, [y](const Edge* edge) { return edge->to.y < y; });
    for (int line = 0; line < kScanLinesPerRow; ++line)
      FillScanLine(mask, y, y + (line + 0.5) / kScanLinesPerRow, active, crossings);
  }
}

}  // namespace

void FillPolygon(RasterCanvas& canvas, const std::vector<RasterPoint>& outline, Rgba colour,
                 double opacity) {
  if (outline.size() < 3) return;
  double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
  for (const RasterPoint& p : outline) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  CoverageMask mask(canvas, left, top, right, bottom);
  if (mask.IsEmpty()) return;
  CoverOutline(mask, EdgesOf(outline));
  mask.BlendOnto(canvas, colour, opacity);
}

}  // namespace standin
