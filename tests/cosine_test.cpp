#include "runtime/cosine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace sho {
namespace {

// How many units in the last place of the true cosine `got` is off.
double UlpError(double got, double angle) {
  const long double exact = std::cos(static_cast<long double>(angle));
  const double nearest = static_cast<double>(exact);
  const double ulp = std::nextafter(std::fabs(nearest), INFINITY) - std::fabs(nearest);
  return static_cast<double>(std::fabs(static_cast<long double>(got) - exact) / ulp);
}

double WorstUlpError(const std::vector<double>& angles) {
  std::vector<double> cosines(angles.size());
  Cosines(angles, cosines);
  double worst = 0;
  for (std::size_t i = 0; i < angles.size(); ++i) {
    worst = std::max(worst, UlpError(cosines[i], angles[i]));
    // A block gives what one angle at a time gives, to the bit.
    EXPECT_EQ(cosines[i], Cosine(angles[i])) << angles[i];
  }
  return worst;
}

TEST(Cosine, IsWithinOneUlpOverTheAnglesOfRuns) {
  std::vector<double> angles;
  for (const double dt : {0.1, 0.01, 0.001, 0.0137, 1.0, 7.5}) {
    for (const double phi : {0.0, ((45.0 * 2) * 3.14159) / 360, ((-300.0 * 2) * 3.14159) / 360}) {
      for (int i = 1; i <= 10000; ++i) angles.push_back(((5.0 * i) * dt) + phi);
    }
  }
  EXPECT_LE(WorstUlpError(angles), 1.0);
}

TEST(Cosine, IsWithinOneUlpNearEveryQuarterTurnAndAtRandom) {
  std::vector<double> angles;
  // The zeros of the cosine and the quarter turns where it switches kernels, to 2^19 turns.
  for (long k = -8; k < (1 << 19); k += (k < 5000 ? 1 : 997)) {
    const double quarter = static_cast<double>(k * 3.14159265358979323846264338327950288L / 2);
    double x = quarter;
    for (int step = 0; step < 3; ++step) x = std::nextafter(x, -INFINITY);
    for (int step = 0; step < 7; ++step, x = std::nextafter(x, INFINITY)) angles.push_back(x);
    angles.push_back(quarter + 0.785);
  }
  std::mt19937_64 random(20261207);
  std::uniform_real_distribution<double> wide(-8e5, 8e5), narrow(-4, 4);
  for (int n = 0; n < 200000; ++n) angles.push_back(n % 2 ? wide(random) : narrow(random));
  for (const double tiny : {0.0, -0.0, 1e-300, 1e-9, -3e-5}) angles.push_back(tiny);
  EXPECT_LE(WorstUlpError(angles), 1.0);
}

}  // namespace
}  // namespace sho
