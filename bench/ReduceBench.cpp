// The whole job as users run it: `thinfold reduce` on the walking capture (72 tracks, 103,680
// keys), the program loading the plug-in module and working its dialog, on 1 and 2 worker
// threads. The time is the run's own (start pressed to end message), from the program's
// report, so loading, measuring and saving are not in it; keys before and after come from the
// report too.
#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>
#include <string>

#include "ReduceReport.h"

namespace {

struct RunFigures {
  double seconds = 0;
  double tracks = 0;
  double keysBefore = 0;
  double keysAfter = 0;
};

// Runs the program once; false with error set when it fails.
bool ReduceWalk(int threads, RunFigures& figures, std::string& error) {
  nlohmann::json report;
  if (!RunReduce(std::string(THINFOLD_ROOT) + "/examples/walk.bvh",
                 "--threads " + std::to_string(threads), report, error))
    return false;
  figures = RunFigures{report.at("seconds").get<double>(),
                       static_cast<double>(report.at("tracks").size()), 0, 0};
  for (const nlohmann::json& track : report.at("tracks")) {
    figures.keysBefore += track.at("keys_before").get<double>();
    figures.keysAfter += track.at("keys_after").get<double>();
  }
  return true;
}

void BM_ThinfoldReduceWalk(benchmark::State& state) {
  RunFigures figures;
  double tracks = 0, seconds = 0;
  for (auto _ : state) {
    std::string error;
    if (!ReduceWalk(static_cast<int>(state.range(0)), figures, error)) {
      state.SkipWithError(error.c_str());
      return;
    }
    state.SetIterationTime(figures.seconds);
    tracks += figures.tracks;
    seconds += figures.seconds;
  }
  state.counters["tracks/s"] = seconds > 0 ? tracks / seconds : 0;
  state.counters["keys_before"] = figures.keysBefore;
  state.counters["keys_after"] = figures.keysAfter;
}
BENCHMARK(BM_ThinfoldReduceWalk)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
