// The spline fit's loops written plainly: every tangent pair of every end position is checked with
// CurveFitting, which reads the reference by binary search at every check time. The tests hold
// the optimised fit of source/ to exactly these keys, and the benchmarks time both. Header-only,
// so that the benchmarks can use it too.
#ifndef FIT_PLAIN_SPLINE_FIT_H
#define FIT_PLAIN_SPLINE_FIT_H

#include "CKeyList.h"
#include "CompressData.h"
#include "SplineFit.h"
#include "c4d.h"

// The fit's parameters as the optimization driver derives them from a track's settings.
struct FitParameters {
  double tolerance;
  double checkStep;      // half a frame
  double moveStep;       // a quarter frame: snapped up, one frame
  double tangentStep;    // both tangents
  double segmentLength;  // seconds
  LONG fps;
};

inline FitParameters DriverFitParameters(double tolerance, LONG quality, LONG fps) {
  const double checkStep = 1.0 / double(2 * LLONG(fps));
  const CFitQuality picked = FitQuality(quality);
  return {tolerance, checkStep, checkStep * 0.5, picked.tangentStep, picked.segmentLength, fps};
}

// The work the plain loops did.
struct PlainFitCounts {
  long long segments = 0;
  long long endPositions = 0;
  long long pairs = 0;
};

inline void PlainMoveEndpoint(CCurve* seq, const CKeyValueArray& samples, CKey* startKey,
                              CKey* endKey, const FitParameters& p, PlainFitCounts& counts) {
  const double frame = 1.0 / p.fps;
  double b = NormToFPS(p.moveStep, p.fps);
  const double t0 = NormToFPS(startKey->GetTime().Get(), p.fps);
  double t1 = NormToFPS(endKey->GetTime().Get(), p.fps);
  const double sR = GetRefSlopeR(t0, samples);
  if (t0 + b >= t1) b = frame;
  for (;;) {
    const double sL = GetRefSlopeL(t1, samples);
    ++counts.endPositions;
    if (t0 + b + 0.0001 >= t1) {
      endKey->SetValue(seq, GetRefY(t1, samples));
      endKey->SetTime(seq, FrameTime(t1, p.fps));
      SetTangentL(seq, endKey, sL, 0);
      SetTangentR(seq, startKey, sR, 0);
      return;
    }
    for (double u = 0.01; u < 1.0; u += p.tangentStep) {
      SetTangentL(seq, endKey, sL, u);
      for (double v = 0.01; v < 1.0; v += p.tangentStep) {
        SetTangentR(seq, startKey, sR, v);
        ++counts.pairs;
        if (CurveFitting(seq, samples, p.checkStep, t0, t1, p.tolerance, p.fps)) return;
      }
    }
    if (2.1 * b > t1 - t0) b = frame;
    t1 = t1 - b;
    ChangeKey(seq, endKey, t1, GetRefY(t1, samples), p.fps);
  }
}

inline void PlainSplineFit(CCurve* curve, const CKeyValueArray& samples, const FitParameters& p,
                           PlainFitCounts& counts) {
  if (samples.GetCount() <= 2) return;
  curve->FlushKeys();
  const double frame = 1.0 / p.fps;
  Point2D p0 = GetStartpoint(samples, p.fps);
  Point2D p1 = GetEndpoint(p0, p.segmentLength, samples, p.fps);
  CKey* k0 = AddKey(curve, p0, p.fps);
  if (Abs(p1.x - p0.x) < frame - 0.0001) return;
  do {
    CKey* k1 = AddKey(curve, p1, p.fps);
    k1->SetInterpolation(curve, CINTERPOLATION_SPLINE);
    ++counts.segments;
    PlainMoveEndpoint(curve, samples, k0, k1, p, counts);
    p0 = Point2D(k1->GetTime().Get(), k1->GetValue());
    p1 = GetEndpoint(p0, p.segmentLength, samples, p.fps);
    k0 = k1;
  } while (Abs(p1.x - p0.x) > frame - 0.0001);
}

// The optimised fit with the same parameters, without progress reports.
inline int FastSplineFit(CCurve* curve, const CKeyValueArray& samples, const FitParameters& p) {
  return SplineFit(nullptr, curve, samples, p.tolerance, p.checkStep, p.moveStep, p.tangentStep,
                   p.tangentStep, p.segmentLength, p.fps, nullptr, nullptr);
}

#endif
