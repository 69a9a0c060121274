#include "TangentSearch.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "SampledCurve.h"

namespace {

// Shortest tangent length tried and the bound that every length stays below, in seconds.
constexpr double kFirstLength = 0.01;
constexpr double kLengthBound = 1.0;

// More lengths than this would make a single end position take longer than any fit may take:
// the search tries the square of the count.
constexpr VLONG kMaxLengthCount = VLONG(1) << 16;

// The host evaluates a segment in floating point, so its value may lie a few rounding steps off
// the exact cubic; relative to the magnitudes involved, this is far more than that.
constexpr double kRoundingSlack = 1e-9;

// A reference slope is a difference quotient over at least a millisecond of the samples.
constexpr double kShortestSlopeBase = 0.001;

// A segment's value is a cubic in a parameter that grows with time, so its derivative, a
// quadratic, changes sign at most twice: it swings at most three times. The derivative starts with
// the sign of the start slope and ends with that of the end slope, which rules out more.
constexpr int kSwingsNoSegmentMakes = 4;

// The smallest numbers of swings, in chains that start low and that start high, that no segment
// with these slopes at its ends can make. A slope of 0 fixes nothing.
struct SwingLimits {
  int fromLow = kSwingsNoSegmentMakes;
  int fromHigh = kSwingsNoSegmentMakes;
};

SwingLimits LimitSwings(double slopeStart, double slopeEnd) {
  SwingLimits limits;
  // Rising at an end rules out the chain high, low, high, low; falling the chain low, high, low,
  // high. Rising at the start and falling at the end leaves a single turn, up then down.
  if (slopeStart > 0.0 || slopeEnd > 0.0) limits.fromHigh = 3;
  if (slopeStart < 0.0 || slopeEnd < 0.0) limits.fromLow = 3;
  if (slopeStart > 0.0 && slopeEnd < 0.0) limits.fromHigh = 2;
  if (slopeStart < 0.0 && slopeEnd > 0.0) limits.fromLow = 2;
  return limits;
}

// The host finds the Bezier parameter of a time far closer than this many seconds (its times
// are whole milliseconds or frames).
constexpr double kSolverTimeError = 1e-6;

// A segment less its start tangent line changes side at most once.
constexpr int kSideChangesOfASegment = 1;

const double kInfinity = std::numeric_limits<double>::infinity();

bool AllFinite(double a, double b, double c, double d) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

// The longest chain low, high, low, ... among the values seen so far, each link beyond the one
// before by more than the slack: the swings that a curve within slack / 2 of the values must make.
class CSwingChain {
 public:
  explicit CSwingChain(double slack) : _slack(slack) {}

  // Adds the next value; gives the number of swings of the longest chain.
  int Add(double value) {
    for (int link = std::min(_links, kMaxLinks - 1); link >= 1; --link) {
      const bool high = link % 2 == 1;
      const double gap = high ? value - _extreme[link - 1] : _extreme[link - 1] - value;
      if (!(gap > _slack)) continue;
      if (link == _links || (high ? value > _extreme[link] : value < _extreme[link]))
        _extreme[link] = value;
      _links = std::max(_links, link + 1);
    }
    if (_links == 0 || value < _extreme[0]) _extreme[0] = value;
    _links = std::max(_links, 1);
    return _links - 1;
  }

 private:
  static constexpr int kMaxLinks = kSwingsNoSegmentMakes + 1;
  double _slack;
  int _links = 0;
  double _extreme[kMaxLinks] = {};
};

// Counts how often values change side of a line beyond the slack: a segment minus the tangent
// line at its start key is its parameter squared times a linear function, so it changes side at
// most once.
class CSideChanges {
 public:
  explicit CSideChanges(double slack) : _slack(slack) {}

  // Adds the next value's distance above the line; gives the number of changes so far.
  int Add(double above) {
    const int side = above > _slack ? 1 : -above > _slack ? -1 : 0;
    if (side != 0 && side != _side) {
      if (_side != 0) ++_changes;
      _side = side;
    }
    return _changes;
  }

 private:
  double _slack;
  int _side = 0;
  int _changes = 0;
};

}  // namespace

Bool CTangentSearch::Init(const CKeyValueArray& samples, double checkStep, double tangentStepR,
                          double tangentStepL, double tolerance, LONG fps) {
  if (fps < 1 || !(checkStep > 0.0)) return FALSE;
  _checkStep = checkStep;
  _tolerance = tolerance;
  _fps = fps;
  double largest = 0.0, smallest = 0.0;
  for (VLONG i = 0; i < samples.GetCount(); ++i) {
    largest = std::max(largest, samples[i].GetValue());
    smallest = std::min(smallest, samples[i].GetValue());
  }
  _valueScale = std::max(largest, -smallest) + (largest - smallest) / kShortestSlopeBase;
  return BuildLengths(tangentStepR, FALSE, _lengthsR) &&
         BuildLengths(tangentStepL, TRUE, _lengthsL);
}

