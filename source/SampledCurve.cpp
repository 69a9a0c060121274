// Readers of the sampled reference curve. The reference is read at whole milliseconds, the
// resolution of the samples, and is straight-line between samples.
#include "SampledCurve.h"

#include <algorithm>
#include <cmath>

namespace {

// Offset to either side of a time at which the reference slope is measured, in seconds.
constexpr double kSlopeOffset = 0.01;

// Frame numbers beyond this do not fit a host time exactly.
constexpr double kMaxFrameNumber = 9.0e15;

double Seconds(const CKeyValue& sample) { return sample.GetTime() * 0.001; }

Point2D SamplePoint(const CKeyValue& sample) { return Point2D(Seconds(sample), sample.GetValue()); }

double SlopeFromNeighbours(const Point2D& p0, const Point2D& p1, const Point2D& p2) {
  if (p1.x == p0.x) return p1.x == p2.x ? 0.0 : (p2.y - p1.y) / (p2.x - p1.x);
  if (p1.x == p2.x) return (p1.y - p0.y) / (p1.x - p0.x);
  return (p1.y - p0.y) / (2 * (p1.x - p0.x)) + (p2.y - p1.y) / (2 * (p2.x - p1.x));
}

double RefSlope(double t, const CKeyValueArray& samples) {
  if (samples.GetCount() < 2) return 0.0;
  const CKeyValue& first = samples[0];
  const CKeyValue& last = samples[samples.GetCount() - 1];
  const Point2D left = Seconds(first) > t - kSlopeOffset
                           ? SamplePoint(first)
                           : Point2D(t - kSlopeOffset, GetRefY(t - kSlopeOffset, samples));
  const Point2D centre(t, GetRefY(t, samples));
  const Point2D right = t + kSlopeOffset > Seconds(last)
                            ? SamplePoint(last)
                            : Point2D(t + kSlopeOffset, GetRefY(t + kSlopeOffset, samples));
  return SlopeFromNeighbours(left, centre, right);
}

int SearchSegment(LONG t, const CKeyValueArray& samples, VLONG& i0, VLONG& i1) {
  const VLONG last = samples.GetCount() - 1;
  VLONG lo = 0, hi = last;
  while (lo <= hi) {
    const VLONG mid = lo + (hi - lo) / 2;
    // Only samples out of time order can lead the search to the last sample.
    if (mid >= last) break;
    if (samples[mid].GetTime() <= t && t < samples[mid + 1].GetTime()) {
      i0 = mid;
      i1 = mid + 1;
      return SEGMENT_FOUND;
    }
    if (samples[mid].GetTime() > t)
      hi = mid - 1;
    else
      lo = mid + 1;
  }
  DebugAssert(0);
  return SEGMENT_NONE;
}

}  // namespace

double normT(double a, double b, double v) {
  if (b - a == 0) return 0.0;
  return (v - a) / (b - a);
}

double NormToFPS(double t, LONG fps) {
  DebugAssert(fps != 0);
  if (fps == 0) return 0.0;
  const double frame = 1.0 / fps;
  const double frames = t / frame;
  // Truncated in double precision: the same whole number as a 32-bit cast wherever that is
  // defined, and still defined beyond it.
  const double whole = std::trunc(frames);
  return Abs(frames - whole) > 0.0001 ? (whole + 1) * frame : whole * frame;
}

BaseTime FrameTime(double seconds, LONG fps) {
  const double frameNumber = std::nearbyint(seconds * fps);
  if (fps < 1 || !(Abs(frameNumber) <= kMaxFrameNumber)) return BaseTime(seconds);
  return BaseTime(static_cast<LLONG>(frameNumber), fps);
}

double NormTime(const CKeyValueArray& samples, const BaseTime& time) {
  if (samples.GetCount() < 1) return 0.0;
  return normT(samples[0].GetTime(), samples[samples.GetCount() - 1].GetTime(), time.Get() * 1000);
}

BaseTime GetMinTime(const CKeyValueArray& src) {
  DebugAssert(src.GetCount() >= 0);
  if (src.GetCount() < 1) return BaseTime(0.0);
  return BaseTime(Seconds(src[0]));
}

