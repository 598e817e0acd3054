#include "runtime/correctly_rounded.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "runtime/cosine.h"
#include "tests/number_samples.h"

namespace sho {
namespace {

using testing::BitsOf;

// The double nearest to cos x or tan x, subnormal results included, as MPFR rounds it.
class Mpfr {
 public:
  Mpfr() {
    mpfr_set_emin(-1073);  // the exponent range of doubles, for mpfr_subnormalize
    mpfr_set_emax(1024);
    mpfr_init2(value_, 53);
  }
  ~Mpfr() {
    mpfr_clear(value_);
    mpfr_set_emin(mpfr_get_emin_min());
    mpfr_set_emax(mpfr_get_emax_max());
  }
  double Cos(double x) { return Rounded(x, mpfr_cos); }
  double Tan(double x) { return Rounded(x, mpfr_tan); }

 private:
  double Rounded(double x, int (*function)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t)) {
    mpfr_set_d(value_, x, MPFR_RNDN);
    const int ternary = function(value_, value_, MPFR_RNDN);
    mpfr_subnormalize(value_, ternary, MPFR_RNDN);
    return mpfr_get_d(value_, MPFR_RNDN);
  }
  mpfr_t value_;
};

// In how many angles the C library's cos, its tan, or either is not correctly rounded.
struct LibraryMisses {
  int cos = 0, tan = 0, either = 0;
};

// Checks both functions at every angle and its negative.
LibraryMisses ExpectCorrectlyRounded(const std::vector<double>& angles) {
  Mpfr mpfr;
  int failures = 0;
  LibraryMisses misses;
  for (const double angle : angles) {
    for (const double x : {angle, -angle}) {
      const double cos = mpfr.Cos(x), tan = mpfr.Tan(x);
      const bool right = BitsOf(CorrectlyRoundedCos(x)) == BitsOf(cos) &&
                         BitsOf(CorrectlyRoundedTan(x)) == BitsOf(tan);
      if (!right && ++failures <= 10) ADD_FAILURE() << "angle " << x;
      if (x != angle) continue;
      const bool cos_missed = BitsOf(std::cos(x)) != BitsOf(cos);
      const bool tan_missed = BitsOf(std::tan(x)) != BitsOf(tan);
      misses.cos += cos_missed;
      misses.tan += tan_missed;
      misses.either += cos_missed || tan_missed;
    }
  }
  return misses;
}

TEST(CorrectlyRounded, CosAndTanOfTypicalPhases) {
  const std::vector<double> phases = testing::TypicalPhases(20000);
  const LibraryMisses misses = ExpectCorrectlyRounded(phases);
  std::printf(
      "Of %zu phases, the C library's cos is not correctly rounded in %d, its tan in %d, either "
      "in %d\n",
      phases.size(), misses.cos, misses.tan, misses.either);
}

TEST(CorrectlyRounded, CosAndTanOfLargeAngles) {
#if defined(__SANITIZE_ADDRESS__)
  const std::vector<double> angles = testing::LargeAngles(1000);
#else
  const std::vector<double> angles = testing::LargeAngles(10000);
#endif
  ExpectCorrectlyRounded(angles);
  std::printf("%zu large angles and their negatives\n", angles.size());
}

TEST(CorrectlyRounded, CosAndTanOfSmallAnglesAndAtTheEdges) {
  std::vector<double> angles = {5e-324, 1e-310, 1e-300, 1e-20, 1.5e-8, 1e-4, 0.1, 0.5};
  for (double x = 0.78; x < 0.79; x = std::nextafter(x, 1.0) + 1e-5) angles.push_back(x);
  for (const double edge : {0.785, 0.78539816339744828, 1.5707963267948966, 3.1415926535897931}) {
    double x = edge;
    for (int k = 0; k < 3; ++k) x = std::nextafter(x, 0.0);
    for (int k = 0; k < 7; ++k, x = std::nextafter(x, 2.0)) angles.push_back(x);
  }
  ExpectCorrectlyRounded(angles);

  EXPECT_EQ(BitsOf(CorrectlyRoundedTan(-0.0)), BitsOf(-0.0));
  EXPECT_EQ(CorrectlyRoundedCos(-0.0), 1.0);
  for (const double x : {INFINITY, -INFINITY, NAN}) {
    EXPECT_TRUE(std::isnan(CorrectlyRoundedCos(x)));
    EXPECT_TRUE(std::isnan(CorrectlyRoundedTan(x)));
  }
}

TEST(CorrectlyRounded, IsTheCosineBeyondWhereItsVectorKernelReduces) {
  const std::vector<double> angles = {823550.0, -1e6, 1e15, 1e300, -1.7e308, INFINITY};
  std::vector<double> cosines(angles.size());
  Cosines(angles, cosines);
  for (std::size_t i = 0; i < angles.size(); ++i) {
    EXPECT_EQ(BitsOf(cosines[i]), BitsOf(CorrectlyRoundedCos(angles[i]))) << angles[i];
    EXPECT_EQ(BitsOf(Cosine(angles[i])), BitsOf(CorrectlyRoundedCos(angles[i]))) << angles[i];
  }
}

}  // namespace
}  // namespace sho
