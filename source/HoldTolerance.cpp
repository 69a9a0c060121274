// Holding the tolerance: one forward walk over the stretches between neighbouring keys; a stretch
// that leaves the precision is mended and checked again before the walk moves on, and a mend that
// moves a key's value sends the walk back to the stretch before that key, which the value also
// shapes. Only the tangents of the stretch being mended change, so stretches already passed stay
// as they were checked.
#include "HoldTolerance.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "SplineFit.h"
#include "StageProgress.h"
#include "ToleranceCheck.h"

namespace {

// The tangent lengths tried, in seconds: zero (a straight stretch where both are zero), then the
// fit's grid 0.01, 0.01 + step, ... below 1 s.
constexpr double kFirstGridLength = 0.01;
constexpr double kLengthLimit = 1.0;

double NextLength(double length, double step) {
  return length == 0.0 ? kFirstGridLength : length + step;
}

bool IsSpline(const CKey* key) { return key->GetInterpolation() == CINTERPOLATION_SPLINE; }

class CToleranceRepair {
 public:
  CToleranceRepair(CCurve* curve, CToleranceCheck& check, const CHoldSettings& settings,
                   LONG keyLimit)
      : _curve(curve), _check(check), _settings(settings), _keyLimit(keyLimit) {}

  HoldOutcome Run(CStageProgress& progress);

 private:
  // A stretch between the neighbouring keys start and end, with the directions of the start's
  // outgoing and the end's incoming tangent.
  struct CStretch {
    CKey* start;
    CKey* end;
    double slopeOut;
    double slopeIn;
  };
  // The directions a stretch's end tangents may take: the one each has (for a new key, the
  // original's slope across it), then the original's slope on the stretch's side of the key,
  // which at a corner of the original is the slope of the original's piece inside the stretch.
  struct CDirections {
    double keptOut, sidedOut;
    double keptIn, sidedIn;
  };

  bool MendEnds();
  bool InsertEndKey(const BaseTime& time, const CKey* governing);
  LONG Mend(LONG index, const BaseTime& worst);
  bool Split(CKey* start, CKey* end, const CDirections& directions, const BaseTime& worst);
  void FitHalf(CKey* start, CKey* end, const CDirections& directions);
  bool FindHoldingTangents(CKey* start, CKey* end, const CDirections& directions);
  bool FindHoldingLengths(const CStretch& stretch);
  bool NoLengthsCanHold(const CStretch& stretch) const;
  bool FitTangents(const CStretch& stretch);
  double TryTangents(const CStretch& stretch, double lengthOut, double lengthIn, double giveUp);
  BaseTime InsertionTime(const BaseTime& start, const BaseTime& end, const BaseTime& worst) const;
  double SlopeOut(const CKey* key) const;
  double SlopeIn(const CKey* key) const;
  double Percent(const BaseTime& time) const;
  bool MayAddKey() const { return _curve->GetKeyCount() + 1 < _keyLimit; }

