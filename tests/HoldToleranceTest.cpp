// Holding the tolerance through the optimization driver: curves built to break the bound that the
// reduction stages keep on their own, generated curves, and a stop during the mending.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "CCurveList.h"
#include "CKeyList.h"
#include "ModelDocument.h"
#include "ReductionStages.h"
#include "ToleranceCheck.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

using AddKeys = std::function<void(CTrack*, LONG)>;

CTrackSubData Settings(LONG method, double precision, Bool hold, LONG quality = 0) {
  return CTrackSubData{TRUE, precision, method, quality, hold};
}

// One track on a fresh document, saved into a key list.
struct TrackRun {
  ModelDoc doc;
  CTrack* track;
  TreeListNode root;
  CKeyList keyList;

  TrackRun(LONG fps, LONG unit, const AddKeys& addKeys, const CTrackSubData& settings)
      : doc(MakeDocument(fps)) {
    track = AddTrack(AddObject(doc.get(), "Hips"), "T", CTRACK_CATEGORY_VALUE, 1000, unit);
    addKeys(track, fps);
    SetCTrackSubData(track, settings);
    keyList.SaveTrack(doc.get(), track, &root);
  }
  ~TrackRun() { root._children.FreeList(TRUE); }
};

// The largest |original - reduced| in unit steps at every key time of either curve and every
// tenth of a frame from the earliest key to the latest: measured here, with the host's
// evaluation, independently of the plug-in's own check.
double WorstDeviation(CTrack* original, CTrack* reduced, LONG fps) {
  const CCurve* a = original->GetCurve();
  const CCurve* b = reduced->GetCurve();
  std::vector<BaseTime> times;
  for (const CCurve* curve : {a, b})
    for (LONG i = 0; i < curve->GetKeyCount(); ++i) times.push_back(curve->GetKey(i)->GetTime());
  const BaseTime first = *std::min_element(times.begin(), times.end());
  const BaseTime last = *std::max_element(times.begin(), times.end());
  const LLONG rate = 10 * LLONG(fps);
  for (LLONG step = LLONG(std::floor(first.Get() * rate)); BaseTime(step, rate) <= last; ++step)
    if (BaseTime(step, rate) >= first) times.push_back(BaseTime(step, rate));
  Real unitStep = 1.0;
  original->GetUnit(&unitStep);
  double worst = 0.0;
  for (const BaseTime& time : times)
    worst = std::max(worst, std::fabs(a->GetValue(time, fps) - b->GetValue(time, fps)) / unitStep);
  return worst;
}

// The keys that the reduction stages alone leave, with the driver's parameters at quality 0.
std::vector<KeyState> StagesAlone(LONG fps, LONG unit, const AddKeys& addKeys, LONG method,
                                  double precision) {
  const CTrackSubData settings = Settings(method, precision, FALSE);
  TrackRun run(fps, unit, addKeys, settings);
  return ReduceByStages(run.keyList, run.track, settings, fps);
}

AddKeys Linear(std::vector<double> values) {
  return [values](CTrack* track, LONG fps) { AddValueKeys(track, fps, values); };
}

AddKeys Frames(int count, const std::function<double(int)>& value) {
  return [count, value](CTrack* track, LONG fps) {
    std::vector<double> values;
    for (int i = 0; i < count; ++i) values.push_back(value(i));
    AddValueKeys(track, fps, values);
  };
}

// Degrees within (-180, 180], stored in radians as the host stores angles.
double WrappedRadians(double degrees) {
  const double wrapped = degrees - 360.0 * std::ceil((degrees - 180.0) / 360.0);
  return wrapped * kPi / 180.0;
}

struct Curve {
  const char* name;
  LONG fps;
  LONG unit;
  AddKeys keys;
  LONG method;
  double precision;
};

// Each of these leaves the tolerance when the stages run alone.
const Curve kBreakingCurves[] = {
    {"a chain of small linear steps", 30, DESC_UNIT_REAL, Linear({0, 0.45, 0, -0.45, -0.45, 5}),
     REDUCTION_REDUNDANT, 0.5},
    {"a fit whose removal adds its error", 120, DESC_UNIT_REAL,
     Frames(
         480,
         [](int i) { return 0.3 * std::sin(i * 0.08) + (i > 240 ? 0.3 * std::sin(i * 0.24) : 0); }),
     REDUCTION_SPLINEFIT, 0.5},
    {"a 360-degree flip between two frames", 30, DESC_UNIT_DEGREE,
     Frames(90, [](int i) { return WrappedRadians(150.0 + 1.5 * i); }), REDUCTION_SPLINEFIT, 0.5},
    {"a single-frame spike", 30, DESC_UNIT_REAL,
     Frames(60, [](int i) { return i == 30 ? 10.0 : 0.0; }), REDUCTION_SPLINEFIT, 0.5},
    {"a spike that only its own key time shows", 30, DESC_UNIT_REAL,
     [](CTrack* track, LONG fps) {
       AddValueKeys(track, fps, std::vector<double>(60, 0.0));
       // Between the check grid's points 1 s and 301/300 s, where the fit does not sample.
       AddValueKey(track, BaseTime(1001, 1000), 0.0);
       AddValueKey(track, BaseTime(1002, 1000), 6.0);
       AddValueKey(track, BaseTime(1003, 1000), 0.0);
     },
     REDUCTION_SPLINEFIT, 0.5},
    {"a T-pose frame before smooth motion", 120, DESC_UNIT_DEGREE,
     Frames(240, [](int i) { return i == 0 ? 0.0 : 0.7 + 0.2 * std::sin(i * 0.05); }),
     REDUCTION_SPLINEFIT, 0.5},
};

