// The check points are walked in time order by merging two sorted sources, the tenth-of-frame
// grid and the original curve's keys; the reduced curve's keys never lie inside a range that
// callers ask about (they ask for the stretch between two neighbouring keys), so its key times
// are the ends of the range. Reading in time order lets the host find each curve's segment from
// the one it read before. Keys are placed on the grid by their grid step, once per key, so the
// merge compares whole numbers rather than exact times.
#include "ToleranceCheck.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "ReductionTypes.h"
#include "SampledCurve.h"

namespace {

constexpr LLONG kGridStepsPerFrame = 10;

// The reference samples lie half a frame apart; the grid is five times as fine.
constexpr double kMaxCheckPoints = double(kMaxSampleCount) * (kGridStepsPerFrame / 2);

// A stretch with more check points than this (about 9 minutes at 30 fps) is read anew for every
// trial rather than kept.
constexpr VLONG kMaxCachedPoints = VLONG(1) << 17;

// The distance to either side over which the original curve's slope is taken, as the fit reads
// the reference slope.
const BaseTime kSlopeReach(1, 100);

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

}  // namespace

CToleranceCheck::CToleranceCheck(const CCurve& original, const CCurve& reduced, Real precision,
                                 Real unitStep, LONG fps)
    : _original(original),
      _reduced(reduced),
      _precision(precision),
      _unitStep(unitStep > 0.0 ? unitStep : 1.0),
      _fps(fps) {}

Bool CToleranceCheck::Init() {
  if (_fps < 1 || !KeyRange(_original, _reduced, _first, _last)) return FALSE;
  if (!SampleTimeInRange(_first) || !SampleTimeInRange(_last)) return FALSE;
  _gridRate = kGridStepsPerFrame * LLONG(_fps);
  return (_last - _first).Get() * double(_gridRate) <= kMaxCheckPoints;
}

double CToleranceCheck::Worst(const BaseTime& from, const BaseTime& to, double giveUpAbove,
                              BaseTime& where) {
  const BaseTime low = std::max(from, _first);
  const BaseTime high = std::min(to, _last);
  where = from;
  if (high < low) return 0.0;
  if (_cacheValid && _cacheLow == low && _cacheHigh == high)
    return WorstFromCache(giveUpAbove, where);
  return WorstWhileCaching(low, high, giveUpAbove, where);
}

bool CToleranceCheck::Holds(const BaseTime& from, const BaseTime& to) {
  BaseTime where;
  return Worst(from, to, _precision, where) <= _precision;
}

double CToleranceCheck::WorstWhileCaching(const BaseTime& low, const BaseTime& high,
                                          double giveUpAbove, BaseTime& where) {
  double worst = 0.0;
  where = low;
  if (_hasFailed && low <= _lastFailed && _lastFailed <= high) {
    worst = DeviationAt(_lastFailed);
    where = _lastFailed;
    if (worst > giveUpAbove) return worst;
  }
  // Only a whole reading is kept: a stretch is read whole when it is about to be mended, and
  // most stretches are read once, until they are found to hold.
  bool caching = giveUpAbove == std::numeric_limits<double>::infinity();
  if (caching) {
    _cacheValid = false;
    _cache.ReSizeNC(0);
  }
  const bool stopped = ForEachPoint(low, high, [&](const BaseTime& time) {
    const Real original = OriginalAt(time);
    const double deviation = DeviationFrom(original, time);
    if (deviation > worst) {
      worst = deviation;
      where = time;
    }
    caching = caching && _cache.GetCount() < kMaxCachedPoints && _cache.Push({time, original});
    if (!(deviation > giveUpAbove)) return false;
    _lastFailed = time;
    _hasFailed = true;
    return true;
  });
  if (caching && !stopped) {
    _cacheValid = true;
    _cacheLow = low;
    _cacheHigh = high;
  }
  return worst;
}

double CToleranceCheck::WorstFromCache(double giveUpAbove, BaseTime& where) {
  const VLONG count = _cache.GetCount();
  double worst = 0.0;
  where = _cache[0].time;
  // The hint first, then every point in time order (the hint once more among them).
  for (VLONG n = -1; n < count; ++n) {
    const VLONG index = n < 0 ? std::min(_lastFailedIndex, count - 1) : n;
    const CCheckPoint& point = _cache[index];
    const double deviation = DeviationFrom(point.original, point.time);
    if (deviation > worst) {
      worst = deviation;
      where = point.time;
    }
    if (deviation > giveUpAbove) {
      _lastFailedIndex = index;
      _lastFailed = point.time;
      _hasFailed = true;
      return worst;
    }
  }
  return worst;
}

