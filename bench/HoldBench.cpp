// Holding the tolerance, on and off, as users run it: `thinfold reduce` at precision 0.5 on the
// walking capture and on a generated capture whose Euler angles flip between +180 and -180
// degrees under noise. Reported: the run's time (from the program's report), keys after, and the
// worst MAX DEV over the precision of any track (the program's own measure).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <string>

#include "ReduceReport.h"

namespace {

namespace fs = std::filesystem;

fs::path BenchFolder() {
  const fs::path folder = fs::temp_directory_path() / "thinfold_hold_bench";
  fs::create_directories(folder);
  return folder;
}

// 20 joints in a chain, three rotation channels each, 60 s at 30 fps: every angle turns steadily
// with a little noise and is written within (-180, 180], so it flips where it passes 180.
fs::path WriteFlippingCapture() {
  const fs::path path = BenchFolder() / "flips.bvh";
  constexpr int kJoints = 20, kFrames = 1800;
  std::ofstream out(path);
  out << "HIERARCHY\n";
  for (int joint = 0; joint < kJoints; ++joint)
    out << (joint ? "JOINT J" : "ROOT J") << joint << "\n{\nOFFSET 0 1 0\n"
        << "CHANNELS 3 Zrotation Xrotation Yrotation\n";
  out << "End Site\n{\nOFFSET 0 1 0\n}\n";
  for (int joint = 0; joint < kJoints; ++joint) out << "}\n";
  out << "MOTION\nFrames: " << kFrames << "\nFrame Time: 0.0333333\n";
  std::mt19937 random(7);
  std::normal_distribution<double> noise(0.0, 0.05);
  for (int frame = 0; frame < kFrames; ++frame) {
    for (int channel = 0; channel < 3 * kJoints; ++channel) {
      const double degrees = 37.0 * channel + (0.3 + 0.05 * channel) * frame +
                             20.0 * std::sin(frame * 0.02 * (1 + channel % 4)) + noise(random);
      out << (channel ? " " : "") << degrees - 360.0 * std::ceil((degrees - 180.0) / 360.0);
    }
    out << "\n";
  }
  return path;
}

struct HoldFigures {
  double seconds = 0;
  double keysAfter = 0;
  double worstOverPrecision = 0;
};

bool Reduce(const fs::path& scene, const char* hold, HoldFigures& figures, std::string& error) {
  nlohmann::json report;
  if (!RunReduce(scene.string(), std::string("--precision 0.5 --hold ") + hold, report, error))
    return false;
  figures = HoldFigures{report.at("seconds").get<double>(), 0, 0};
  for (const nlohmann::json& track : report.at("tracks")) {
    figures.keysAfter += track.at("keys_after").get<double>();
    if (track.at("max_deviation").is_number())
      figures.worstOverPrecision =
          std::max(figures.worstOverPrecision,
                   track.at("max_deviation").get<double>() / track.at("precision").get<double>());
  }
  return true;
}

void RunHold(benchmark::State& state, const fs::path& scene) {
  const char* hold = state.range(0) ? "on" : "off";
  HoldFigures figures;
  for (auto _ : state) {
    std::string error;
    if (!Reduce(scene, hold, figures, error)) {
      state.SkipWithError(error.c_str());
      return;
    }
    state.SetIterationTime(figures.seconds);
  }
  state.counters["keys_after"] = figures.keysAfter;
  state.counters["worst_dev/precision"] = figures.worstOverPrecision;
}

void BM_HoldWalk(benchmark::State& state) {
  RunHold(state, fs::path(THINFOLD_ROOT) / "examples" / "walk.bvh");
}

void BM_HoldFlippingCapture(benchmark::State& state) {
  static const fs::path capture = WriteFlippingCapture();
  RunHold(state, capture);
}

// Holding off and on, three runs each, timed by the program's own report.
void HoldOffAndOn(benchmark::internal::Benchmark* bench) {
  bench->ArgName("hold")->Arg(0)->Arg(1)->UseManualTime()->Iterations(3)->Unit(
      benchmark::kMillisecond);
}

BENCHMARK(BM_HoldWalk)->Apply(HoldOffAndOn);
BENCHMARK(BM_HoldFlippingCapture)->Apply(HoldOffAndOn);

}  // namespace
