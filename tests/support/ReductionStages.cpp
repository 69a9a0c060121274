#include "ReductionStages.h"

#include <gtest/gtest.h>

#include "CompressData.h"
#include "FitPlainSplineFit.h"

std::vector<KeyState> ReduceByStages(CKeyList& keyList, CTrack* track,
                                     const CTrackSubData& settings, LONG fps) {
  CCurve* curve = track->GetCurve();
  Real unitStep = 1.0;
  track->GetUnit(&unitStep);
  const double tolerance = settings.precision * unitStep;
  if (settings.method == REDUCTION_SPLINEFIT) {
    CKeyValueArray samples;
    EXPECT_TRUE(SampleCurve(curve, fps, samples));
    const FitParameters p = DriverFitParameters(tolerance, settings.quality, fps);
    EXPECT_EQ(SplineFit(nullptr, curve, samples, p.tolerance, p.checkStep, p.moveStep,
                        p.tangentStep, p.tangentStep, p.segmentLength, fps, nullptr, nullptr),
              1);
    if (curve->GetKeyCount() >= keyList.GetCount()) keyList.RestoreTrack(nullptr, nullptr);
  }
  EXPECT_EQ(CompressValue(nullptr, curve, tolerance, fps, nullptr, nullptr), 1);
  return ReadKeys(track);
}
