#include "outputs/plot_facts.h"

#include <gtest/gtest.h>

namespace sho {
namespace {

TEST(PlotFacts, TellTheStepsShownAndHowFarApartTheCurvesEnd) {
  EXPECT_FALSE(FactsOf({}, {}).any_step_shown);

  // The run stopped at the red point of step 764: blue reaches further, and alone.
  const PlotTrace red{763, 1, 763, 1e30f, false};
  const PlotTrace blue{764, 1, 764, 2600, true};
  PlotFacts facts = FactsOf(red, blue);
  EXPECT_TRUE(facts.any_step_shown);
  EXPECT_EQ(facts.first_step, 1);
  EXPECT_EQ(facts.last_step, 764);
  EXPECT_FALSE(facts.ends_together);

  facts = FactsOf({5279, 1, 5279, 2600.5f, true}, {5279, 1, 5279, 2700, false});
  EXPECT_EQ(facts.last_step, 5279);
  EXPECT_TRUE(facts.ends_together);
  EXPECT_DOUBLE_EQ(facts.distance, 99.5 / 50);
  EXPECT_FALSE(facts.red_outside);
  EXPECT_TRUE(facts.blue_outside);
}

TEST(PlotFacts, DistanceHasThreeSignificantDigitsAndNoDecimalsFrom100Up) {
  EXPECT_EQ(DistanceText(1.99), "1.99");
  EXPECT_EQ(DistanceText(0.0012345), "0.00123");
  EXPECT_EQ(DistanceText(1.5e-5), "1.5e-05");
  EXPECT_EQ(DistanceText(0), "0");
  EXPECT_EQ(DistanceText(99.94), "99.9");
  EXPECT_EQ(DistanceText(99.96), "100");
  EXPECT_EQ(DistanceText(100.5), "100");  // printf's rounding: half to even
  EXPECT_EQ(DistanceText(263523.51162439294), "263524");
  EXPECT_EQ(DistanceText(6.8e36), "6.8e+36");  // past 1e21, its shortest form
}

}  // namespace
}  // namespace sho
