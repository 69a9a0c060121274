// Spline fitting: rebuilds a value curve with few spline keys that keep it within a tolerance of
// its sampled former shape. Declares the sampled-curve readers too (SampledCurve.h).
#ifndef SPLINEFIT_H
#define SPLINEFIT_H

#include "ReductionTypes.h"
#include "SampledCurve.h"
#include "c4d.h"

// Replaces every key of curve by spline keys fitted to samples, greedily forward in time, one
// segment at a time. tolerance: largest allowed |reference - curve| at a check time, in value
// units. checkStep: seconds between check times. moveStep: seconds by which a trial end key is
// pulled back, snapped up to whole frames. tangentStepR, tangentStepL: seconds between the tried
// lengths of the start key's outgoing and the end key's incoming tangent. segmentLength: seconds
// from a start key to the next trial end key. Keys lie on whole frames of fps, on the reference.
// The callback (may be null) gets a percentage after each segment. The long parameter lists of
// this function and MoveEndpoint are the plug-in's interface; they are kept, not bundled.
// Returns 1 when finished, also with two samples or fewer (curve untouched). Returns 0 when the
// callback asked to stop (the keys fitted so far stay) or the host gave no key; and, with the
// curve untouched, for a null curve, fps outside 1..5000 (beyond, frames lie closer than the
// 0.0001 s by which the fit tells them apart), a step or length that does not advance (not above
// 0, or snapping to no frame at all), or when memory runs out.
int SplineFit(CKeyList* keyList, CCurve* curve, const CKeyValueArray& samples, double tolerance,
              double checkStep, double moveStep, double tangentStepR, double tangentStepL,
              double segmentLength, LONG fps, ProgressCallback callback, void* cookie);

// Fits one segment: pulls endKey back toward startKey by whole frames until a pair of tangent
// lengths keeps the segment within tolerance, or puts it one move step from startKey with
// zero-length tangents. startKey and endKey are neighbouring keys of seq and lie on the reference.
// Leaves endKey's time, value and incoming tangent and startKey's outgoing tangent set; TRUE then.
// FALSE, with nothing changed, for null arguments, fps below 1, fewer than two samples, or steps
// that do not advance.
Bool MoveEndpoint(CCurve* seq, const CKeyValueArray& samples, CKey* startKey, CKey* endKey,
                  double checkStep, double moveStep, double tangentStepR, double tangentStepL,
                  double tolerance, LONG fps);

// true if seq, evaluated at the host times of from, from + checkStep, ... before to, is within
// tolerance of the reference at every one of them (a difference equal to the tolerance passes);
// stops at the first failing time. false for a null curve or a check step that does not advance.
bool CurveFitting(CCurve* seq, const CKeyValueArray& samples, double checkStep, double from,
                  double to, double tolerance, LONG fps);

// The key's incoming tangent along slope (value units per second) with length seconds: time
// offset -length, value offset -slope * length.
void SetTangentL(CCurve* curve, CKey* key, double slope, double length);
// The key's outgoing tangent: time offset +length, value offset slope * length.
void SetTangentR(CCurve* curve, CKey* key, double slope, double length);

// Moves key to the frame-grid time (seconds; the exact frame of fps) and sets its value.
void ChangeKey(CCurve* seq, CKey* key, double time, double value, LONG fps);

// A new key at the frame-grid time point.x (the exact frame of fps) with value point.y; null when
// the host gives no key.
CKey* AddKey(CCurve* curve, const Point2D& point, LONG fps);

#endif
