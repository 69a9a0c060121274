// Drawing a curve plot: the band first, then the original curve with its keys, and the reduced
// curve with its keys on top, so that the reduced curve shows even where keys crowd.
#include "PlotPainter.h"

#include <algorithm>
#include <cmath>

#include "PlotStyle.h"

namespace {

std::vector<standin::RasterPoint> Pixels(const std::vector<PlotPoint>& points,
                                         const PlotLayout& layout, double valueShift = 0.0) {
  std::vector<standin::RasterPoint> pixels;
  pixels.reserve(points.size());
  for (const PlotPoint& point : points)
    pixels.push_back({layout.X(point.frame), layout.Y(point.value + valueShift)});
  return pixels;
}

// The original curve shifted up by the precision, and back along it shifted down.
void PaintBand(const CurvePlot& plot, const PlotLayout& layout, standin::RasterPicture& picture) {
  if (plot.stepChart || !(plot.precision > 0.0) || plot.before.empty()) return;
  std::vector<standin::RasterPoint> outline = Pixels(plot.before, layout, plot.precision);
  const std::vector<standin::RasterPoint> lower = Pixels(plot.before, layout, -plot.precision);
  outline.insert(outline.end(), lower.rbegin(), lower.rend());
  picture.FillPolygon(outline, plot_style::kOriginal, plot_style::kBandOpacity);
}

// Original keys shrink where they crowd, down to dots that merely thicken the curve, so that
// a curve with a key on every frame still shows its shape.
double OriginalKeyRadius(const std::vector<PlotPoint>& keys, const PlotLayout& layout) {
  if (keys.size() < 2) return plot_style::kOriginalKeyRadius;
  const double spacing = std::fabs(layout.X(keys.back().frame) - layout.X(keys.front().frame)) /
                         static_cast<double>(keys.size() - 1);
  return std::clamp(0.35 * spacing, 1.0, plot_style::kOriginalKeyRadius);
}

void PaintOriginalKeys(const std::vector<PlotPoint>& keys, const PlotLayout& layout,
                       standin::RasterPicture& picture) {
  const double radius = OriginalKeyRadius(keys, layout);
  for (const standin::RasterPoint& key : Pixels(keys, layout))
    picture.FillCircle(key, radius, plot_style::kOriginal);
}

void PaintReducedKeys(const std::vector<PlotPoint>& keys, const PlotLayout& layout,
                      standin::RasterPicture& picture) {
  using namespace plot_style;
  for (const standin::RasterPoint& key : Pixels(keys, layout)) {
    picture.FillCircle(key, kReducedKeyRingRadius, kBackground);
    picture.FillCircle(key, kReducedKeyRadius, kReduced);
  }
}

}  // namespace

void PaintCurvePlot(const CurvePlot& plot, standin::RasterPicture& picture) {
  using namespace plot_style;
  const PlotLayout layout = LayoutOf(plot);
  picture.FillRect(0, 0, picture.GetWidth() - 1, picture.GetHeight() - 1, kBackground);
  PaintAxes(plot, layout, picture);
  picture.SetClip(layout.Left(), layout.Top(), layout.Right(), layout.Bottom());
  PaintBand(plot, layout, picture);
  picture.StrokePolyline(Pixels(plot.before, layout), kOriginalWidth, kOriginal);
  PaintOriginalKeys(plot.beforeKeys, layout, picture);
  picture.StrokePolyline(Pixels(plot.after, layout), kReducedWidth, kReduced);
  PaintReducedKeys(plot.afterKeys, layout, picture);
  picture.ResetClip();
  PaintHeading(plot, layout, picture);
}
