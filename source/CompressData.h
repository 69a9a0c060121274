// Redundant-key removal: deletes keys that their neighbours make redundant, in place, walking the
// curve's keys as overlapping triples and only ever deleting the middle key, so the first and
// last keys of a curve always stay.
#ifndef COMPRESSDATA_H
#define COMPRESSDATA_H

#include "ReductionTypes.h"
#include "c4d.h"

// Reduces a value curve. tolerance is an absolute value difference in the curve's units, fps the
// document's frame rate (spline triples are sampled at half frames). 1 when finished (also for
// fewer than 3 keys), 0 when stopped through the callback or for a null curve. The callback may
// be null; keyList and cookie are only handed to it.
int CompressValue(CKeyList* keyList, CCurve* curve, double tolerance, LONG fps,
                  ProgressCallback callback, void* cookie);

// Reduces a data curve: keys whose data equals their neighbours' go. tolerance is not used. 1 when
// finished, 0 when key 0 holds a type other than integer, string or file name (curve untouched,
// no report), when stopped through the callback, or for a null curve.
int CompressData(CKeyList* keyList, CCurve* curve, double tolerance, ProgressCallback callback,
                 void* cookie);

// 1 if the curve, sampled every half frame from k0's time to k2's time and at k2's time, stays
// within tolerance of k1's value (a deviation equal to the tolerance passes), else 0. Also 0 when
// the check cannot be made: a null argument, fps not above 0, or times so large that a half-frame
// step no longer advances them.
int CheckTriple(CCurve* curve, CKey* k0, CKey* k1, CKey* k2, double tolerance, LONG fps);

#endif
