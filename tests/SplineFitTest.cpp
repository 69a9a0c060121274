// Spline fitting and the sampled-curve readers: the readers' edge cases as tables, the fit's
// documented outcomes on curves whose answer is known, refusal of parameters that would make it
// hang, and properties on many seeded curves checked by code of the test's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "BvhReader.h"
#include "FitCurves.h"
#include "FitPlainSplineFit.h"
#include "FitProgress.h"
#include "SplineFit.h"
#include "c4d.h"
#include "c4d_standin.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

class StringsEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { resource.Init(Filename(THINFOLD_ROOT)); }
};
const auto* const kStrings = ::testing::AddGlobalTestEnvironment(new StringsEnvironment);

// Collects the debug output (failed assertions) while it lives.
class DebugLines {
 public:
  DebugLines() : _lines(std::make_shared<std::vector<std::string>>()) {
    auto lines = _lines;
    standin::SetDebugSink([lines](const std::string& line) { lines->push_back(line); });
  }
  ~DebugLines() { standin::SetDebugSink(nullptr); }
  bool Contains(const std::string& part) const {
    return std::any_of(_lines->begin(), _lines->end(), [&](const std::string& line) {
      return line.find(part) != std::string::npos;
    });
  }

 private:
  std::shared_ptr<std::vector<std::string>> _lines;
};

void FillSamples(CKeyValueArray& samples, const std::vector<std::pair<LONG, double>>& points) {
  samples.Free();
  for (const auto& [milliseconds, value] : points)
    samples.Push(CKeyValue(BaseTime(milliseconds, 1000), value));
}

// The driver's samples of a curve that holds values on every frame.
void SampleFrames(FitTrack& track, LONG fps, const std::vector<double>& values,
                  CKeyValueArray& samples) {
  track.FrameKeys(fps, values);
  ASSERT_TRUE(SampleCurve(track.Curve(), fps, samples));
}

int Fit(CCurve* curve, const CKeyValueArray& samples, const FitParameters& p,
        FitRecorder* recorder = nullptr) {
  return SplineFit(nullptr, curve, samples, p.tolerance, p.checkStep, p.moveStep, p.tangentStep,
                   p.tangentStep, p.segmentLength, p.fps, recorder ? RecordFitProgress : nullptr,
                   recorder);
}

bool IsWholeFrame(const BaseTime& time, LONG fps) {
  return (time.GetNumerator() * fps) % time.GetDenominator() == 0;
}

LLONG FrameOf(const BaseTime& time, LONG fps) {
  return time.GetNumerator() * fps / time.GetDenominator();
}

TEST(CKeyValue, TruncatesTimeTowardZero) {
  EXPECT_EQ(CKeyValue(BaseTime(19999, 10000), 0.0).GetTime(), 1999);
  EXPECT_EQ(CKeyValue(BaseTime(-15, 10000), 0.0).GetTime(), -1);
  EXPECT_EQ(CKeyValue(BaseTime(7, 0), 2.5).GetTime(), 0);
  EXPECT_EQ(CKeyValue(BaseTime(7, 0), 2.5).GetValue(), 2.5);
}

TEST(CKeyValue, RefusesTimesBeyondTheMillisecondRange) {
  EXPECT_TRUE(SampleTimeInRange(BaseTime(INT32_MAX, 1000)));
  EXPECT_TRUE(SampleTimeInRange(BaseTime(LLONG(INT32_MAX) * 10 + 9, 10000)));
  EXPECT_FALSE(SampleTimeInRange(BaseTime(LLONG(INT32_MAX) + 1, 1000)));
  EXPECT_TRUE(SampleTimeInRange(BaseTime(LLONG(INT32_MIN) * 10 - 9, 10000)));
  EXPECT_FALSE(SampleTimeInRange(BaseTime(LLONG(INT32_MIN) - 1, 1000)));
  // Clamped, never wrapped around to a time of the other sign.
  EXPECT_EQ(CKeyValue(BaseTime(LLONG(3) << 40, 1000), 0.0).GetTime(), INT32_MAX);
  EXPECT_EQ(CKeyValue(BaseTime(-(LLONG(3) << 40), 1000), 0.0).GetTime(), INT32_MIN);
  EXPECT_EQ(SecondsToMilliseconds(kNaN), 0);
}

