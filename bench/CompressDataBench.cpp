// The sampling check of redundant-key removal: one triple of spline keys half a second apart at
// 30 fps, sampled every half frame (31 curve evaluations), and a whole pass over a fitted curve.
#include <benchmark/benchmark.h>

#include "CompressData.h"
#include "FitCurves.h"
#include "FitPlainSplineFit.h"
#include "c4d.h"

namespace {

void BM_CheckTriple(benchmark::State& state) {
  FitTrack track;
  CKey* k0 = track.Key(BaseTime(0.0), 1.0, CINTERPOLATION_SPLINE);
  CKey* k1 = track.Key(BaseTime(0.25), 1.02, CINTERPOLATION_SPLINE);
  CKey* k2 = track.Key(BaseTime(0.5), 1.01, CINTERPOLATION_SPLINE);
  for (CKey* key : {k0, k1, k2}) {
    key->SetTimeLeft(track.Curve(), BaseTime(-0.08));
    key->SetTimeRight(track.Curve(), BaseTime(0.08));
  }
  for (auto _ : state) benchmark::DoNotOptimize(CheckTriple(track.Curve(), k0, k1, k2, 0.05, 30));
}
BENCHMARK(BM_CheckTriple);

// Redundant-key removal after a fit of 10 seconds of a 30 fps channel, as method 0 runs it.
void BM_CompressValueAfterFit(benchmark::State& state) {
  FitTrack source;
  source.FrameKeys(30, FitChannel(FitShape::kPlateaus, 11, 301, 30, 1.0, 0.002));
  CKeyValueArray samples;
  SampleCurve(source.Curve(), 30, samples);
  const FitParameters p = DriverFitParameters(0.01, 0, 30);
  FitTrack fitted, working;
  FastSplineFit(fitted.Curve(), samples, p);
  LONG keysAfter = 0;
  for (auto _ : state) {
    state.PauseTiming();
    fitted.Curve()->CopyTo(working.Curve());
    state.ResumeTiming();
    benchmark::DoNotOptimize(
        CompressValue(nullptr, working.Curve(), p.tolerance, 30, nullptr, nullptr));
    keysAfter = working.Curve()->GetKeyCount();
  }
  state.counters["keys_before"] = fitted.Curve()->GetKeyCount();
  state.counters["keys_after"] = keysAfter;
}
BENCHMARK(BM_CompressValueAfterFit)->Unit(benchmark::kMicrosecond);

}  // namespace
