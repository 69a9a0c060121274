// Evaluation of a curve at a time. A spline segment is the cubic Bezier in (time, value) from a
// key through its right tangent and the next key's left tangent to the next key. The time of the
// curve is monotonic in the Bezier parameter u once the handles fit the segment, so u is found by
// Newton steps safeguarded by bisection; the value is then read at u. Offsets are taken relative
// to the segment's first control point, so a flat segment gives its value exactly.
//
// Evaluation is most of a reduction's work, so the curve keeps what does not change between
// calls: each key's shape holds its segment's inner control points with the handles already
// fitted (MakeSegment, made when the curve is first evaluated and again when a key of the segment
// changes), and GetValue starts from the segment of its last call. Both give the same doubles as
// working everything out on each call, since the same operations run on the same numbers, only
// earlier; the keys of a reduction do not move by a bit.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <utility>

#include "c4d_canimation.h"
#include "c4d_standin.h"

namespace {

constexpr double kTimeTolerance = 1e-9;  // seconds
constexpr int kMaxSolverSteps = 100;

// Control point offsets from the first control point: (t1, v1) handle, (t2, v2) handle, end.
struct BezierSegment {
  double t1, v1, t2, v2, t3, v3;
};

// A key's values in seconds.
struct KeyValues {
  double time, value, timeLeft, valueLeft, timeRight, valueRight;
};

KeyValues ValuesOf(const CKey& key) {
  return {key.GetTime().Get(), key.GetValue(),           key.GetTimeLeft().Get(),
          key.GetValueLeft(),  key.GetTimeRight().Get(), key.GetValueRight()};
}

// Handles pointing the wrong way in time get no time extent; handles that together are longer
// than the segment are shortened in proportion, keeping their directions.
BezierSegment MakeSegment(const KeyValues& from, const KeyValues& to, double duration) {
  double rightTime = std::max(from.timeRight, 0.0);
  double rightValue = from.valueRight;
  double leftTime = std::min(to.timeLeft, 0.0);
  double leftValue = to.valueLeft;
  const double handleTime = rightTime - leftTime;
  if (handleTime > duration) {
    const double scale = duration / handleTime;
    rightTime *= scale;
    rightValue *= scale;
    leftTime *= scale;
    leftValue *= scale;
  }
  const double valueChange = to.value - from.value;
  return {rightTime, rightValue, duration + leftTime, valueChange + leftValue,
          duration,  valueChange};
}

// Cubic Bezier with the first control point at 0.
double Bezier(double p1, double p2, double p3, double u) {
  const double w = 1.0 - u;
  return 3.0 * w * w * u * p1 + 3.0 * w * u * u * p2 + u * u * u * p3;
}

double BezierSlope(double p1, double p2, double p3, double u) {
  const double w = 1.0 - u;
  return 3.0 * w * w * p1 + 6.0 * w * u * (p2 - p1) + 3.0 * u * u * (p3 - p2);
}

// The parameter u in [0, 1] at which the segment's time offset is elapsed.
double SolveParameter(const BezierSegment& s, double elapsed) {
  double low = 0.0, high = 1.0;
  double u = elapsed / s.t3;
  for (int step = 0; step < kMaxSolverSteps; ++step) {
    const double error = Bezier(s.t1, s.t2, s.t3, u) - elapsed;
    if (std::fabs(error) <= kTimeTolerance) break;
    if (error < 0.0)
      low = u;
    else
      high = u;
    const double slope = BezierSlope(s.t1, s.t2, s.t3, u);
    const double newton = slope > 0.0 ? u - error / slope : -1.0;
    u = (newton > low && newton < high) ? newton : 0.5 * (low + high);
  }
  return u;
}

// The segment from a key's shape to the next one's; the end's offsets are worked out as
// MakeSegment works them out.
template <class Shape>
double SegmentValue(const Shape& from, const Shape& to, double t) {
  const double duration = to.time - from.time;
  switch (from.interpolation) {
    case CINTERPOLATION_STEP:
      return from.value;
    case CINTERPOLATION_LINEAR:
      return from.value + (to.value - from.value) * ((t - from.time) / duration);
    case CINTERPOLATION_SPLINE:
    default: {
      const BezierSegment segment = {from.handleTime1,  from.handleValue1, from.handleTime2,
                                     from.handleValue2, duration,          to.value - from.value};
      return from.value +
             Bezier(segment.v1, segment.v2, segment.v3, SolveParameter(segment, t - from.time));
    }
  }
}

// Index of the last shape whose time is not after t, for shapes[0].time <= t. A branch-free
// halving search: random queries would mispredict half of a branching search's steps.
template <class Shape>
size_t LastAtOrBefore(const Shape* shapes, size_t count, double t) {
  size_t first = 0;
  while (count > 1) {
    const size_t half = count / 2;
    first = shapes[first + half].time <= t ? first + half : first;
    count -= half;
  }
  return first;
}

// Index of the last key whose time is not after t, within 0..count-2 (count >= 2).
size_t KeySegment(CKey* const* keys, size_t count, double t) {
  const auto later =
      std::upper_bound(keys + 1, keys + count - 1, t,
                       [](double at, const CKey* key) { return at < key->GetTime().Get(); });
  return static_cast<size_t>(later - keys) - 1;
}

// The parameters u in (0, 1), ascending, where the cubic Bezier with control points 0, p1, p2,
// p3 has zero slope. The slope is 3 (a u^2 + b u + c); the roots come from the form that does
// not cancel.
struct SlopeZeros {
  double u[2];
  int count = 0;
};

SlopeZeros FindSlopeZeros(double p1, double p2, double p3) {
  const double a = 3.0 * (p1 - p2) + p3, b = 2.0 * (p2 - 2.0 * p1), c = p1;
  double roots[2];
  int rootCount = 0;
  if (a == 0.0) {
    if (b != 0.0) roots[rootCount++] = -c / b;
  } else if (const double discriminant = b * b - 4.0 * a * c; discriminant >= 0.0) {
    const double q = -0.5 * (b + std::copysign(std::sqrt(discriminant), b));
    roots[rootCount++] = q / a;
    if (q != 0.0) roots[rootCount++] = c / q;
  }
  SlopeZeros zeros;
  for (int i = 0; i < rootCount; ++i)
    if (roots[i] > 0.0 && roots[i] < 1.0) zeros.u[zeros.count++] = roots[i];
  if (zeros.count == 2 && zeros.u[1] < zeros.u[0]) std::swap(zeros.u[0], zeros.u[1]);
  return zeros;
}

}  // namespace

