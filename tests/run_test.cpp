#include "run/run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "outputs/run_outputs.h"
#include "runtime/run_error.h"
#include "tests/test_support.h"

namespace sho {
namespace {

using testing::DataLines;
using testing::MemorySurface;
using testing::TempDir;

// Writes down every call a run makes.
class RecordingHost : public RunHost {
 public:
  void ClearPlot() override { calls.push_back("ClearPlot"); }
  EntryTexts ReadEntries() override {
    calls.push_back("ReadEntries");
    return {{"1", "0", "0.01"}, {}};
  }
  void OpenDataFiles() override { calls.push_back("OpenDataFiles"); }
  void SetListHeader() override { calls.push_back("SetListHeader"); }
  void SetListEntry(std::int16_t i, double, double) override {
    calls.push_back("SetListEntry " + std::to_string(i));
  }
  void PlotEulerPoint(std::int16_t i, double) override {
    calls.push_back("PlotEulerPoint " + std::to_string(i));
  }
  void PlotExactPoint(std::int16_t i, double, double) override {
    calls.push_back("PlotExactPoint " + std::to_string(i));
  }
  void WriteStep(double, double) override { calls.push_back("WriteStep"); }
  void CloseAllFiles() override { calls.push_back("CloseAllFiles"); }
  void KeepListEntries(int count) override {
    calls.push_back("KeepListEntries " + std::to_string(count));
  }

  std::vector<std::string> calls;
};

TEST(Run, CallsItsOutputsInTheRunsOrder) {
  RecordingHost host;
  PerformRun(host);
  const std::vector<std::string> start(host.calls.begin(), host.calls.begin() + 16);
  EXPECT_EQ(start, (std::vector<std::string>{
                       "ClearPlot", "ReadEntries", "OpenDataFiles", "SetListHeader",
                       "SetListEntry 1", "SetListHeader", "PlotEulerPoint 1", "PlotExactPoint 1",
                       "WriteStep", "SetListEntry 2", "SetListHeader", "PlotEulerPoint 2",
                       "PlotExactPoint 2", "WriteStep", "SetListEntry 3", "SetListHeader"}));
  EXPECT_EQ(host.calls.size(), 4u + 5u * 10000 + 1);
  EXPECT_EQ(host.calls[host.calls.size() - 3], "PlotExactPoint 10000");
  EXPECT_EQ(host.calls.back(), "CloseAllFiles");
}

// The program's own outputs over a drawing area in memory and data files in a fresh directory.
class RunWithOutputs : public ::testing::Test {
 protected:
  RunError RunFails(EntryTexts entries) {
    try {
      Run(std::move(entries));
    } catch (const RunError& e) {
      return e;
    }
    ADD_FAILURE() << "the run did not fail";
    return RunError(ErrorKind::kTypeMismatch, StepPlace{0}, "");
  }
  void Run(EntryTexts entries) {
    RunOutputs outputs([&] { return entries; }, list, plot, files);
    PerformRun(outputs);
  }
  std::size_t Lines(const char* name) { return DataLines(dir / name).size(); }

  TempDir dir;
  MemorySurface surface;
  Plot plot{surface};
  ResultsList list;
  DataFiles files{dir.path()};
  const EntryTexts classic{{"1", "0", "0.01"}, {}};
};

TEST_F(RunWithOutputs, CompleteRunsFillTheListThePlotAndAppendToTheFiles) {
  Run(classic);
  EXPECT_EQ(list.Count(), 10000);
  EXPECT_EQ(list.EditText(), ResultsList::kHeader);
  EXPECT_EQ(surface.points.size(), 20000u);
  EXPECT_EQ(surface.points[0].y, 2637.5f);
  EXPECT_EQ(Lines("y.dat"), 10000u);
  EXPECT_EQ(Lines("v.dat"), 10000u);

  Run({{"-2", "0", "0.001"}, {}});
  EXPECT_EQ(list.Count(), 10000);
  EXPECT_EQ(list.EntryText(0).substr(0, 12), " 1        -2");
  EXPECT_EQ(surface.clears, 2);
  EXPECT_EQ(surface.points.size(), 20000u);
  EXPECT_EQ(surface.points[0].y, 2487.5f);
  const auto y = DataLines(dir / "y.dat");
  ASSERT_EQ(y.size(), 20000u);
  EXPECT_EQ(y[9999], "-263523.511624393");
  EXPECT_EQ(y[10000], "-2");
  EXPECT_EQ(DataLines(dir / "v.dat")[10000], "0.05");
}

TEST_F(RunWithOutputs, BadPhaseOrPositionStopsBeforeAnyFileIsOpened) {
  Run(classic);
  const RunError e = RunFails({{"", "", ""}, {}});
  EXPECT_EQ(e.kind(), ErrorKind::kTypeMismatch);
  EXPECT_EQ(e.entry(), kEntryPhiDegrees);
  EXPECT_TRUE(surface.points.empty());
  EXPECT_EQ(list.Count(), 0);  // nothing of the previous run mixes with this one
  EXPECT_EQ(Lines("y.dat"), 10000u);

  TempDir empty;
  DataFiles untouched(empty.path());
  RunOutputs outputs([] { return EntryTexts{{"one", "0", "0.01"}, {}}; }, list, plot, untouched);
  try {
    PerformRun(outputs);
    FAIL();
  } catch (const RunError& error) {
    EXPECT_EQ(error.entry(), kEntryY0);
  }
  EXPECT_FALSE(std::filesystem::exists(empty / "y.dat"));
  EXPECT_FALSE(std::filesystem::exists(empty / "v.dat"));
}

TEST_F(RunWithOutputs, BadTimeStepStopsInStepOneWithFilesOpenAndHeaderSet) {
  const RunError e = RunFails({{"1", "0", ""}, {}});
  EXPECT_EQ(e.kind(), ErrorKind::kTypeMismatch);
  EXPECT_EQ(e.entry(), kEntryTimeStep);
  EXPECT_EQ(list.EditText(), ResultsList::kHeader);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(std::filesystem::exists(dir / "y.dat"));
  EXPECT_EQ(Lines("y.dat"), 0u);
  EXPECT_EQ(Lines("v.dat"), 0u);
  EXPECT_FALSE(files.IsOpen());
}

}  // namespace
}  // namespace sho