  CCurve* _curve;
  CToleranceCheck& _check;
  const CHoldSettings& _settings;
  LONG _keyLimit;  // a curve with this many keys is no reduction
};

HoldOutcome CToleranceRepair::Run(CStageProgress& progress) {
  // Every mend either adds a key (below the limit), puts a key's value on the original (once
  // per key, unless the host reads a key off its own value) or refits one stretch before the
  // walk moves on; this bounds the walk whatever the curves hold.
  const LONG maxMends = 4 * _keyLimit + 16;
  LONG mends = 0;
  if (!MendEnds()) return HoldOutcome::kCannotHold;
  LONG index = 0;
  while (index + 1 < _curve->GetKeyCount()) {
    const BaseTime start = _curve->GetKey(index)->GetTime();
    const BaseTime end = _curve->GetKey(index + 1)->GetTime();
    if (_check.Holds(start, end)) {
      ++index;
      continue;
    }
    if (++mends > maxMends) return HoldOutcome::kCannotHold;
    BaseTime worst;
    _check.Worst(start, end, std::numeric_limits<double>::infinity(), worst);
    index = Mend(index, worst);
    if (index < 0) return HoldOutcome::kCannotHold;
    if (!progress.Step(Percent(start))) return HoldOutcome::kStopped;
  }
  if (mends > 0) progress.Done();
  return HoldOutcome::kHeld;
}

// Before its first key a curve holds the first key's value, after its last key the last one's;
// where the original's keys reach further and the curve leaves the precision there, a key on the
// original at the original's end takes over and the walk fits the stretch it opens.
bool CToleranceRepair::MendEnds() {
  const CKey* first = _curve->GetKey(0);
  if (_check.GetFirst() < first->GetTime() && !_check.Holds(_check.GetFirst(), first->GetTime()))
    if (!InsertEndKey(_check.GetFirst(), first)) return false;
  const CKey* last = _curve->GetKey(_curve->GetKeyCount() - 1);
  if (last->GetTime() < _check.GetLast() && !_check.Holds(last->GetTime(), _check.GetLast()))
    if (!InsertEndKey(_check.GetLast(), last)) return false;
  return true;
}

bool CToleranceRepair::InsertEndKey(const BaseTime& time, const CKey* governing) {
  if (!MayAddKey()) return false;
  const CINTERPOLATION interpolation = governing->GetInterpolation();
  CKey* key = _curve->AddKey(time);
  if (!key) return false;
  key->SetValue(_curve, _check.OriginalAt(time));
  key->SetInterpolation(_curve, interpolation);
  const double slope = _check.OriginalSlopeAt(time);
  SetTangentL(_curve, key, slope, 0.0);
  SetTangentR(_curve, key, slope, 0.0);
  return true;
}

// Mends the stretch from key index to the next, whose worst check point lies at worst; gives the
// index of the stretch to check next, or -1 when no key can be added.
LONG CToleranceRepair::Mend(LONG index, const BaseTime& worst) {
  CKey* start = _curve->GetKey(index);
  CKey* end = _curve->GetKey(index + 1);
  if (worst == start->GetTime()) {
    start->SetValue(_curve, _check.OriginalAt(worst));
    return std::max<LONG>(index - 1, 0);
  }
  if (worst == end->GetTime()) {
    end->SetValue(_curve, _check.OriginalAt(worst));
    return index;
  }
  const CDirections directions = {SlopeOut(start), _check.OriginalSlopeAfter(start->GetTime()),
                                  SlopeIn(end), _check.OriginalSlopeBefore(end->GetTime())};
  if (IsSpline(start) && FindHoldingTangents(start, end, directions)) return index;
  return Split(start, end, directions, worst) ? index : -1;
}

// A key on the original inside the stretch; each half then gets tangents that hold it, or the
// lengths that come closest in the kept directions.
bool CToleranceRepair::Split(CKey* start, CKey* end, const CDirections& directions,
                             const BaseTime& worst) {
  if (!MayAddKey()) return false;
  const BaseTime time = InsertionTime(start->GetTime(), end->GetTime(), worst);
  CKey* key = _curve->AddKey(time);
  if (!key) return false;
  key->SetValue(_curve, _check.OriginalAt(time));
  key->SetInterpolation(_curve, start->GetInterpolation());
  if (!IsSpline(start)) return true;
  const double slope = _check.OriginalSlopeAt(time);
  FitHalf(start, key,
          {directions.keptOut, directions.sidedOut, slope, _check.OriginalSlopeBefore(time)});
  FitHalf(key, end,
          {slope, _check.OriginalSlopeAfter(time), directions.keptIn, directions.sidedIn});
  return true;
}

void CToleranceRepair::FitHalf(CKey* start, CKey* end, const CDirections& directions) {
  if (!FindHoldingTangents(start, end, directions))
    FitTangents({start, end, directions.keptOut, directions.keptIn});
}

// true with the first directions and lengths that hold the stretch in place, kept directions
// first; false when none do, and the tangents are then left for the caller to set.
bool CToleranceRepair::FindHoldingTangents(CKey* start, CKey* end, const CDirections& directions) {
  const double outs[] = {directions.keptOut, directions.sidedOut};
  const double ins[] = {directions.keptIn, directions.sidedIn};
  for (int out = 0; out < 2; ++out) {
    if (out == 1 && outs[1] == outs[0]) continue;
    for (int in = 0; in < 2; ++in) {
      if (in == 1 && ins[1] == ins[0]) continue;
      if (FindHoldingLengths({start, end, outs[out], ins[in]})) return true;
    }
  }
  return false;
}

// true with the first pair of tangent lengths, in the fit's order, that holds the stretch in
// place.
bool CToleranceRepair::FindHoldingLengths(const CStretch& stretch) {
  if (NoLengthsCanHold(stretch)) return false;
  const double step = _settings.tangentStep;
  for (double lengthIn = 0.0; lengthIn < kLengthLimit; lengthIn = NextLength(lengthIn, step))
    for (double lengthOut = 0.0; lengthOut < kLengthLimit; lengthOut = NextLength(lengthOut, step))
      if (TryTangents(stretch, lengthOut, lengthIn, _settings.precision) <= _settings.precision)
        return true;
  return false;
}

// Between its keys a spline stretch lies within the values of its keys and handle ends, and the
// host only ever shortens handles toward their keys; so over every length below the limit it
// lies within the band those values span at the longest lengths. Where the original leaves that
// band by more than the precision, no pair of lengths can hold the stretch.
bool CToleranceRepair::NoLengthsCanHold(const CStretch& stretch) const {
  const double start = stretch.start->GetValue(), end = stretch.end->GetValue();
  const double handleOut = start + stretch.slopeOut * kLengthLimit;
  const double handleIn = end - stretch.slopeIn * kLengthLimit;
  return _check.OriginalLeavesBand(stretch.start->GetTime(), stretch.end->GetTime(),
                                   std::min({start, end, handleOut, handleIn}),
                                   std::max({start, end, handleOut, handleIn}));
}

// Searches the lengths of the stretch's two tangents in the fit's order (the end's incoming
// length outer, the start's outgoing length inner). true with the first pair that holds in
// place; otherwise false with the pair that came closest.
bool CToleranceRepair::FitTangents(const CStretch& stretch) {
  double best = std::numeric_limits<double>::infinity();
  double bestOut = 0.0, bestIn = 0.0;
  const double step = _settings.tangentStep;
  for (double lengthIn = 0.0; lengthIn < kLengthLimit; lengthIn = NextLength(lengthIn, step)) {
    for (double lengthOut = 0.0; lengthOut < kLengthLimit;
         lengthOut = NextLength(lengthOut, step)) {
      const double worst = TryTangents(stretch, lengthOut, lengthIn, best);
      if (worst <= _settings.precision) return true;
      if (worst < best) {
        best = worst;
        bestOut = lengthOut;
        bestIn = lengthIn;
      }
    }
  }
  TryTangents(stretch, bestOut, bestIn, best);
  return false;
}

// Sets the pair and gives the stretch's worst deviation, or a deviation above giveUp as soon as
// one is found.
double CToleranceRepair::TryTangents(const CStretch& stretch, double lengthOut, double lengthIn,
                                     double giveUp) {
  SetTangentR(_curve, stretch.start, stretch.slopeOut, lengthOut);
  SetTangentL(_curve, stretch.end, stretch.slopeIn, lengthIn);
  BaseTime where;
  return _check.Worst(stretch.start->GetTime(), stretch.end->GetTime(),
                      std::max(giveUp, _settings.precision), where);
}

// Where a key goes to mend a stretch that is worst at worst (strictly inside it): at a key of the
// original there, which is where the original bends; else on the nearest frame inside the
// stretch, where keys of a reduced curve lie; else at the check point itself.
BaseTime CToleranceRepair::InsertionTime(const BaseTime& start, const BaseTime& end,
                                         const BaseTime& worst) const {
  if (_check.IsOriginalKeyTime(worst)) return worst;
  const LLONG fps = _settings.fps;
  LLONG firstFrame = LLONG(std::floor(start.Get() * double(fps))) + 1;
  while (BaseTime(firstFrame - 1, fps) > start) --firstFrame;
  while (BaseTime(firstFrame, fps) <= start) ++firstFrame;
  LLONG lastFrame = LLONG(std::ceil(end.Get() * double(fps))) - 1;
  while (BaseTime(lastFrame + 1, fps) < end) ++lastFrame;
  while (BaseTime(lastFrame, fps) >= end) --lastFrame;
  if (lastFrame < firstFrame) return worst;
  const LLONG nearest = std::llround(worst.Get() * double(fps));
  return BaseTime(std::clamp(nearest, firstFrame, lastFrame), fps);
}

// The direction a key's tangent has now, or the original's slope where it has no length to
// tell it.
double CToleranceRepair::SlopeOut(const CKey* key) const {
  const double length = key->GetTimeRight().Get();
  if (length > 0.0) return key->GetValueRight() / length;
  return _check.OriginalSlopeAt(key->GetTime());
}

double CToleranceRepair::SlopeIn(const CKey* key) const {
  const double length = key->GetTimeLeft().Get();
  if (length < 0.0) return key->GetValueLeft() / length;
  return _check.OriginalSlopeAt(key->GetTime());
}

double CToleranceRepair::Percent(const BaseTime& time) const {
  const double span = (_check.GetLast() - _check.GetFirst()).Get();
  return span > 0.0 ? 100.0 * (time - _check.GetFirst()).Get() / span : 100.0;
}

}  // namespace

HoldOutcome HoldTolerance(CKeyList* keyList, CCurve* curve, const CCurve& original,
                          const CHoldSettings& settings, ProgressCallback callback, void* cookie) {
  DebugAssert((curve) != NULL);
  if (!curve || curve->GetKeyCount() == 0) return HoldOutcome::kCannotHold;
  CToleranceCheck check(original, *curve, settings.precision, settings.unitStep, settings.fps);
  if (!check.Init()) return HoldOutcome::kCannotHold;
  CStageProgress progress(keyList, callback, cookie);
  CToleranceRepair repair(curve, check, settings, original.GetKeyCount());
  return repair.Run(progress);
}