TEST(SampledCurve, NormToFPSSnapsUpToFrames) {
  struct Row {
    const char* name;
    double t;
    LONG fps;
    double expected;
  } rows[] = {
      {"on a boundary", 0.04, 25, 0.04},
      {"past a boundary", 0.041, 25, 0.08},
      {"a hair past a boundary", 0.0400001, 25, 0.04},
      {"zero", 0.0, 25, 0.0},
      {"67 ms at 30 fps is past frame 2", 0.067, 30, 0.1},
      {"frame 2 at 30 fps", 2.0 / 30, 30, 2.0 / 30},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_DOUBLE_EQ(NormToFPS(row.t, row.fps), row.expected);
  }
  DebugLines debug;
  EXPECT_EQ(NormToFPS(1.0, 0), 0.0);
  EXPECT_TRUE(debug.Contains("fps != 0"));
}

TEST(SampledCurve, FrameTimeIsTheExactFrame) {
  EXPECT_EQ(FrameTime(2.0 / 30, 30), BaseTime(2, 30));
  EXPECT_EQ(FrameTime(NormToFPS(0.067, 30), 30), BaseTime(3, 30));
  EXPECT_EQ(FrameTime(NormToFPS(1.0 / 120 * 7, 120), 120), BaseTime(7, 120));
  EXPECT_EQ(FrameTime(0.08, 25), BaseTime(80, 1000));
}

TEST(SampledCurve, NormalisedPositions) {
  EXPECT_EQ(normT(2.0, 2.0, 5.0), 0.0);
  EXPECT_EQ(normT(0.0, 4.0, 1.0), 0.25);
  EXPECT_EQ(normT(0.0, 4.0, 6.0), 1.5);
  CKeyValueArray samples;
  EXPECT_EQ(GetMinTime(samples), BaseTime(0.0));
  FillSamples(samples, {{1000, 0.0}, {2000, 1.0}, {3000, 0.0}});
  EXPECT_EQ(NormTime(samples, BaseTime(2.0)), 0.5);
  EXPECT_EQ(GetMinTime(samples), BaseTime(1.0));
  EXPECT_EQ(GetMaxTime(samples), BaseTime(3.0));
}

