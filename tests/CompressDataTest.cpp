// Redundant-key removal: the rules on value and data triples as tables, the progress reports and
// stop, the sampling check of spline triples, and properties on seeded curves: removal never
// changes the curve at an original key time beyond the tolerance (value runs) or at all (data).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "CompressData.h"
#include "FitCurves.h"
#include "FitProgress.h"
#include "SampledCurve.h"
#include "c4d.h"

namespace {

class StringsEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { resource.Init(Filename(THINFOLD_ROOT)); }
};
const auto* const kStrings = ::testing::AddGlobalTestEnvironment(new StringsEnvironment);

constexpr LONG kFps = 25;

struct ValueKey {
  double value;
  CINTERPOLATION interpolation;
};

void PutKeys(FitTrack& track, const std::vector<ValueKey>& keys) {
  for (size_t i = 0; i < keys.size(); ++i)
    track.Key(BaseTime(LLONG(i), kFps), keys[i].value, keys[i].interpolation);
}

std::vector<double> Values(const CCurve* curve) {
  std::vector<double> values;
  for (LONG i = 0; i < curve->GetKeyCount(); ++i) values.push_back(curve->GetKey(i)->GetValue());
  return values;
}

constexpr CINTERPOLATION L = CINTERPOLATION_LINEAR;
constexpr CINTERPOLATION S = CINTERPOLATION_STEP;
constexpr CINTERPOLATION B = CINTERPOLATION_SPLINE;

TEST(CompressValue, RemovesRedundantKeysByTheRules) {
  struct Row {
    const char* name;
    std::vector<ValueKey> keys;
    double tolerance;
    std::vector<double> expected;
    CINTERPOLATION firstAfter;
  } rows[] = {
      {"three equal linear keys", {{1, S}, {1, L}, {1, L}}, 0.1, {1, 1}, L},
      {"tolerance 0 keeps linear keys", {{1, L}, {1, L}, {1, L}}, 0.0, {1, 1, 1}, L},
      {"tolerance 0 keeps step keys", {{1, S}, {1, S}, {1, S}}, 0.0, {1, 1, 1}, S},
      {"a flat spline triple goes even at tolerance 0", {{2, B}, {2, B}, {2, B}}, 0.0, {2, 2}, B},
      {"a run keeps its first and last key",
       {{0, L}, {0, L}, {0, L}, {0, L}, {5, L}},
       0.5,
       {0, 0, 5},
       L},
      {"a step key close to the one before goes", {{0, L}, {0.2, S}, {9, L}}, 0.5, {0, 9}, S},
      {"a difference equal to the tolerance keeps the key",
       {{0, L}, {0.5, L}, {0.5, L}},
       0.5,
       {0, 0.5, 0.5},
       L},
      {"a spline bump beyond the tolerance stays", {{0, B}, {1, B}, {0, B}}, 0.5, {0, 1, 0}, B},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FitTrack track;
    PutKeys(track, row.keys);
    EXPECT_EQ(CompressValue(nullptr, track.Curve(), row.tolerance, kFps, nullptr, nullptr), 1);
    EXPECT_EQ(Values(track.Curve()), row.expected);
    EXPECT_EQ(track.Curve()->GetKey(0)->GetInterpolation(), row.firstAfter);
  }
}

