// The spline fit on curves like users have: a smooth 30 fps channel, a long noisy motion-capture
// channel at 120 fps, and every channel of the example capture, single-threaded. The plain loops
// of the tests (every tangent pair checked by CurveFitting) run on the same capture for
// comparison, and must give the same keys bit for bit.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "BvhReader.h"
#include "FitCurves.h"
#include "FitPlainSplineFit.h"
#include "SplineFit.h"
#include "c4d.h"

namespace {

constexpr LONG kCaptureFps = 120;

// One value channel of the example capture: its curve and the unit step of its track.
struct CaptureChannel {
  CCurve* curve;
  double unitStep;
};

void CollectChannels(BaseObject* object, std::vector<CaptureChannel>& channels) {
  for (; object; object = object->GetNext()) {
    for (CTrack* track = object->GetFirstCTrack(); track; track = track->GetNext()) {
      Real unitStep = 1.0;
      track->GetUnit(&unitStep);
      CCurve* curve = track->GetCurve(CC_CURVE_CURVE, FALSE);
      if (curve && curve->GetKeyCount() > 2) channels.push_back({curve, unitStep});
    }
    CollectChannels(object->GetDown(), channels);
  }
}

// The example capture, read once; empty when it cannot be read.
struct Capture {
  SceneReadResult scene;
  std::vector<CaptureChannel> channels;
  std::vector<std::unique_ptr<CKeyValueArray>> samples;

