#include "runtime/correctly_rounded.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "runtime/quad.h"

namespace sho {
namespace {

// 2/pi in binary, 32 bits a word from the point on (2/pi = 0.A2F9836E 4E441529 ...): enough for
// the largest double, whose reduction needs the words from 30 on.
constexpr std::uint32_t kTwoOverPi[] = {
    0xA2F9836E, 0x4E441529, 0xFC2757D1, 0xF534DDC0, 0xDB629599, 0x3C439041, 0xFE5163AB, 0xDEBBC561,
    0xB7246E3A, 0x424DD2E0, 0x06492EEA, 0x09D1921C, 0xFE1DEB1C, 0xB129A73E, 0xE88235F5, 0x2EBB4484,
    0xE99C7026, 0xB45F7E41, 0x3991D639, 0x835339F4, 0x9C845F8B, 0xBDF9283B, 0x1FF897FF, 0xDE05980F,
    0xEF2F118B, 0x5A0A6D1F, 0x6D367ECF, 0x27CB09B7, 0x4F463F66, 0x9E5FEA2D, 0x7527BAC7, 0xEBE5F17B,
    0x3D0739F7, 0x8A5292EA, 0x6BFB5FB1, 0x1F8D5D08, 0x56033046, 0xFC7B6BAB, 0xF0CFBC20, 0x9AF4361D};

// pi/2 * 2^62 to 128 bits: 0x6487ED5110B4611A.62633145C06E0E68...
constexpr std::uint64_t kPiOver2High = 0x6487ED5110B4611A;
constexpr std::uint64_t kPiOver2Low = 0x62633145C06E0E68;

Quad PowerOfTwo(int n) { return static_cast<Quad>(std::ldexp(1.0, n)); }

// An angle as x = (4 n + quadrant) pi/2 + r with |r| <= pi/4.
struct Reduced {
  int quadrant;
  Quad r;
};

// The 32 bits of the little-endian number `limbs` from bit `position` (>= 0) on.
std::uint32_t BitsFrom(const std::uint32_t* limbs, int count, int position) {
  const int limb = position / 32;
  const auto low = limb < count ? std::uint64_t{limbs[limb]} : 0;
  const auto high = limb + 1 < count ? std::uint64_t{limbs[limb + 1]} : 0;
  return static_cast<std::uint32_t>((low | high << 32) >> (position % 32));
}

// x in quarter turns, x 2/pi: the whole ones mod 4, and 192 bits of the fraction (little-endian).
struct QuarterTurns {
  int whole;
  std::array<std::uint32_t, 6> fraction;
};

// Payne and Hanek's way: x = m 2^e, m a whole number of 53 bits, is multiplied as a whole number
// by the bits of 2/pi that matter. Words of 2/pi whose product with m is a multiple of 4 quarter
// turns are skipped; the 9 after them leave an error below 2^-200 quarter turns.
QuarterTurns InQuarterTurns(double x) {
  int e = 0;
  const auto m = static_cast<std::uint64_t>(std::ldexp(std::frexp(x, &e), 53));
  e -= 53;
  constexpr int kWords = 9;
  const int skipped = e > 2 ? (e - 2) / 32 : 0;
  std::uint32_t product[kWords + 2] = {};
  const std::uint64_t m_limbs[2] = {m & 0xFFFFFFFF, m >> 32};
  for (int i = 0; i < kWords; ++i) {
    const std::uint64_t word = kTwoOverPi[skipped + kWords - 1 - i];
    std::uint64_t carry = 0;
    for (int j = 0; j < 2; ++j) {
      const std::uint64_t t = word * m_limbs[j] + product[i + j] + carry;
      product[i + j] = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
    product[i + 2] = static_cast<std::uint32_t>(carry);
  }
  const int point = 32 * (skipped + kWords) - e;  // fraction bits of the product
  QuarterTurns turns{static_cast<int>(BitsFrom(product, kWords + 2, point) & 3), {}};
  for (int i = 0; i < 6; ++i) {
    turns.fraction[i] = BitsFrom(product, kWords + 2, point - 192 + 32 * i);
  }
  return turns;
}

// The fraction, below a half, as a Quad: its first 129 to 160 significant bits, rounded.
Quad ToQuad(const std::array<std::uint32_t, 6>& fraction) {
  int top = 5;
  while (top >= 0 && fraction[top] == 0) --top;
  if (top < 0) return 0;
  const auto limb = [&](int i) { return i >= 0 ? std::uint64_t{fraction[i]} : 0; };
  const Quad high = static_cast<Quad>(limb(top) << 32 | limb(top - 1));
  const Quad middle = static_cast<Quad>(limb(top - 2) << 32 | limb(top - 3));
  const Quad low = static_cast<Quad>(limb(top - 4));
  return ((high * PowerOfTwo(64) + middle) * PowerOfTwo(32) + low) *
         PowerOfTwo(32 * (top - 4) - 192);
}

// For a finite x >= 0. No double lies closer than about 2^-61 quarter turns to a multiple of
// pi/2, so r keeps well over 113 significant bits.
Reduced ReduceQuarterTurns(double x) {
  if (x < 0.785) return {0, static_cast<Quad>(x)};  // below pi/4 already
  QuarterTurns turns = InQuarterTurns(x);
  // Past half a quarter turn, r is taken from the next quarter turn: fraction - 1.
  const bool past_half = (turns.fraction[5] >> 31) != 0;
  if (past_half) {
    turns.whole = (turns.whole + 1) & 3;
    std::uint64_t borrow = 0;
    for (std::uint32_t& limb : turns.fraction) {
      const std::uint64_t t = std::uint64_t{0} - limb - borrow;
      limb = static_cast<std::uint32_t>(t);
      borrow = t >> 63;
    }
  }
  static const Quad pi_over_2 = static_cast<Quad>(kPiOver2High) * PowerOfTwo(-62) +
                                static_cast<Quad>(kPiOver2Low) * PowerOfTwo(-126);
  const Quad r = ToQuad(turns.fraction) * pi_over_2;
  return {turns.whole, past_half ? -r : r};
}

// Taylor series on |r| <= pi/4, where 16 terms reach below 2^-117 of the sum:
// cos r = sum (-1)^n r^2n / (2n)!, sin r = r sum (-1)^n r^2n / (2n + 1)!.
constexpr int kTerms = 16;
struct Series {
  std::array<Quad, kTerms> cos, sin;
};

const Series& TaylorSeries() {
  static const Series series = [] {
    Series s{};
    Quad factorial = 1;  // exact: up to 31! has fewer than 113 significant bits
    for (int n = 0; n < kTerms; ++n) {
      const Quad sign = n % 2 ? -1 : 1;
      if (n > 0) factorial *= (2 * n - 1) * (2 * n);
      s.cos[n] = sign / factorial;
      s.sin[n] = sign / (factorial * (2 * n + 1));
    }
    return s;
  }();
  return series;
}

Quad SumSeries(const std::array<Quad, kTerms>& coefficients, Quad z) {
  Quad sum = coefficients[kTerms - 1];
  for (int n = kTerms - 2; n >= 0; --n) sum = sum * z + coefficients[n];
  return sum;
}

Quad CosOfReduced(Quad r) { return SumSeries(TaylorSeries().cos, r * r); }
Quad SinOfReduced(Quad r) { return r * SumSeries(TaylorSeries().sin, r * r); }

}  // namespace

double CorrectlyRoundedCos(double x) {
  if (!std::isfinite(x)) return std::numeric_limits<double>::quiet_NaN();
  const Reduced reduced = ReduceQuarterTurns(std::fabs(x));
  switch (reduced.quadrant) {
    case 0:
      return static_cast<double>(CosOfReduced(reduced.r));
    case 1:
      return static_cast<double>(-SinOfReduced(reduced.r));
    case 2:
      return static_cast<double>(-CosOfReduced(reduced.r));
    default:
      return static_cast<double>(SinOfReduced(reduced.r));
  }
}

double CorrectlyRoundedTan(double x) {
  if (!std::isfinite(x)) return std::numeric_limits<double>::quiet_NaN();
  const Reduced reduced = ReduceQuarterTurns(std::fabs(x));
  const Quad sin = SinOfReduced(reduced.r);
  const Quad cos = CosOfReduced(reduced.r);
  const Quad tan = reduced.quadrant % 2 ? -cos / sin : sin / cos;
  return static_cast<double>(std::signbit(x) ? -tan : tan);
}

}  // namespace sho
