// Load, reduce and save as users run them: `thinfold reduce` on the walking capture repeated 1, 10
// and 100 times in frames (played forward, backward, forward ... so that the motion stays
// continuous) and in tracks (the skeleton repeated side by side under new joint names). Reported:
// the whole program's time (manual time), the run's own time from its report, and the program's
// peak resident memory per key read. The captures are made here from examples/walk.bvh and
// removed after each benchmark.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

fs::path BenchFolder() {
  const fs::path folder = fs::temp_directory_path() / "thinfold_scale_bench";
  fs::create_directories(folder);
  return folder;
}

struct Capture {
  std::string hierarchy;            // from "HIERARCHY" up to "MOTION"
  std::string frameTime;            // the "Frame Time:" line
  std::vector<std::string> frames;  // one line of channel values each
};

Capture ReadWalk() {
  std::ifstream file(fs::path(THINFOLD_ROOT) / "examples" / "walk.bvh");
  Capture capture;
  std::string line;
  while (std::getline(file, line) && line != "MOTION") capture.hierarchy += line + "\n";
  std::getline(file, line);  // Frames: N
  std::getline(file, capture.frameTime);
  while (std::getline(file, line))
    if (!line.empty()) capture.frames.push_back(line);
  return capture;
}

// Every joint of the skeleton under a name of its own for copy (the first keeps its names).
std::string RenamedHierarchy(const std::string& hierarchy, int copy) {
  if (copy == 0) return hierarchy;
  const std::string prefix = "R" + std::to_string(copy) + "_";
  std::string renamed;
  std::istringstream lines(hierarchy);
  for (std::string line; std::getline(lines, line);) {
    for (const char* word : {"ROOT ", "JOINT "}) {
      const std::size_t at = line.find(word);
      if (at != std::string::npos) line.insert(at + std::string(word).size(), prefix);
    }
    renamed += line + "\n";
  }
  return renamed;
}

// The walk with its frames repeated (inTracks false) or its skeleton repeated: times copies.
fs::path WriteScaledWalk(int times, bool inTracks) {
  static const Capture walk = ReadWalk();
  const fs::path path = BenchFolder() / "scaled.bvh";
  std::ofstream out(path);
  out << "HIERARCHY\n";
  const std::string roots = walk.hierarchy.substr(walk.hierarchy.find('\n') + 1);
  for (int copy = 0; copy < (inTracks ? times : 1); ++copy) out << RenamedHierarchy(roots, copy);
  const std::size_t frameCount = walk.frames.size() * (inTracks ? 1 : times);
  out << "MOTION\nFrames: " << frameCount << "\n" << walk.frameTime << "\n";
  for (int pass = 0; pass < (inTracks ? 1 : times); ++pass) {
    for (std::size_t i = 0; i < walk.frames.size(); ++i) {
      const std::string& frame = walk.frames[pass % 2 ? walk.frames.size() - 1 - i : i];
      out << frame;
      for (int copy = 1; copy < (inTracks ? times : 1); ++copy) out << " " << frame;
      out << "\n";
    }
  }
  return path;
}

struct RunFigures {
  double seconds = 0;     // the whole program
  double runSeconds = 0;  // the run, from its report
  double peakBytes = 0;
  double keysBefore = 0;
  double keysAfter = 0;
};

// Runs `thinfold reduce` once and reads its peak memory from the kernel's account of the child.
bool ReduceOnce(const fs::path& scene, RunFigures& figures, std::string& error) {
  const fs::path folder = BenchFolder();
  const std::string program = THINFOLD_PROGRAM, out = (folder / "out.json").string(),
                    report = (folder / "report.json").string(), input = scene.string();
  std::vector<std::string> words = {program, "reduce", input,      "--quiet",
                                    "-o",    out,      "--report", report};
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, (folder / "stdout.txt").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  rusage usage{};
  if (spawned != 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    error = "thinfold reduce failed on " + input;
    return false;
  }
  figures.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  figures.peakBytes = static_cast<double>(usage.ru_maxrss) * 1024.0;  // kilobytes on Linux
  std::ifstream reportFile(report);
  const nlohmann::json json = nlohmann::json::parse(reportFile, nullptr, false);
  if (json.is_discarded()) {
    error = "no report";
    return false;
  }
  figures.runSeconds = json.at("seconds").get<double>();
  figures.keysBefore = figures.keysAfter = 0;
  for (const nlohmann::json& track : json.at("tracks")) {
    figures.keysBefore += track.at("keys_before").get<double>();
    figures.keysAfter += track.at("keys_after").get<double>();
  }
  return true;
}

void RunScaled(benchmark::State& state, bool inTracks) {
  const fs::path scene = WriteScaledWalk(static_cast<int>(state.range(0)), inTracks);
  RunFigures figures;
  for (auto _ : state) {
    std::string error;
    if (!ReduceOnce(scene, figures, error)) {
      state.SkipWithError(error.c_str());
      break;
    }
    state.SetIterationTime(figures.seconds);
  }
  fs::remove_all(BenchFolder());
  state.counters["keys"] = figures.keysBefore;
  state.counters["keys_after"] = figures.keysAfter;
  state.counters["run_s"] = figures.runSeconds;
  state.counters["peak_MB"] = figures.peakBytes / 1e6;
  state.counters["bytes/key"] = figures.keysBefore > 0 ? figures.peakBytes / figures.keysBefore : 0;
  state.counters["us/key"] =
      figures.keysBefore > 0 ? 1e6 * figures.seconds / figures.keysBefore : 0;
}

void BM_LoadReduceSaveFrames(benchmark::State& state) { RunScaled(state, false); }
void BM_LoadReduceSaveTracks(benchmark::State& state) { RunScaled(state, true); }

// One run each: the largest takes minutes.
void Times(benchmark::internal::Benchmark* bench) {
  bench->ArgName("times")->Arg(1)->Arg(10)->Arg(100)->UseManualTime()->Iterations(1)->Unit(
      benchmark::kSecond);
}

BENCHMARK(BM_LoadReduceSaveFrames)->Apply(Times);
BENCHMARK(BM_LoadReduceSaveTracks)->Apply(Times);

}  // namespace
