// Measures how far a reduced value curve lies from the curve it was reduced from, at the check
// points of the pair: every key time of either curve and every tenth of a frame from the earliest
// key of either curve to the latest (both ends included). Each point is an exact host time, and
// both curves are read there with the host's own evaluation, so the figure is the one that anyone
// evaluating the two curves at these times finds. Deviations are counted in the track's unit
// steps, |original - reduced| / unit step, and compared with the precision as they are.
#ifndef TOLERANCECHECK_H
#define TOLERANCECHECK_H

#include "c4d.h"

class CToleranceCheck {
 public:
  // original and reduced must outlive the check; reduced may change between calls. unitStep is
  // the track's unit step (1 when not above 0).
  CToleranceCheck(const CCurve& original, const CCurve& reduced, Real precision, Real unitStep,
                  LONG fps);

  // FALSE when the points cannot be checked within bounded work: a curve without keys, fps
  // below 1, key times outside the range of the reference samples, or more check points than a
  // fit would sample. Nothing else may be called then.
  Bool Init();

  // The earliest and the latest key time of either curve.
  const BaseTime& GetFirst() const { return _first; }
  const BaseTime& GetLast() const { return _last; }

  // The largest deviation at the check points in [from, to], and where it lies; points are
  // read in time order. Stops at the first point above giveUpAbove and
  // gives that one: a caller that only needs to know whether a bound holds pays only up to the
  // first failure. The point that failed last is read first, since a trial that changes a curve
  // a little tends to fail where the one before it did. 0 at from for an empty range.
  double Worst(const BaseTime& from, const BaseTime& to, double giveUpAbove, BaseTime& where);

  // true when every check point in [from, to] lies within the precision.
  bool Holds(const BaseTime& from, const BaseTime& to);

  // The deviation at one time, and the original curve's value and slope (value units per second,
  // from 0.01 s to either side) there.
  double DeviationAt(const BaseTime& time) const;
  Real OriginalAt(const BaseTime& time) const;
  double OriginalSlopeAt(const BaseTime& time) const;
  // The original curve's slope over one check step after, resp. before, time.
  double OriginalSlopeAfter(const BaseTime& time) const;
  double OriginalSlopeBefore(const BaseTime& time) const;

  // true when the original curve lies more than the precision below low or above high (value
  // units) at a check point in [from, to]. Known only for the range read whole last (by Worst
  // with an infinite giveUpAbove); false for any other.
  bool OriginalLeavesBand(const BaseTime& from, const BaseTime& to, double low, double high) const;

  // true when the original curve has a key at time.
  bool IsOriginalKeyTime(const BaseTime& time) const;

 private:
  // A check point with the original curve's value there.
  struct CCheckPoint {
    BaseTime time;
    Real original = 0.0;
  };

  // Calls visit(time) for each check point in [low, high] (within the range), in time order,
  // until it returns true; true then.
  template <class Visit>
  bool ForEachPoint(const BaseTime& low, const BaseTime& high, Visit visit) const;
  double WorstWhileCaching(const BaseTime& low, const BaseTime& high, double giveUpAbove,
                           BaseTime& where);
  double WorstFromCache(double giveUpAbove, BaseTime& where);
  // The deviation at time from the original's value there, already read.
  double DeviationFrom(Real original, const BaseTime& time) const;
  LLONG FirstGridStepAtOrAfter(const BaseTime& time) const;
  LLONG LastGridStepAtOrBefore(const BaseTime& time) const;
  LONG FirstOriginalKeyAtOrAfter(const BaseTime& time) const;

  const CCurve& _original;
  const CCurve& _reduced;
  Real _precision;
  Real _unitStep;
  LONG _fps;
  LLONG _gridRate = 0;  // check points per second on the tenth-of-frame grid
  BaseTime _first, _last;
  // The check points of the last range read whole, when they were few enough: a stretch being
  // mended is read again for every trial, and its points and the original's values there stay
  // the same.
  GeDynamicArray<CCheckPoint> _cache;
  BaseTime _cacheLow, _cacheHigh;
  bool _cacheValid = false;
  VLONG _lastFailedIndex = 0;  // in the cache
  BaseTime _lastFailed;        // while reading without the cache
  bool _hasFailed = false;
};

#endif
