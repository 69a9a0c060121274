// Readers of a sampled reference curve for the spline fit: snapping to the frame grid, the time
// range of the samples, the reference value (piecewise linear between samples) and slope at any
// time, and the start and end points of a segment to fit. All are pure functions: they never
// change the samples and never touch a host curve. Times are seconds in doubles unless named
// milliseconds. Callers guarantee fps > 0 and at least two samples in non-decreasing time order;
// debug builds assert this and release builds give a harmless value instead.
#ifndef SAMPLEDCURVE_H
#define SAMPLEDCURVE_H

#include "ReductionTypes.h"
#include "c4d.h"

// A point in the (time, value) plane: x in seconds, y in the curve's value units.
class Point2D {
 public:
  Point2D(double xValue, double yValue) : x(xValue), y(yValue) {}
  Point2D(const Point2D& other) = default;
  Point2D& operator=(const Point2D& other) = default;
  // Virtual as the plug-in's interface has it; kept so that its layout stays what callers expect.
  virtual ~Point2D() {}

  double x;
  double y;
};

// Status of FindSegment.
enum {
  SEGMENT_FOUND = 0,
  SEGMENT_NONE = 1,     // the search ended without a segment: samples out of time order
  SEGMENT_TOO_FEW = 2,  // fewer than two samples
  SEGMENT_BEFORE = 3,   // the time lies before the first sample
  SEGMENT_AFTER = 4,    // the time lies after the last sample
};

// The position of v between a and b: (v - a) / (b - a), not clamped; 0 when a equals b.
double normT(double a, double b, double v);

// t snapped up to the frame grid: for t >= 0 the first frame boundary at or after t, where a time
// no more than 0.0001 frame past a boundary counts as on it (a negative t between frames goes to
// the boundary one frame above the one toward zero). 0 for fps 0.
double NormToFPS(double t, LONG fps);

// The exact host time of the frame nearest to seconds (frame number over fps), so that a time on
// the frame grid becomes a key time on a whole frame even when frames are not whole milliseconds.
// Seconds rounded to milliseconds for fps below 1 or times beyond the host's range.
BaseTime FrameTime(double seconds, LONG fps);

// The position of time within the sample range: 0 at the first sample, 1 at the last (not
// clamped); 0 without samples.
double NormTime(const CKeyValueArray& samples, const BaseTime& time);

// Time of the first, resp. last, sample; 0 seconds without samples.
BaseTime GetMinTime(const CKeyValueArray& src);
BaseTime GetMaxTime(const CKeyValueArray& src);

// Finds the neighbouring samples i0, i1 whose times enclose t (milliseconds): SEGMENT_FOUND with
// i0 = 0, i1 = 1 at the first sample's time, i0 = i1 = last index at the last sample's time and
// sample[i0] <= t < sample[i1] otherwise (never a zero-length pair). i0 and i1 are written only
// for SEGMENT_FOUND.
int FindSegment(LONG t, const CKeyValueArray& samples, VLONG& i0, VLONG& i1);

// The value at t (milliseconds, clamped into [a, b]) of the segment from a to b: straight-line for
// CINTERPOLATION_LINEAR (a's value when a and b share a time), else a's value before b's time and
// b's value at it. Always true.
bool InterpolateSegment(LONG t, const CKeyValue& a, const CKeyValue& b, double& out,
                        CINTERPOLATION kind);

// The reference value at t, read at t's whole milliseconds (truncated toward zero): the first
// sample's value before the first sample, the last sample's after the last, straight-line
// between. A binary search; nothing allocates.
double GetRefY(double t, const CKeyValueArray& src);

// The first point to fit from: the first frame boundary at or after the first sample, with the
// reference value there.
Point2D GetStartpoint(const CKeyValueArray& samples, LONG fps);

// The first trial end point of the segment that begins at start: step seconds ahead, snapped up
// to the frame grid, on the reference; when no more than step remains before the last sample,
// the frame-snapped last sample time with the last sample's own value.
Point2D GetEndpoint(const Point2D& start, double step, const CKeyValueArray& samples, LONG fps);

// The reference slope at t in value units per second, from the reference 0.01 s to either side
// (the first or last sample where that lies outside the samples). L serves the incoming tangent
// of a segment's end key, R the outgoing tangent of its start key; both give the same value.
double GetRefSlopeL(double t, const CKeyValueArray& samples);
double GetRefSlopeR(double t, const CKeyValueArray& samples);

// The slope at p1 from its neighbours: the mean of the backward and forward quotients, the
// one-sided quotient where p1 shares its time with one neighbour, and 0 where it shares it with
// both. L and R give the same value.
double GetSlopeL(const Point2D& p0, const Point2D& p1, const Point2D& p2);
double GetSlopeR(const Point2D& p0, const Point2D& p1, const Point2D& p2);

// Absolute value; inline, since the tangent search takes one for every check it makes.
inline double Abs(double value) { return value < 0.0 ? -value : value; }

// True when adding step again and again walks forward through every time between from and to:
// step is above 0 and not lost in rounding against the larger of |from| and |to|. Loops that
// step through time check this first, so that they always end.
bool StepAdvances(double from, double to, double step);

#endif
