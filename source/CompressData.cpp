// Redundant-key removal. One forward pass over the keys as overlapping triples (k0, k1, k2): a
// triple either loses k1, and k0 is compared again with the next pair, or the walk moves on by
// one key. n keys take exactly n - 2 steps, so every triple is looked at once and the walk never
// restarts. Value keys go where the curve is flat within the tolerance; data keys go where their
// data repeats.
#include "CompressData.h"

#include <algorithm>

#include "SampledCurve.h"
#include "StageProgress.h"

namespace {

// What a triple's rule decides about its middle key k1.
enum class TripleOutcome {
  kAdvance,  // k1 stays; the walk moves on by one key
  kRemove,   // k1 goes
  kMerge,    // k0 takes k1's interpolation, which then governs the joined segment; k1 goes
};

// Carries out the outcome for the triple that starts at keyIndex; gives the next triple's start.
LONG Apply(CCurve* curve, LONG keyIndex, TripleOutcome outcome, CKey* k0, const CKey* k1) {
  if (outcome == TripleOutcome::kAdvance) return keyIndex + 1;
  if (outcome == TripleOutcome::kMerge) k0->SetInterpolation(curve, k1->GetInterpolation());
  curve->DelKey(keyIndex + 1);
  return keyIndex;
}

// decide(k0, k1, k2) gives the outcome of one triple. 1 when the walk ends, 0 when stopped.
template <class Decide>
int WalkTriples(CKeyList* keyList, CCurve* curve, Decide decide, ProgressCallback callback,
                void* cookie) {
  const LONG keyCount = curve->GetKeyCount();
  if (keyCount < 3) return 1;
  CStageProgress progress(keyList, callback, cookie);
  LONG keyIndex = 0;
  for (LONG step = 0; step < keyCount - 2; ++step) {
    CKey* k0 = curve->GetKey(keyIndex);
    CKey* k1 = curve->GetKey(keyIndex + 1);
    CKey* k2 = curve->GetKey(keyIndex + 2);
    DebugAssert((k0) != NULL);
    DebugAssert((k1) != NULL);
    DebugAssert((k2) != NULL);
    if (!k0 || !k1 || !k2) return 0;
    keyIndex = Apply(curve, keyIndex, decide(k0, k1, k2), k0, k1);
    if (!progress.Step(100.0 * step / keyCount)) return 0;
  }
  progress.Done();
  return 1;
}

bool IsSpline(const CKey* key) { return key->GetInterpolation() == CINTERPOLATION_SPLINE; }

bool IsStep(const CKey* key) { return key->GetInterpolation() == CINTERPOLATION_STEP; }

TripleOutcome DecideValueTriple(CCurve* curve, CKey* k0, CKey* k1, CKey* k2, double tolerance,
                                LONG fps) {
  if (IsSpline(k0) || IsSpline(k1) || IsSpline(k2))
    return CheckTriple(curve, k0, k1, k2, tolerance, fps) ? TripleOutcome::kRemove
                                                          : TripleOutcome::kAdvance;
  const double y0 = k0->GetValue(), y1 = k1->GetValue(), y2 = k2->GetValue();
  if (!(Abs(y0 - y1) < tolerance)) return TripleOutcome::kAdvance;
  // A step key's value holds until the next key, so k0 made a step key stands in for k1.
  if (IsStep(k1)) return TripleOutcome::kMerge;
  if (Abs(y1 - y2) < tolerance && Abs(y0 - y2) < tolerance) return TripleOutcome::kMerge;
  return TripleOutcome::kAdvance;
}

TripleOutcome DecideDataTriple(const CKey* k0, const CKey* k1, const CKey* k2) {
  if (!(k0->GetGeData() == k1->GetGeData())) return TripleOutcome::kAdvance;
  if (IsStep(k1)) return TripleOutcome::kMerge;
  if (k1->GetGeData() == k2->GetGeData()) return TripleOutcome::kMerge;
  return TripleOutcome::kAdvance;
}

bool IsThinnableDataType(LONG type) {
  return type == DA_LONG || type == DA_STRING || type == DA_FILENAME;
}

}  // namespace

int CheckTriple(CCurve* seq, CKey* k0, CKey* k1, CKey* k2, double tolerance, LONG fps) {
  DebugAssert((seq) != NULL);
  DebugAssert(fps > 0);
  if (!seq || !k0 || !k1 || !k2 || fps <= 0) return 0;
  const double t0 = k0->GetTime().Get();
  const double t2 = k2->GetTime().Get();
  const double y1 = k1->GetValue();
  const double step = 1.0 / (2.0 * fps);
  if (!StepAdvances(t0, t2, step)) return 0;
  for (double t = t0; t < t2; t += step)
    if (Abs(y1 - seq->GetValue(BaseTime(t), fps)) > tolerance) return 0;
  return Abs(y1 - seq->GetValue(BaseTime(t2), fps)) > tolerance ? 0 : 1;
}

int CompressValue(CKeyList* keyList, CCurve* curve, double tolerance, LONG fps,
                  ProgressCallback callback, void* cookie) {
  DebugAssert((curve) != NULL);
  if (!curve) return 0;
  auto decide = [curve, tolerance, fps](CKey* k0, CKey* k1, CKey* k2) {
    return DecideValueTriple(curve, k0, k1, k2, tolerance, fps);
  };
  return WalkTriples(keyList, curve, decide, callback, cookie);
}

int CompressData(CKeyList* keyList, CCurve* curve, double, ProgressCallback callback,
                 void* cookie) {
  DebugAssert((curve) != NULL);
  if (!curve) return 0;
  if (curve->GetKeyCount() < 3) return 1;
  if (!IsThinnableDataType(curve->GetKey(0)->GetGeData().GetType())) return 0;
  return WalkTriples(keyList, curve, DecideDataTriple, callback, cookie);
}