// Runs of equal values, linear or step, seeded: the curve at every original key time keeps its
// value within the tolerance, the end keys stay, and a second pass removes nothing more.
TEST(CompressValue, KeepsTheCurveAtEveryOriginalKeyTime) {
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 engine(seed);
    const double tolerance = 0.1 + FitUniform(engine);
    std::vector<ValueKey> keys;
    double value = 0.0;
    for (int i = 0; i < 60; ++i) {
      if (FitUniform(engine) < 0.3) value += (FitUniform(engine) < 0.5 ? -3.0 : 3.0);
      keys.push_back({value, FitUniform(engine) < 0.5 ? L : S});
    }
    FitTrack original, reduced;
    PutKeys(original, keys);
    PutKeys(reduced, keys);
    ASSERT_EQ(CompressValue(nullptr, reduced.Curve(), tolerance, kFps, nullptr, nullptr), 1);
    for (size_t i = 0; i < keys.size(); ++i) {
      const BaseTime time(LLONG(i), kFps);
      EXPECT_LE(std::fabs(reduced.Curve()->GetValue(time, kFps) - keys[i].value), tolerance)
          << "at key " << i;
    }
    EXPECT_EQ(reduced.Curve()->GetKey(0)->GetTime(), BaseTime(0.0));
    EXPECT_EQ(reduced.Curve()->GetKey(reduced.Curve()->GetKeyCount() - 1)->GetTime(),
              BaseTime(LLONG(keys.size() - 1), kFps));
    const LONG count = reduced.Curve()->GetKeyCount();
    ASSERT_EQ(CompressValue(nullptr, reduced.Curve(), tolerance, kFps, nullptr, nullptr), 1);
    EXPECT_EQ(reduced.Curve()->GetKeyCount(), count);
  }
}

TEST(CompressValue, ReportsEveryStepAndStopsWhenAsked) {
  FitTrack track;
  PutKeys(track, {{0, L}, {0, L}, {0, L}, {0, L}, {5, L}, {6, L}});
  FitRecorder recorder;
  ASSERT_EQ(CompressValue(nullptr, track.Curve(), 0.5, kFps, RecordFitProgress, &recorder), 1);
  const std::string working = GeLoadString(10036).ToUtf8();
  ASSERT_EQ(recorder.reports.size(), 5u);
  for (int j = 0; j < 4; ++j) {
    EXPECT_EQ(recorder.reports[j].percent, 100.0 * j / 6);
    EXPECT_EQ(recorder.reports[j].text, working);
  }
  EXPECT_EQ(recorder.reports[4].percent, 100.0);
  EXPECT_EQ(recorder.reports[4].text, GeLoadString(10041).ToUtf8());

  FitTrack stopped;
  PutKeys(stopped, {{0, L}, {0, L}, {0, L}, {0, L}, {5, L}});
  FitRecorder stopper;
  stopper.stopAtReport = 0;
  EXPECT_EQ(CompressValue(nullptr, stopped.Curve(), 0.5, kFps, RecordFitProgress, &stopper), 0);
  EXPECT_EQ(stopped.Curve()->GetKeyCount(), 4);
  ASSERT_EQ(stopper.reports.size(), 2u);
  EXPECT_EQ(stopper.reports[1].text, GeLoadString(10040).ToUtf8());
  EXPECT_EQ(stopper.reports[1].percent, 0.0);
}

TEST(CheckTriple, SamplesTheWholeSpanAgainstTheMiddleValue) {
  FitTrack track;
  CKey* k0 = track.Key(BaseTime(0.0), 1.0, B);
  CKey* k1 = track.Key(BaseTime(0.5), 1.0, B);
  CKey* k2 = track.Key(BaseTime(1.0), 1.25, B);
  // Zero-length tangents: the curve runs from 1.0 to 1.25 after k1, reaching it only at k2.
  EXPECT_EQ(CheckTriple(track.Curve(), k0, k1, k2, 0.25, kFps), 1);
  EXPECT_EQ(CheckTriple(track.Curve(), k0, k1, k2, 0.24, kFps), 0);
  // A frame rate of 0 or below cannot be sampled: the key stays instead of a hang.
  EXPECT_EQ(CheckTriple(track.Curve(), k0, k1, k2, 0.25, 0), 0);
  EXPECT_EQ(CheckTriple(track.Curve(), k0, k1, k2, 0.25, -25), 0);
  EXPECT_EQ(CompressValue(nullptr, track.Curve(), 0.25, -25, nullptr, nullptr), 1);
  EXPECT_EQ(track.Curve()->GetKeyCount(), 3);
}