class HoldTolerance : public testing::Test {
 protected:
  static void SetUpTestSuite() { InitModelResources(); }
};

}  // namespace

TEST_F(HoldTolerance, CurvesThatBreakTheStagesBound) {
  for (const Curve& curve : kBreakingCurves) {
    SCOPED_TRACE(curve.name);
    TrackRun off(curve.fps, curve.unit, curve.keys, Settings(curve.method, curve.precision, FALSE));
    ASSERT_EQ(off.keyList.OptimizeTrack(nullptr, nullptr), 1);
    TrackRun original(curve.fps, curve.unit, curve.keys, Settings(0, 0.5, TRUE));
    EXPECT_GT(WorstDeviation(original.track, off.track, curve.fps), curve.precision);
    EXPECT_EQ(ReadKeys(off.track),
              StagesAlone(curve.fps, curve.unit, curve.keys, curve.method, curve.precision));

    TrackRun on(curve.fps, curve.unit, curve.keys, Settings(curve.method, curve.precision, TRUE));
    ASSERT_EQ(on.keyList.OptimizeTrack(nullptr, nullptr), 1);
    EXPECT_EQ(on.keyList.GetStatusField(), KEYSTATUS_REDUCED);
    EXPECT_LE(WorstDeviation(original.track, on.track, curve.fps), curve.precision);
    EXPECT_LT(KeyCount(on.track), on.keyList.GetCount());
  }
}

// Seeded curves, smooth and noisy, with jumps; several precisions and both methods. Holding never
// leaves the tolerance and never keeps more keys than the original; where the stages alone
// already hold, it changes nothing.
TEST_F(HoldTolerance, GeneratedCurvesStayWithinTheirPrecision) {
  std::mt19937 random(20261209);
  std::normal_distribution<double> noise(0.0, 1.0);
  for (int curveIndex = 0; curveIndex < 12; ++curveIndex) {
    const double roughness = curveIndex % 3 == 0 ? 0.0 : 0.05 * curveIndex;
    std::vector<double> values;
    for (int i = 0; i < 150; ++i) {
      const double jump = (i / (20 + curveIndex)) % 2 ? 3.0 : 0.0;
      values.push_back(std::sin(i * 0.07 * (1 + curveIndex % 4)) * 2.0 + jump +
                       roughness * noise(random));
    }
    for (LONG method : {REDUCTION_SPLINEFIT, REDUCTION_REDUNDANT}) {
      for (double precision : {0.05, 0.5, 2.0}) {
        SCOPED_TRACE(testing::Message() << "curve " << curveIndex << ", method " << method
                                        << ", precision " << precision);
        const LONG fps = curveIndex % 2 ? 30 : 120;
        TrackRun on(fps, DESC_UNIT_REAL, Linear(values), Settings(method, precision, TRUE));
        TrackRun off(fps, DESC_UNIT_REAL, Linear(values), Settings(method, precision, FALSE));
        TrackRun original(fps, DESC_UNIT_REAL, Linear(values), Settings(method, precision, TRUE));
        ASSERT_EQ(on.keyList.OptimizeTrack(nullptr, nullptr), 1);
        ASSERT_EQ(off.keyList.OptimizeTrack(nullptr, nullptr), 1);
        EXPECT_LE(WorstDeviation(original.track, on.track, fps), precision);
        EXPECT_LE(KeyCount(on.track), on.keyList.GetCount());
        if (WorstDeviation(original.track, off.track, fps) <= precision) {
          EXPECT_EQ(ReadKeys(on.track), ReadKeys(off.track));
        }
      }
    }
  }
}

TEST_F(HoldTolerance, StopWhileMendingFailsTheTrack) {
  // Stops at the first report after the removal has said it is done: the mending's first.
  struct Stopper {
    bool removalDone = false;
    std::vector<std::string> texts;
  };
  auto stopWhileMending = [](CKeyList*, double, const String& text, void* cookie) {
    Stopper* stopper = static_cast<Stopper*>(cookie);
    stopper->texts.push_back(text.ToUtf8());
    if (text == GeLoadString(10041)) stopper->removalDone = true;
    return stopper->removalDone ? 0 : 1;
  };
  const Curve& chain = kBreakingCurves[0];
  TrackRun run(chain.fps, chain.unit, chain.keys, Settings(chain.method, chain.precision, TRUE));
  Stopper stopper;
  EXPECT_EQ(run.keyList.OptimizeTrack(stopWhileMending, &stopper), 0);
  ASSERT_GE(stopper.texts.size(), 3u);
  EXPECT_EQ(stopper.texts.back(), GeLoadString(10040).ToUtf8());
  EXPECT_EQ(run.keyList.GetStatusField(), KEYSTATUS_FAILED);
  EXPECT_EQ(run.keyList.GetCount(), 6);  // the snapshot survives the stop
}

TEST_F(HoldTolerance, ADeviationThatCannotBeComputedNeverHolds) {
  ModelDoc doc = MakeDocument(30);
  BaseObject* owner = AddObject(doc.get(), "Hips");
  CTrack* original = AddTrack(owner, "A");
  CTrack* reduced = AddTrack(owner, "B");
  AddValueKeys(original, 30, {0, 0, 0});
  AddValueKeys(reduced, 30, {0, std::nan(""), 0});
  CToleranceCheck check(*original->GetCurve(), *reduced->GetCurve(), 0.5, 1.0, 30);
  ASSERT_TRUE(check.Init());
  EXPECT_FALSE(check.Holds(check.GetFirst(), check.GetLast()));
}