BaseTime GetMaxTime(const CKeyValueArray& src) {
  DebugAssert(src.GetCount() >= 0);
  if (src.GetCount() < 1) return BaseTime(0.0);
  return BaseTime(Seconds(src[src.GetCount() - 1]));
}

int FindSegment(LONG t, const CKeyValueArray& samples, VLONG& i0, VLONG& i1) {
  const VLONG count = samples.GetCount();
  if (count < 2) return SEGMENT_TOO_FEW;
  if (t < samples[0].GetTime()) return SEGMENT_BEFORE;
  if (t > samples[count - 1].GetTime()) return SEGMENT_AFTER;
  if (t == samples[0].GetTime()) {
    i0 = 0;
    i1 = 1;
    return SEGMENT_FOUND;
  }
  if (t == samples[count - 1].GetTime()) {
    i0 = i1 = count - 1;
    return SEGMENT_FOUND;
  }
  return SearchSegment(t, samples, i0, i1);
}

bool InterpolateSegment(LONG t, const CKeyValue& a, const CKeyValue& b, double& out,
                        CINTERPOLATION kind) {
  const double t0 = Seconds(a), t1 = Seconds(b);
  double tc = t * 0.001;
  if (tc < t0) tc = t0;
  if (tc > t1) tc = t1;
  if (kind == CINTERPOLATION_LINEAR)
    out = a.GetValue() + normT(t0, t1, tc) * (b.GetValue() - a.GetValue());
  else
    out = t1 > tc ? a.GetValue() : b.GetValue();
  return true;
}

double GetRefY(double t, const CKeyValueArray& src) {
  DebugAssert(src.GetCount() >= 2);
  const LONG milliseconds = SecondsToMilliseconds(t);
  VLONG i0 = 0, i1 = 0;
  switch (FindSegment(milliseconds, src, i0, i1)) {
    case SEGMENT_AFTER:
      return src[src.GetCount() - 1].GetValue();
    case SEGMENT_BEFORE:
      return src[0].GetValue();
    case SEGMENT_FOUND: {
      double value = 0.0;
      [[maybe_unused]] const bool ok =
          InterpolateSegment(milliseconds, src[i0], src[i1], value, CINTERPOLATION_LINEAR);
      DebugAssert(ok);
      return value;
    }
    default:
      DebugAssert(0);
      return 0.0;
  }
}

Point2D GetStartpoint(const CKeyValueArray& samples, LONG fps) {
  if (samples.GetCount() < 1) return Point2D(0.0, 0.0);
  const double x = NormToFPS(Seconds(samples[0]), fps);
  return Point2D(x, GetRefY(x, samples));
}

Point2D GetEndpoint(const Point2D& start, double step, const CKeyValueArray& samples, LONG fps) {
  DebugAssert(fps > 0);
  if (samples.GetCount() < 1) return start;
  // Compared as host times: the end of the samples is a host time of whole milliseconds.
  if (GetMaxTime(samples) > BaseTime(start.x + step)) {
    const double x = NormToFPS(start.x + step, fps);
    return Point2D(x, GetRefY(x, samples));
  }
  const CKeyValue& last = samples[samples.GetCount() - 1];
  return Point2D(NormToFPS(Seconds(last), fps), last.GetValue());
}

double GetRefSlopeL(double t, const CKeyValueArray& samples) { return RefSlope(t, samples); }

double GetRefSlopeR(double t, const CKeyValueArray& samples) { return RefSlope(t, samples); }

double GetSlopeL(const Point2D& p0, const Point2D& p1, const Point2D& p2) {
  return SlopeFromNeighbours(p0, p1, p2);
}

double GetSlopeR(const Point2D& p0, const Point2D& p1, const Point2D& p2) {
  return SlopeFromNeighbours(p0, p1, p2);
}

bool StepAdvances(double from, double to, double step) {
  const double magnitude = std::max(Abs(from), Abs(to));
  // Half a step must still change the magnitude: then a whole step changes every smaller time.
  return step > 0.0 && magnitude + 0.5 * step > magnitude;
}
