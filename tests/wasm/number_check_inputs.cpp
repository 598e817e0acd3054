// Writes the inputs number_check reads (see there): the sample doubles, texts and angles, and
// runs with typical phases, very large phases, runs that stop and entries that are not numbers.
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/number_samples.h"

int main() {
  using namespace sho::testing;
  for (const double x : SampleDoubles(200'000)) std::printf("d %016" PRIx64 "\n", BitsOf(x));
  for (const std::string& text : SampleNumberTexts(50'000)) std::printf("t %s\n", text.c_str());
  std::vector<double> angles = TypicalPhases(20'000);
  const std::vector<double> large = LargeAngles(2'000);
  angles.insert(angles.end(), large.begin(), large.end());
  angles.insert(angles.end(), {0.0, -0.0, 5e-324, 1e-300, 0.785, 823549.6, 823550.0, INFINITY});
  for (const double x : angles) std::printf("a %016" PRIx64 "\n", BitsOf(x));

  SampleRandom random(20261211);
  for (int k = 0; k < 20; ++k) {
    const long degrees = static_cast<long>(random.Below(144001)) - 72000;
    std::printf("r %s %ld.%02ld 0.001\n", k % 2 ? "1" : "-2.5", degrees / 100,
                (degrees < 0 ? -degrees : degrees) % 100);
  }
  for (const char* run : {"1 0 0.01", "1 0 0.1", "1 0 1", "20 45 0.0137", "1 1e10 0.001",
                          "3 -7.5e12 0.0005", "1e300 0 1", "1 90 0.01", "x 0 0.01", "1 0 abc",
                          "1 1,5 0.01", "1e400 0 0.01", "1 1e308 0.01"}) {
    std::printf("r %s\n", run);
  }
  return 0;
}
