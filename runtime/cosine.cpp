#include "runtime/cosine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "runtime/correctly_rounded.h"

namespace sho {
namespace {

// Angles are reduced to r in [-pi/4, pi/4] with x = r + k pi/2. pi/2 is split into parts of which
// the first two have at most 33 significant bits, so k times either is exact for |k| < 2^20 and r
// comes out as hi + lo to far more than double precision; beyond that the correctly rounded cosine
// takes over.
constexpr double kTwoOverPi = 6.36619772367581382433e-01;
constexpr double kPiOver2Part1 = 1.57079632673412561417e+00;
constexpr double kPiOver2Part2 = 6.07710050630396597660e-11;
constexpr double kPiOver2Part3 = 2.02226624879595063154e-21;
constexpr double kLargestReduced = 823549.6;  // about 2^19 pi/2

// The bits of a double as an integer and back (std::bit_cast, which not every standard library
// has yet).
template <class To, class From>
To BitCast(const From& from) {
  static_assert(sizeof(To) == sizeof(From));
  To to;
  std::memcpy(&to, &from, sizeof(To));
  return to;
}

// Adding 1.5 * 2^52 rounds to an integer held in the low bits of the sum, in any vector register.
constexpr double kRoundingShift = 6755399441055744.0;

// The minimax polynomials of the fdlibm math library (Sun Microsystems), which are within a
// fraction of a unit in the last place on [-pi/4, pi/4]:
// cos(x) = 1 - x^2/2 + x^4 (C1 + C2 x^2 + ... + C6 x^10), sin(x) = x + x^3 (S1 + ... + S6 x^10).
constexpr double kC1 = 4.16666666666666019037e-02;
constexpr double kC2 = -1.38888888888741095749e-03;
constexpr double kC3 = 2.48015872894767294178e-05;
constexpr double kC4 = -2.75573143513906633035e-07;
constexpr double kC5 = 2.08757232129817482790e-09;
constexpr double kC6 = -1.13596475577881948265e-11;
constexpr double kS1 = -1.66666666666666324348e-01;
constexpr double kS2 = 8.33333333332248946124e-03;
constexpr double kS3 = -1.98412698298579493134e-04;
constexpr double kS4 = 2.75573137070700676789e-06;
constexpr double kS5 = -2.50507602534068634195e-08;
constexpr double kS6 = 1.58969099521155010221e-10;

// cos(x + y) for |x| <= pi/4 and y a tiny correction of x, with the leading subtraction split so
// that its rounding is not lost.
inline double CosKernel(double x, double y) {
  const double z = x * x;
  const double r = z * (kC1 + z * (kC2 + z * (kC3 + z * (kC4 + z * (kC5 + z * kC6)))));
  const double hz = 0.5 * z;
  const double w = 1.0 - hz;
  return w + (((1.0 - w) - hz) + (z * r - x * y));
}

// sin(x + y) for |x| <= pi/4, with y added to first order.
inline double SinKernel(double x, double y) {
  const double z = x * x;
  const double v = z * x;
  const double r = kS2 + z * (kS3 + z * (kS4 + z * (kS5 + z * kS6)));
  return x - ((z * (0.5 * y - v * r) - y) - v * kS1);
}

// Without branches, so that the compiler can run it on several angles at once; the result is
// meaningless where |x| > kLargestReduced, and the caller replaces it there.
inline double ReducedCosine(double x) {
  const double shifted = x * kTwoOverPi + kRoundingShift;
  const double k = shifted - kRoundingShift;
  // x - k pi/2 as hi + lo: the first product and subtraction are exact, the second keeps its
  // rounding error.
  const double r = x - k * kPiOver2Part1;
  const double s = r - k * kPiOver2Part2;
  const double s_part = s - r;
  const double error = (r - (s - s_part)) - (k * kPiOver2Part2 + s_part);
  const double tail = error - k * kPiOver2Part3;
  const double hi = s + tail;
  const double lo = tail - (hi - s);

  // cos(x) is cos(r), -sin(r), -cos(r), sin(r) for k = 0, 1, 2, 3 (mod 4), k's low bits being
  // those of `shifted`. Both kernels are computed and one is kept with a bit mask.
  const auto quadrant = BitCast<std::uint64_t>(shifted);
  const std::uint64_t odd = std::uint64_t{0} - (quadrant & 1);
  const std::uint64_t sign = ((quadrant + 1) & 2) << 62;
  const auto sin_bits = BitCast<std::uint64_t>(SinKernel(hi, lo));
  const auto cos_bits = BitCast<std::uint64_t>(CosKernel(hi, lo));
  return BitCast<double>(((sin_bits & odd) | (cos_bits & ~odd)) ^ sign);
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define SHO_VECTOR_CLONES __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define SHO_VECTOR_CLONES
#endif
#if defined(__GNUC__) && !defined(__clang__)
#define SHO_NO_ALIASING_IN_LOOP _Pragma("GCC ivdep")
#else
#define SHO_NO_ALIASING_IN_LOOP
#endif

// Returns whether any angle lies beyond kLargestReduced.
SHO_VECTOR_CLONES
bool ReducedCosines(const double* angles, double* cosines, int count) {
  int outside = 0;
  SHO_NO_ALIASING_IN_LOOP
  for (int i = 0; i < count; ++i) {
    cosines[i] = ReducedCosine(angles[i]);
    outside |= !(std::fabs(angles[i]) <= kLargestReduced);
  }
  return outside != 0;
}

}  // namespace

void Cosines(std::span<const double> angles, std::span<double> cosines) {
  const int count = static_cast<int>(std::min(angles.size(), cosines.size()));
  if (!ReducedCosines(angles.data(), cosines.data(), count)) return;
  for (int i = 0; i < count; ++i) {
    if (!(std::fabs(angles[i]) <= kLargestReduced)) cosines[i] = CorrectlyRoundedCos(angles[i]);
  }
}

double Cosine(double angle) {
  return std::fabs(angle) <= kLargestReduced ? ReducedCosine(angle) : CorrectlyRoundedCos(angle);
}

}  // namespace sho
