#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "CCurveList.h"
#include "CKeyList.h"
#include "ModelDocument.h"
#include "ReductionStages.h"

namespace {

// Stores percent and text in the key list as the run's callback does; answers continueAnswer.
struct Recorder {
  explicit Recorder(int answer = 1) : continueAnswer(answer) {}
  int continueAnswer;
  int calls = 0;
  std::vector<std::string> texts;
};

int RecordProgress(CKeyList* keyList, double percent, const String& text, void* cookie) {
  Recorder* recorder = static_cast<Recorder*>(cookie);
  ++recorder->calls;
  recorder->texts.push_back(text.ToUtf8());
  keyList->SetPercentField(LONG(percent));
  keyList->SetTextField(text);
  return recorder->continueAnswer;
}

// One track of the given category on a fresh document, saved into a key list.
struct TrackRun {
  ModelDoc doc;
  CTrack* track;
  TreeListNode root;
  CKeyList keyList;

  TrackRun(LONG category, LONG fps, const std::function<void(CTrack*, LONG)>& addKeys,
           CTrackSubData settings = CTrackSubData{})
      : doc(MakeDocument(fps)) {
    track = AddTrack(AddObject(doc.get(), "Cube"), "T", category);
    addKeys(track, fps);
    if (category == CTRACK_CATEGORY_DATA && settings.precision == 0.5) settings.precision = 1.0;
    SetCTrackSubData(track, settings);
    keyList.SaveTrack(doc.get(), track, &root);
  }
  ~TrackRun() { root._children.FreeList(TRUE); }
};

std::function<void(CTrack*, LONG)> Values(std::vector<double> values) {
  return [values](CTrack* track, LONG fps) { AddValueKeys(track, fps, values); };
}

std::function<void(CTrack*, LONG)> Data(std::vector<GeData> data) {
  return [data](CTrack* track, LONG fps) { AddDataKeys(track, fps, data); };
}

// A smooth curve sampled at every frame for `frames` frames, as baked animation has.
std::function<void(CTrack*, LONG)> DenseWave(int frames) {
  return [frames](CTrack* track, LONG fps) {
    std::vector<double> values;
    for (int i = 0; i < frames; ++i) values.push_back(10.0 * std::sin(i * 0.05) + 0.01 * i);
    AddValueKeys(track, fps, values);
  };
}

CTrackSubData Method(LONG method, LONG quality = 0) {
  return CTrackSubData{TRUE, 0.5, method, quality};
}

std::string Text(LONG id) { return GeLoadString(id).ToUtf8(); }

}  // namespace

class OptimizeTrack : public testing::Test {
 protected:
  static void SetUpTestSuite() { InitModelResources(); }
};

