// The host program's own measure of how far a reduction moved a curve.
#include <gtest/gtest.h>

#include <cmath>

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

// A key between the tenth-of-frame steps is measured at its own time too.
TEST(CurveDeviation, MeasuresTheEndsOffTheSampleGrid) {
  TrackPair pair;
  AddValueKey(pair.before, BaseTime(0, 1), 0.0);
  AddValueKey(pair.before, BaseTime(1, 1000), 9.0);
  AddValueKey(pair.after, BaseTime(0, 1), 0.0);
  AddValueKey(pair.after, BaseTime(1, 1000), 0.0);
  EXPECT_NEAR(MaxValueDeviation(*pair.before->GetCurve(), *pair.after->GetCurve(), kFps, 1.0), 9.0,
              1e-12);
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
