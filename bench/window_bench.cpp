// A user's run through the real window, offscreen: Run clicked on a list that already holds a
// previous run's 10,000 entries, until the window has painted what the run left.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <fstream>

#include "bench/data_files_dir.h"
#include "window/form1.h"

namespace sho::bench {
namespace {

// The window in a scratch working directory, with the entries typed and one run made.
class ReadyWindow {
 public:
  ReadyWindow() {
    std::filesystem::current_path(scratch_.path());
    form.show();
    form.Text1[0]->setText("1");
    form.Text1[1]->setText("0");
    form.Text1[2]->setText("0.01");
    Run();
  }
  ~ReadyWindow() { std::filesystem::current_path(previous_); }

  void Run() {
    form.Command1_Click();
    QCoreApplication::processEvents();  // the one repaint after the run
  }
  const ScratchDir& scratch() const { return scratch_; }

 private:
  std::filesystem::path previous_ = std::filesystem::current_path();
  ScratchDir scratch_;

 public:
  Form1 form;
};

void full_run(benchmark::State& state) {
  ReadyWindow window;
  for (auto _ : state) {
    window.Run();
    state.PauseTiming();
    RemoveDataFiles(window.scratch());
    state.ResumeTiming();
  }
  if (window.form.Cmby->count() != kStepCount) state.SkipWithError("the list lost entries");
}
BENCHMARK(full_run)->Unit(benchmark::kMillisecond);

long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * ::sysconf(_SC_PAGESIZE);
}

// Resident memory after 100 runs in a row, against what it was after the first.
void memory_100_runs(benchmark::State& state) {
  for (auto _ : state) {
    ReadyWindow window;
    const long after_first = ResidentBytes();
    for (int run = 2; run <= 100; ++run) {
      window.Run();
      RemoveDataFiles(window.scratch());
    }
    state.counters["rss_growth_MB"] = static_cast<double>(ResidentBytes() - after_first) / 1e6;
  }
}
BENCHMARK(memory_100_runs)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace sho::bench
