// The data files of whole runs against numbers worked out here, apart from the program: the phase,
// the start velocity (its tangent from MPFR) and every Euler step, each operation in the order a
// run makes it. The lines are compared as the doubles they read back as, to the bit, so that a
// change of rounding anywhere in a run shows.

#include <gtest/gtest.h>
#include <mpfr.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "outputs/run_outputs.h"
#include "run/run.h"
#include "runtime/run_error.h"
#include "tests/test_support.h"

namespace sho {
namespace {

using testing::DataLines;
using testing::MemorySurface;
using testing::TempDir;

double MpfrTan(double x) {
  mpfr_t t;
  mpfr_init2(t, 53);
  mpfr_set_d(t, x, MPFR_RNDN);
  mpfr_tan(t, t, MPFR_RNDN);
  const double tan = mpfr_get_d(t, MPFR_RNDN);
  mpfr_clear(t);
  return tan;
}

// What a run of these entries writes: the position and velocity of each step it completes, and
// the step whose red point lies beyond what a single-precision coordinate holds, where it stops.
struct Steps {
  std::vector<double> y, v;
  int stopped_in = 0;  // 0 for a run that completes its 10,000 steps
};

Steps WorkedOut(const EntryTexts& entries) {
  const double y0 = std::strtod(entries.text[0].c_str(), nullptr);
  const double degrees = std::strtod(entries.text[1].c_str(), nullptr);
  const double dt = std::strtod(entries.text[2].c_str(), nullptr);
  const double phi = ((degrees * 2) * 3.14159) / 360;
  // y'' = -25 y: omega = 5, and the phase gives the start velocity v0 = -y0 omega tan(phi).
  double y = y0;
  double v = ((-y0) * 5.0) * MpfrTan(phi);
  const float baseline = (258.75f * 20) / 2;  // half the drawing area's 5175 twips
  Steps steps;
  for (int i = 1; i <= 10000; ++i) {
    const double a = -25.0 * y;
    const double next_y = y + (v * dt);
    v = v + (a * dt);
    y = next_y;
    if (std::fabs((50 * y) + baseline) > FLT_MAX) {
      steps.stopped_in = i;
      break;
    }
    steps.y.push_back(y);
    steps.v.push_back(v);
  }
  return steps;
}

// For EXPECT_PRED_FORMAT2: the lines a run appended to a data file, read as doubles, against the
// numbers expected, bit for bit; a difference is told by how many lines differ and the first.
::testing::AssertionResult SameDoubles(const char* lines_expression, const char*,
                                       const std::vector<std::string>& lines,
                                       const std::vector<double>& expected) {
  const std::size_t from = lines.size() - expected.size();
  int differing = 0;
  std::string first;
  for (std::size_t k = 0; k < expected.size(); ++k) {
    const double read = std::strtod(lines[from + k].c_str(), nullptr);
    if (std::memcmp(&read, &expected[k], sizeof read) == 0 || differing++ > 0) continue;
    char numbers[80];
    std::snprintf(numbers, sizeof numbers, " (%.17g) instead of %.17g", read, expected[k]);
    first = "line " + std::to_string(from + k + 1) + ": \"" + lines[from + k] + "\"" + numbers;
  }
  if (differing == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << lines_expression << ": " << differing << " of the "
                                       << expected.size() << " lines differ, the first " << first;
}

// Phases, positions and time steps whose numbers come out otherwise in the last bit when the
// operations are grouped or ordered otherwise; with the time step 0.1 the red curve leaves what
// the plot can draw, and the run stops.
TEST(RunNumbers, DataFilesHoldEachStepsDoublesToTheBitAndAStoppedRunItsCompletedSteps) {
  TempDir dir;
  MemorySurface surface;
  Plot plot(surface);
  ResultsList list;
  DataFiles files(dir.path());
  std::size_t written = 0;
  for (const EntryTexts& entries :
       {EntryTexts{{"1", "30.01", "0.01"}, {}}, EntryTexts{{"1.1", "30.01", "0.01"}, {}},
        EntryTexts{{"1e6", "89", "0.001"}, {}}, EntryTexts{{"0.7", "-289.744", "0.1"}, {}},
        EntryTexts{{"1", "0", "0.1"}, {}}, EntryTexts{{"-3", "-45", "0.01"}, {}},
        EntryTexts{{"0.25", "135", "-0.002"}, {}}}) {
    SCOPED_TRACE(entries.text[0] + ", " + entries.text[1] + ", " + entries.text[2]);
    const Steps expected = WorkedOut(entries);
    RunOutputs outputs([&] { return entries; }, list, plot, files);
    try {
      PerformRun(outputs);
      EXPECT_EQ(expected.stopped_in, 0) << "the run did not stop";
    } catch (const RunError& e) {
      EXPECT_EQ(e.kind(), ErrorKind::kOverflow) << e.what();
      ASSERT_TRUE(std::holds_alternative<StepPlace>(e.place())) << e.what();
      EXPECT_EQ(std::get<StepPlace>(e.place()).step, expected.stopped_in) << e.what();
    }
    const std::size_t completed = expected.y.size();
    // The entry of the step that stopped was set before its point failed.
    EXPECT_EQ(list.Count(), expected.stopped_in ? expected.stopped_in : 10000);
    EXPECT_EQ(surface.points.size(), 2u * completed);
    EXPECT_FALSE(files.IsOpen());
    // Every run appends to the same two files, after what the runs before it wrote.
    const auto y = DataLines(dir / "y.dat");
    const auto v = DataLines(dir / "v.dat");
    ASSERT_EQ(y.size(), written + completed);
    ASSERT_EQ(v.size(), written + completed);
    EXPECT_PRED_FORMAT2(SameDoubles, y, expected.y);
    EXPECT_PRED_FORMAT2(SameDoubles, v, expected.v);
    written += completed;
  }
}

}  // namespace
}  // namespace sho
