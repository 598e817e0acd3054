// The correctly rounded cosine and tangent: once each per run for the phase, and for every step's
// exact position where the phase is so large (here 1e10 degrees) that the vectorised cosine hands
// every angle over to it.
#include <benchmark/benchmark.h>

#include "run/run.h"
#include "run/stepping.h"
#include "runtime/correctly_rounded.h"

namespace sho::bench {
namespace {

void phase_tan_and_cos(benchmark::State& state) {
  double phi = ((123.45 * 2) * 3.14159) / 360;
  for (auto _ : state) {
    benchmark::DoNotOptimize(phi);
    benchmark::DoNotOptimize(CorrectlyRoundedTan(phi) + CorrectlyRoundedCos(phi));
  }
}
BENCHMARK(phase_tan_and_cos)->Unit(benchmark::kMicrosecond);

void exact_curve_huge_phase(benchmark::State& state) {
  const RunConstants run = PrepareRun(EntryTexts{{"1", "1e10", "0.001"}, {}});
  for (auto _ : state) {
    ExactCurve exact(run, kStepCount);
    benchmark::DoNotOptimize(exact.ExactFactor(kStepCount));
  }
}
BENCHMARK(exact_curve_huge_phase)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sho::bench