Bool CTangentSearch::BuildLengths(double tangentStep, Bool incoming,
                                  GeDynamicArray<CLength>& lengths) {
  lengths.Free();
  if (!StepAdvances(kFirstLength, kLengthBound, tangentStep)) return FALSE;
  if ((kLengthBound - kFirstLength) / tangentStep >= double(kMaxLengthCount)) return FALSE;
  // The same accumulation as the search loops of the fit, so the same lengths.
  for (double length = kFirstLength; length < kLengthBound; length += tangentStep) {
    CLength entry;
    entry.seconds = length;
    entry.offset = BaseTime(incoming ? -length : length);
    if (!lengths.Push(entry)) return FALSE;
  }
  return TRUE;
}

Bool CTangentSearch::BeginSegment(const CKeyValueArray& samples, const CKey* startKey, double t0,
                                  double t1, double slopeR) {
  if (!StepAdvances(t0, t1, _checkStep) || !CacheCheckPoints(samples, startKey->GetTime(), t0, t1))
    return FALSE;
  _hopelessCount = std::min(CountSwings(slopeR), CountBeforeSideChanges(startKey, slopeR));
  _activeCount = _points.GetCount();
  _hullCount = _activeCount;
  _recentCount = 0;
  return TRUE;
}

Bool CTangentSearch::CacheCheckPoints(const CKeyValueArray& samples, const BaseTime& startTime,
                                      double t0, double t1) {
  _points.ReSizeNC(0);
  double referenceMax = -kInfinity, referenceMin = kInfinity;
  for (double t = t0; t1 > t; t += _checkStep) {
    CCheckPoint point;
    point.time = t;
    point.hostTime = BaseTime(t);
    point.hostSeconds = point.hostTime.Get();
    point.reference = GetRefY(t, samples);
    // A time that the host rounds to before the start key reads the previous segment.
    point.inSegment = !(point.hostTime < startTime);
    if (point.inSegment) {
      referenceMax = std::max(referenceMax, point.reference);
      referenceMin = std::min(referenceMin, point.reference);
    }
    point.referenceMax = referenceMax;
    point.referenceMin = referenceMin;
    if (!_points.Push(point)) return FALSE;
  }
  return TRUE;
}

// Records the swings of the reference at every check point; gives the number of check points
// from which the swings are more than a segment that starts along slopeR can make.
VLONG CTangentSearch::CountSwings(double slopeR) {
  const double rounding = kRoundingSlack * (1.0 + _valueScale + Abs(slopeR));
  CSwingChain fromLow(2 * _tolerance + rounding), fromHigh(2 * _tolerance + rounding);
  const SwingLimits limits = LimitSwings(slopeR, 0.0);
  VLONG hopelessCount = _points.GetCount() + 1;
  int low = 0, high = 0;
  for (VLONG k = 0; k < _points.GetCount(); ++k) {
    CCheckPoint& point = _points[k];
    if (point.inSegment) {
      low = fromLow.Add(point.reference);
      high = fromHigh.Add(-point.reference);
    }
    point.swingsFromLow = low;
    point.swingsFromHigh = high;
    if (hopelessCount > k && (low >= limits.fromLow || high >= limits.fromHigh))
      hopelessCount = k + 1;
  }
  return hopelessCount;
}

// The number of check points from which the reference changes side of the start key's tangent
// line more often than a segment can.
VLONG CTangentSearch::CountBeforeSideChanges(const CKey* startKey, double slopeR) const {
  CSideChanges sides(SideSlack(slopeR, 0.0));
  const double y0 = startKey->GetValue(), startSeconds = startKey->GetTime().Get();
  for (VLONG k = 0; k < _points.GetCount(); ++k) {
    const CCheckPoint& point = _points[k];
    if (!point.inSegment) continue;
    const double tangentLine = y0 + slopeR * (point.hostSeconds - startSeconds);
    if (sides.Add(point.reference - tangentLine) > kSideChangesOfASegment) return k + 1;
  }
  return _points.GetCount() + 1;
}

// The same two tests from the end key, whose slope and time are known once it stands at its
// position: its slope fixes the last turn, and the segment less its end tangent line changes
// side at most once as well.
bool CTangentSearch::EndCannotFit(const CKey* endKey, double slopeR, double slopeL) const {
  if (_hullCount == 0) return false;
  const SwingLimits limits = LimitSwings(slopeR, slopeL);
  const CCheckPoint& last = _points[_hullCount - 1];
  if (last.swingsFromLow >= limits.fromLow || last.swingsFromHigh >= limits.fromHigh) return true;
  CSideChanges sides(SideSlack(slopeR, slopeL));
  const double y1 = endKey->GetValue(), endSeconds = endKey->GetTime().Get();
  for (VLONG k = _hullCount - 1; k >= 0 && _points[k].inSegment; --k) {
    const double tangentLine = y1 + slopeL * (_points[k].hostSeconds - endSeconds);
    if (sides.Add(_points[k].reference - tangentLine) > kSideChangesOfASegment) return true;
  }
  return false;
}

