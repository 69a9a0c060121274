// The whole job as users run it: `thinfold reduce` on the walking capture (72 tracks, 103,680
// keys), the program loading the plug-in module and working its dialog, on 1 and 2 worker
// threads, at precision 0.5 and 0.1 and quality 0 and 2. The time is the run's own (start
// pressed to end message), from the program's report, so loading, measuring and saving are not
// in it; keys before and after come from the report too. A capture of one short track shows what
// a run costs beyond its work: the waits between the threads and the dialog.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
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
bool Reduce(const std::string& scene, const std::string& arguments, RunFigures& figures,
            std::string& error) {
  nlohmann::json report;
  if (!RunReduce(scene, arguments, report, error)) return false;
  figures = RunFigures{report.at("seconds").get<double>(),
                       static_cast<double>(report.at("tracks").size()), 0, 0};
  for (const nlohmann::json& track : report.at("tracks")) {
    figures.keysBefore += track.at("keys_before").get<double>();
    figures.keysAfter += track.at("keys_after").get<double>();
  }
  return true;
}

// Threads, precision in tenths and quality from the benchmark's arguments.
void BM_ThinfoldReduceWalk(benchmark::State& state) {
  const std::string arguments = "--threads " + std::to_string(state.range(0)) + " --precision " +
                                std::to_string(state.range(1) / 10.0) + " --quality " +
                                std::to_string(state.range(2));
  RunFigures figures;
  double tracks = 0, seconds = 0;
  for (auto _ : state) {
    std::string error;
    if (!Reduce(std::string(THINFOLD_ROOT) + "/examples/walk.bvh", arguments, figures, error)) {
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
    ->ArgNames({"threads", "precision_tenths", "quality"})
    ->Args({1, 5, 0})
    ->Args({2, 5, 0})
    ->Args({1, 1, 0})
    ->Args({2, 1, 0})
    ->Args({1, 5, 2})
    ->Args({2, 5, 2})
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// One joint with one channel, 2 s at 120 fps.
std::string WriteOneTrack() {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "thinfold_reduce_bench";
  std::filesystem::create_directories(folder);
  const std::filesystem::path path = folder / "one.bvh";
  std::ofstream out(path);
  out << "HIERARCHY\nROOT J\n{\nOFFSET 0 0 0\nCHANNELS 1 Xrotation\n"
      << "End Site\n{\nOFFSET 0 1 0\n}\n}\nMOTION\nFrames: 240\nFrame Time: 0.0083333\n";
  for (int frame = 0; frame < 240; ++frame) out << 30.0 * std::sin(frame * 0.05) << "\n";
  return path.string();
}

// The run's own time (manual) and the whole program's wall clock (a counter), in milliseconds.
void BM_ThinfoldReduceOneTrack(benchmark::State& state) {
  static const std::string scene = WriteOneTrack();
  RunFigures figures;
  double wall = 0;
  for (auto _ : state) {
    std::string error;
    const auto start = std::chrono::steady_clock::now();
    if (!Reduce(scene, "--threads 2", figures, error)) {
      state.SkipWithError(error.c_str());
      return;
    }
    wall +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(figures.seconds);
  }
  state.counters["program_ms"] = wall / static_cast<double>(state.iterations());
  state.counters["keys_after"] = figures.keysAfter;
}
BENCHMARK(BM_ThinfoldReduceOneTrack)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

}  // namespace