TEST(SampledCurve, GetRefYReadsTheStraightLineAtWholeMilliseconds) {
  CKeyValueArray samples;
  FillSamples(samples, {{0, 0.0}, {10, 1.0}, {20, 3.0}});
  struct Row {
    const char* name;
    double t;
    double expected;
  } rows[] = {
      {"first sample", 0.0, 0.0},
      {"last sample", 0.02, 3.0},
      {"before", -1.0, 0.0},
      {"after", 1.0, 3.0},
      {"between", 0.005, 0.5},
      {"second segment", 0.015, 2.0},
      {"truncated to 1 ms", 0.0019, 0.1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_DOUBLE_EQ(GetRefY(row.t, samples), row.expected);
  }
}

TEST(SampledCurve, FindSegmentNeverStopsOnAZeroLengthPair) {
  CKeyValueArray samples;
  FillSamples(samples, {{0, 0.0}, {10, 1.0}, {10, 2.0}, {10, 3.0}, {20, 4.0}});
  VLONG i0 = -1, i1 = -1;
  EXPECT_EQ(FindSegment(10, samples, i0, i1), SEGMENT_FOUND);
  EXPECT_EQ(i0, 3);
  EXPECT_EQ(i1, 4);
  EXPECT_EQ(GetRefY(0.010, samples), 3.0);
  EXPECT_EQ(FindSegment(-1, samples, i0, i1), SEGMENT_BEFORE);
  EXPECT_EQ(FindSegment(21, samples, i0, i1), SEGMENT_AFTER);
  FillSamples(samples, {{0, 0.0}, {10, 1.0}, {10, 2.0}});
  EXPECT_EQ(FindSegment(10, samples, i0, i1), SEGMENT_FOUND);
  EXPECT_EQ(i0, 2);
  EXPECT_EQ(i1, 2);
  EXPECT_EQ(GetRefY(0.010, samples), 2.0);
  FillSamples(samples, {{0, 0.0}});
  EXPECT_EQ(FindSegment(0, samples, i0, i1), SEGMENT_TOO_FEW);
}

TEST(SampledCurve, InterpolateSegmentHoldsUnlessLinear) {
  const CKeyValue a(BaseTime(0.0), 1.0), b(BaseTime(0.010), 2.0);
  double out = 0.0;
  EXPECT_TRUE(InterpolateSegment(5, a, b, out, CINTERPOLATION_STEP));
  EXPECT_EQ(out, 1.0);
  EXPECT_TRUE(InterpolateSegment(10, a, b, out, CINTERPOLATION_STEP));
  EXPECT_EQ(out, 2.0);
  EXPECT_TRUE(InterpolateSegment(50, a, b, out, CINTERPOLATION_LINEAR));
  EXPECT_EQ(out, 2.0);
  EXPECT_TRUE(InterpolateSegment(5, a, a, out, CINTERPOLATION_LINEAR));
  EXPECT_EQ(out, 1.0);
}

TEST(SampledCurve, RefSlopeIsOneSidedAtTheEnds) {
  CKeyValueArray samples;
  FillSamples(samples, {{0, 0.0}, {10, 0.1}, {20, 0.1}});
  EXPECT_DOUBLE_EQ(GetRefSlopeR(0.0, samples), 10.0);  // forward quotient
  EXPECT_DOUBLE_EQ(GetRefSlopeL(0.01, samples), 5.0);  // mean of both quotients
  EXPECT_DOUBLE_EQ(GetRefSlopeL(0.02, samples), 0.0);  // backward quotient
  EXPECT_EQ(GetSlopeR(Point2D(1, 1), Point2D(1, 2), Point2D(1, 3)), 0.0);
  EXPECT_EQ(GetSlopeL(Point2D(0, 0), Point2D(1, 2), Point2D(1, 3)), 2.0);
}

TEST(SampledCurve, StartAndEndPointsLieOnFrames) {
  CKeyValueArray samples;
  FillSamples(samples, {{10, 0.0}, {50, 4.0}, {1010, 7.0}});
  const Point2D start = GetStartpoint(samples, 25);
  EXPECT_DOUBLE_EQ(start.x, 0.04);
  EXPECT_DOUBLE_EQ(start.y, 3.0);
  const Point2D near = GetEndpoint(start, 0.5, samples, 25);
  EXPECT_DOUBLE_EQ(near.x, 0.56);
  EXPECT_DOUBLE_EQ(near.y, GetRefY(0.56, samples));
  const Point2D last = GetEndpoint(start, 2.0, samples, 25);
  EXPECT_DOUBLE_EQ(last.x, 1.04);
  EXPECT_EQ(last.y, 7.0);
}

TEST(SplineFit, AddKeyAndChangeKeyPutKeysOnExactFrames) {
  FitTrack track;
  CKey* key = AddKey(track.Curve(), Point2D(NormToFPS(0.066, 30), 1.5), 30);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->GetTime(), BaseTime(2, 30));
  EXPECT_EQ(key->GetValue(), 1.5);
  ChangeKey(track.Curve(), key, 7.0 / 120, -2.0, 120);
  EXPECT_EQ(key->GetTime(), BaseTime(7, 120));
  EXPECT_EQ(key->GetValue(), -2.0);
}

TEST(SplineFit, CurveFittingPassesAtExactlyTheTolerance) {
  FitTrack track;
  track.Key(BaseTime(0.0), 0.5);
  CKeyValueArray samples;
  FillSamples(samples, {{0, 0.0}, {90, 0.0}, {100, 9.0}});
  EXPECT_TRUE(CurveFitting(track.Curve(), samples, 0.02, 0.0, 0.1, 0.5, 25));
  EXPECT_FALSE(CurveFitting(track.Curve(), samples, 0.02, 0.0, 0.1, 0.4999, 25));
  // The end time is not checked; a little later it is.
  EXPECT_FALSE(CurveFitting(track.Curve(), samples, 0.02, 0.0, 0.1001, 0.5, 25));
  EXPECT_FALSE(CurveFitting(track.Curve(), samples, 0.0, 0.0, 0.1, 0.5, 25));
  EXPECT_FALSE(CurveFitting(track.Curve(), samples, -0.02, 0.0, 0.1, 0.5, 25));
}

