#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The numbers the program's own number routines are checked on, against the C++ library's and
// MPFR's and between the native and the WebAssembly build. The same every time: drawn from a
// fixed seed by the program's own generator, so that every platform draws the same.
namespace sho::testing {

// SplitMix64: small, and the same sequence on every platform.
class SampleRandom {
 public:
  explicit SampleRandom(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next();
  // In [0, n).
  std::uint64_t Below(std::uint64_t n) { return Next() % n; }

 private:
  std::uint64_t state_;
};

double FromBits(std::uint64_t bits);
std::uint64_t BitsOf(double x);

// `random_count` random bit patterns (all exponents, subnormals, infinities and NaNs now and
// then), then the powers of two and ten with their neighbours, whole numbers (small ones, the
// ones around 2^53 and 1e22 where the file form changes), short decimals at every exponent, and
// the positions, velocities and exact positions of a few runs.
std::vector<double> SampleDoubles(int random_count);

// Texts of every form a number is typed in ("+1.5e-3", "007", ".5", "5.", long digit strings),
// the exact midpoints between neighbouring doubles and texts just off them, and texts beyond the
// double range at both ends. ASCII, with "." as the separator.
std::vector<std::string> SampleNumberTexts(int random_count);

// Phases as runs have them: `count` entries of degrees in +-720 with up to two decimals, turned
// into radians as a run turns them.
std::vector<double> TypicalPhases(int count);

// Angles from 1 to the largest double, evenly spread over the exponents, with the doubles
// closest to a multiple of pi/2.
std::vector<double> LargeAngles(int count);

}  // namespace sho::testing
