// One run of the program without its window, as a process of its own, for the tests that kill a
// run or start two at once:
//
//   sho_run_helper DIRECTORY Y0 PHI DT [--pause-after STEP] [--wait-for-go]
//                  [--step-delay-us N] [--lock-timeout-ms N]
//
// It performs the run with the program's own list, plot and data files (in DIRECTORY).
// --wait-for-go    reads a line from standard input before the run starts.
// --pause-after    once step STEP's lines are handed to the data files, writes "paused" to standard
//                  output and reads a line from standard input before it goes on.
// --step-delay-us  waits this long after every step, so that a run lasts long enough to overlap.
// Prints "finished" and exits 0 after a complete run, exits 3 after a run error (printed as
// "<kind> in <place>: <message>"), 2 when called wrongly.

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "outputs/run_outputs.h"
#include "runtime/run_error.h"

namespace {

using namespace sho;

// A drawing area that draws nothing; the plot still checks every point's range.
class NoSurface : public PlotSurface {
 public:
  void Clear() override {}
  float HeightInPoints() const override { return 258.75f; }
  void SetPoint(float, float, Colour) override {}
};

struct Options {
  std::string directory;
  EntryTexts entries;
  long pause_after = -1;
  bool wait_for_go = false;
  long step_delay_us = 0;
  long lock_timeout_ms = 5000;
};

// Blocks until a line (or the end) arrives on standard input.
void WaitForLine() {
  char c = 0;
  while (::read(STDIN_FILENO, &c, 1) == 1 && c != '\n') {
  }
}

class HelperOutputs : public RunOutputs {
 public:
  HelperOutputs(const Options& options, ResultsList& list, Plot& plot, DataFiles& files)
      : RunOutputs([&options] { return options.entries; }, list, plot, files), options_(options) {}

  void WriteStep(double y, double v) override {
    RunOutputs::WriteStep(y, v);
    ++steps_;
    if (steps_ == options_.pause_after) {
      std::fputs("paused\n", stdout);
      std::fflush(stdout);
      WaitForLine();
    }
    if (options_.step_delay_us > 0) {
      std::this_thread::sleep_for(std::chrono::microseconds(options_.step_delay_us));
    }
  }

 private:
  const Options& options_;
  long steps_ = 0;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  if (argc < 5) return false;
  options.directory = argv[1];
  options.entries.text = {argv[2], argv[3], argv[4]};
  for (int k = 5; k < argc; ++k) {
    const std::string flag = argv[k];
    if (flag == "--wait-for-go") {
      options.wait_for_go = true;
      continue;
    }
    if (k + 1 >= argc) return false;
    const long value = std::strtol(argv[++k], nullptr, 10);
    if (flag == "--pause-after") {
      options.pause_after = value;
    } else if (flag == "--step-delay-us") {
      options.step_delay_us = value;
    } else if (flag == "--lock-timeout-ms") {
      options.lock_timeout_ms = value;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: %s DIRECTORY Y0 PHI DT [--pause-after STEP] [--wait-for-go] "
                 "[--step-delay-us N] [--lock-timeout-ms N]\n",
                 argv[0]);
    return 2;
  }
  if (options.wait_for_go) WaitForLine();

  NoSurface surface;
  Plot plot(surface);
  ResultsList list;
  DataFiles files(options.directory, std::chrono::milliseconds(options.lock_timeout_ms));
  HelperOutputs outputs(options, list, plot, files);
  try {
    PerformRun(outputs);
  } catch (const RunError& error) {
    const RunMessage place = PlaceMessage(error.place());
    std::printf("%s in %s: %s\n", KindName(error.kind()), FillIn(place.text, place.parts).c_str(),
                error.what());
    return 3;
  }
  std::fputs("finished\n", stdout);
  std::fflush(stdout);
  return 0;
}
