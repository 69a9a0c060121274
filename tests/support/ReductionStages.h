// The reduction stages run one after another as the optimization driver is meant to run them,
// written out here so that the driver's own tests hold it to this order and these parameters.
#ifndef REDUCTION_STAGES_H
#define REDUCTION_STAGES_H

#include <vector>

#include "CKeyList.h"
#include "ModelDocument.h"

// The keys left on track (already saved into keyList) by: for the spline-fit method, the fit on
// the samples with the quality's parameters and checks every half frame, the saved keys back when
// the fit saves none; then, for either method, the thinning. The precision is in unit steps.
std::vector<KeyState> ReduceByStages(CKeyList& keyList, CTrack* track,
                                     const CTrackSubData& settings, LONG fps);

#endif
