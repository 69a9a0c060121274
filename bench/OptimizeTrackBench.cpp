// Optimizing every track of the example motion capture on one thread, as one worker would:
// dense linear keys on every frame, positions in distance units and rotations in degrees.
#include <benchmark/benchmark.h>

#include <string>

#include "BvhReader.h"
#include "CCurveList.h"
#include "CKeyList.h"
#include "c4d_standin.h"

namespace {

LONG CurveKeyCount(CKeyList* keyList) {
  CCurve* curve = keyList->GetCurve();
  return curve ? curve->GetKeyCount() : 0;
}

void BM_OptimizeWalkTracks(benchmark::State& state) {
  const LONG quality = LONG(state.range(0));
  resource.Init(Filename(THINFOLD_ROOT));
  standin::SetPluginPath(Filename(THINFOLD_ROOT));
  SceneReadResult scene = ReadBvhFile(std::string(THINFOLD_ROOT) + "/examples/walk.bvh");
  if (!scene.document) {
    state.SkipWithError(scene.error.c_str());
    return;
  }
  CCurveList list;
  list.SaveTracks(scene.document.get(), FALSE);
  for (VLONG i = 0; i < list.GetCount(); ++i) {
    CTrack* track = list[i]->GetTrack();
    CTrackSubData settings = GetCTrackSubData(track);
    settings.quality = quality;
    SetCTrackSubData(track, settings);
  }
  LLONG keysIn = 0, keysOut = 0;
  for (auto _ : state) {
    keysIn = keysOut = 0;
    for (VLONG i = 0; i < list.GetCount(); ++i) {
      CKeyList* keyList = list[i];
      benchmark::DoNotOptimize(keyList->OptimizeTrack(nullptr, nullptr));
      keysIn += keyList->GetCount();
      keysOut += CurveKeyCount(keyList);
    }
  }
  const double tracks = double(list.GetCount());
  state.counters["tracks/s"] =
      benchmark::Counter(tracks * double(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["tracks"] = tracks;
  state.counters["keys_in"] = double(keysIn);
  state.counters["keys_out"] = double(keysOut);
  list.FreeItems();
}

}  // namespace

// Quality 0 and 2: the fastest and the most thorough tangent search.
BENCHMARK(BM_OptimizeWalkTracks)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);
