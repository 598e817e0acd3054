// Runs as processes of their own (the helper program), killed in the middle of their loop or
// started two at once against one directory.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "run/entries.h"
#include "runtime/run_error.h"
#include "tests/test_support.h"

namespace sho {
namespace {

using testing::Lines;
using testing::ReadBytes;
using testing::ReadDataFiles;
using testing::ReferenceRun;
using testing::TempDir;
using testing::WriteBytes;
using testing::WriteDataFiles;
using namespace std::chrono_literals;

// The first `count` lines of `bytes`.
std::string FirstLines(const std::string& bytes, std::size_t count) {
  std::size_t end = 0;
  for (std::size_t k = 0; k < count; ++k) end = bytes.find('\n', end) + 1;
  return bytes.substr(0, end);
}

std::size_t LineCount(const std::string& bytes) {
  return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
}

// `bytes` up to and with its last line break.
std::string WholeLines(const std::string& bytes) {
  const std::size_t last = bytes.rfind('\n');
  return last == std::string::npos ? "" : bytes.substr(0, last + 1);
}

const EntryTexts kFirst{{"1", "0", "0.01"}, {}};
const EntryTexts kSecond{{"2", "30", "0.001"}, {}};
const EntryTexts kLater{{"-3", "45", "0.005"}, {}};

// The helper program running one run, with pipes to its standard input and output.
class HelperRun {
 public:
  HelperRun(const std::filesystem::path& directory, const EntryTexts& entries,
            std::vector<std::string> options = {}, std::optional<rlim_t> file_size_limit = {}) {
    std::vector<std::string> args = {SHO_RUN_HELPER, directory.string(), entries.text[0],
                                     entries.text[1], entries.text[2]};
    args.insert(args.end(), options.begin(), options.end());
    int to_child[2];
    int from_child[2];
    if (::pipe(to_child) != 0 || ::pipe(from_child) != 0) std::abort();
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(to_child[0], STDIN_FILENO);
      ::dup2(from_child[1], STDOUT_FILENO);
      for (int fd : {to_child[0], to_child[1], from_child[0], from_child[1]}) ::close(fd);
      ::signal(SIGXFSZ, SIG_DFL);
      const rlimit no_core{0, 0};
      ::setrlimit(RLIMIT_CORE, &no_core);
      if (file_size_limit) {
        const rlimit limit{*file_size_limit, *file_size_limit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
      }
      std::vector<char*> argv;
      for (std::string& arg : args) argv.push_back(arg.data());
      argv.push_back(nullptr);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    ::close(to_child[0]);
    ::close(from_child[1]);
    input_ = to_child[1];
    output_ = from_child[0];
  }
  ~HelperRun() {
    if (pid_ > 0 && !status_) {
      ::kill(pid_, SIGKILL);
      Wait();
    }
    ::close(input_);
    ::close(output_);
  }
  HelperRun(const HelperRun&) = delete;
  HelperRun& operator=(const HelperRun&) = delete;

  // Waits up to ten seconds for the run to print `line`.
  bool WaitFor(const std::string& line) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (output.find(line + "\n") == std::string::npos) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      pollfd ready{output_, POLLIN, 0};
      if (left <= 0ms || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0) return false;
      char buffer[256];
      const ssize_t n = ::read(output_, buffer, sizeof buffer);
      if (n <= 0) return false;
      output.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
  }
  // Lets a run that waits for a line go on.
  void Go() { (void)!::write(input_, "\n", 1); }
  void Kill(int signal) { ::kill(pid_, signal); }
  bool IsRunning() {
    if (status_) return false;
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) status_ = status;
    return !status_;
  }
  // The wait status once the run has ended; the rest of what it printed is in `output`.
  int Wait() {
    if (!status_) {
      int status = 0;
      ::waitpid(pid_, &status, 0);
      status_ = status;
    }
    char buffer[256];
    for (ssize_t n; (n = ::read(output_, buffer, sizeof buffer)) > 0;) {
      output.append(buffer, static_cast<std::size_t>(n));
    }
    return *status_;
  }
  // Waits for the end of a run that should complete.
  void ExpectCompletes() {
    const int status = Wait();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "status " << status << ", output: " << output;
  }

  std::string output;

