// The tangent-length search of the spline fit, made cheap without changing what it finds. For an
// end position, pairs are tried in the fit's order (the end key's incoming length u outer, the
// start key's outgoing length v inner, each 0.01, 0.01 + step, ... below 1 s) and the first pair
// that keeps the curve within tolerance at every check time wins. What keeps the answers those of
// the plain loops:
// - The check times of a segment, their host times and their reference values are the same for
//   every trial of the segment, so they are computed once, with the same accumulation.
// - A spline segment is a cubic in a parameter that grows with time, so its value turns back at
//   most twice, and its first turn can only follow its start slope. Where the reference swings
//   back and forth more often than that by more than twice the tolerance, no pair can pass; end
//   positions are tried from far to near, so all far positions that contain such swings are
//   skipped together, without moving the end key through them.
// - Between its keys a segment lies inside the convex hull of its control values (key values and
//   handle ends; the host only ever shortens handles toward their keys). A pair whose hull misses
//   a reference value by more than the tolerance must fail there, so it is skipped. Longer
//   tangents move the handle ends away from their keys, so the hull only grows: once a pair's
//   hull holds the reference, the longer pairs are not tested (were rounding to break the growth
//   by an ulp, the pair tried would miss by the tolerance and fail its checks all the same).
// - A pair fails where any check time fails, and the pairs tried one after the other mostly fail
//   where one of the last few failed: those check times are tried first, the latest first.
// Skipped trials only set tangents and end-key positions that a later trial or the zero-tangent
// fallback overwrites before the curve is read.
#ifndef TANGENTSEARCH_H
#define TANGENTSEARCH_H

#include "ReductionTypes.h"
#include "c4d.h"

class CTangentSearch {
 public:
  CTangentSearch() = default;
  CTangentSearch(const CTangentSearch&) = delete;
  CTangentSearch& operator=(const CTangentSearch&) = delete;

  // The samples and parameters of a whole fit: check step and tangent steps in seconds, tolerance
  // in value units. FALSE when a step is not above 0 or too small to advance, fps is below 1, or
  // memory runs out.
  Bool Init(const CKeyValueArray& samples, double checkStep, double tangentStepR,
            double tangentStepL, double tolerance, LONG fps);

  // Starts the segment from startKey, at frame-grid time t0 with reference slope slopeR, whose
  // first trial end lies at t1: caches the check times t0, t0 + checkStep, ... before t1. FALSE
  // when the check step does not advance over these times or memory runs out. Allocates only when
  // a segment needs more check times than any before it.
  Bool BeginSegment(const CKeyValueArray& samples, const CKey* startKey, double t0, double t1,
                    double slopeR);

  // true when no pair can keep an end key at t1 within tolerance: the reference before t1 swings
  // more often than a segment can turn. The end positions of a segment are asked from far to near
  // (each t1 not later than the one before, the first not later than the t1 of BeginSegment).
  bool CannotFit(double t1);

  // Searches the tangent lengths for the end key at t1 (asked in the same order as CannotFit);
  // the keys hold their times and values, slopeR and slopeL are the reference slopes at them.
  // true when a pair keeps the curve within tolerance at every check time before t1, with that
  // pair's tangents set on the keys; false when no pair does.
  bool FindTangents(CCurve* seq, CKey* startKey, CKey* endKey, double slopeR, double slopeL,
                    double t1);

 private:
  // One check time of the current segment.
  struct CCheckPoint {
    double time = 0.0;       // seconds, as the check loop accumulates it
    BaseTime hostTime;       // the host time at which the curve is evaluated
    double hostSeconds = 0;  // hostTime in seconds
    double reference = 0.0;  // GetRefY(time)
    bool inSegment = false;  // not before the start key: the host reads this segment there
    // Largest and smallest reference value of the check points in the segment up to this one:
    // the values the hull of the segment must reach.
    double referenceMax = 0.0;
    double referenceMin = 0.0;
    // Swings of the longest chains low, high, low, ... and high, low, high, ... of the reference
    // values in the segment up to this one, each beyond the one before by more than twice the
    // tolerance.
    int swingsFromLow = 0;
    int swingsFromHigh = 0;
  };

  // The tangent lengths tried, in order, with their host time offsets.
  struct CLength {
    double seconds = 0.0;
    BaseTime offset;
  };

  static Bool BuildLengths(double tangentStep, Bool incoming, GeDynamicArray<CLength>& lengths);
  Bool CacheCheckPoints(const CKeyValueArray& samples, const BaseTime& startTime, double t0,
                        double t1);
  VLONG CountSwings(double slopeR);
  VLONG CountBeforeSideChanges(const CKey* startKey, double slopeR) const;
  bool EndCannotFit(const CKey* endKey, double slopeR, double slopeL) const;
  double SideSlack(double slopeR, double slopeL) const;
  void ClipCheckPoints(double t1);
  void ClipHull(const BaseTime& endTime);
  bool HullCanHold(double y0, double y1, double handleR, double handleL) const;
  bool PassesChecks(CCurve* seq);
  bool IsRecentFailure(VLONG k) const;
  // Puts check point k first among the recent failures, moving the ones before slot down one.
  void RememberFailure(int slot, VLONG k);

  double _checkStep = 0.0;
  double _tolerance = 0.0;
  double _valueScale = 0.0;  // bounds the magnitudes of keys and handles, for rounding slack
  LONG _fps = 0;
  GeDynamicArray<CLength> _lengthsR;  // outgoing tangent of the start key
  GeDynamicArray<CLength> _lengthsL;  // incoming tangent of the end key
  GeDynamicArray<CCheckPoint> _points;
  VLONG _activeCount = 0;    // check points before the current end position
  VLONG _hullCount = 0;      // of these, the ones not after the end key
  VLONG _hopelessCount = 0;  // from this many check points on, no pair can pass
  // The check points that failed lately, the latest first. Four catch nearly every failure
  // that the walk over all check points would find later; more hardly fewer.
  static constexpr int kRecentFailures = 4;
  VLONG _recentFailures[kRecentFailures] = {};
  int _recentCount = 0;
};

#endif
