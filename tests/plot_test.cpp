#include "outputs/plot.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "runtime/run_error.h"
#include "tests/test_support.h"

namespace sho {
namespace {

using testing::MemorySurface;

TEST(Plot, FirstPointsOfTheClassicRun) {
  MemorySurface surface;
  Plot plot(surface);
  plot.PlotEulerPoint(1, 1.0);
  plot.PlotExactPoint(1, 1.0, std::cos(0.05));
  ASSERT_EQ(surface.points.size(), 2u);
  EXPECT_EQ(surface.points[0].x, 1.0f);
  EXPECT_EQ(surface.points[0].y, 2637.5f);
  EXPECT_EQ(surface.points[0].colour, kEulerColour);
  EXPECT_EQ(surface.points[1].x, 1.0f);
  EXPECT_EQ(surface.points[1].y, static_cast<float>(50 * std::cos(0.05) + 2587.5));
  EXPECT_NEAR(surface.points[1].y, 2637.4375, 1e-3);
  EXPECT_EQ(surface.points[1].colour, kExactColour);
}

TEST(Plot, BaselineIsHalfTheHeightReadAtEachPoint) {
  MemorySurface surface;
  Plot plot(surface);
  plot.PlotEulerPoint(3, -2.0);
  surface.height_points = 100;  // the area's height is read again for every point
  plot.PlotExactPoint(3, 4.0, 0.5);
  EXPECT_EQ(surface.points[0].y, 2587.5f - 100);  // negative positions above the baseline
  EXPECT_EQ(surface.points[1].y, 1000.0f + 100);
  EXPECT_EQ(surface.points[1].x, 3.0f);

  plot.ClearPlot();
  EXPECT_TRUE(surface.points.empty());
}

TEST(Plot, CoordinateBeyondSinglePrecisionIsAnOverflowInItsStep) {
  MemorySurface surface;
  Plot plot(surface);
  const double largest_y = (static_cast<double>(FLT_MAX) - 2587.5) / 50;
  EXPECT_NO_THROW(plot.PlotEulerPoint(5, largest_y));
  EXPECT_NO_THROW(plot.PlotExactPoint(5, -largest_y, 1.0));
  try {
    plot.PlotEulerPoint(6, largest_y * (1 + 1e-12));
    FAIL() << "no overflow";
  } catch (const RunError& e) {
    EXPECT_EQ(e.kind(), ErrorKind::kOverflow);
    EXPECT_EQ(std::get<StepPlace>(e.place()).step, 6);
  }
  EXPECT_THROW(plot.PlotExactPoint(7, -1e37, 1.0), RunError);
  EXPECT_EQ(surface.points.size(), 2u);  // nothing drawn for the failing points
}

}  // namespace
}  // namespace sho