 private:
  pid_t pid_ = -1;
  int input_ = -1;
  int output_ = -1;
  std::optional<int> status_;
};

// Both data files of a directory that held `before` and since gained `added`.
void ExpectFiles(const TempDir& dir, const Lines& before, const Lines& added) {
  EXPECT_PRED_FORMAT2(testing::SameBytes, ReadBytes(dir / "y.dat"), before.y + added.y);
  EXPECT_PRED_FORMAT2(testing::SameBytes, ReadBytes(dir / "v.dat"), before.v + added.v);
}

// What a run added to both data files of a directory that held `before`, which must still be
// there, byte for byte. Call it through ASSERT_NO_FATAL_FAILURE.
void ReadAdded(const TempDir& dir, const Lines& before, Lines& added) {
  const Lines now = ReadDataFiles(dir.path());
  ASSERT_PRED_FORMAT2(testing::SameBytes, now.y.substr(0, before.y.size()), before.y);
  ASSERT_PRED_FORMAT2(testing::SameBytes, now.v.substr(0, before.v.size()), before.v);
  added = {now.y.substr(before.y.size()), now.v.substr(before.v.size())};
}

TEST(KilledRun, LeavesWholeLinesOfCompletedStepsAndTheNextRunAppendsAfterThem) {
  const Lines first = ReferenceRun(kFirst).lines;
  const Lines later = ReferenceRun(kLater).lines;
  for (const long pause_step : {1L, 5000L, 9999L}) {
    SCOPED_TRACE("killed after step " + std::to_string(pause_step));
    TempDir dir;
    const Lines before = ReferenceRun(kSecond).lines;
    WriteDataFiles(dir.path(), before);

    HelperRun run(dir.path(), kFirst, {"--pause-after", std::to_string(pause_step)});
    ASSERT_TRUE(run.WaitFor("paused")) << run.output;
    run.Kill(SIGKILL);
    const int status = run.Wait();
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;

    // What reached the files: the same whole steps in both, in the order the run took them.
    Lines added;
    ASSERT_NO_FATAL_FAILURE(ReadAdded(dir, before, added));
    const std::size_t steps = LineCount(added.y);
    EXPECT_LE(steps, static_cast<std::size_t>(pause_step));
    if (pause_step >= 5000) {
      EXPECT_GT(steps, 0u);  // earlier blocks of lines did reach the files
    }
    const Lines kept{FirstLines(first.y, steps), FirstLines(first.v, steps)};
    ExpectFiles(dir, before, kept);

    HelperRun next(dir.path(), kLater);
    next.ExpectCompletes();
    ExpectFiles(dir, before, {kept.y + later.y, kept.v + later.v});
  }
}

TEST(KilledRun, InTheMiddleOfAWriteItsPartialLineGoesWithTheNextRun) {
  // The kernel ends a process that writes past its file size limit (SIGXFSZ), after writing up to
  // the limit: a run killed in the middle of a line, at a place the test chooses.
  const Lines first = ReferenceRun(kFirst).lines;
  const Lines later = ReferenceRun(kLater).lines;
  TempDir dir;
  const Lines before{"7\r\n8\r\n", "-7\r\n-8\r\n"};
  WriteDataFiles(dir.path(), before);
  std::size_t cut = 1000;
  while (first.y[cut - 1] == '\n') ++cut;

  HelperRun run(dir.path(), kFirst, {}, before.y.size() + cut);
  const int status = run.Wait();
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status << run.output;
  ExpectFiles(dir, before, {first.y.substr(0, cut), ""});

  // v.dat took none of the block: y.dat's part of it goes, its partial line with it.
  HelperRun next(dir.path(), kLater);
  next.ExpectCompletes();
  ExpectFiles(dir, before, later);
}

// A file size limit stops a run in whichever file reaches it first (SIGXFSZ): the write that
// reaches `limit` bytes takes what fits, the next one ends the run. Each file takes a run's lines
// in blocks of some 64 KiB, y.dat's block before v.dat's, so a v.dat that held more than y.dat
// before the run can stop it between the two. Call it through ASSERT_NO_FATAL_FAILURE.
void RunUntilFileSizeLimit(const TempDir& dir, const Lines& before, std::size_t limit,
                           Lines& added) {
  HelperRun run(dir.path(), kFirst, {}, limit);
  const int status = run.Wait();
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status << run.output;
  ASSERT_NO_FATAL_FAILURE(ReadAdded(dir, before, added));
  ASSERT_EQ(std::max(before.y.size() + added.y.size(), before.v.size() + added.v.size()), limit);
}

// Lines of v.dat that a run did not write, `bytes` of them.
std::string VelocityLines(std::size_t bytes) {
  std::string lines;
  while (lines.size() < bytes) lines += "-7\r\n";
  return lines;
}

TEST(KilledRun, BetweenTheTwoFilesWritesTheNextRunKeepsTheStepsThatReachedBoth) {
  const Lines first = ReferenceRun(kFirst).lines;
  const Lines later = ReferenceRun(kLater).lines;
  struct Place {
    const char* what;
    std::size_t v_before;
    std::size_t limit;
  };
  const Place places[] = {{"before v.dat's first block", 100'000, 100'000},
                          {"in y.dat's second block", 4, 100'000},
                          {"in v.dat's second block", 100'000, 200'000}};
  for (const Place& place : places) {
    SCOPED_TRACE(place.what);
    TempDir dir;
    const Lines before{"7\r\n", VelocityLines(place.v_before)};
    WriteDataFiles(dir.path(), before);
    Lines added;
    ASSERT_NO_FATAL_FAILURE(RunUntilFileSizeLimit(dir, before, place.limit, added));
    ASSERT_PRED_FORMAT2(testing::SameBytes, added.y, first.y.substr(0, added.y.size()));
    ASSERT_PRED_FORMAT2(testing::SameBytes, added.v, first.v.substr(0, added.v.size()));
    const std::size_t both = LineCount(added.v);
    ASSERT_GT(LineCount(added.y), both);  // y.dat is ahead

    HelperRun next(dir.path(), kLater);
    next.ExpectCompletes();
    ExpectFiles(dir, before,
                {FirstLines(first.y, both) + later.y, FirstLines(first.v, both) + later.v});
  }
}

TEST(KilledRun, FilesTheUserChangedAfterwardsAreNotCut) {
  namespace fs = std::filesystem;
  const Lines later = ReferenceRun(kLater).lines;
  const std::pair<const char*, void (*)(const TempDir&)> changes[] = {
      {"v.dat removed", [](const TempDir& dir) { fs::remove(dir / "v.dat"); }},
      {"v.dat shortened", [](const TempDir& dir) { fs::resize_file(dir / "v.dat", 8); }},
      {"y.dat replaced by a copy",
       [](const TempDir& dir) {
         fs::copy_file(dir / "y.dat", dir / "copy");
         fs::rename(dir / "copy", dir / "y.dat");
       }},
      {"a line added to y.dat",
       [](const TempDir& dir) { WriteBytes(dir / "y.dat", ReadBytes(dir / "y.dat") + "9\r\n"); }},
  };
  for (const auto& [what, change] : changes) {
    SCOPED_TRACE(what);
    TempDir dir;
    const Lines before{"7\r\n", VelocityLines(100'000)};
    WriteDataFiles(dir.path(), before);
    Lines added;  // y.dat's first block, and nothing of v.dat's
    ASSERT_NO_FATAL_FAILURE(RunUntilFileSizeLimit(dir, before, 100'000, added));
    ASSERT_TRUE(!added.y.empty() && added.v.empty());

    change(dir);
    const Lines left = ReadDataFiles(dir.path());
    HelperRun next(dir.path(), kLater);
    next.ExpectCompletes();
    ExpectFiles(dir, left, later);
  }
}

TEST(KilledRun, AtRandomMomentsLeavesNothingButLinesOfCompletedSteps) {
  const Lines first = ReferenceRun(kFirst).lines;
  const Lines later = ReferenceRun(kLater).lines;
  const Lines before{"7\r\n", "-7\r\n"};
  TempDir dir;
  // Each run waits after its first step, so that the kill comes at a random moment of its loop
  // rather than of the process's start.
  const std::vector<std::string> options = {"--pause-after", "1"};
  std::vector<std::chrono::steady_clock::duration> loop_times;
  for (int k = 0; k < 5; ++k) {  // the median of five, as the machine may be busy at times
    HelperRun run(dir.path(), kFirst, options);
    ASSERT_TRUE(run.WaitFor("paused"));
    const auto start = std::chrono::steady_clock::now();
    run.Go();
    ASSERT_TRUE(run.WaitFor("finished"));  // not the process's end: a sanitizer's work comes then
    loop_times.push_back(std::chrono::steady_clock::now() - start);
    run.ExpectCompletes();
  }
  std::sort(loop_times.begin(), loop_times.end());
  const auto loop_time = loop_times[2];

  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<long long> moment(
      0, std::chrono::duration_cast<std::chrono::microseconds>(loop_time).count());
  int partial_lines = 0;
  int in_the_loop = 0;  // kills before the run's end
  for (int attempt = 0; attempt < 30; ++attempt) {
    SCOPED_TRACE("attempt " + std::to_string(attempt));
    WriteDataFiles(dir.path(), before);
    {
      HelperRun run(dir.path(), kFirst, options);
      ASSERT_TRUE(run.WaitFor("paused"));
      run.Go();
      std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
      run.Kill(SIGKILL);
      run.Wait();
    }
    // Each file: what it held, then the start of what the run writes. Whole lines only, unless the
    // kill came inside a write: then its last line may be cut short.
    Lines added;
    ASSERT_NO_FATAL_FAILURE(ReadAdded(dir, before, added));
    const std::string& y_added = added.y;
    const std::string& v_added = added.v;
    ASSERT_PRED_FORMAT2(testing::SameBytes, y_added, first.y.substr(0, y_added.size()));
    ASSERT_PRED_FORMAT2(testing::SameBytes, v_added, first.v.substr(0, v_added.size()));
    if (WholeLines(y_added) != y_added || WholeLines(v_added) != v_added) ++partial_lines;
    if (y_added != first.y) ++in_the_loop;
    // Lines reach v.dat after y.dat, a block at a time.
    const std::size_t both = LineCount(v_added);
    EXPECT_LE(both, LineCount(y_added));

    // The next run keeps the steps that reached both files, and only them.
    HelperRun next(dir.path(), kLater);
    next.ExpectCompletes();
    ExpectFiles(dir, before,
                {FirstLines(first.y, both) + later.y, FirstLines(first.v, both) + later.v});
  }
  std::cout << in_the_loop << " of 30 kills came in the middle of the loop, " << partial_lines
            << " inside a write\n";
  EXPECT_GE(in_the_loop, 10);  // the moments fell inside the loop, not all after it
}

TEST(TwoRuns, TheSecondWaitsForTheFirstAndNeitherIsLost) {
  const Lines first = ReferenceRun(kFirst).lines;
  const Lines second = ReferenceRun(kSecond).lines;
  TempDir dir;
  const Lines before{"7\r\n", "-7\r\n"};
  WriteDataFiles(dir.path(), before);

  HelperRun holder(dir.path(), kFirst, {"--pause-after", "5000"});
  ASSERT_TRUE(holder.WaitFor("paused")) << holder.output;
  const std::string y_paused = ReadBytes(dir / "y.dat");
  HelperRun waiter(dir.path(), kSecond);
  std::this_thread::sleep_for(500ms);
  EXPECT_TRUE(waiter.IsRunning()) << waiter.output;
  EXPECT_PRED_FORMAT2(testing::SameBytes, ReadBytes(dir / "y.dat"),
                      y_paused);  // the second run has written nothing yet

  holder.Go();
  holder.ExpectCompletes();
  waiter.ExpectCompletes();
  ExpectFiles(dir, before, {first.y + second.y, first.v + second.v});
}

TEST(TwoRuns, TheSecondGivesUpWithInUseWhenTheFirstHoldsTheFilesTooLong) {
  const Lines first = ReferenceRun(kFirst).lines;
  TempDir dir;
  HelperRun holder(dir.path(), kFirst, {"--pause-after", "5000"});
  ASSERT_TRUE(holder.WaitFor("paused")) << holder.output;

  HelperRun impatient(dir.path(), kSecond, {"--lock-timeout-ms", "200"});
  const int status = impatient.Wait();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << status;
  const std::string y_path = (dir / "y.dat").string();
  EXPECT_EQ(impatient.output.rfind("File error in " + y_path + ": " + y_path +
                                       " is in use by another copy of the program.",
                                   0),
            0u)
      << impatient.output;

  holder.Go();
  holder.ExpectCompletes();
  ExpectFiles(dir, {}, first);
}

TEST(TwoRuns, StartedAtTheSameMomentEachWritesOneUnbrokenBlock) {
  const Lines first = ReferenceRun(kFirst).lines;
  const Lines second = ReferenceRun(kSecond).lines;
  TempDir dir;
  const Lines before{"7\r\n", "-7\r\n"};
  WriteDataFiles(dir.path(), before);

  // Each run takes a tenth of a second or more, so that they overlap.
  const std::vector<std::string> options = {"--wait-for-go", "--step-delay-us", "10"};
  HelperRun a(dir.path(), kFirst, options);
  HelperRun b(dir.path(), kSecond, options);
  a.Go();
  b.Go();
  a.ExpectCompletes();
  b.ExpectCompletes();

  // Either order, but the same in both files: line k of y.dat and of v.dat from one step.
  const std::string y = ReadBytes(dir / "y.dat");
  if (y == before.y + first.y + second.y) {
    EXPECT_PRED_FORMAT2(testing::SameBytes, ReadBytes(dir / "v.dat"),
                        before.v + first.v + second.v);
  } else {
    ExpectFiles(dir, before, {second.y + first.y, second.v + first.v});
  }
}

}  // namespace
}  // namespace sho
