// The layout of a plot.
#include "PlotLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kFrameMargin = 0.02;  // of the frame span, on each side
constexpr double kValueMargin = 0.08;  // of the value span, above and below

bool IsUsable(PlotRange range) {
  return std::isfinite(range.low) && std::isfinite(range.high) && range.low < range.high &&
         std::isfinite(range.high - range.low);
}

struct Extent {
  double low = INFINITY, high = -INFINITY;
  void Add(double value) {
    if (!std::isfinite(value)) return;
    low = std::min(low, value);
    high = std::max(high, value);
  }
  bool IsEmpty() const { return low > high; }
};

// The extent widened by margin of its span on each side; a single value gets one unit around it.
PlotRange Padded(const Extent& extent, double margin) {
  if (extent.IsEmpty()) return {0.0, 1.0};
  if (extent.low == extent.high) return {extent.low - 1.0, extent.high + 1.0};
  const double pad = (extent.high - extent.low) * margin;
  return {extent.low - pad, extent.high + pad};
}

PlotRange FrameRange(const CurvePlot& plot) {
  Extent extent;
  for (const auto* points : {&plot.before, &plot.after, &plot.beforeKeys, &plot.afterKeys})
    for (const PlotPoint& point : *points) extent.Add(point.frame);
  return Padded(extent, kFrameMargin);
}

PlotRange ValueRange(const CurvePlot& plot) {
  if (!plot.levelNames.empty()) return {-0.5, plot.levelNames.size() - 0.5};
  Extent extent;
  for (const auto* points : {&plot.before, &plot.after, &plot.beforeKeys, &plot.afterKeys})
    for (const PlotPoint& point : *points) extent.Add(point.value);
  if (!plot.stepChart && std::isfinite(plot.precision))
    for (const PlotPoint& point : plot.before) {
      extent.Add(point.value - plot.precision);
      extent.Add(point.value + plot.precision);
    }
  return Padded(extent, kValueMargin);
}

double NiceStep(double rawStep) {
  const double power = std::pow(10.0, std::floor(std::log10(rawStep)));
  for (double factor : {1.0, 2.0, 5.0})
    if (factor * power >= rawStep) return factor * power;
  return 10.0 * power;
}

}  // namespace

PlotLayout::PlotLayout(PlotRange frames, PlotRange values)
    : _frames(IsUsable(frames) ? frames : PlotRange{}),
      _values(IsUsable(values) ? values : PlotRange{}) {}

double PlotLayout::X(double frame) const {
  const double share = (frame - _frames.low) / (_frames.high - _frames.low);
  return Left() + share * (Right() + 1 - Left());
}

double PlotLayout::Y(double value) const {
  const double share = (value - _values.low) / (_values.high - _values.low);
  return Bottom() + 1 - share * (Bottom() + 1 - Top());
}

PlotLayout LayoutOf(const CurvePlot& plot) {
  return PlotLayout(FrameRange(plot), ValueRange(plot));
}

std::vector<double> NiceTicks(PlotRange range, int maxCount) {
  if (!IsUsable(range) || maxCount < 1) return {};
  const double step = NiceStep((range.high - range.low) / maxCount);
  std::vector<double> ticks;
  // Counted, as far from zero the step numbers may stop growing in double precision.
  double n = std::ceil(range.low / step);
  for (int count = 0; n * step <= range.high && count <= 2 * maxCount; ++n, ++count)
    ticks.push_back(n * step == 0.0 ? 0.0 : n * step);  // no "-0"
  return ticks;
}

std::string TickText(double tick, const std::vector<double>& ticks) {
  const double step = ticks.size() > 1 ? ticks[1] - ticks[0] : 1.0;
  const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 9);
  char text[48];
  std::snprintf(text, sizeof text, "%.*f", decimals, tick == 0.0 ? 0.0 : tick);
  return text;
}