TEST(CompressValue, StepAdvancesOnlyWhenItMovesTheTime) {
  EXPECT_TRUE(StepAdvances(0.0, 10.0, 0.02));
  EXPECT_FALSE(StepAdvances(0.0, 10.0, 0.0));
  EXPECT_FALSE(StepAdvances(0.0, 10.0, -0.02));
  EXPECT_FALSE(StepAdvances(0.0, 10.0, std::numeric_limits<double>::quiet_NaN()));
  EXPECT_FALSE(StepAdvances(1e15, 1e15 + 1, 0.02 / 1e3));
  EXPECT_FALSE(StepAdvances(0.0, std::numeric_limits<double>::infinity(), 0.02));
}

void PutDataKeys(FitTrack& track, const std::vector<GeData>& data, CINTERPOLATION interpolation) {
  for (size_t i = 0; i < data.size(); ++i) {
    CKey* key = track.Key(BaseTime(LLONG(i), kFps), 0.0, interpolation);
    key->SetGeData(track.Curve(), data[i]);
  }
}

std::vector<LONG> Longs(const CCurve* curve) {
  std::vector<LONG> values;
  for (LONG i = 0; i < curve->GetKeyCount(); ++i)
    values.push_back(curve->GetKey(i)->GetGeData().GetLong());
  return values;
}

TEST(CompressData, RemovesRepeatedData) {
  const std::vector<GeData> ones_twos = {LONG(1), LONG(1), LONG(1), LONG(2), LONG(2), LONG(2)};
  FitTrack linear, step;
  PutDataKeys(linear, ones_twos, L);
  PutDataKeys(step, ones_twos, S);
  EXPECT_EQ(CompressData(nullptr, linear.Curve(), 0.0, nullptr, nullptr), 1);
  EXPECT_EQ(Longs(linear.Curve()), (std::vector<LONG>{1, 1, 2, 2}));
  EXPECT_EQ(CompressData(nullptr, step.Curve(), 0.0, nullptr, nullptr), 1);
  EXPECT_EQ(Longs(step.Curve()), (std::vector<LONG>{1, 2, 2}));
}

TEST(CompressData, RefusesOtherDataTypesUntouched) {
  FitTrack reals, two;
  PutDataKeys(reals, {GeData(1.0), GeData(1.0), GeData(1.0)}, L);
  FitRecorder recorder;
  EXPECT_EQ(CompressData(nullptr, reals.Curve(), 0.0, RecordFitProgress, &recorder), 0);
  EXPECT_EQ(reals.Curve()->GetKeyCount(), 3);
  EXPECT_TRUE(recorder.reports.empty());
  PutDataKeys(two, {GeData(1.0), GeData(1.0)}, L);
  EXPECT_EQ(CompressData(nullptr, two.Curve(), 0.0, nullptr, nullptr), 1);
}

// The data value at a time is that of the last key at or before it.
const GeData& DataAt(const CCurve* curve, const BaseTime& time) {
  LONG index = 0;
  while (index + 1 < curve->GetKeyCount() && !(time < curve->GetKey(index + 1)->GetTime())) ++index;
  return curve->GetKey(index)->GetGeData();
}

TEST(CompressData, KeepsTheDataAtEveryOriginalKeyTime) {
  for (uint32_t seed = 1; seed <= 30; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 engine(seed);
    std::vector<GeData> data;
    int run = 0;
    for (int i = 0; i < 50; ++i) {
      if (FitUniform(engine) < 0.3) ++run;
      switch (seed % 3) {
        case 0:
          data.push_back(GeData(LONG(run)));
          break;
        case 1:
          data.push_back(GeData(String("text " + std::to_string(run))));
          break;
        default:
          data.push_back(GeData(Filename(("dir/file" + std::to_string(run)).c_str())));
      }
    }
    FitTrack track;
    PutDataKeys(track, data, FitUniform(engine) < 0.5 ? L : S);
    ASSERT_EQ(CompressData(nullptr, track.Curve(), 0.0, nullptr, nullptr), 1);
    EXPECT_LT(track.Curve()->GetKeyCount(), LONG(data.size()));
    for (size_t i = 0; i < data.size(); ++i)
      EXPECT_TRUE(DataAt(track.Curve(), BaseTime(LLONG(i), kFps)) == data[i]) << "at key " << i;
  }
}

}  // namespace