CCurve::KeyShape CCurve::ShapeAt(size_t index) const {
  const CKey& key = *_keys[index];
  KeyShape shape = {key._time.Get(), key._value, 0.0, 0.0, 0.0, 0.0, key._interpolation};
  if (index + 1 < _keys.size()) {
    const CKey& next = *_keys[index + 1];
    FitHandles(index, next._time.Get(), next._value, shape);
  }
  return shape;
}

void CCurve::FitHandles(size_t index, double nextTime, double nextValue, KeyShape& shape) const {
  // Shapes are made again on every edit of a key, so only what MakeSegment reads is read, without
  // a division: the key's right tangent and the next key's left one.
  const CKey& key = *_keys[index];
  const CKey& next = *_keys[index + 1];
  const KeyValues from = {shape.time, shape.value,        0.0,
                          0.0,        key.SecondsRight(), key.GetValueRight()};
  const KeyValues to = {nextTime, nextValue, next.SecondsLeft(), next.GetValueLeft(), 0.0, 0.0};
  const BezierSegment segment = MakeSegment(from, to, to.time - from.time);
  shape.handleTime1 = segment.t1;
  shape.handleValue1 = segment.v1;
  shape.handleTime2 = segment.t2;
  shape.handleValue2 = segment.v2;
}

void standin::ForEachCurveTurn(const CCurve& curve, const std::function<void(Real)>& visit) {
  for (LONG index = 0; index + 1 < curve.GetKeyCount(); ++index) {
    const CKey& key = *curve.GetKey(index);
    if (key.GetInterpolation() != CINTERPOLATION_SPLINE) continue;
    const KeyValues from = ValuesOf(key), to = ValuesOf(*curve.GetKey(index + 1));
    const BezierSegment segment = MakeSegment(from, to, to.time - from.time);
    const SlopeZeros zeros = FindSlopeZeros(segment.v1, segment.v2, segment.v3);
    for (int i = 0; i < zeros.count; ++i)
      visit(from.time + Bezier(segment.t1, segment.t2, segment.t3, zeros.u[i]));
  }
}

Real CCurve::GetValue(const BaseTime& time, LONG) const {
  size_t count = _keys.size();
  if (count == 0) return 0.0;
  const double t = time.Get();
  const KeyShape* shapes = Shapes();
  // Without memory for the shapes, the two keys around t are read into shapes of their own.
  KeyShape around[2];
  if (!shapes) {
    const size_t segment = count > 1 ? KeySegment(_keys.data(), count, t) : 0;
    count = count > 1 ? 2 : 1;
    for (size_t i = 0; i < count; ++i) around[i] = ShapeAt(segment + i);
    shapes = around;
  }
  if (t <= shapes[0].time) return shapes[0].value;
  if (t >= shapes[count - 1].time) return shapes[count - 1].value;
  // The segment of the last call and the one after it are tried first: samples mostly walk
  // forward in time. The hint is only a guess, so concurrent readers of one curve may overwrite
  // it freely (relaxed atomic).
  std::atomic_ref<size_t> hint(_lastSegment);
  size_t segment = hint.load(std::memory_order_relaxed);
  const auto contains = [&](size_t i) {
    return i + 1 < count && shapes[i].time <= t && t < shapes[i + 1].time;
  };
  if (!contains(segment)) {
    if (!contains(++segment)) {
      segment = LastAtOrBefore(shapes, count, t);
    }
    hint.store(segment, std::memory_order_relaxed);
  }
  return SegmentValue(shapes[segment], shapes[segment + 1], t);
}
