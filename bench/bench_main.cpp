#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <map>
#include <string>

namespace {

// The console's report, then the ratio of a whole run through the window to the floor of a run
// that only writes the data files.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    // With repetitions, their median; otherwise the one run.
    for (const Run& run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if ((median || run.run_type == Run::RT_Iteration) && !run.error_occurred) {
        seconds_[run.run_name.function_name] =
            run.GetAdjustedRealTime() * benchmark::GetTimeUnitMultiplier(run.time_unit);
      }
    }
  }
  void PrintRatio() const {
    const auto full = seconds_.find("full_run");
    const auto floor = seconds_.find("files_only");
    if (full != seconds_.end() && floor != seconds_.end() && floor->second > 0) {
      std::printf("full_run / files_only = %.2f\n", full->second / floor->second);
    }
  }

 private:
  std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setStyle("Fusion");
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio();
  benchmark::Shutdown();
  return 0;
}
