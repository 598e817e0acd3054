// The run without the window: the stepping alone, and the floor of a whole run, which steps and
// writes both data files and does nothing else.
#include <benchmark/benchmark.h>

#include "bench/data_files_dir.h"
#include "outputs/data_files.h"
#include "run/run.h"
#include "run/stepping.h"

namespace sho::bench {
namespace {

const EntryTexts kClassicEntries{{"1", "0", "0.01"}, {}};

void stepping(benchmark::State& state) {
  for (auto _ : state) {
    const RunConstants run = PrepareRun(kClassicEntries);
    ExactCurve exact(run, kStepCount);
    OscillatorState s = run.start;
    double sum = 0;  // uses every step's numbers, without holding the steps up as a barrier would
    for (std::int16_t i = 1; i <= kStepCount; ++i) {
      s = AdvanceStep(run, s, i);
      sum += s.v + exact.ExactFactor(i);
    }
    double result = sum;  // so that only the copy, not the running sum, is seen from outside
    benchmark::DoNotOptimize(result);
  }
  state.counters["per_step"] = benchmark::Counter(
      kStepCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(stepping)->Unit(benchmark::kMicrosecond);

// A run's host that has nothing but the data files.
class FilesOnlyHost : public RunHost {
 public:
  explicit FilesOnlyHost(DataFiles& files) : files_(files) {}
  void ClearPlot() override {}
  EntryTexts ReadEntries() override { return kClassicEntries; }
  void OpenDataFiles() override { files_.OpenDataFiles(); }
  void SetListHeader() override {}
  void SetListEntry(std::int16_t, double, double) override {}
  void PlotEulerPoint(std::int16_t, double) override {}
  void PlotExactPoint(std::int16_t, double, double) override {}
  void WriteStep(double y, double v) override { files_.WriteStep(y, v); }
  void CloseAllFiles() override { files_.CloseAllFiles(); }
  void KeepListEntries(int) override {}

 private:
  DataFiles& files_;
};

void files_only(benchmark::State& state) {
  ScratchDir scratch;
  DataFiles files(scratch.path());
  FilesOnlyHost host(files);
  for (auto _ : state) {
    PerformRun(host);
    state.PauseTiming();
    RemoveDataFiles(scratch);
    state.ResumeTiming();
  }
}
BENCHMARK(files_only)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sho::bench
