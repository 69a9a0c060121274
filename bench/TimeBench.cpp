// The host's exact time on the operands a reduction gives it: times of whole milliseconds
// (BaseTime from seconds) and of frames, added, compared and read as seconds and frames.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "c4d.h"

namespace {

constexpr int kTimeCount = 1 << 12;

// Random times over a minute in steps of 1 / denominator seconds; the seed fixes them.
std::vector<BaseTime> TimesOverAMinute(unsigned seed, LLONG denominator) {
  std::default_random_engine random(seed);
  std::uniform_int_distribution<LLONG> steps(0, 60 * denominator);
  std::vector<BaseTime> times;
  for (int i = 0; i < kTimeCount; ++i) times.push_back(BaseTime(steps(random), denominator));
  return times;
}

// Whole milliseconds, as the fit's check times arrive.
std::vector<BaseTime> MillisecondTimes() { return TimesOverAMinute(1, 1000); }

// Frames of 120 fps.
std::vector<BaseTime> FrameTimes() { return TimesOverAMinute(2, 120); }

template <class Operation>
void Pairs(benchmark::State& state, const std::vector<BaseTime>& a, const std::vector<BaseTime>& b,
           Operation operation) {
  size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(operation(a[next], b[kTimeCount - 1 - next]));
    next = (next + 1) % kTimeCount;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_BaseTimeAddMilliseconds(benchmark::State& state) {
  Pairs(state, MillisecondTimes(), MillisecondTimes(),
        [](const BaseTime& x, const BaseTime& y) { return x + y; });
}
void BM_BaseTimeAddMillisecondsToFrames(benchmark::State& state) {
  Pairs(state, MillisecondTimes(), FrameTimes(),
        [](const BaseTime& x, const BaseTime& y) { return x + y; });
}
void BM_BaseTimeSubtractFrames(benchmark::State& state) {
  Pairs(state, FrameTimes(), FrameTimes(),
        [](const BaseTime& x, const BaseTime& y) { return x - y; });
}
void BM_BaseTimeCompareMillisecondsToFrames(benchmark::State& state) {
  Pairs(state, MillisecondTimes(), FrameTimes(),
        [](const BaseTime& x, const BaseTime& y) { return x < y; });
}
void BM_BaseTimeFromSeconds(benchmark::State& state) {
  const std::vector<BaseTime> times = FrameTimes();
  Pairs(state, times, times, [](const BaseTime& x, const BaseTime&) { return BaseTime(x.Get()); });
}
void BM_BaseTimeGetAndGetFrame(benchmark::State& state) {
  const std::vector<BaseTime> times = MillisecondTimes();
  Pairs(state, times, times,
        [](const BaseTime& x, const BaseTime&) { return x.Get() + x.GetFrame(120.0); });
}

BENCHMARK(BM_BaseTimeAddMilliseconds);
BENCHMARK(BM_BaseTimeAddMillisecondsToFrames);
BENCHMARK(BM_BaseTimeSubtractFrames);
BENCHMARK(BM_BaseTimeCompareMillisecondsToFrames);
BENCHMARK(BM_BaseTimeFromSeconds);
BENCHMARK(BM_BaseTimeGetAndGetFrame);

}  // namespace
