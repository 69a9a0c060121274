// How far a track's curve moved, measured with the host's curve evaluation.
#include "CurveDeviation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "c4d_standin.h"

namespace {

constexpr LLONG kStepsPerFrame = 10;
constexpr LLONG kMaxLong = std::numeric_limits<LLONG>::max();

// A point of the tenth-of-frame grid: whole seconds and the steps into the next second
// (0 <= step < steps per second). Keeping the seconds apart keeps every count within 64 bits
// for any key time.
struct GridPoint {
  LLONG second = 0;
  LLONG step = 0;
  friend bool operator<=(const GridPoint& a, const GridPoint& b) {
    return a.second != b.second ? a.second < b.second : a.step <= b.step;
  }
};

class TimeGrid {
 public:
  explicit TimeGrid(LONG fps) : _stepsPerSecond(kStepsPerFrame * std::max<LONG>(fps, 1)) {}

  // The last grid point at or before time, and the first at or after it.
  GridPoint AtOrBefore(const BaseTime& time) const {
    BaseTime fraction;
    return FloorOf(time, fraction);
  }
  GridPoint AtOrAfter(const BaseTime& time) const {
    BaseTime fraction;
    const GridPoint floor = FloorOf(time, fraction);
    return BaseTime(floor.step, _stepsPerSecond) == fraction ? floor : Next(floor);
  }
  // The last grid point at or before a time in seconds (the double a spline's turn is found
  // as); FALSE beyond the seconds a key time can have.
  bool AtOrBeforeSeconds(double seconds, GridPoint& point) const {
    if (!(std::fabs(seconds) < 9.0e18)) return false;
    const double whole = std::floor(seconds);
    const auto step = static_cast<LLONG>((seconds - whole) * static_cast<double>(_stepsPerSecond));
    point = {static_cast<LLONG>(whole), std::clamp<LLONG>(step, 0, _stepsPerSecond - 1)};
    return true;
  }
  GridPoint Next(GridPoint point) const {
    if (++point.step < _stepsPerSecond) return point;
    return {point.second + 1, 0};
  }
  // Exact while the time fits a BaseTime; beyond, the host's nearest.
  BaseTime TimeOf(GridPoint point) const {
    const LLONG secondsInRange = kMaxLong / _stepsPerSecond - 1;
    if (point.second >= -secondsInRange && point.second <= secondsInRange)
      return BaseTime(point.second * _stepsPerSecond + point.step, _stepsPerSecond);
    return BaseTime(point.second, 1) + BaseTime(point.step, _stepsPerSecond);
  }
  // The grid points from first to last, both included; limit + 1 for any count above limit.
  LLONG CountUpTo(GridPoint first, GridPoint last, LLONG limit) const {
    if (!(first <= last)) return 0;
    // Unsigned, the difference of any two 64-bit seconds is exact.
    const uint64_t seconds =
        static_cast<uint64_t>(last.second) - static_cast<uint64_t>(first.second);
    if (seconds > static_cast<uint64_t>(limit / _stepsPerSecond + 1)) return limit + 1;
    const LLONG count = static_cast<LLONG>(seconds) * _stepsPerSecond + last.step - first.step + 1;
    return std::min(count, limit + 1);
  }

 private:
  // Whole seconds rounded down, with the fraction of a second left in [0, 1).
  GridPoint FloorOf(const BaseTime& time, BaseTime& fraction) const {
    const LLONG numerator = time.GetNumerator(), denominator = time.GetDenominator();
    if (denominator <= 0) return {};  // a zero denominator reads as 0 seconds
    LLONG second = numerator / denominator, rest = numerator % denominator;
    if (rest < 0) {
      --second;
      rest += denominator;
    }
    fraction = BaseTime(rest, denominator);
    // A floating estimate, then exact comparisons put the step right.
    LLONG step = std::clamp<LLONG>(
        static_cast<LLONG>(static_cast<double>(rest) / static_cast<double>(denominator) *
                           static_cast<double>(_stepsPerSecond)),
        0, _stepsPerSecond - 1);
    while (step > 0 && BaseTime(step, _stepsPerSecond) > fraction) --step;
    while (step + 1 < _stepsPerSecond && BaseTime(step + 1, _stepsPerSecond) <= fraction) ++step;
    return {second, step};
  }