  Capture() : scene(ReadBvhFile(std::string(THINFOLD_ROOT) + "/examples/walk.bvh")) {
    if (!scene.document) return;
    CollectChannels(scene.document->GetFirstObject(), channels);
    for (const CaptureChannel& channel : channels) {
      samples.push_back(std::make_unique<CKeyValueArray>());
      SampleCurve(channel.curve, kCaptureFps, *samples.back());
    }
  }
};

const Capture& TheCapture() {
  static const Capture capture;
  return capture;
}

std::vector<double> CurveValues(const CCurve* curve) {
  std::vector<double> values;
  for (LONG i = 0; i < curve->GetKeyCount(); ++i) values.push_back(curve->GetKey(i)->GetValue());
  return values;
}

// The noisiest rotation channel of the capture (largest mean second difference), played
// forward, backward, forward ... to 60 seconds, so that it stays continuous.
std::vector<double> LongMocapChannel() {
  const Capture& capture = TheCapture();
  std::vector<double> best;
  double bestRoughness = -1.0;
  for (const CaptureChannel& channel : capture.channels) {
    if (channel.unitStep == 1.0) continue;  // positions
    const std::vector<double> values = CurveValues(channel.curve);
    double roughness = 0.0;
    for (size_t i = 2; i < values.size(); ++i)
      roughness += std::fabs(values[i] - 2 * values[i - 1] + values[i - 2]);
    if (roughness > bestRoughness) {
      bestRoughness = roughness;
      best = values;
    }
  }
  std::vector<double> tiled;
  for (size_t pass = 0; !best.empty() && tiled.size() < size_t(60 * kCaptureFps); ++pass) {
    for (size_t i = 0; i + 1 < best.size(); ++i)
      tiled.push_back(pass % 2 ? best[best.size() - 1 - i] : best[i]);
  }
  tiled.resize(std::min(tiled.size(), size_t(60 * kCaptureFps + 1)));
  return tiled;
}

void ReportKeys(benchmark::State& state, double keysBefore, double keysAfter) {
  state.counters["keys_before"] = keysBefore;
  state.counters["keys_after"] = keysAfter;
}

// Fits one channel of values on every frame; tolerance in value units.
void FitOneChannel(benchmark::State& state, LONG fps, const std::vector<double>& values,
                   double tolerance) {
  if (values.size() < 3) {
    state.SkipWithError("no channel");
    return;
  }
  FitTrack track;
  track.FrameKeys(fps, values);
  CKeyValueArray samples;
  SampleCurve(track.Curve(), fps, samples);
  const FitParameters p = DriverFitParameters(tolerance, LONG(state.range(0)), fps);
  for (auto _ : state) benchmark::DoNotOptimize(FastSplineFit(track.Curve(), samples, p));
  ReportKeys(state, double(values.size()), double(track.Curve()->GetKeyCount()));
}

// (a) 10 seconds at 30 fps of a smooth channel: spline keys every half second, as animators set
// them, at a tolerance of 0.5 % of its amplitude.
void BM_SplineFitSmooth30(benchmark::State& state) {
  FitTrack keyed;
  const std::vector<double> values = FitChannel(FitShape::kGait, 7, 21, 2, 1.0, 0.0);
  for (size_t i = 0; i < values.size(); ++i)
    keyed.Key(BaseTime(LLONG(i), 2), values[i], CINTERPOLATION_SPLINE);
  std::vector<double> frames;
  for (LONG frame = 0; frame <= 300; ++frame)
    frames.push_back(keyed.Curve()->GetValue(BaseTime(frame, 30), 30));
  FitOneChannel(state, 30, frames, 0.005);
}
BENCHMARK(BM_SplineFitSmooth30)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// (b) 60 seconds at 120 fps of the capture's noisiest rotation, at precision 0.1 degree.
void BM_SplineFitMocap120(benchmark::State& state) {
  static const std::vector<double> values = LongMocapChannel();
  FitOneChannel(state, kCaptureFps, values, 0.1 * 3.14159265358979323846 / 180.0);
}
BENCHMARK(BM_SplineFitMocap120)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// (c) every channel of the capture; precision in tenths (1 = 0.1), quality, and whether the
// plain loops run instead (once: they are slow), checked against the optimised keys.
void BM_SplineFitCapture(benchmark::State& state) {
  const Capture& capture = TheCapture();
  if (capture.channels.empty()) {
    state.SkipWithError(capture.scene.error.c_str());
    return;
  }
  const double precision = double(state.range(0)) / 10.0;
  const LONG quality = LONG(state.range(1));
  const bool plain = state.range(2) != 0;
  std::vector<std::unique_ptr<FitTrack>> fitted(capture.channels.size());
  for (auto& track : fitted) track = std::make_unique<FitTrack>();
  PlainFitCounts counts;
  for (auto _ : state) {
    for (size_t i = 0; i < capture.channels.size(); ++i) {
      const FitParameters p =
          DriverFitParameters(precision * capture.channels[i].unitStep, quality, kCaptureFps);
      if (plain)
        PlainSplineFit(fitted[i]->Curve(), *capture.samples[i], p, counts);
      else
        FastSplineFit(fitted[i]->Curve(), *capture.samples[i], p);
    }
  }
  double keysBefore = 0.0, keysAfter = 0.0;
  for (size_t i = 0; i < capture.channels.size(); ++i) {
    keysBefore += capture.channels[i].curve->GetKeyCount();
    keysAfter += fitted[i]->Curve()->GetKeyCount();
  }
  ReportKeys(state, keysBefore, keysAfter);
  state.counters["channels"] = double(capture.channels.size());
  if (!plain) return;
  state.counters["end_positions"] = double(counts.endPositions);
  state.counters["pairs"] = double(counts.pairs);
  for (size_t i = 0; i < capture.channels.size(); ++i) {
    FitTrack fast;
    const FitParameters p =
        DriverFitParameters(precision * capture.channels[i].unitStep, quality, kCaptureFps);
    FastSplineFit(fast.Curve(), *capture.samples[i], p);
    if (!(FitKeysOf(fast.Curve()) == FitKeysOf(fitted[i]->Curve())))
      state.SkipWithError("the optimised fit gave other keys than the plain loops");
  }
}
BENCHMARK(BM_SplineFitCapture)
    ->ArgNames({"precision_x10", "quality", "plain"})
    ->Args({1, 0, 0})
    ->Args({5, 0, 0})
    ->Args({1, 2, 0})
    ->Args({5, 2, 0})
    ->Unit(benchmark::kSecond);
BENCHMARK(BM_SplineFitCapture)
    ->ArgNames({"precision_x10", "quality", "plain"})
    ->Args({1, 0, 1})
    ->Args({5, 0, 1})
    ->Args({1, 2, 1})
    ->Args({5, 2, 1})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// The reference read at every check time of a 60-second channel, in order.
void BM_GetRefY(benchmark::State& state) {
  FitTrack track;
  track.FrameKeys(kCaptureFps,
                  FitChannel(FitShape::kGait, 3, 60 * kCaptureFps, kCaptureFps, 1.0, 0.003));
  CKeyValueArray samples;
  SampleCurve(track.Curve(), kCaptureFps, samples);
  const double step = 1.0 / (2 * kCaptureFps);
  double t = 0.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetRefY(t, samples));
    t = t < 60.0 ? t + step : 0.0;
  }
}
BENCHMARK(BM_GetRefY);

}  // namespace
