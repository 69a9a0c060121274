// The host program's own measure of how far a reduction moved a curve.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "CurveDeviation.h"
#include "ModelDocument.h"

namespace {

constexpr LONG kFps = 30;

struct TrackPair {
  ModelDoc doc = MakeDocument(kFps);
  BaseObject* object = AddObject(doc.get(), "Cube");
  CTrack* before;
  CTrack* after;
  TrackPair(LONG category = CTRACK_CATEGORY_VALUE, LONG unit = DESC_UNIT_REAL)
      : before(AddTrack(object, "Before", category, 1000, unit)),
        after(AddTrack(object, "After", category, 1001, unit)) {}
};

TEST(CurveDeviation, MeasuresValueCurvesInUnitSteps) {
  const double kDegree = std::acos(-1.0) / 180.0;
  struct Row {
    const char* name;
    std::vector<double> before, after;
    LONG unit;
    CINTERPOLATION interpolation;
    double expected;
  } rows[] = {
      {"same keys", {0, 1, 5, 2}, {0, 1, 5, 2}, DESC_UNIT_REAL, CINTERPOLATION_LINEAR, 0.0},
      // The dropped middle key sits on a sample: the line through its neighbours misses it by 3.
      {"key dropped", {0, 6, 6}, {0, 3, 6}, DESC_UNIT_REAL, CINTERPOLATION_LINEAR, 3.0},
      {"degrees", {0, 2 * kDegree, 0}, {0, 0, 0}, DESC_UNIT_DEGREE, CINTERPOLATION_LINEAR, 2.0},
      {"percent", {0.5, 0.5, 0.4}, {0.5, 0.45, 0.4}, DESC_UNIT_PERCENT, CINTERPOLATION_LINEAR, 5.0},
      // Step keys hold their value up to the next key: the steps ahead of it differ by 4.
      {"step against linear", {0, 4}, {0, 4}, DESC_UNIT_REAL, CINTERPOLATION_STEP, 3.6},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TrackPair pair(CTRACK_CATEGORY_VALUE, row.unit);
    AddValueKeys(pair.before, kFps, row.before, row.interpolation);
    AddValueKeys(pair.after, kFps, row.after, CINTERPOLATION_LINEAR);
    const std::optional<double> deviation = MaxTrackDeviation(*pair.before, *pair.after, kFps);
    ASSERT_TRUE(deviation.has_value());
    EXPECT_NEAR(*deviation, row.expected, 1e-9);
  }
}

// A curve that lost its last keys is compared up to the latest key of both curves, where the
// shorter one holds its last value.
TEST(CurveDeviation, CoversTheKeysOfBothCurves) {
  TrackPair pair;
  AddValueKeys(pair.before, kFps, {0, 0, 0, 7});
  AddValueKeys(pair.after, kFps, {0, 0});
  EXPECT_NEAR(MaxValueDeviation(*pair.before->GetCurve(), *pair.after->GetCurve(), kFps, 1.0), 7.0,
              1e-12);
  EXPECT_NEAR(MaxValueDeviation(*pair.after->GetCurve(), *pair.before->GetCurve(), kFps, 1.0), 7.0,
              1e-12);
}

// A key between the tenth-of-frame steps is measured at its own time, at the ends of the curves
// as inside them.
TEST(CurveDeviation, MeasuresKeysOffTheSampleGrid) {
  struct Row {
    const char* name;
    std::vector<std::pair<BaseTime, double>> before, after;
  } rows[] = {
      {"at the end",
       {{BaseTime(0, 1), 0.0}, {BaseTime(1, 1000), 9.0}},
       {{BaseTime(0, 1), 0.0}, {BaseTime(1, 1000), 0.0}}},
      {"inside",
       {{BaseTime(0, 1), 0.0}, {BaseTime(1, 1000), 9.0}, {BaseTime(1, 1), 0.0}},
       {{BaseTime(0, 1), 0.0}, {BaseTime(1, 1), 0.0}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TrackPair pair;
    for (const auto& [time, value] : row.before) AddValueKey(pair.before, time, value);
    for (const auto& [time, value] : row.after) AddValueKey(pair.after, time, value);
    EXPECT_NEAR(MaxValueDeviation(*pair.before->GetCurve(), *pair.after->GetCurve(), kFps, 1.0),
                9.0, 1e-12);
  }
}

// Any 64-bit key time is measured without overflow and with memory that does not grow with the
// span. Beyond a million frames the measure looks only at and around keys and turns: the hump
// of the first row peaks at 7.5, at its turn.
TEST(CurveDeviation, MeasuresAnySpanOfTime) {
  constexpr LLONG kLast = std::numeric_limits<LLONG>::max();
  constexpr LLONG kFirst = std::numeric_limits<LLONG>::min();
  struct Row {
    const char* name;
    BaseTime start, end;
    double beforeValue;    // at both keys; the curve after the reduction is 0
    double handleSeconds;  // of the first key's right and the second's left handle, 10 high
    double expected;
  } rows[] = {
      {"two keys 1e9 frames apart", BaseTime(0, 1), BaseTime(1000000000, kFps), 0.0, 1e7, 7.5},
      {"the last frames of 64-bit time", BaseTime(kLast - 10, kFps), BaseTime(kLast, kFps), 1.0,
       0.0, 1.0},
      {"both ends of 64-bit time", BaseTime(kFirst, kFps), BaseTime(kLast, kFps), 2.0, 0.0, 2.0},
      {"the largest denominators", BaseTime(1, kLast), BaseTime(3, kLast - 1), 3.0, 0.0, 3.0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TrackPair pair;
    CCurve* curve = pair.before->GetCurve();
    CKey* start = AddValueKey(pair.before, row.start, row.beforeValue, CINTERPOLATION_SPLINE);
    CKey* end = AddValueKey(pair.before, row.end, row.beforeValue, CINTERPOLATION_SPLINE);
    const double handleValue = row.handleSeconds > 0 ? 10.0 : 0.0;
    start->SetTimeRight(curve, BaseTime(row.handleSeconds));
    start->SetValueRight(curve, handleValue);
    end->SetTimeLeft(curve, BaseTime(-row.handleSeconds));
    end->SetValueLeft(curve, handleValue);
    AddValueKey(pair.after, row.start, 0.0);
    AddValueKey(pair.after, row.end, 0.0);
    const std::optional<double> deviation = MaxTrackDeviation(*pair.before, *pair.after, kFps);
    ASSERT_TRUE(deviation.has_value());
    EXPECT_NEAR(*deviation, row.expected, 1e-9);
  }
}

// Ten million tenths of a frame are measured one by one; one more, and the measure looks only at
// and around keys and turns.
TEST(CurveDeviation, MeasuresEveryStepUpToAMillionFrames) {
  constexpr LLONG kStepsPerSecond = 10 * kFps;
  struct Row {
    const char* name;
    BaseTime start, end;
    bool everyStep;
  } rows[] = {
      {"a million frames less a tenth", BaseTime(0, 1),
       BaseTime(kMaxMeasuredSteps - 1, kStepsPerSecond), true},
      {"a million frames", BaseTime(0, 1), BaseTime(kMaxMeasuredSteps, kStepsPerSecond), false},
      {"a million frames from off the grid", BaseTime(1, 1000),
       BaseTime(kMaxMeasuredSteps, kStepsPerSecond), true},
      {"a million frames before time 0", BaseTime(-kMaxMeasuredSteps, kStepsPerSecond),
       BaseTime(0, 1), false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TrackPair pair;
    AddValueKey(pair.before, row.start, 0.0);
    AddValueKey(pair.after, row.end, 0.0);
    EXPECT_EQ(MeasuresEveryStep(*pair.before, *pair.after, kFps), row.everyStep);
  }
}

// A curve that is not finite somewhere deviates by NaN, never by a figure that looks close.
TEST(CurveDeviation, NotFiniteCurvesDeviateByNaN) {
  TrackPair pair;
  AddValueKeys(pair.before, kFps, {0, NAN, 0});
  AddValueKeys(pair.after, kFps, {0, 0, 0});
  EXPECT_TRUE(std::isnan(MaxTrackDeviation(*pair.before, *pair.after, kFps).value_or(0.0)));
}

TEST(CurveDeviation, CurvesWithoutKeysDoNotDeviate) {
  TrackPair pair;
  EXPECT_EQ(MaxTrackDeviation(*pair.before, *pair.after, kFps), 0.0);
  CTrack* bare = AddTrackWithoutCurve(pair.object, "Bare", 1002);
  EXPECT_EQ(MaxTrackDeviation(*bare, *pair.after, kFps), 0.0);
  AddValueKeys(pair.before, kFps, {1, 2});
  EXPECT_FALSE(MaxTrackDeviation(*pair.before, *bare, kFps).has_value());
}

TEST(CurveDeviation, ComparesTheDataDataTracksHold) {
  struct Row {
    const char* name;
    std::vector<GeData> before, after;
    std::optional<double> expected;
  } rows[] = {
      {"repeated key dropped", {LONG(3), LONG(3), LONG(5)}, {LONG(3), LONG(3), LONG(5)}, 0.0},
      {"numbers", {LONG(0), LONG(2), LONG(2)}, {LONG(0), LONG(5), LONG(2)}, 3.0},
      {"same texts", {GeData("walk"), GeData("run")}, {GeData("walk"), GeData("run")}, 0.0},
      {"other texts",
       {GeData("walk"), GeData("run")},
       {GeData("walk"), GeData("jog")},
       std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TrackPair pair(CTRACK_CATEGORY_DATA);
    AddDataKeys(pair.before, kFps, row.before, CINTERPOLATION_STEP);
    AddDataKeys(pair.after, kFps, row.after, CINTERPOLATION_STEP);
    EXPECT_EQ(MaxTrackDeviation(*pair.before, *pair.after, kFps), row.expected);
  }
}

// Data hold from one key to the next: a curve that dropped a repeating key holds the same data.
TEST(CurveDeviation, DataHoldUntilTheNextKey) {
  TrackPair pair(CTRACK_CATEGORY_DATA);
  AddDataKeys(pair.before, kFps, {LONG(1), LONG(1), LONG(1), LONG(4)}, CINTERPOLATION_STEP);
  AddValueKey(pair.after, BaseTime(0, 1), 0.0)->SetGeData(pair.after->GetCurve(), LONG(1));
  AddValueKey(pair.after, BaseTime(3, kFps), 0.0)->SetGeData(pair.after->GetCurve(), LONG(4));
  EXPECT_EQ(MaxDataDeviation(*pair.before->GetCurve(), *pair.after->GetCurve(), kFps), 0.0);
}

}  // namespace