TEST(SplineFit, FewSamplesLeaveTheCurveUntouched) {
  FitTrack track;
  track.FrameKeys(25, {1.0, 2.0, 3.0});
  const auto before = FitKeysOf(track.Curve());
  CKeyValueArray samples;
  FillSamples(samples, {{0, 1.0}, {80, 3.0}});
  FitRecorder recorder;
  EXPECT_EQ(Fit(track.Curve(), samples, DriverFitParameters(0.1, 0, 25), &recorder), 1);
  EXPECT_EQ(FitKeysOf(track.Curve()), before);
  EXPECT_TRUE(recorder.reports.empty());
  // First and last sample on one frame: one key there, no reports.
  FillSamples(samples, {{1, 1.0}, {5, 2.0}, {9, 3.0}});
  EXPECT_EQ(Fit(track.Curve(), samples, DriverFitParameters(0.1, 0, 25), &recorder), 1);
  ASSERT_EQ(track.Curve()->GetKeyCount(), 1);
  EXPECT_EQ(track.Curve()->GetKey(0)->GetTime(), BaseTime(1, 25));
  EXPECT_TRUE(recorder.reports.empty());
}

TEST(SplineFit, StraightLineGetsAKeyEverySegmentLength) {
  FitTrack track;
  std::vector<double> line;
  for (int frame = 0; frame <= 130; ++frame) line.push_back(0.5 * frame / 25.0);
  CKeyValueArray samples;
  SampleFrames(track, 25, line, samples);
  FitRecorder recorder;
  ASSERT_EQ(Fit(track.Curve(), samples, DriverFitParameters(0.01, 0, 25), &recorder), 1);
  const double expectedSeconds[] = {0.0, 2.0, 4.0, 5.2};
  ASSERT_EQ(track.Curve()->GetKeyCount(), 4);
  for (LONG i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(track.Curve()->GetKey(i)->GetTime(), BaseTime(expectedSeconds[i]));
    EXPECT_NEAR(track.Curve()->GetKey(i)->GetValue(), 0.5 * expectedSeconds[i], 1e-12);
  }
  EXPECT_EQ(track.Curve()->GetKey(3)->GetValue(), line.back());
  // One report per segment, rising, then exactly 100 with the done text.
  ASSERT_EQ(recorder.reports.size(), 4u);
  EXPECT_LT(recorder.reports[0].percent, recorder.reports[1].percent);
  EXPECT_EQ(recorder.reports[0].text, GeLoadString(10036).ToUtf8());
  EXPECT_EQ(recorder.reports[3].percent, 100.0);
  EXPECT_EQ(recorder.reports[3].text, GeLoadString(10041).ToUtf8());
}

TEST(SplineFit, HopelessReferenceGetsZeroTangentKeysEveryFrame) {
  // Half-frame samples that alternate: no cubic across two frames follows them.
  CKeyValueArray samples;
  std::vector<std::pair<LONG, double>> zigzag;
  for (LONG i = 0; i <= 20; ++i) zigzag.push_back({i * 20, i % 2 ? -1.0 : 1.0});
  FillSamples(samples, zigzag);
  FitTrack track;
  ASSERT_EQ(Fit(track.Curve(), samples, DriverFitParameters(0.01, 0, 25)), 1);
  ASSERT_EQ(track.Curve()->GetKeyCount(), 11);
  for (LONG i = 0; i < 11; ++i) {
    SCOPED_TRACE(i);
    const CKey* key = track.Curve()->GetKey(i);
    EXPECT_EQ(key->GetTime(), BaseTime(i, 25));
    EXPECT_EQ(key->GetValue(), 1.0);
    if (i > 0) {
      EXPECT_EQ(key->GetTimeLeft(), BaseTime(0.0));
    }
    if (i < 10) {
      EXPECT_EQ(key->GetTimeRight(), BaseTime(0.0));
    }
  }
}

