// CCurve::GetValue on long curves, the innermost call of key reduction: sampling and fitting
// evaluate the curve at every check step, mostly walking forward in time.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "c4d.h"

namespace {

constexpr int kKeyCount = 10000;
constexpr int kFps = 30;
constexpr int kQueryCount = 1 << 16;

// A dense motion-capture-like curve: one key a frame, a wandering value, tangents along the
// local slope a third of a frame long.
struct LongCurve {
  BaseObject* object = BaseObject::Alloc();
  CCurve* curve = nullptr;

  explicit LongCurve(CINTERPOLATION interpolation) {
    CTrack* track = CTrack::Alloc(object, DescID(1));
    object->InsertTrackSorted(track);
    curve = track->GetCurve();
    for (int i = 0; i < kKeyCount; ++i) {
      CKey* key = curve->AddKey(BaseTime(i, kFps));
      const double t = double(i) / kFps;
      key->SetValue(curve, std::sin(t * 1.3) + 0.3 * std::sin(t * 7.1));
      key->SetInterpolation(curve, interpolation);
      const double slope = 1.3 * std::cos(t * 1.3) + 2.13 * std::cos(t * 7.1);
      key->SetTimeLeft(curve, BaseTime(-1, 3 * kFps));
      key->SetValueLeft(curve, -slope / (3 * kFps));
      key->SetTimeRight(curve, BaseTime(1, 3 * kFps));
      key->SetValueRight(curve, slope / (3 * kFps));
    }
  }
  ~LongCurve() { BaseObject::Free(object); }
};

std::vector<BaseTime> RandomTimes() {
  std::default_random_engine random(0);
  std::uniform_int_distribution<LLONG> milliseconds(0, LLONG(kKeyCount) * 1000 / kFps);
  std::vector<BaseTime> times;
  for (int i = 0; i < kQueryCount; ++i) times.push_back(BaseTime(milliseconds(random), 1000));
  return times;
}

// Half-frame steps over the whole curve, as the reduction samples it.
std::vector<BaseTime> MonotoneTimes() {
  std::vector<BaseTime> times;
  for (int i = 0; i < 2 * kKeyCount; ++i) times.push_back(BaseTime(double(i) / (2 * kFps)));
  return times;
}

void EvaluateAt(benchmark::State& state, CINTERPOLATION interpolation,
                const std::vector<BaseTime>& times) {
  LongCurve curve(interpolation);
  size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(curve.curve->GetValue(times[next], kFps));
    if (++next == times.size()) next = 0;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_GetValueSplineRandom(benchmark::State& state) {
  EvaluateAt(state, CINTERPOLATION_SPLINE, RandomTimes());
}
void BM_GetValueSplineMonotone(benchmark::State& state) {
  EvaluateAt(state, CINTERPOLATION_SPLINE, MonotoneTimes());
}
void BM_GetValueLinearRandom(benchmark::State& state) {
  EvaluateAt(state, CINTERPOLATION_LINEAR, RandomTimes());
}
void BM_GetValueLinearMonotone(benchmark::State& state) {
  EvaluateAt(state, CINTERPOLATION_LINEAR, MonotoneTimes());
}

BENCHMARK(BM_GetValueSplineRandom);
BENCHMARK(BM_GetValueSplineMonotone);
BENCHMARK(BM_GetValueLinearRandom);
BENCHMARK(BM_GetValueLinearMonotone);

}  // namespace
