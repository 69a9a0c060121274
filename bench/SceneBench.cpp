// Loading and saving scenes: the 12-second walk capture (72 channels at 120 fps, about 100,000
// keys) as BVH and as the scene file it converts to. Input is read from memory, so the figures
// are parsing and document building, not disk speed.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "BvhReader.h"
#include "SceneReader.h"
#include "SceneWriter.h"
#include "c4d.h"

namespace {

std::string WalkBvhText() {
  std::ifstream file(std::string(THINFOLD_ROOT) + "/examples/walk.bvh", std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

double CountKeys(const BaseObject* object) {
  double keys = 0;
  for (; object; object = object->GetNext()) {
    for (CTrack* track = object->GetFirstCTrack(); track; track = track->GetNext())
      keys += track->GetCurve()->GetKeyCount();
    keys += CountKeys(object->GetDown());
  }
  return keys;
}

void ReportRates(benchmark::State& state, const std::string& text, double keys) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.counters["keys/s"] =
      benchmark::Counter(keys, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_ReadWalkBvh(benchmark::State& state) {
  const std::string text = WalkBvhText();
  double keys = 0;
  for (auto _ : state) {
    const SceneReadResult read = ReadBvhText(text);
    if (!read.document) state.SkipWithError(read.error.c_str());
    keys = read.document ? CountKeys(read.document->GetFirstObject()) : 0;
  }
  ReportRates(state, text, keys);
}
BENCHMARK(BM_ReadWalkBvh)->Unit(benchmark::kMillisecond);

void BM_ReadWalkScene(benchmark::State& state) {
  const SceneReadResult walk = ReadBvhText(WalkBvhText());
  if (!walk.document) return state.SkipWithError(walk.error.c_str());
  const std::string text = WriteSceneText(*walk.document).text;
  const double keys = CountKeys(walk.document->GetFirstObject());
  for (auto _ : state) {
    const SceneReadResult read = ReadSceneText(text);
    if (!read.document) state.SkipWithError(read.error.c_str());
  }
  ReportRates(state, text, keys);
}
BENCHMARK(BM_ReadWalkScene)->Unit(benchmark::kMillisecond);

void BM_WriteWalkScene(benchmark::State& state) {
  const SceneReadResult walk = ReadBvhText(WalkBvhText());
  if (!walk.document) return state.SkipWithError(walk.error.c_str());
  std::string text;
  for (auto _ : state) {
    text = WriteSceneText(*walk.document).text;
    benchmark::DoNotOptimize(text.data());
  }
  ReportRates(state, text, CountKeys(walk.document->GetFirstObject()));
}
BENCHMARK(BM_WriteWalkScene)->Unit(benchmark::kMillisecond);

}  // namespace
