// The optimization driver: one track reduced from its snapshot by its own settings. Value tracks
// are refitted with spline keys and then thinned (method 0) or only thinned (method 1); data
// tracks lose keys that repeat their neighbours. A run counts as a reduction only when at least
// one key is gone; otherwise the snapshot is put back.
#include <cmath>

#include "CKeyList.h"
#include "CompressData.h"
#include "HoldTolerance.h"
#include "SplineFit.h"

namespace {

// Finite keys can still overflow in the fit's arithmetic (values near the largest double). Times
// are exact fractions and always finite; values and tangent heights are doubles.
Bool CurveIsFinite(const CCurve& curve) {
  for (LONG n = 0; n < curve.GetKeyCount(); ++n) {
    const CKey* key = curve.GetKey(n);
    if (!std::isfinite(key->GetValue()) || !std::isfinite(key->GetValueLeft()) ||
        !std::isfinite(key->GetValueRight()))
      return FALSE;
  }
  return TRUE;
}

}  // namespace

CFitQuality FitQuality(LONG quality) {
  switch (quality) {
    case 2:
      return {0.05, 5.0};
    case 1:
      return {0.08, 5.0};
    default:
      return {0.1, 2.0};
  }
}

BaseTime GetSampleStep(LONG fps) {
  const BaseTime step(1.0 / double(2 * LLONG(fps)));
  const BaseTime smallest(1, 1000);
  return step < smallest ? smallest : step;
}

Bool SampleCurve(CCurve* curve, LONG fps, CKeyValueArray& samples) {
  samples.Free();
  const LONG keyCount = curve ? curve->GetKeyCount() : 0;
  if (keyCount < 1 || fps < 1) return FALSE;
  const CKey* last = curve->GetKey(keyCount - 1);
  const BaseTime first = curve->GetKey(0)->GetTime();
  const BaseTime end = last->GetTime();
  if (!SampleTimeInRange(first) || !SampleTimeInRange(end)) return FALSE;
  const BaseTime step = GetSampleStep(fps);
  if ((end - first).Get() / step.Get() >= double(kMaxSampleCount)) return FALSE;
  for (BaseTime time = first; time < end; time = time + step) {
    if (!samples.Push(CKeyValue(time, curve->GetValue(time, fps)))) {
      samples.Free();
      return FALSE;
    }
  }
  if (samples.Push(CKeyValue(end, last->GetValue()))) return TRUE;
  samples.Free();
  return FALSE;
}

int CKeyList::OptimizeTrack(ProgressCallback callback, void* cookie) {
  BaseDocument* doc = GetBaseDocument();
  CTrack* track = doc ? GetTrack() : nullptr;
  if (!track) return 0;
  Real unitStep = 1.0;
  track->GetUnit(&unitStep);
  const CTrackSubData settings = GetCTrackSubData(track);
  if (!settings.active) return 1;
  RestoreTrack(nullptr, nullptr);
  CCurve* curve = GetCurve();
  if (!curve) return 0;
  SetStatusField(KEYSTATUS_BUSY);
  const double tolerance = settings.precision * unitStep;
  const Bool isDataTrack = track->GetTrackCategory() == CTRACK_CATEGORY_DATA;
  if (!isDataTrack && curve->GetKeyCount() < 3) {
    SetStatusField(KEYSTATUS_UNCHANGED);
    SetTextFromResource(IDS_NO_REDUCTION);
    return 1;
  }
  if (isDataTrack)
    return JudgeOutcome(curve, CompressData(this, curve, tolerance, callback, cookie), TRUE);
  const LONG fps = doc->GetFps();
  int result = OptimizeValueCurve(curve, settings, tolerance, fps, callback, cookie);
  if (result) result = RefuseNotFinite(curve);
  if (result && settings.hold)
    result = HoldToSnapshot(curve, settings, unitStep, fps, callback, cookie);
  if (result) result = RefuseNotFinite(curve);
  return JudgeOutcome(curve, result, FALSE);
}

// A curve with a non-finite key is never handed back: the track fails and keeps its own keys.
int CKeyList::RefuseNotFinite(CCurve* curve) {
  if (CurveIsFinite(*curve)) return 1;
  RestoreTrack(nullptr, nullptr);
  SetTextFromResource(IDS_NOT_FINITE);
  return 0;
}

int CKeyList::OptimizeValueCurve(CCurve* curve, const CTrackSubData& settings, double tolerance,
                                 LONG fps, ProgressCallback callback, void* cookie) {
  if (settings.method == REDUCTION_REDUNDANT)
    return CompressValue(this, curve, tolerance, fps, callback, cookie);
  if (settings.method != REDUCTION_SPLINEFIT) {
    SetTextFromResource(IDS_BAD_METHOD);
    return 0;
  }
  CKeyValueArray samples;
  if (!SampleCurve(curve, fps, samples)) {
    SetTextFromResource(IDS_CANNOT_SAMPLE);
    return 0;
  }
  const double sampleStep = 1.0 / double(2 * LLONG(fps));
  const CFitQuality fit = FitQuality(settings.quality);
  if (!SplineFit(this, curve, samples, tolerance, sampleStep, sampleStep * 0.5, fit.tangentStep,
                 fit.tangentStep, fit.segmentLength, fps, callback, cookie))
    return 0;
  // A fit that saves nothing is dropped: the thinning then works on the saved keys.
  if (curve->GetKeyCount() >= GetCount()) {
    RestoreTrack(nullptr, nullptr);
    SetStatusField(KEYSTATUS_BUSY);
  }
  return CompressValue(this, curve, tolerance, fps, callback, cookie);
}

int CKeyList::HoldToSnapshot(CCurve* curve, const CTrackSubData& settings, Real unitStep, LONG fps,
                             ProgressCallback callback, void* cookie) {
  // A curve with as many keys as the snapshot is judged no reduction and the snapshot comes back.
  if (curve->GetKeyCount() >= GetCount()) return 1;
  CTrack* snapshotTrack = CTrack::Alloc(nullptr, DescID());
  CCurve* snapshot = snapshotTrack ? snapshotTrack->GetCurve() : nullptr;
  HoldOutcome outcome = HoldOutcome::kCannotHold;
  if (snapshot && PutSnapshotOn(snapshot)) {
    const CHoldSettings hold = {settings.precision, unitStep,
                                FitQuality(settings.quality).tangentStep, fps};
    outcome = HoldTolerance(this, curve, *snapshot, hold, callback, cookie);
  }
  CTrack::Free(snapshotTrack);
  if (outcome == HoldOutcome::kStopped) return 0;
  if (outcome == HoldOutcome::kCannotHold) {
    RestoreTrack(nullptr, nullptr);
    SetStatusField(KEYSTATUS_BUSY);
  }
  return 1;
}

int CKeyList::JudgeOutcome(CCurve* curve, int result, Bool isDataTrack) {
  if (!result) {
    SetStatusField(KEYSTATUS_FAILED);
    if (isDataTrack) SetTextFromResource(IDS_DATA_FAILED);
  } else if (curve->GetKeyCount() < GetCount()) {
    SetStatusField(KEYSTATUS_REDUCED);
  } else {
    RestoreTrack(nullptr, nullptr);
    SetStatusField(KEYSTATUS_UNCHANGED);
    SetTextFromResource(IDS_NO_REDUCTION);
  }
  SetNewCountField(curve->GetKeyCount());
  return result ? 1 : 0;
}
