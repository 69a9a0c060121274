// The title and legend of a plot.
#include <cmath>
#include <cstdio>

#include "PlotPainter.h"
#include "PlotStyle.h"

namespace {

constexpr LONG kTitleTop = 10;
constexpr LONG kLegendTop = 36;
constexpr LONG kSampleLength = 26;  // of a legend's line sample
constexpr LONG kLegendGap = 28;     // between legend entries

std::string Amount(double value, const std::string& suffix) {
  char text[48];
  std::snprintf(text, sizeof text, std::fabs(value) >= 1000.0 ? "%.0f" : "%.3g", value);
  return text + suffix;
}

std::string Title(const CurvePlot& plot) {
  const std::string deviation =
      plot.maxDeviation ? Amount(*plot.maxDeviation, plot.unitSuffix) : "data differ";
  std::string title = plot.name + "  —  keys " + std::to_string(plot.beforeKeys.size()) + " → " +
                      std::to_string(plot.afterKeys.size()) + ", max deviation " + deviation;
  if (!plot.stepChart) title += " (precision " + Amount(plot.precision, plot.unitSuffix) + ")";
  return title;
}

// Draws a legend entry's sample, kSampleLength wide, from x on, centred on row y.
using SamplePainter = void (*)(standin::RasterPicture&, LONG x, double y);

void LineSample(standin::RasterPicture& picture, double y, LONG x, const Vector& colour,
                double width) {
  picture.StrokePolyline({{x + 0.0, y}, {x + kSampleLength + 0.0, y}}, width, colour);
}

void OriginalSample(standin::RasterPicture& picture, LONG x, double y) {
  using namespace plot_style;
  LineSample(picture, y, x, kOriginal, kOriginalWidth);
  picture.FillCircle({x + kSampleLength / 2.0, y}, kOriginalKeyRadius, kOriginal);
}

void ReducedSample(standin::RasterPicture& picture, LONG x, double y) {
  using namespace plot_style;
  LineSample(picture, y, x, kReduced, kReducedWidth);
  picture.FillCircle({x + kSampleLength / 2.0, y}, kReducedKeyRingRadius, kBackground);
  picture.FillCircle({x + kSampleLength / 2.0, y}, kReducedKeyRadius, kReduced);
}

void BandSample(standin::RasterPicture& picture, LONG x, double y) {
  using namespace plot_style;
  const LONG top = static_cast<LONG>(y) - 5;
  picture.FillRect(x, top, x + kSampleLength, top + 10, kOriginal, kBandOpacity);
}

// Draws one entry at x and gives the x of the next.
LONG LegendEntry(standin::RasterPicture& picture, LONG x, SamplePainter sample,
                 const std::string& text) {
  const LONG fontHeight = picture.GetFontHeight(FONT_STANDARD);
  sample(picture, x, kLegendTop + fontHeight / 2.0);
  const LONG textLeft = x + kSampleLength + 8;
  picture.DrawText(text, textLeft, kLegendTop, FONT_STANDARD, plot_style::kText);
  return textLeft + picture.GetTextWidth(text, FONT_STANDARD) + kLegendGap;
}

}  // namespace

void PaintHeading(const CurvePlot& plot, const PlotLayout& layout,
                  standin::RasterPicture& picture) {
  picture.DrawText(Title(plot), layout.Left(), kTitleTop, FONT_BOLD, plot_style::kText);
  LONG x = layout.Left();
  x = LegendEntry(picture, x, OriginalSample, "original curve and keys");
  x = LegendEntry(picture, x, ReducedSample, "reduced curve and keys");
  if (!plot.stepChart)
    LegendEntry(picture, x, BandSample,
                "tolerance ±" + Amount(plot.precision, plot.unitSuffix) + " around the original");
}
