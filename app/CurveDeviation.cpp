// How far a track's curve moved, measured with the host's curve evaluation.
#include "CurveDeviation.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Samples per frame.
constexpr LLONG kStepsPerFrame = 10;

// Rounding numerator / denominator up and down to whole numbers (denominator > 0).
LLONG CeilOfRatio(LLONG numerator, LLONG denominator) {
  const LLONG quotient = numerator / denominator;
  return quotient + (numerator % denominator > 0 ? 1 : 0);
}

LLONG FloorOfRatio(LLONG numerator, LLONG denominator) {
  const LLONG quotient = numerator / denominator;
  return quotient - (numerator % denominator < 0 ? 1 : 0);
}

// The earliest and latest key time of both curves; false when neither has keys.
bool KeyRange(const CCurve& a, const CCurve& b, BaseTime& first, BaseTime& last) {
  bool found = false;
  for (const CCurve* curve : {&a, &b}) {
    const LONG count = curve->GetKeyCount();
    if (count == 0) continue;
    const BaseTime start = curve->GetKey(0)->GetTime();
    const BaseTime end = curve->GetKey(count - 1)->GetTime();
    first = found ? std::min(first, start) : start;
    last = found ? std::max(last, end) : end;
    found = true;
  }
  return found;
}

// Both ends of the range and every tenth of a frame strictly between them.
std::vector<BaseTime> SampleTimes(const CCurve& a, const CCurve& b, LONG fps) {
  BaseTime first, last;
  if (!KeyRange(a, b, first, last)) return {};
  const LLONG stepsPerSecond = kStepsPerFrame * std::max<LONG>(fps, 1);
  std::vector<BaseTime> times = {first};
  LLONG step = CeilOfRatio(first.GetNumerator() * stepsPerSecond, first.GetDenominator());
  const LLONG lastStep = FloorOfRatio(last.GetNumerator() * stepsPerSecond, last.GetDenominator());
  for (; step <= lastStep; ++step) {
    const BaseTime time(step, stepsPerSecond);
    if (first < time && time < last) times.push_back(time);
  }
  if (first < last) times.push_back(last);
  return times;
}

// The data a data curve holds at time: that of the last key at or before it, or of the first
// key before the curve begins; nil for a curve without keys.
GeData DataAt(const CCurve& curve, const BaseTime& time) {
  const LONG count = curve.GetKeyCount();
  if (count == 0) return GeData();
  LONG low = 0, high = count - 1;
  while (low < high) {
    const LONG middle = (low + high + 1) / 2;
    if (curve.GetKey(middle)->GetTime() <= time)
      low = middle;
    else
      high = middle - 1;
  }
  return curve.GetKey(low)->GetGeData();
}

bool IsNumber(const GeData& data) { return data.GetType() == DA_LONG || data.GetType() == DA_REAL; }

}  // namespace

double MaxValueDeviation(const CCurve& before, const CCurve& after, LONG fps, Real unitStep) {
  const Real step = unitStep > 0.0 ? unitStep : 1.0;
  double largest = 0.0;
  for (const BaseTime& time : SampleTimes(before, after, fps)) {
    const double difference = std::fabs(before.GetValue(time, fps) - after.GetValue(time, fps));
    largest = std::max(largest, difference / step);
  }
  return largest;
}

std::optional<double> MaxDataDeviation(const CCurve& before, const CCurve& after, LONG fps) {
  double largest = 0.0;
  for (const BaseTime& time : SampleTimes(before, after, fps)) {
    const GeData a = DataAt(before, time);
    const GeData b = DataAt(after, time);
    if (IsNumber(a) && IsNumber(b))
      largest = std::max(largest, std::fabs(a.GetReal() - b.GetReal()));
    else if (a != b)
      return std::nullopt;
  }
  return largest;
}

std::optional<double> MaxTrackDeviation(CTrack& before, CTrack& after, LONG fps) {
  CCurve* beforeCurve = before.GetCurve(CC_CURVE_CURVE, FALSE);
  CCurve* afterCurve = after.GetCurve(CC_CURVE_CURVE, FALSE);
  if (!beforeCurve || !afterCurve) {
    const CCurve* present = beforeCurve ? beforeCurve : afterCurve;
    if (!present || present->GetKeyCount() == 0) return 0.0;
    return std::nullopt;  // keys on one side only: nothing to compare them with
  }
  if (before.GetTrackCategory() == CTRACK_CATEGORY_DATA)
    return MaxDataDeviation(*beforeCurve, *afterCurve, fps);
  Real unitStep = 1.0;
  before.GetUnit(&unitStep);
  return MaxValueDeviation(*beforeCurve, *afterCurve, fps, unitStep);
}
