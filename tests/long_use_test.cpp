// A thousand runs in one window, as a class of students might leave it running all day.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <fstream>
#include <string>

#include "run/entries.h"
#include "tests/test_support.h"
#include "tests/window_fixture.h"

namespace sho {
namespace {

using testing::Lines;
using testing::ReadBytesFrom;
using testing::ReferenceRun;
using testing::RunRecord;

// The memory the process has in use, in bytes.
std::size_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t size = 0;
  std::size_t resident = 0;
  statm >> size >> resident;
  return resident * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

class LongUse : public testing::Window {};

TEST_F(LongUse, AThousandRunsKeepTheListTheFilesAndTheMemoryInStep) {
  constexpr int kRuns = 1000;
  constexpr int kWarmUpRuns = 50;     // until every buffer has reached its working size
  constexpr int kRunsPerBatch = 100;  // the files are emptied after each batch, to spare the disk
  constexpr std::size_t kMemorySlack = 5 << 20;
  const std::array<EntryTexts, 4> entries = {{
      {{"1", "0", "0.01"}, {}},
      {{"20", "0", "0.001"}, {}},
      {{"-2", "30", "0.002"}, {}},
      {{"0.5", "-60", "0.0005"}, {}},
  }};
  std::array<Lines, 4> expected;
  for (std::size_t k = 0; k < entries.size(); ++k) {
    const RunRecord record = ReferenceRun(entries[k]);
    ASSERT_FALSE(record.error) << *record.error;
    expected[k] = record.lines;
  }

  std::uintmax_t y_size = 0;
  std::uintmax_t v_size = 0;
  std::size_t settled = 0;
  std::size_t highest = 0;
  for (int run = 0; run < kRuns; ++run) {
    SCOPED_TRACE("run " + std::to_string(run + 1));
    const std::size_t which = static_cast<std::size_t>(run) % entries.size();
    const auto& text = entries[which].text;
    TypeEntries(QString::fromStdString(text[0]), QString::fromStdString(text[1]),
                QString::fromStdString(text[2]));
    ClickRun();
    QCoreApplication::processEvents();  // the window repaints, as between a user's clicks
    ASSERT_EQ(ErrorBox(), nullptr);
    ASSERT_EQ(form.Cmby->count(), 10000);

    // Exactly this run's lines, after everything the files held.
    ASSERT_PRED_FORMAT2(testing::SameBytes, ReadBytesFrom(dir / "y.dat", y_size),
                        expected[which].y);
    ASSERT_PRED_FORMAT2(testing::SameBytes, ReadBytesFrom(dir / "v.dat", v_size),
                        expected[which].v);
    y_size += expected[which].y.size();
    v_size += expected[which].v.size();
    if ((run + 1) % kRunsPerBatch == 0) {
      std::filesystem::resize_file(dir / "y.dat", 0);
      std::filesystem::resize_file(dir / "v.dat", 0);
      y_size = v_size = 0;
    }

    if (run + 1 == kWarmUpRuns) settled = ResidentBytes();
    if (run + 1 >= kWarmUpRuns) highest = std::max(highest, ResidentBytes());
  }
  std::cout << "resident memory after " << kWarmUpRuns << " runs: " << settled / 1024
            << " KiB, highest after that: " << highest / 1024 << " KiB\n";
  EXPECT_LT(highest - settled, kMemorySlack);
}

}  // namespace
}  // namespace sho
