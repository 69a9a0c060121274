// The grid of a plot with its tick labels and the names of its axes.
#include <algorithm>
#include <cmath>

#include "PlotPainter.h"
#include "PlotStyle.h"

namespace {

constexpr int kMaxFrameTicks = 12;
constexpr int kMaxValueTicks = 8;
constexpr int kMaxLevelTicks = 12;
constexpr LONG kTickLength = 4;
constexpr LONG kLabelGap = 7;

struct Tick {
  double position;
  std::string label;
};

std::vector<Tick> FrameTicks(const PlotLayout& layout) {
  const std::vector<double> ticks = NiceTicks(layout.Frames(), kMaxFrameTicks);
  std::vector<Tick> labelled;
  for (double tick : ticks) labelled.push_back({tick, TickText(tick, ticks)});
  return labelled;
}

// Every level when they are few, else every second, third, ... level.
std::vector<Tick> ValueTicks(const CurvePlot& plot, const PlotLayout& layout) {
  std::vector<Tick> labelled;
  const size_t levelCount = plot.levelNames.size();
  const size_t levelStep = (levelCount + kMaxLevelTicks - 1) / kMaxLevelTicks;
  for (size_t level = 0; level < levelCount; level += levelStep)
    labelled.push_back({static_cast<double>(level), plot.levelNames[level]});
  if (levelCount > 0) return labelled;
  const std::vector<double> ticks = NiceTicks(layout.Values(), kMaxValueTicks);
  for (double tick : ticks) labelled.push_back({tick, TickText(tick, ticks)});
  return labelled;
}

LONG Pixel(double coordinate) { return static_cast<LONG>(std::floor(coordinate)); }

void PaintFrameTicks(const PlotLayout& layout, standin::RasterPicture& picture) {
  using namespace plot_style;
  for (const Tick& tick : FrameTicks(layout)) {
    const LONG x = std::min(Pixel(layout.X(tick.position)), layout.Right());
    picture.FillRect(x, layout.Top(), x, layout.Bottom(), kGrid);
    picture.FillRect(x, layout.Bottom() + 1, x, layout.Bottom() + kTickLength, kAxis);
    const LONG width = picture.GetTextWidth(tick.label, FONT_STANDARD);
    picture.DrawText(tick.label, x - width / 2, layout.Bottom() + kLabelGap, FONT_STANDARD, kText);
  }
}

void PaintValueTicks(const CurvePlot& plot, const PlotLayout& layout,
                     standin::RasterPicture& picture) {
  using namespace plot_style;
  const LONG fontHeight = picture.GetFontHeight(FONT_STANDARD);
  for (const Tick& tick : ValueTicks(plot, layout)) {
    const LONG y = std::min(Pixel(layout.Y(tick.position)), layout.Bottom());
    picture.FillRect(layout.Left(), y, layout.Right(), y, kGrid);
    picture.FillRect(layout.Left() - kTickLength, y, layout.Left() - 1, y, kAxis);
    const LONG width = picture.GetTextWidth(tick.label, FONT_STANDARD);
    picture.DrawText(tick.label, std::max<LONG>(layout.Left() - kLabelGap - width, 2),
                     y - fontHeight / 2, FONT_STANDARD, kText);
  }
}

void PaintAxisNames(const CurvePlot& plot, const PlotLayout& layout,
                    standin::RasterPicture& picture) {
  using namespace plot_style;
  const LONG fontHeight = picture.GetFontHeight(FONT_STANDARD);
  const String frames = "frame";
  picture.DrawText(frames, layout.Right() - picture.GetTextWidth(frames, FONT_STANDARD),
                   layout.Bottom() + kLabelGap + fontHeight + 2, FONT_STANDARD, kText);
  picture.DrawText(plot.unitName, 8, layout.Top() - fontHeight - 4, FONT_STANDARD, kText);
}

}  // namespace

void PaintAxes(const CurvePlot& plot, const PlotLayout& layout, standin::RasterPicture& picture) {
  using namespace plot_style;
  PaintFrameTicks(layout, picture);
  PaintValueTicks(plot, layout, picture);
  picture.FillRect(layout.Left() - 1, layout.Top(), layout.Left() - 1, layout.Bottom() + 1, kAxis);
  picture.FillRect(layout.Left() - 1, layout.Bottom() + 1, layout.Right(), layout.Bottom() + 1,
                   kAxis);
  PaintAxisNames(plot, layout, picture);
}