TEST(SplineFit, StopAtTheFirstReportKeepsTheKeysSoFar) {
  FitTrack track;
  CKeyValueArray samples;
  SampleFrames(track, 30, FitChannel(FitShape::kGait, 3, 300, 30, 1.0, 0.01), samples);
  FitRecorder recorder;
  recorder.stopAtReport = 0;
  EXPECT_EQ(Fit(track.Curve(), samples, DriverFitParameters(0.02, 0, 30), &recorder), 0);
  EXPECT_EQ(track.Curve()->GetKeyCount(), 2);
  ASSERT_EQ(recorder.reports.size(), 2u);
  EXPECT_EQ(recorder.reports[0].text, GeLoadString(10036).ToUtf8());
  EXPECT_EQ(recorder.reports[1].text, GeLoadString(10040).ToUtf8());
  EXPECT_EQ(recorder.reports[0].percent, recorder.reports[1].percent);
}

TEST(SplineFit, RefusesParametersThatWouldNotEndWithoutTouchingTheCurve) {
  struct Row {
    const char* name;
    void (*change)(FitParameters&);
    bool endpointToo;  // MoveEndpoint takes the parameter as well
  } rows[] = {
      {"check step 0", [](FitParameters& p) { p.checkStep = 0.0; }, true},
      {"negative check step", [](FitParameters& p) { p.checkStep = -0.01; }, true},
      {"check step NaN", [](FitParameters& p) { p.checkStep = kNaN; }, true},
      {"tangent step 0", [](FitParameters& p) { p.tangentStep = 0.0; }, true},
      {"negative tangent step", [](FitParameters& p) { p.tangentStep = -0.1; }, true},
      {"tangent step lost in rounding", [](FitParameters& p) { p.tangentStep = 1e-300; }, true},
      {"move step 0", [](FitParameters& p) { p.moveStep = 0.0; }, true},
      {"negative move step", [](FitParameters& p) { p.moveStep = -1.0; }, true},
      {"segment length 0", [](FitParameters& p) { p.segmentLength = 0.0; }, false},
      {"negative segment length", [](FitParameters& p) { p.segmentLength = -2.0; }, false},
      {"fps 0", [](FitParameters& p) { p.fps = 0; }, true},
      {"negative fps", [](FitParameters& p) { p.fps = -30; }, true},
      {"frames the fit cannot tell apart", [](FitParameters& p) { p.fps = 20000; }, false},
  };
  FitTrack track;
  CKeyValueArray samples;
  SampleFrames(track, 30, FitChannel(FitShape::kGait, 5, 90, 30, 1.0, 0.01), samples);
  const auto before = FitKeysOf(track.Curve());
  DebugLines debug;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FitParameters p = DriverFitParameters(0.01, 0, 30);
    row.change(p);
    EXPECT_EQ(Fit(track.Curve(), samples, p), 0);
    EXPECT_EQ(FitKeysOf(track.Curve()), before);
    if (!row.endpointToo) continue;
    EXPECT_FALSE(MoveEndpoint(track.Curve(), samples, track.Curve()->GetKey(0),
                              track.Curve()->GetKey(10), p.checkStep, p.moveStep, p.tangentStep,
                              p.tangentStep, p.tolerance, p.fps));
    EXPECT_EQ(FitKeysOf(track.Curve()), before);
  }
}

// The reference as this test reads it: straight lines between the samples, at whole
// milliseconds truncated toward zero.
class ReferenceOracle {
 public:
  explicit ReferenceOracle(const CKeyValueArray& samples) {
    for (VLONG i = 0; i < samples.GetCount(); ++i) {
      _milliseconds.push_back(samples[i].GetTime());
      _values.push_back(samples[i].GetValue());
    }
  }

  double At(double seconds) const { return AtMilliseconds(std::trunc(seconds * 1000.0)); }

  double AtMilliseconds(double ms) const {
    if (ms <= _milliseconds.front()) return _values.front();
    if (ms >= _milliseconds.back()) return _values.back();
    const size_t hi = size_t(std::upper_bound(_milliseconds.begin(), _milliseconds.end(), ms) -
                             _milliseconds.begin());
    const size_t lo = hi - 1;
    return _values[lo] + (ms - _milliseconds[lo]) / (_milliseconds[hi] - _milliseconds[lo]) *
                             (_values[hi] - _values[lo]);
  }

 private:
  std::vector<double> _milliseconds;
  std::vector<double> _values;
};

