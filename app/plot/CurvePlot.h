// What the plot of one track shows, in frames and in the track's unit steps (degrees for a
// degree track, percent for a percent track): the curve before and after the reduction as the
// host plays them, evaluated with the host's own curve evaluation, and their keys.
#ifndef THINFOLD_CURVE_PLOT_H
#define THINFOLD_CURVE_PLOT_H

#include <optional>
#include <string>
#include <vector>

#include "TrackPairs.h"
#include "c4d.h"

struct PlotPoint {
  double frame = 0.0;
  double value = 0.0;
};

struct CurvePlot {
  std::string name;  // ELEMENT.TRACK
  // A data track: the curves are steps (a key's data holds until the next key) and carry no
  // tolerance band, as data keys are kept or removed only when their data repeat exactly.
  bool stepChart = false;
  std::string unitName;    // for the value axis: "degrees", "percent", "distance", "value", "data"
  std::string unitSuffix;  // after numbers in the title: "°", "%" or nothing
  std::vector<PlotPoint> before, after;  // empty for a curve without keys
  std::vector<PlotPoint> beforeKeys, afterKeys;
  // Data that are not all numbers are drawn as levels 0, 1, 2, ... in order of first
  // appearance; levelNames[i] is level i's data as text. Empty for numbers.
  std::vector<std::string> levelNames;
  double precision = 0.0;              // unit steps; the band is before ± precision
  std::optional<double> maxDeviation;  // unit steps; none when data differ in kind
};

// The plot of a pair of tracks. sampleCount is about how many evaluations each value curve
// gets between the first and the last key of both curves (key times are always among them).
CurvePlot MakeCurvePlot(const TrackPair& pair, LONG fps, double precision,
                        std::optional<double> maxDeviation, LONG sampleCount);

#endif
