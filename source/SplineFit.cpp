// Spline fitting, greedy and forward in time. From the last key placed (the start key) a trial
// end key goes segmentLength ahead, on the reference. Both keys get tangents along the reference
// slope at their times; only the tangent lengths are searched, over a grid, for a pair that keeps
// the segment within tolerance. If none does, the end key is pulled back by the move step and the
// search repeats, until a pair fits or the end key is one move step from the start key, where the
// segment keeps zero-length tangents. The end key then starts the next segment; a finished
// segment changes no more, except for its end key's outgoing tangent.
//
// Keys go on exact frames (frame number over fps): a key rounded to whole milliseconds would lie
// off the frame grid at frame rates such as 24, 30 or 120 fps, and the next segment, snapped up to
// the following frame, would leave the stretch between unchecked.
#include "SplineFit.h"

#include "StageProgress.h"
#include "TangentSearch.h"

namespace {

// Seconds by which two frame-grid times may differ and still count as one time.
constexpr double kFrameSlack = 0.0001;

// A step that snaps up to at least one frame, so that whatever it moves advances.
bool SnapsToFrames(double step, LONG fps) { return NormToFPS(step, fps) > 0.0; }

double SampleSeconds(const CKeyValueArray& samples, VLONG index) {
  return samples[index].GetTime() * 0.001;
}

// The fit tells frames apart by a frame less kFrameSlack: that must stay well above zero.
bool FrameRateUsable(LONG fps) { return fps >= 1 && 1.0 / fps - kFrameSlack >= 0.5 / fps; }

bool FitParametersUsable(const CKeyValueArray& samples, double checkStep, double moveStep,
                         double segmentLength, LONG fps) {
  if (!FrameRateUsable(fps)) return false;
  // Trial ends lie less than a frame past the last sample.
  const double first = SampleSeconds(samples, 0);
  const double last = SampleSeconds(samples, samples.GetCount() - 1) + 1.0;
  return SnapsToFrames(moveStep, fps) && SnapsToFrames(segmentLength, fps) &&
         StepAdvances(first, last, checkStep) && StepAdvances(first, last, 1.0 / fps);
}

// The end of a segment that no tangent pair can follow: on the reference, zero-length tangents.
void PlaceEndWithoutTangents(CCurve* seq, const CKeyValueArray& samples, CKey* startKey,
                             CKey* endKey, double slopeR, double slopeL, double t1, LONG fps) {
  endKey->SetValue(seq, GetRefY(t1, samples));
  endKey->SetTime(seq, FrameTime(t1, fps));
  SetTangentL(seq, endKey, slopeL, 0.0);
  SetTangentR(seq, startKey, slopeR, 0.0);
}

Bool MoveEndpointWith(CTangentSearch& search, CCurve* seq, const CKeyValueArray& samples,
                      CKey* startKey, CKey* endKey, double moveStep, LONG fps) {
  const double frame = 1.0 / fps;
  double moveBy = NormToFPS(moveStep, fps);
  const double t0 = NormToFPS(startKey->GetTime().Get(), fps);
  double t1 = NormToFPS(endKey->GetTime().Get(), fps);
  const double slopeR = GetRefSlopeR(t0, samples);
  if (!StepAdvances(t0, t1, frame) || !search.BeginSegment(samples, startKey, t0, t1, slopeR))
    return FALSE;
  if (t0 + moveBy >= t1) moveBy = frame;
  // Positions that no tangent pair can fit are passed over without moving the end key there.
  bool endKeyBehind = false;
  for (;;) {
    if (t0 + moveBy + kFrameSlack >= t1) {
      PlaceEndWithoutTangents(seq, samples, startKey, endKey, slopeR, GetRefSlopeL(t1, samples), t1,
                              fps);
      return TRUE;
    }
    if (!search.CannotFit(t1)) {
      if (endKeyBehind) ChangeKey(seq, endKey, t1, GetRefY(t1, samples), fps);
      endKeyBehind = false;
      if (search.FindTangents(seq, startKey, endKey, slopeR, GetRefSlopeL(t1, samples), t1))
        return TRUE;
    }
    // Close to the start key the end key comes back one frame at a time.
    if (2.1 * moveBy > t1 - t0) moveBy = frame;
    t1 = t1 - moveBy;
    endKeyBehind = true;
  }
}

// The segment loop of SplineFit on a cleared curve.
int FitSegments(CCurve* curve, const CKeyValueArray& samples, CTangentSearch& search,
                double moveStep, double segmentLength, LONG fps, CStageProgress& progress) {
  const double frame = 1.0 / fps;
  Point2D p0 = GetStartpoint(samples, fps);
  Point2D p1 = GetEndpoint(p0, segmentLength, samples, fps);
  CKey* k0 = AddKey(curve, p0, fps);
  DebugAssert((k0) != NULL);
  if (!k0) return 0;
  if (Abs(p1.x - p0.x) < frame - kFrameSlack) return 1;
  do {
    CKey* k1 = AddKey(curve, p1, fps);
    DebugAssert((k1) != NULL);
    if (!k1) return 0;
    k1->SetInterpolation(curve, CINTERPOLATION_SPLINE);
    if (!MoveEndpointWith(search, curve, samples, k0, k1, moveStep, fps)) return 0;
    p0 = Point2D(k1->GetTime().Get(), k1->GetValue());
    p1 = GetEndpoint(p0, segmentLength, samples, fps);
    k0 = k1;
    if (!progress.Step(100.0 * NormTime(samples, BaseTime(p0.x)))) return 0;
  } while (Abs(p1.x - p0.x) > frame - kFrameSlack);
  progress.Done();
  return 1;
}

}  // namespace