// A key's value is the reference at its whole millisecond, or one earlier where the frame-grid
// arithmetic of the fit lands a hair below the frame.
bool OnReference(const ReferenceOracle& reference, const CKey* key) {
  const double ms = std::trunc(key->GetTime().Get() * 1000.0 + 1e-6);
  return std::fabs(key->GetValue() - reference.AtMilliseconds(ms)) < 1e-12 ||
         std::fabs(key->GetValue() - reference.AtMilliseconds(ms - 1)) < 1e-12;
}

// Every check time of every fitted segment within tolerance where the host reads that segment;
// zero-tangent segments (the fit's fallback, which it does not check) one frame long; keys on
// whole frames and on the reference.
void ExpectFitHolds(const CCurve* curve, const CKeyValueArray& samples, const FitParameters& p) {
  const ReferenceOracle reference(samples);
  const double frame = 1.0 / p.fps;
  for (LONG i = 0; i < curve->GetKeyCount(); ++i) {
    const CKey* a = curve->GetKey(i);
    ASSERT_TRUE(IsWholeFrame(a->GetTime(), p.fps)) << "key " << i << " at " << a->GetTime().Get();
    EXPECT_TRUE(OnReference(reference, a)) << "key " << i << " at " << a->GetTime().Get();
    const CKey* b = curve->GetKey(i + 1);
    if (!b) break;
    const LLONG from = FrameOf(a->GetTime(), p.fps), to = FrameOf(b->GetTime(), p.fps);
    if (a->GetTimeRight() == BaseTime(0.0) && b->GetTimeLeft() == BaseTime(0.0)) {
      EXPECT_EQ(to - from, 1) << "zero-tangent segment from frame " << from;
      continue;
    }
    for (double check = from * frame; to * frame > check; check += p.checkStep) {
      const BaseTime hostTime(check);
      if (hostTime < a->GetTime() || b->GetTime() < hostTime) continue;
      const double miss = std::fabs(reference.At(check) - curve->GetValue(hostTime, p.fps));
      ASSERT_LE(miss, p.tolerance + 1e-9) << "segment from frame " << from << " at " << check;
    }
  }
}

TEST(SplineFit, StaysWithinToleranceOnGeneratedCurves) {
  const LONG rates[] = {24, 25, 30, 60, 120};
  const FitShape shapes[] = {FitShape::kGait, FitShape::kPlateaus, FitShape::kSpikes};
  const double relativeTolerances[] = {0.002, 0.01, 0.05};
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    const LONG fps = rates[seed % 5];
    const LONG quality = LONG(seed % 3);
    const double tolerance = relativeTolerances[(seed / 3) % 3];
    const LONG frameCount = fps * LONG(2 + seed % 3) + LONG(seed % 7);
    SCOPED_TRACE("seed " + std::to_string(seed) + ", " + std::to_string(fps) + " fps, quality " +
                 std::to_string(quality) + ", tolerance " + std::to_string(tolerance));
    FitTrack track;
    CKeyValueArray samples;
    SampleFrames(track, fps, FitChannel(shapes[seed % 3], seed, frameCount, fps, 1.0, 0.003),
                 samples);
    const FitParameters p = DriverFitParameters(tolerance, quality, fps);
    FitRecorder recorder;
    ASSERT_EQ(Fit(track.Curve(), samples, p, &recorder), 1);
    EXPECT_LE(track.Curve()->GetKeyCount(), frameCount);
    EXPECT_LE(LONG(recorder.reports.size()), frameCount);
    EXPECT_EQ(track.Curve()->GetKey(track.Curve()->GetKeyCount() - 1)->GetTime(),
              BaseTime(frameCount - 1, fps));
    ExpectFitHolds(track.Curve(), samples, p);
  }
}

// The optimised search against the plain loops, and against itself on a second run.
void ExpectSameKeysAsPlainLoops(const CKeyValueArray& samples, const FitParameters& p) {
  FitTrack plain, fast, again;
  PlainFitCounts counts;
  PlainSplineFit(plain.Curve(), samples, p, counts);
  ASSERT_EQ(FastSplineFit(fast.Curve(), samples, p), 1);
  ASSERT_EQ(FastSplineFit(again.Curve(), samples, p), 1);
  EXPECT_TRUE(FitKeysOf(fast.Curve()) == FitKeysOf(plain.Curve()));
  EXPECT_TRUE(FitKeysOf(again.Curve()) == FitKeysOf(fast.Curve()));
}