bool CToleranceCheck::OriginalLeavesBand(const BaseTime& from, const BaseTime& to, double low,
                                         double high) const {
  if (!_cacheValid || _cacheLow != std::max(from, _first) || _cacheHigh != std::min(to, _last))
    return false;
  for (VLONG i = 0; i < _cache.GetCount(); ++i) {
    const Real original = _cache[i].original;
    if ((low - original) / _unitStep > _precision || (original - high) / _unitStep > _precision)
      return true;
  }
  return false;
}

template <class Visit>
bool CToleranceCheck::ForEachPoint(const BaseTime& low, const BaseTime& high, Visit visit) const {
  if (visit(low)) return true;
  if (!(low < high)) return false;
  LLONG step = FirstGridStepAtOrAfter(low);
  if (BaseTime(step, _gridRate) == low) ++step;
  LLONG lastStep = LastGridStepAtOrBefore(high);
  if (BaseTime(lastStep, _gridRate) == high) --lastStep;
  // Original keys on the grid are read as grid points; one between grid points is read just
  // before the grid point after it.
  LONG key = FirstOriginalKeyAtOrAfter(low);
  const LONG keyCount = _original.GetKeyCount();
  LLONG keyStep = 0;  // the grid step after the current key
  auto nextOffGridKey = [&] {
    for (; key < keyCount; ++key) {
      const BaseTime time = _original.GetKey(key)->GetTime();
      if (!(time < high)) break;
      if (!(low < time)) continue;
      keyStep = FirstGridStepAtOrAfter(time);
      if (BaseTime(keyStep, _gridRate) != time) return;
    }
    key = keyCount;
  };
  nextOffGridKey();
  while (step <= lastStep || key < keyCount) {
    if (key < keyCount && (step > lastStep || keyStep <= step)) {
      if (visit(_original.GetKey(key)->GetTime())) return true;
      ++key;
      nextOffGridKey();
    } else if (visit(BaseTime(step++, _gridRate))) {
      return true;
    }
  }
  return visit(high);
}

double CToleranceCheck::DeviationAt(const BaseTime& time) const {
  return DeviationFrom(OriginalAt(time), time);
}

// A deviation that cannot be computed (a curve that overflows gives NaN) never holds: NaN would
// pass every comparison with the precision.
double CToleranceCheck::DeviationFrom(Real original, const BaseTime& time) const {
  const double deviation = Abs(original - _reduced.GetValue(time, _fps)) / _unitStep;
  return std::isnan(deviation) ? std::numeric_limits<double>::infinity() : deviation;
}

Real CToleranceCheck::OriginalAt(const BaseTime& time) const {
  return _original.GetValue(time, _fps);
}

double CToleranceCheck::OriginalSlopeAt(const BaseTime& time) const {
  const Real after = _original.GetValue(time + kSlopeReach, _fps);
  const Real before = _original.GetValue(time - kSlopeReach, _fps);
  return (after - before) / (2.0 * kSlopeReach.Get());
}

double CToleranceCheck::OriginalSlopeAfter(const BaseTime& time) const {
  const BaseTime step(1, _gridRate);
  return (_original.GetValue(time + step, _fps) - _original.GetValue(time, _fps)) / step.Get();
}

double CToleranceCheck::OriginalSlopeBefore(const BaseTime& time) const {
  const BaseTime step(1, _gridRate);
  return (_original.GetValue(time, _fps) - _original.GetValue(time - step, _fps)) / step.Get();
}

bool CToleranceCheck::IsOriginalKeyTime(const BaseTime& time) const {
  const LONG key = FirstOriginalKeyAtOrAfter(time);
  return key < _original.GetKeyCount() && _original.GetKey(key)->GetTime() == time;
}

LLONG CToleranceCheck::FirstGridStepAtOrAfter(const BaseTime& time) const {
  // Times lie within the sample range, so the product fits; the guess is then made exact.
  LLONG step = LLONG(std::ceil(time.Get() * double(_gridRate)));
  while (BaseTime(step - 1, _gridRate) >= time) --step;
  while (BaseTime(step, _gridRate) < time) ++step;
  return step;
}

LLONG CToleranceCheck::LastGridStepAtOrBefore(const BaseTime& time) const {
  LLONG step = LLONG(std::floor(time.Get() * double(_gridRate)));
  while (BaseTime(step + 1, _gridRate) <= time) ++step;
  while (BaseTime(step, _gridRate) > time) --step;
  return step;
}

LONG CToleranceCheck::FirstOriginalKeyAtOrAfter(const BaseTime& time) const {
  LONG low = 0, high = _original.GetKeyCount();
  while (low < high) {
    const LONG middle = low + (high - low) / 2;
    if (_original.GetKey(middle)->GetTime() < time)
      low = middle + 1;
    else
      high = middle;
  }
  return low;
}