TEST_F(OptimizeTrack, OutcomeTable) {
  struct Row {
    const char* name;
    LONG category;
    std::function<void(CTrack*, LONG)> keys;
    CTrackSubData settings;
    bool withCallback;
    int continueAnswer;
    int result;
    LONG status;
    std::string text;
    LONG newCount;
  };
  const std::vector<GeData> repeating = {GeData(LONG(1)), GeData(LONG(1)), GeData(LONG(1)),
                                         GeData(LONG(2))};
  const Row rows[] = {
      {"value track, 2 keys", 1, Values({1, 5}), Method(1), true, 1, 1, 1, Text(10037), 0},
      {"data track, 2 keys", 2, Data({GeData(LONG(1)), GeData(LONG(1))}), Method(1), true, 1, 1, 1,
       Text(10037), 2},
      {"method out of range", 1, Values({0, 0, 0, 0}), Method(2), true, 1, 0, 3, Text(10039), 4},
      {"method ignored on data", 2, Data(repeating), Method(7), true, 1, 1, 2, Text(10041), 3},
      {"unsupported data type", 2, Data({GeData(1.0), GeData(1.0), GeData(1.0)}), Method(0), true,
       1, 0, 3, Text(10038), 3},
      {"stopped, value track", 1, Values({0, 0, 0, 0, 0}), Method(1), true, 0, 0, 3, Text(10040),
       4},
      {"stopped, data track", 2, Data(repeating), Method(0), true, 0, 0, 3, Text(10038), 3},
      {"finished without reducing", 1, Values({0, 3, 0, 3}), Method(1), true, 1, 1, 1, Text(10037),
       4},
      {"reduced", 1, Values({0, 0, 0, 0, 5}), Method(1), true, 1, 1, 2, Text(10041), 3},
      {"reduced without callback", 1, Values({0, 0, 0, 0, 5}), Method(1), false, 1, 1, 2, "", 3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TrackRun run(row.category, 30, row.keys, row.settings);
    Recorder recorder(row.continueAnswer);
    const int result = row.withCallback ? run.keyList.OptimizeTrack(RecordProgress, &recorder)
                                        : run.keyList.OptimizeTrack(nullptr, nullptr);
    EXPECT_EQ(result, row.result);
    EXPECT_EQ(run.keyList.GetStatusField(), row.status);
    EXPECT_EQ(run.keyList.GetTextField().ToUtf8(), row.text);
    EXPECT_EQ(run.keyList.GetNewCountField(), row.newCount);
    TrackRun fresh(row.category, 30, row.keys, row.settings);
    EXPECT_EQ(run.keyList.GetCount(), KeyCount(fresh.track));  // the snapshot never changes
    // Nothing gained: the saved keys are back, exactly.
    if (row.status == KEYSTATUS_UNCHANGED) {
      EXPECT_EQ(ReadKeys(run.track), ReadKeys(fresh.track));
    }
  }
}

TEST_F(OptimizeTrack, InactiveTrackKeepsEverything) {
  TrackRun run(1, 30, Values({0, 0, 0, 0, 5}), Method(1));
  ASSERT_EQ(run.keyList.OptimizeTrack(nullptr, nullptr), 1);
  const std::vector<KeyState> reduced = ReadKeys(run.track);
  run.keyList.SetTextField("earlier");
  CTrackSubData settings = GetCTrackSubData(run.track);
  settings.active = FALSE;
  SetCTrackSubData(run.track, settings);
  Recorder recorder;
  EXPECT_EQ(run.keyList.OptimizeTrack(RecordProgress, &recorder), 1);
  EXPECT_EQ(recorder.calls, 0);
  EXPECT_EQ(ReadKeys(run.track), reduced);
  EXPECT_EQ(run.keyList.GetStatusField(), KEYSTATUS_REDUCED);
  EXPECT_EQ(run.keyList.GetTextField(), String("earlier"));
  EXPECT_EQ(run.keyList.GetNewCountField(), 3);
}

TEST_F(OptimizeTrack, SecondRunGivesTheSameKeys) {
  struct Row {
    const char* name;
    CTrackSubData settings;
  };
  const Row rows[] = {{"redundant keys only", Method(1)},
                      {"spline fit, quality 0", Method(0, 0)},
                      {"spline fit, quality 2", Method(0, 2)}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TrackRun run(1, 30, DenseWave(90), row.settings);
    ASSERT_EQ(run.keyList.OptimizeTrack(nullptr, nullptr), 1);
    const std::vector<KeyState> once = ReadKeys(run.track);
    ASSERT_EQ(run.keyList.OptimizeTrack(nullptr, nullptr), 1);
    EXPECT_EQ(ReadKeys(run.track), once);
    EXPECT_EQ(run.keyList.GetCount(), 90);
  }
}

TEST_F(OptimizeTrack, SplineFitReducesDenseCurve) {
  TrackRun run(1, 30, DenseWave(90), Method(0));
  ASSERT_EQ(run.keyList.OptimizeTrack(nullptr, nullptr), 1);
  EXPECT_EQ(run.keyList.GetStatusField(), KEYSTATUS_REDUCED);
  EXPECT_LT(KeyCount(run.track), 90);
  EXPECT_EQ(run.keyList.GetNewCountField(), KeyCount(run.track));
  // The reduced curve stays within the tolerance of the original keys.
  TrackRun original(1, 30, DenseWave(90), Method(0));
  CCurve* reduced = run.track->GetCurve();
  for (LONG i = 0; i < 90; ++i) {
    const BaseTime time(i, 30);
    EXPECT_NEAR(reduced->GetValue(time, 30), original.track->GetCurve()->GetValue(time, 30), 0.5)
        << "frame " << i;
  }
}

TEST_F(OptimizeTrack, QualityOutOfRangeActsAsZero) {
  TrackRun zero(1, 30, DenseWave(120), Method(0, 0));
  TrackRun seven(1, 30, DenseWave(120), Method(0, 7));
  ASSERT_EQ(zero.keyList.OptimizeTrack(nullptr, nullptr), 1);
  ASSERT_EQ(seven.keyList.OptimizeTrack(nullptr, nullptr), 1);
  EXPECT_EQ(ReadKeys(seven.track), ReadKeys(zero.track));
}

TEST_F(OptimizeTrack, FitWithoutGainFallsBackToSavedKeys) {
  // A sharp corner that no smooth segment follows within 0.001: the fit needs at least as many
  // keys as there are, so the saved keys come back and the thinning finds nothing either.
  auto corner = [](CTrack* track, LONG) {
    AddValueKey(track, BaseTime(0, 1), 0.0);
    AddValueKey(track, BaseTime(1, 1), 10.0);
    AddValueKey(track, BaseTime(2, 1), 0.0);
  };
  TrackRun run(1, 30, corner, CTrackSubData{TRUE, 0.001, 0, 0});
  TrackRun fresh(1, 30, corner, CTrackSubData{TRUE, 0.001, 0, 0});
  EXPECT_EQ(run.keyList.OptimizeTrack(nullptr, nullptr), 1);
  EXPECT_EQ(run.keyList.GetStatusField(), KEYSTATUS_UNCHANGED);
  EXPECT_EQ(ReadKeys(run.track), ReadKeys(fresh.track));
  EXPECT_EQ(run.keyList.GetNewCountField(), 3);
}

TEST_F(OptimizeTrack, StopDuringFitSkipsThinning) {
  TrackRun run(1, 30, DenseWave(300), Method(0));
  Recorder recorder(0);
  EXPECT_EQ(run.keyList.OptimizeTrack(RecordProgress, &recorder), 0);
  EXPECT_EQ(recorder.texts, (std::vector<std::string>{Text(10036), Text(10040)}));
  EXPECT_EQ(run.keyList.GetStatusField(), KEYSTATUS_FAILED);
  EXPECT_EQ(run.keyList.GetTextField().ToUtf8(), Text(10040));
  EXPECT_EQ(run.keyList.GetNewCountField(), KeyCount(run.track));
  EXPECT_EQ(run.keyList.GetCount(), 300);  // the snapshot survives the stop
  EXPECT_TRUE(run.keyList.RestoreTrack(nullptr, nullptr));
  EXPECT_EQ(KeyCount(run.track), 300);
}

TEST(OptimizeTrackSampling, StepIsHalfAFrameInWholeMilliseconds) {
  struct Row {
    const char* name;
    LONG fps;
    LLONG stepMilliseconds;
  };
  const Row rows[] = {{"25 fps", 25, 20},    {"30 fps", 30, 17},    {"60 fps", 60, 8},
                      {"1000 fps", 1000, 1}, {"1001 fps", 1001, 1}, {"5000 fps", 5000, 1}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(GetSampleStep(row.fps), BaseTime(row.stepMilliseconds, 1000));
    ModelDoc doc = MakeDocument(row.fps);
    CTrack* track = AddTrack(AddObject(doc.get(), "Cube"), "T");
    AddValueKey(track, BaseTime(0, 1), 0.0);
    AddValueKey(track, BaseTime(1, 10), 5.0);
    AddValueKey(track, BaseTime(1, 5), 1.0);
    CKeyValueArray samples;
    ASSERT_TRUE(SampleCurve(track->GetCurve(), row.fps, samples));
    const VLONG count = samples.GetCount();
    ASSERT_EQ(count, (200 + row.stepMilliseconds - 1) / row.stepMilliseconds + 1);
    for (VLONG i = 1; i + 1 < count; ++i)
      ASSERT_EQ(samples[i].GetTime() - samples[i - 1].GetTime(), row.stepMilliseconds) << i;
    EXPECT_EQ(samples[count - 1].GetTime(), 200);
    EXPECT_EQ(samples[count - 1].GetValue(), 1.0);
  }
}

TEST_F(OptimizeTrack, EndsAboveAThousandFramesPerSecond) {
  TrackRun run(1, 3000, DenseWave(60), Method(0));
  EXPECT_EQ(run.keyList.OptimizeTrack(nullptr, nullptr), 1);
  EXPECT_NE(run.keyList.GetStatusField(), KEYSTATUS_FAILED);
}

TEST_F(OptimizeTrack, TimesBeyondMillisecondRangeFail) {
  struct Row {
    const char* name;
    BaseTime last;
  };
  const Row rows[] = {{"after 2^31 ms", BaseTime(LLONG(2147484), 1)},
                      {"before -2^31 ms", BaseTime(LLONG(-2147484), 1)}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto keys = [&row](CTrack* track, LONG) {
      AddValueKey(track, BaseTime(0, 1), 0.0);
      AddValueKey(track, BaseTime(1, 1), 1.0);
      AddValueKey(track, row.last, 2.0);
    };
    TrackRun run(1, 30, keys, Method(0));
    TrackRun fresh(1, 30, keys, Method(0));
    EXPECT_EQ(run.keyList.OptimizeTrack(nullptr, nullptr), 0);
    EXPECT_EQ(run.keyList.GetStatusField(), KEYSTATUS_FAILED);
    EXPECT_TRUE(run.keyList.GetTextField().Content());
    EXPECT_EQ(ReadKeys(run.track), ReadKeys(fresh.track));
  }
}

// Finite keys whose differences overflow: the fit's arithmetic meets infinities, yet no key
// handed back may be non-finite; a track that cannot be reduced fails with its own keys.
TEST_F(OptimizeTrack, HugeFiniteValuesNeverComeBackNonFinite) {
  const double big = 1e308;
  const std::vector<std::vector<double>> curves = {
      {0, 0, big, 0, 0},
      {-big, big, -big, big, -big, big},
      {big, big, big, -big, -big, -big},
      {0, 0.5 * big, big, 1.5e308, 1.7e308, 1.5e308, big, 0},
  };
  const CTrackSubData settings[] = {
      {TRUE, 0.5, REDUCTION_SPLINEFIT, 0, TRUE},
      {TRUE, 0.5, REDUCTION_SPLINEFIT, 0, FALSE},
      {TRUE, 0.5, REDUCTION_SPLINEFIT, 2, FALSE},
      {TRUE, 0.5, REDUCTION_REDUNDANT, 0, FALSE},
  };
  for (size_t c = 0; c < curves.size(); ++c) {
    for (const CTrackSubData& setting : settings) {
      SCOPED_TRACE("curve " + std::to_string(c) + ", method " + std::to_string(setting.method) +
                   ", quality " + std::to_string(setting.quality) + ", hold " +
                   std::to_string(setting.hold));
      TrackRun run(1, 30, Values(curves[c]), setting);
      TrackRun fresh(1, 30, Values(curves[c]), setting);
      run.keyList.OptimizeTrack(nullptr, nullptr);
      for (const KeyState& key : ReadKeys(run.track)) {
        EXPECT_TRUE(std::isfinite(key.value) && std::isfinite(key.valueLeft) &&
                    std::isfinite(key.valueRight));
      }
      if (run.keyList.GetStatusField() == KEYSTATUS_FAILED) {
        EXPECT_EQ(ReadKeys(run.track), ReadKeys(fresh.track));
      }
    }
  }
}

// The driver runs the stages in their order with the parameters of the track's quality, checks
// every half frame, and falls back to the saved keys when the fit saves none: its keys are those
// of the stages run by hand. The rows differ where a stage's parameters matter.
TEST_F(OptimizeTrack, KeysAreThoseOfTheStagesRunByHand) {
  auto wiggle = [](int frames, double rate) {
    return [frames, rate](CTrack* track, LONG fps) {
      std::vector<double> values;
      for (int i = 0; i < frames; ++i)
        values.push_back(std::sin(i * rate) + 0.3 * std::sin(i * 2.9 * rate));
      AddValueKeys(track, fps, values);
    };
  };
  // At this precision the fit needs a key for every corner and one more: it saves nothing, while
  // the thinning of the saved keys removes the flat run's middle keys.
  auto corners = Values({0, 10, 0, 10, 0, 0, 0, 0, 10, 0, 10});
  struct Row {
    const char* name;
    std::function<void(CTrack*, LONG)> keys;
    CTrackSubData settings;
  };
  const Row rows[] = {
      {"quality 0", DenseWave(300), {TRUE, 0.05, REDUCTION_SPLINEFIT, 0, FALSE}},
      {"quality 2", DenseWave(300), {TRUE, 0.05, REDUCTION_SPLINEFIT, 2, FALSE}},
      {"fast wiggle, quality 0", wiggle(120, 0.7), {TRUE, 0.02, REDUCTION_SPLINEFIT, 0, FALSE}},
      {"fast wiggle, quality 2", wiggle(120, 0.7), {TRUE, 0.02, REDUCTION_SPLINEFIT, 2, FALSE}},
      {"fit saves nothing", corners, {TRUE, 0.001, REDUCTION_SPLINEFIT, 0, FALSE}},
      {"thinning only", corners, {TRUE, 0.001, REDUCTION_REDUNDANT, 0, FALSE}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TrackRun run(1, 30, row.keys, row.settings);
    TrackRun byHand(1, 30, row.keys, row.settings);
    ASSERT_EQ(run.keyList.OptimizeTrack(nullptr, nullptr), 1);
    EXPECT_EQ(ReadKeys(run.track), ReduceByStages(byHand.keyList, byHand.track, row.settings, 30));
  }
}

// Each quality's parameters are its own: the same curve fits to different keys at each.
TEST_F(OptimizeTrack, EachQualityFitsDifferently) {
  std::vector<std::vector<KeyState>> fits;
  for (LONG quality : {0, 1, 2}) {
    TrackRun run(1, 30, DenseWave(300),
                 CTrackSubData{TRUE, 0.05, REDUCTION_SPLINEFIT, quality, FALSE});
    ASSERT_EQ(run.keyList.OptimizeTrack(nullptr, nullptr), 1);
    for (const std::vector<KeyState>& other : fits)
      EXPECT_NE(ReadKeys(run.track), other) << quality;
    fits.push_back(ReadKeys(run.track));
  }
}