TEST(SplineFit, OptimisedSearchGivesThePlainLoopsKeysOnGeneratedCurves) {
  const LONG rates[] = {24, 30, 120};
  const FitShape shapes[] = {FitShape::kGait, FitShape::kPlateaus, FitShape::kSpikes};
  const double tolerances[] = {0.01, 0.002, 0.0, 0.05};
  for (uint32_t seed = 1; seed <= 18; ++seed) {
    const LONG fps = rates[seed % 3];
    const double noise = seed % 5 == 0 ? 0.0 : 0.003;  // noiseless plateaus start flat
    SCOPED_TRACE("seed " + std::to_string(seed));
    FitTrack source;
    CKeyValueArray samples;
    SampleFrames(source, fps,
                 FitChannel(shapes[(seed / 3) % 3], seed, fps * 2 + 5, fps, 1.0, noise), samples);
    ExpectSameKeysAsPlainLoops(samples,
                               DriverFitParameters(tolerances[seed % 4], seed % 2 ? 0 : 2, fps));
  }
}

TEST(SplineFit, OptimisedSearchGivesThePlainLoopsKeysOnMotionCapture) {
  SceneReadResult scene = ReadBvhFile(std::string(THINFOLD_ROOT) + "/examples/walk.bvh");
  ASSERT_TRUE(scene.document) << scene.error;
  LONG channel = 0;
  for (BaseObject* joint = scene.document->GetFirstObject(); joint; joint = joint->GetDown()) {
    for (CTrack* track = joint->GetFirstCTrack(); track; track = track->GetNext(), ++channel) {
      SCOPED_TRACE(joint->GetName().ToUtf8() + "." + track->GetName().ToUtf8());
      Real unitStep = 1.0;
      track->GetUnit(&unitStep);
      // Two seconds of the channel, as the driver samples it.
      FitTrack part;
      for (LONG frame = 0; frame <= 240; ++frame)
        part.Key(BaseTime(frame, 120), track->GetCurve()->GetKey(frame)->GetValue());
      CKeyValueArray samples;
      ASSERT_TRUE(SampleCurve(part.Curve(), 120, samples));
      const LONG quality = channel % 4 == 1 ? 2 : 0;
      ExpectSameKeysAsPlainLoops(samples, DriverFitParameters(0.1 * unitStep, quality, 120));
    }
  }
}

}  // namespace

// Fails the host's key allocations while a test asks for it: CKey::Alloc is the only non-array
// allocation without exceptions on the fit's path.
namespace {
int gFailKeyAllocationsAfter = -1;
}  // namespace

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (gFailKeyAllocationsAfter == 0) return nullptr;
  if (gFailKeyAllocationsAfter > 0) --gFailKeyAllocationsAfter;
  try {
    return ::operator new(size);
  } catch (...) {
    return nullptr;
  }
}

namespace {

TEST(SplineFit, StopsWhenTheHostGivesNoKey) {
#ifdef _WIN32
  GTEST_SKIP() << "the host DLL keeps its own operator new: the test's replacement cannot fail "
                  "its key allocations";
#endif
  FitTrack track;
  CKeyValueArray samples;
  SampleFrames(track, 25, FitChannel(FitShape::kGait, 9, 100, 25, 1.0, 0.0), samples);
  DebugLines debug;
  gFailKeyAllocationsAfter = 1;
  const int result = Fit(track.Curve(), samples, DriverFitParameters(0.01, 0, 25));
  gFailKeyAllocationsAfter = -1;
  EXPECT_EQ(result, 0);
  EXPECT_EQ(track.Curve()->GetKeyCount(), 1);
  EXPECT_TRUE(debug.Contains("(key) != __null"));
  EXPECT_TRUE(debug.Contains("(k1) != __null"));
  gFailKeyAllocationsAfter = 0;
  const int first = Fit(track.Curve(), samples, DriverFitParameters(0.01, 0, 25));
  gFailKeyAllocationsAfter = -1;
  EXPECT_EQ(first, 0);
  EXPECT_TRUE(debug.Contains("(k0) != __null"));
}

}  // namespace