int SplineFit(CKeyList* keyList, CCurve* curve, const CKeyValueArray& samples, double tolerance,
              double checkStep, double moveStep, double tangentStepR, double tangentStepL,
              double segmentLength, LONG fps, ProgressCallback callback, void* cookie) {
  DebugAssert((curve) != NULL);
  if (!curve) return 0;
  if (samples.GetCount() <= 2) return 1;
  DebugAssert(fps > 0);
  CTangentSearch search;
  if (!FitParametersUsable(samples, checkStep, moveStep, segmentLength, fps) ||
      !search.Init(samples, checkStep, tangentStepR, tangentStepL, tolerance, fps))
    return 0;
  curve->FlushKeys();
  CStageProgress progress(keyList, callback, cookie);
  return FitSegments(curve, samples, search, moveStep, segmentLength, fps, progress);
}

Bool MoveEndpoint(CCurve* seq, const CKeyValueArray& samples, CKey* startKey, CKey* endKey,
                  double checkStep, double moveStep, double tangentStepR, double tangentStepL,
                  double tolerance, LONG fps) {
  DebugAssert((seq) != NULL);
  if (!seq || !startKey || !endKey || samples.GetCount() < 2 || fps < 1) return FALSE;
  CTangentSearch search;
  if (!SnapsToFrames(moveStep, fps) ||
      !search.Init(samples, checkStep, tangentStepR, tangentStepL, tolerance, fps))
    return FALSE;
  return MoveEndpointWith(search, seq, samples, startKey, endKey, moveStep, fps);
}

bool CurveFitting(CCurve* seq, const CKeyValueArray& samples, double checkStep, double from,
                  double to, double tolerance, LONG fps) {
  DebugAssert((seq) != NULL);
  if (!seq || !StepAdvances(from, to, checkStep)) return false;
  for (double t = from; to > t; t += checkStep)
    if (Abs(GetRefY(t, samples) - seq->GetValue(BaseTime(t), fps)) > tolerance) return false;
  return true;
}

void SetTangentL(CCurve* curve, CKey* key, double slope, double length) {
  if (!key) return;
  key->SetTimeLeft(curve, BaseTime(-length));
  key->SetValueLeft(curve, -(slope * length));
}

void SetTangentR(CCurve* curve, CKey* key, double slope, double length) {
  if (!key) return;
  key->SetTimeRight(curve, BaseTime(length));
  key->SetValueRight(curve, slope * length);
}

void ChangeKey(CCurve* seq, CKey* key, double time, double value, LONG fps) {
  DebugAssert((seq) != NULL);
  DebugAssert((key) != NULL);
  if (!seq || !key) return;
  key->SetTime(seq, FrameTime(time, fps));
  key->SetValue(seq, value);
}

CKey* AddKey(CCurve* curve, const Point2D& point, LONG fps) {
  DebugAssert((curve) != NULL);
  if (!curve) return nullptr;
  CKey* key = curve->AddKey(FrameTime(point.x, fps));
  DebugAssert((key) != NULL);
  if (!key) return nullptr;
  key->SetValue(curve, point.y);
  return key;
}