double CTangentSearch::SideSlack(double slopeR, double slopeL) const {
  const double slopes = Abs(slopeR) + Abs(slopeL);
  return _tolerance + kRoundingSlack * (1.0 + _valueScale + slopes) + kSolverTimeError * slopes;
}

bool CTangentSearch::CannotFit(double t1) {
  ClipCheckPoints(t1);
  if (_activeCount < _hopelessCount) return false;
  // The swings must lie before the end key, which stands on the frame at t1.
  return _points[_hopelessCount - 1].hostSeconds < t1 - 0.25 / _fps;
}

void CTangentSearch::ClipCheckPoints(double t1) {
  while (_activeCount > 0 && !(t1 > _points[_activeCount - 1].time)) --_activeCount;
}

void CTangentSearch::ClipHull(const BaseTime& endTime) {
  // Past the end key the curve reads a later segment, if any: such times leave the hull.
  _hullCount = _activeCount;
  while (_hullCount > 0 && endTime < _points[_hullCount - 1].hostTime) --_hullCount;
}

bool CTangentSearch::FindTangents(CCurve* seq, CKey* startKey, CKey* endKey, double slopeR,
                                  double slopeL, double t1) {
  ClipCheckPoints(t1);
  ClipHull(endKey->GetTime());
  if (EndCannotFit(endKey, slopeR, slopeL)) return false;
  const double y0 = startKey->GetValue(), y1 = endKey->GetValue();
  const double longestValueR = slopeR * _lengthsR[_lengthsR.GetCount() - 1].seconds;
  // The hull only grows with either length, so the outgoing lengths from the first whose hull
  // holds the reference need no test, for this incoming length and every longer one.
  VLONG hullHoldsFrom = _lengthsR.GetCount();
  for (VLONG iu = 0; iu < _lengthsL.GetCount(); ++iu) {
    const CLength& lengthL = _lengthsL[iu];
    const double valueL = -(slopeL * lengthL.seconds);
    if (hullHoldsFrom == _lengthsR.GetCount() &&
        !HullCanHold(y0, y1, y0 + longestValueR, y1 + valueL))
      continue;
    bool incomingSet = false;
    for (VLONG iv = 0; iv < _lengthsR.GetCount(); ++iv) {
      const CLength& lengthR = _lengthsR[iv];
      const double valueR = slopeR * lengthR.seconds;
      if (iv < hullHoldsFrom) {
        if (!HullCanHold(y0, y1, y0 + valueR, y1 + valueL)) continue;
        hullHoldsFrom = iv;
      }
      if (!incomingSet) {
        endKey->SetTimeLeft(seq, lengthL.offset);
        endKey->SetValueLeft(seq, valueL);
        incomingSet = true;
      }
      startKey->SetTimeRight(seq, lengthR.offset);
      startKey->SetValueRight(seq, valueR);
      if (PassesChecks(seq)) return true;
    }
  }
  return false;
}

bool CTangentSearch::HullCanHold(double y0, double y1, double handleR, double handleL) const {
  if (_hullCount == 0 || !AllFinite(y0, y1, handleR, handleL)) return true;
  const CCheckPoint& reach = _points[_hullCount - 1];
  const double hullMax = std::max(std::max(y0, y1), std::max(handleR, handleL));
  const double hullMin = std::min(std::min(y0, y1), std::min(handleR, handleL));
  const double slack = _tolerance + kRoundingSlack * (1.0 + Abs(hullMax) + Abs(hullMin));
  return !(reach.referenceMax - hullMax > slack) && !(hullMin - reach.referenceMin > slack);
}

bool CTangentSearch::PassesChecks(CCurve* seq) {
  const CCheckPoint* points = _activeCount > 0 ? &_points[0] : nullptr;
  auto passes = [this, seq, points](VLONG k) {
    return !(Abs(points[k].reference - seq->GetValue(points[k].hostTime, _fps)) > _tolerance);
  };
  for (int slot = 0; slot < _recentCount; ++slot) {
    const VLONG k = _recentFailures[slot];
    if (k >= _activeCount || passes(k)) continue;
    RememberFailure(slot, k);
    return false;
  }
  for (VLONG k = 0; k < _activeCount; ++k) {
    if (IsRecentFailure(k) || passes(k)) continue;
    // A new failure takes the free slot, or the oldest one's when all are taken.
    RememberFailure(std::min(_recentCount, kRecentFailures - 1), k);
    return false;
  }
  return true;
}

bool CTangentSearch::IsRecentFailure(VLONG k) const {
  for (int slot = 0; slot < _recentCount; ++slot)
    if (_recentFailures[slot] == k) return true;
  return false;
}

void CTangentSearch::RememberFailure(int slot, VLONG k) {
  for (int later = slot; later > 0; --later) _recentFailures[later] = _recentFailures[later - 1];
  _recentFailures[0] = k;
  _recentCount = std::max(_recentCount, slot + 1);
}
