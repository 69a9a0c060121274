// Holding the tolerance: the last stage of a value track's reduction. The stages before it check
// the curve only where they sample it (the fit every half frame, the removal against the curve as
// it stands), so their errors can add up and a curve can leave the tolerance between the points
// they look at. This stage checks the reduced curve against the curve it was reduced from at every
// check point (CToleranceCheck) and mends each stretch between two neighbouring keys that leaves
// the precision, locally and forward in time:
// 1. a key whose own value lies off takes the original's value there;
// 2. a spline stretch first tries other tangents at its ends: lengths over the fit's grid and
//    zero, in the directions the tangents have and in the original's slope on the stretch's side
//    of each key (at a corner of the original, the slope of its piece inside the stretch);
// 3. otherwise a key goes in at the worst point (at the original's key there, else the nearest
//    frame inside the stretch, else the point itself), on the original, with the original's
//    slope and the interpolation of the stretch; both halves get tangents the same way, or the
//    lengths that come closest when none hold, and are checked again.
// A stretch that holds is left exactly as it was, so a curve that holds everywhere keeps every
// key of the stages bit for bit. Each mend adds a key, moves a value onto the original or refits
// one stretch, and the number of mends is bounded; a curve that would need as many keys as the
// original has cannot be held with a reduction.
#ifndef HOLDTOLERANCE_H
#define HOLDTOLERANCE_H

#include "ReductionTypes.h"
#include "c4d.h"

enum class HoldOutcome {
  kHeld,        // the curve lies within the precision at every check point
  kCannotHold,  // only as many keys as the original has, or more, would hold it; or the check
                // points cannot be checked within bounded work. The curve is left half-mended.
  kStopped,     // the callback asked to stop; the curve is left half-mended
};

struct CHoldSettings {
  Real precision;      // the tolerance in unit steps
  Real unitStep;       // the track's unit step
  double tangentStep;  // seconds between the tangent lengths tried
  LONG fps;            // the document's frame rate
};

// Keeps curve within the precision of original at every check point, adding as few keys as it
// finds. The callback (may be null) is called only when something is mended: after each mend and
// at the end, with the texts of the other stages. keyList and cookie are only handed to it.
HoldOutcome HoldTolerance(CKeyList* keyList, CCurve* curve, const CCurve& original,
                          const CHoldSettings& settings, ProgressCallback callback, void* cookie);

#endif
