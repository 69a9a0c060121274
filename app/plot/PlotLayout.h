// Where a plot puts things: the picture's size, the plot area inside its margins, the frame and
// value ranges it shows, and the mapping from (frame, value) to pixels.
#ifndef THINFOLD_PLOT_LAYOUT_H
#define THINFOLD_PLOT_LAYOUT_H

#include <vector>

#include "CurvePlot.h"

struct PlotRange {
  double low = 0.0;
  double high = 1.0;
};

class PlotLayout {
 public:
  static constexpr LONG kWidth = 1200;
  static constexpr LONG kHeight = 500;

  // Ranges with high <= low, or not finite, are replaced by [0, 1].
  PlotLayout(PlotRange frames, PlotRange values);

  // The plot area in whole pixels, edges included.
  static constexpr LONG Left() { return 84; }
  static constexpr LONG Right() { return kWidth - 28; }
  static constexpr LONG Top() { return 64; }
  static constexpr LONG Bottom() { return kHeight - 46; }
  // Pixel coordinates with fractions (pixel x covers x to x + 1): the frame range spans the
  // area from Left() to Right() + 1, the value range from Bottom() + 1 up to Top().
  double X(double frame) const;
  double Y(double value) const;
  PlotRange Frames() const { return _frames; }
  PlotRange Values() const { return _values; }

 private:
  PlotRange _frames, _values;
};

// The layout that shows all of plot with a small margin: both curves, their keys and the
// tolerance band; a data track's levels each get a whole row.
PlotLayout LayoutOf(const CurvePlot& plot);

// Round numbers (1, 2 or 5 times a power of ten apart) inside range, at most about maxCount.
std::vector<double> NiceTicks(PlotRange range, int maxCount);
// A tick as text, with as many decimals as the ticks' spacing needs.
std::string TickText(double tick, const std::vector<double>& ticks);

#endif
