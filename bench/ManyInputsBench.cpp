// `thinfold reduce` on ten copies of the walking capture: in one call (a folder of inputs) and
// in ten calls, one per copy, both on 2 worker threads. The time is the wall clock of the whole
// job as users see it, program starts, loading, runs, measuring and saving included: one call
// should not be slower than ten.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int kCopies = 10;

struct Folders {
  fs::path inputs;
  fs::path outputs;
};

// kCopies copies of the walk in a fresh folder, and an empty folder for the results.
Folders MakeCopies() {
  const fs::path root = fs::temp_directory_path() / "thinfold_many_inputs_bench";
  fs::remove_all(root);
  Folders folders{root / "in", root / "out"};
  fs::create_directories(folders.inputs);
  fs::create_directories(folders.outputs);
  for (int i = 0; i < kCopies; ++i)
    fs::copy_file(fs::path(THINFOLD_ROOT) / "examples" / "walk.bvh",
                  folders.inputs / ("walk" + std::to_string(i) + ".bvh"));
  return folders;
}

bool Reduce(const std::string& arguments) {
  const std::string command = std::string("'") + THINFOLD_PROGRAM + "' reduce " + arguments +
                              " --quiet --threads 2 >/dev/null";
  return std::system(command.c_str()) == 0;
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

bool OneCall(const Folders& folders) {
  return Reduce(Quoted(folders.inputs) + " --output-dir " + Quoted(folders.outputs));
}

bool TenCalls(const Folders& folders) {
  for (int i = 0; i < kCopies; ++i) {
    const std::string name = "walk" + std::to_string(i);
    if (!Reduce(Quoted(folders.inputs / (name + ".bvh")) + " -o " +
                Quoted(folders.outputs / (name + ".thin.json"))))
      return false;
  }
  return true;
}

template <bool (*Job)(const Folders&)>
void BM_ReduceTenCopies(benchmark::State& state) {
  const Folders folders = MakeCopies();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (!Job(folders)) {
      state.SkipWithError("thinfold reduce failed");
      return;
    }
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  fs::remove_all(folders.inputs.parent_path());
}
BENCHMARK_TEMPLATE(BM_ReduceTenCopies, OneCall)
    ->Name("BM_ReduceTenCopies/one_call")
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_ReduceTenCopies, TenCalls)
    ->Name("BM_ReduceTenCopies/ten_calls")
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
