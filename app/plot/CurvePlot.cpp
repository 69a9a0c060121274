// Building the plot of a value track from the host's evaluation of its curves.
#include "CurvePlot.h"

#include "DataLevels.h"
#include "PlotSamples.h"

namespace {

struct UnitLabel {
  const char* name;
  const char* suffix;
};

UnitLabel UnitLabelOf(LONG unit) {
  switch (unit) {
    case DESC_UNIT_DEGREE:
      return {"degrees", "°"};
    case DESC_UNIT_PERCENT:
      return {"percent", "%"};
    case DESC_UNIT_METER:
      return {"distance", ""};
    default:
      return {"value", ""};
  }
}

CCurve* CurveOf(CTrack* track) { return track ? track->GetCurve(CC_CURVE_CURVE, FALSE) : nullptr; }

// The curve as the host plays it at every sample time; nothing for a curve without keys.
std::vector<PlotPoint> EvaluateCurve(const CCurve* curve, const std::vector<BaseTime>& times,
                                     LONG fps, Real unitStep) {
  std::vector<PlotPoint> points;
  if (!curve || curve->GetKeyCount() == 0) return points;
  for (const BaseTime& time : times)
    points.push_back({time.Get() * fps, curve->GetValue(time, fps) / unitStep});
  return points;
}

std::vector<PlotPoint> ValueKeys(const CCurve* curve, LONG fps, Real unitStep) {
  std::vector<PlotPoint> keys;
  for (LONG i = 0; curve && i < curve->GetKeyCount(); ++i) {
    const CKey* key = curve->GetKey(i);
    keys.push_back({key->GetTime().Get() * fps, key->GetValue() / unitStep});
  }
  return keys;
}

void AddValueCurves(const TrackPair& pair, LONG fps, LONG sampleCount, CurvePlot& plot) {
  Real unitStep = 1.0;
  const UnitLabel label = UnitLabelOf(pair.after->GetUnit(&unitStep));
  if (!(unitStep > 0.0)) unitStep = 1.0;
  plot.unitName = label.name;
  plot.unitSuffix = label.suffix;
  const CCurve* before = CurveOf(pair.before);
  const CCurve* after = CurveOf(pair.after);
  const std::vector<BaseTime> times = PlotSampleTimes(before, after, fps, sampleCount);
  plot.before = EvaluateCurve(before, times, fps, unitStep);
  plot.after = EvaluateCurve(after, times, fps, unitStep);
  plot.beforeKeys = ValueKeys(before, fps, unitStep);
  plot.afterKeys = ValueKeys(after, fps, unitStep);
}

}  // namespace

CurvePlot MakeCurvePlot(const TrackPair& pair, LONG fps, double precision,
                        std::optional<double> maxDeviation, LONG sampleCount) {
  CurvePlot plot;
  plot.name = pair.name;
  plot.precision = precision;
  plot.maxDeviation = maxDeviation;
  if (pair.after->GetTrackCategory() == CTRACK_CATEGORY_DATA)
    AddDataSteps(CurveOf(pair.before), CurveOf(pair.after), fps, plot);
  else
    AddValueCurves(pair, fps, sampleCount, plot);
  return plot;
}