  LLONG _stepsPerSecond;
};

// The tenth-of-frame steps from the earliest key of either curve to the latest.
struct StepRange {
  TimeGrid grid;
  GridPoint first, last;
  bool everyStep;  // few enough to check them all
};

// None when neither curve has keys.
std::optional<StepRange> StepsOf(const CCurve& a, const CCurve& b, LONG fps) {
  bool found = false;
  BaseTime first, last;
  for (const CCurve* curve : {&a, &b}) {
    const LONG count = curve->GetKeyCount();
    if (count == 0) continue;
    const BaseTime start = curve->GetKey(0)->GetTime();
    const BaseTime end = curve->GetKey(count - 1)->GetTime();
    first = found ? std::min(first, start) : start;
    last = found ? std::max(last, end) : end;
    found = true;
  }
  if (!found) return std::nullopt;
  const TimeGrid grid(fps);
  const GridPoint firstStep = grid.AtOrAfter(first), lastStep = grid.AtOrBefore(last);
  const bool everyStep =
      grid.CountUpTo(firstStep, lastStep, kMaxMeasuredSteps) <= kMaxMeasuredSteps;
  return StepRange{grid, firstStep, lastStep, everyStep};
}

// Calls check with every time the measure looks at (see CurveDeviation.h), in no particular
// order, until check returns false. Nothing is stored, so memory stays the same for any span.
template <class Check>
void ForEachCheckTime(const CCurve& a, const CCurve& b, LONG fps, Check check) {
  const std::optional<StepRange> range = StepsOf(a, b, fps);
  if (!range) return;
  const TimeGrid& grid = range->grid;
  for (const CCurve* curve : {&a, &b})
    for (LONG index = 0; index < curve->GetKeyCount(); ++index)
      if (!check(curve->GetKey(index)->GetTime())) return;
  if (range->everyStep) {
    for (GridPoint point = range->first; point <= range->last; point = grid.Next(point))
      if (!check(grid.TimeOf(point))) return;
    return;
  }
  bool going = true;
  const auto checkAround = [&](GridPoint before) {
    for (const GridPoint point : {before, grid.Next(before)})
      if (going && range->first <= point && point <= range->last) going = check(grid.TimeOf(point));
  };
  for (const CCurve* curve : {&a, &b}) {
    for (LONG index = 0; going && index < curve->GetKeyCount(); ++index)
      checkAround(grid.AtOrBefore(curve->GetKey(index)->GetTime()));
    standin::ForEachCurveTurn(*curve, [&](Real seconds) {
      GridPoint before;
      if (going && grid.AtOrBeforeSeconds(seconds, before)) checkAround(before);
    });
  }
}

// The larger of the two; NaN stays, so that a curve that is not finite never reads as close.
double Larger(double largest, double value) {
  return std::isnan(largest) || value <= largest ? largest : value;
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

// The curves of both tracks; FALSE when either has none.
bool CurvesOf(CTrack& before, CTrack& after, CCurve*& beforeCurve, CCurve*& afterCurve) {
  beforeCurve = before.GetCurve(CC_CURVE_CURVE, FALSE);
  afterCurve = after.GetCurve(CC_CURVE_CURVE, FALSE);
  return beforeCurve && afterCurve;
}

}  // namespace

double MaxValueDeviation(const CCurve& before, const CCurve& after, LONG fps, Real unitStep) {
  const Real step = unitStep > 0.0 ? unitStep : 1.0;
  double largest = 0.0;
  ForEachCheckTime(before, after, fps, [&](const BaseTime& time) {
    const double difference = std::fabs(before.GetValue(time, fps) - after.GetValue(time, fps));
    largest = Larger(largest, difference / step);
    return true;
  });
  return largest;
}

std::optional<double> MaxDataDeviation(const CCurve& before, const CCurve& after, LONG fps) {
  double largest = 0.0;
  bool measurable = true;
  ForEachCheckTime(before, after, fps, [&](const BaseTime& time) {
    const GeData a = DataAt(before, time);
    const GeData b = DataAt(after, time);
    if (IsNumber(a) && IsNumber(b))
      largest = Larger(largest, std::fabs(a.GetReal() - b.GetReal()));
    else if (a != b)
      measurable = false;
    return measurable;
  });
  return measurable ? std::optional<double>(largest) : std::nullopt;
}

std::optional<double> MaxTrackDeviation(CTrack& before, CTrack& after, LONG fps) {
  CCurve *beforeCurve, *afterCurve;
  if (!CurvesOf(before, after, beforeCurve, afterCurve)) {
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

bool MeasuresEveryStep(CTrack& before, CTrack& after, LONG fps) {
  CCurve *beforeCurve, *afterCurve;
  if (!CurvesOf(before, after, beforeCurve, afterCurve)) return true;
  const std::optional<StepRange> range = StepsOf(*beforeCurve, *afterCurve, fps);
  return !range || range->everyStep;
}
