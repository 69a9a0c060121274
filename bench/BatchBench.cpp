// A whole run of the example motion capture through the control thread and its workers, as the
// start button makes it: wall time per run for 1 and 2 workers. The run includes the control
// thread's 50 ms polling, so its end is seen up to two polls after the last item.
#include <benchmark/benchmark.h>

#include <string>

#include "BvhReader.h"
#include "CBakeControlThread.h"
#include "CCurveList.h"
#include "c4d_standin.h"

namespace {

// Notes the end message of a run, as the dialog does.
class EndWatcher : public CoreMessageReceiver {
 public:
  Bool CoreMessage(LONG id, const BaseContainer& msg) override {
    if (id == ID_THINFOLD && GetCoreMessageParam(msg, BFM_CORE_PAR1) == MSG_RUN_OVER)
      ended = true;
    return TRUE;
  }
  bool ended = false;
};

// Runs one reduction of every track to its end message; FALSE when it did not end in time.
bool RunOnce(CCurveList** curveList, EndWatcher& watcher) {
  watcher.ended = false;
  CBakeControlThread thread(curveList);
  if (!thread.Start()) return false;
  return standin::PumpUntil([&] { return watcher.ended; }, 600000);
}

void BM_BatchWalk(benchmark::State& state) {
  resource.Init(Filename(THINFOLD_ROOT));
  standin::SetPluginPath(Filename(THINFOLD_ROOT));
  SceneReadResult scene = ReadBvhFile(std::string(THINFOLD_ROOT) + "/examples/walk.bvh");
  if (!scene.document) {
    state.SkipWithError(scene.error.c_str());
    return;
  }
  CCurveList list;
  CCurveList* listPointer = &list;
  list.SaveTracks(scene.document.get(), FALSE);
  standin::SetCPUCount(LONG(state.range(0)));
  EndWatcher watcher;
  standin::RegisterCoreMessageReceiver(&watcher);
  for (auto _ : state) {
    if (!RunOnce(&listPointer, watcher)) {
      state.SkipWithError("the run did not end");
      break;
    }
  }
  standin::UnregisterCoreMessageReceiver(&watcher);
  standin::SetCPUCount(0);
  const double tracks = double(list.GetCount());
  state.counters["tracks"] = tracks;
  state.counters["tracks/s"] =
      benchmark::Counter(tracks * double(state.iterations()), benchmark::Counter::kIsRate);
  list.FreeItems();
}

}  // namespace

// Wall time: the work happens on other threads than the one the benchmark measures.
BENCHMARK(BM_BatchWalk)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
