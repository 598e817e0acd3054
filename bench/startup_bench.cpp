// From process start until the window has painted once: the program started as run.sh starts
// it, offscreen, with a probe preloaded that reports the first paint. The median of nine starts.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "bench/data_files_dir.h"

extern char** environ;

namespace sho::bench {
namespace {

long long MonotonicNanoseconds() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000000000LL + now.tv_nsec;
}

// Seconds from spawning the program to its first paint; negative when it failed.
double OneStart(const ScratchDir& scratch) {
  int out[2];
  if (::pipe(out) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addchdir_np(&actions, scratch.path().c_str());

  std::vector<std::string> env_strings = {"QT_QPA_PLATFORM=offscreen",
                                          std::string("LD_PRELOAD=") + SHO_STARTUP_PROBE};
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    if (entry.rfind("QT_QPA_PLATFORM=", 0) != 0 && entry.rfind("LD_PRELOAD=", 0) != 0) {
      env_strings.push_back(entry);
    }
  }
  std::vector<char*> env;
  for (std::string& entry : env_strings) env.push_back(entry.data());
  env.push_back(nullptr);
  char program[] = SHO_EULER_PROGRAM;
  char* argv[] = {program, nullptr};

  const long long start = MonotonicNanoseconds();
  pid_t pid = 0;
  const int spawned = ::posix_spawn(&pid, program, &actions, nullptr, argv, env.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  long long painted = 0;
  if (spawned == 0) {
    char line[128] = {};
    FILE* child_out = ::fdopen(out[0], "r");
    if (std::fgets(line, sizeof line, child_out) != nullptr) {
      std::sscanf(line, "first-paint %lld", &painted);
    }
    std::fclose(child_out);
    int status = 0;
    ::waitpid(pid, &status, 0);
  } else {
    ::close(out[0]);
  }
  return painted > 0 ? (painted - start) / 1e9 : -1;
}

void startup(benchmark::State& state) {
  ScratchDir scratch;
  OneStart(scratch);  // the first start after a build also reads the files into the page cache
  for (auto _ : state) {
    std::vector<double> seconds;
    for (int start = 0; start < 9; ++start) seconds.push_back(OneStart(scratch));
    if (*std::min_element(seconds.begin(), seconds.end()) < 0) {
      state.SkipWithError("the program did not report its first paint");
      break;
    }
    std::nth_element(seconds.begin(), seconds.begin() + 4, seconds.end());
    state.SetIterationTime(seconds[4]);
  }
}
BENCHMARK(startup)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

}  // namespace
}  // namespace sho::bench
