// Sample times of a plot.
#include "PlotSamples.h"

#include <algorithm>
#include <cmath>

namespace {

// At most this many grid steps per frame, however short the curve.
constexpr LLONG kMaxStepsPerFrame = 1000;

void AddKeyTimes(const CCurve* curve, std::vector<BaseTime>& times) {
  for (LONG i = 0; curve && i < curve->GetKeyCount(); ++i)
    times.push_back(curve->GetKey(i)->GetTime());
}

// Grid time n is n * framesPerStep / (fps * stepsPerFrame) seconds.
struct Grid {
  LLONG stepsPerFrame = 1;
  LLONG framesPerStep = 1;
};

Grid GridFor(double spanFrames, LONG sampleCount) {
  const double count = std::max<double>(sampleCount, 1.0);
  if (spanFrames <= count) {
    const double steps = std::ceil(count / std::max(spanFrames, 1.0 / kMaxStepsPerFrame));
    return {static_cast<LLONG>(std::min<double>(steps, kMaxStepsPerFrame)), 1};
  }
  return {1, static_cast<LLONG>(std::ceil(spanFrames / count))};
}

void AddGridTimes(const BaseTime& first, const BaseTime& last, LONG fps, LONG sampleCount,
                  std::vector<BaseTime>& times) {
  const Grid grid = GridFor((last - first).Get() * fps, sampleCount);
  const LLONG denominator = static_cast<LLONG>(fps) * grid.stepsPerFrame;
  const double stepsPerSecond = static_cast<double>(denominator) / grid.framesPerStep;
  // Times too far out for whole step numbers get no grid, only their keys.
  const double reach = std::max(std::fabs(first.Get()), std::fabs(last.Get())) * stepsPerSecond;
  if (!(reach < 1e15)) return;
  // The double bounds may be off by one; exact comparison decides.
  const LLONG firstStep = static_cast<LLONG>(std::floor(first.Get() * stepsPerSecond)) - 1;
  const LLONG lastStep = static_cast<LLONG>(std::ceil(last.Get() * stepsPerSecond)) + 1;
  for (LLONG step = firstStep; step <= lastStep; ++step) {
    const BaseTime time(step * grid.framesPerStep, denominator);
    if (first <= time && time <= last) times.push_back(time);
  }
}

}  // namespace

std::vector<BaseTime> PlotSampleTimes(const CCurve* a, const CCurve* b, LONG fps,
                                      LONG sampleCount) {
  std::vector<BaseTime> times;
  AddKeyTimes(a, times);
  AddKeyTimes(b, times);
  if (times.empty()) return times;
  const auto ends = std::minmax_element(times.begin(), times.end());
  const BaseTime first = *ends.first, last = *ends.second;  // copies: the grid adds to times
  AddGridTimes(first, last, std::max<LONG>(fps, 1), sampleCount, times);
  std::sort(times.begin(), times.end());
  times.erase(std::unique(times.begin(), times.end()), times.end());
  return times;
}
