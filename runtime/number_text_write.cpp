// Numbers to text, the same bytes on every platform and in every C locale: fmt's Dragonbox gives
// the shortest digits that read back and its exact decimal conversion gives rounded digits; the
// layout around the digits is the program's own.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "runtime/number_text.h"

#ifndef FMT_HEADER_ONLY
#define FMT_HEADER_ONLY
#endif
// Digits are never grouped, so fmt needs no std::locale, which would add 150 KB to WebAssembly.
#ifndef FMT_STATIC_THOUSANDS_SEPARATOR
#define FMT_STATIC_THOUSANDS_SEPARATOR ','
#endif
#include <fmt/compile.h>
#include <fmt/format.h>

namespace sho {
namespace {

// Zero has no sign in the file form and the list form: -0 is written as 0.
double Unsigned0(double x) { return x == 0.0 ? 0.0 : x; }

char* Append(char* out, const char* text, std::size_t length) {
  std::memcpy(out, text, length);
  return out + length;
}

char* AppendZeros(char* out, int count) {
  for (int k = 0; k < count; ++k) *out++ = '0';
  return out;
}

// "inf", "-inf", "nan" or "-nan", as std::to_chars writes them.
char* WriteNotFinite(char* out, double x) {
  if (std::signbit(x)) *out++ = '-';
  return Append(out, std::isnan(x) ? "nan" : "inf", 3);
}

// d.ddde+XX: at least two exponent digits, as printf writes them.
char* WriteExponentForm(char* out, const char* digits, int count, int exponent) {
  *out++ = digits[0];
  if (count > 1) {
    *out++ = '.';
    out = Append(out, digits + 1, static_cast<std::size_t>(count - 1));
  }
  *out++ = 'e';
  *out++ = exponent < 0 ? '-' : '+';
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude >= 100) *out++ = static_cast<char>('0' + magnitude / 100);
  *out++ = static_cast<char>('0' + magnitude / 10 % 10);
  *out++ = static_cast<char>('0' + magnitude % 10);
  return out;
}

// The digits d1 d2 ... dn with the value d1.d2...dn * 10^exponent, without an exponent.
char* WriteFixedForm(char* out, const char* digits, int count, int exponent) {
  if (exponent < 0) {
    out = Append(out, "0.", 2);
    out = AppendZeros(out, -exponent - 1);
    return Append(out, digits, static_cast<std::size_t>(count));
  }
  if (exponent >= count - 1) {
    out = Append(out, digits, static_cast<std::size_t>(count));
    return AppendZeros(out, exponent + 1 - count);
  }
  out = Append(out, digits, static_cast<std::size_t>(exponent + 1));
  *out++ = '.';
  return Append(out, digits + exponent + 1, static_cast<std::size_t>(count - exponent - 1));
}

int FixedLength(int count, int exponent) {
  if (exponent < 0) return count + 1 - exponent;
  return exponent >= count - 1 ? exponent + 1 : count + 1;
}

int ExponentLength(int count, int exponent) {
  return count + (count > 1 ? 1 : 0) + 2 + (exponent >= 100 || exponent <= -100 ? 3 : 2);
}

// From 2^53 on, not every whole number is a double, and a double's shortest digits padded with
// zeros may be another number: std::to_chars writes its exact digits ("1152921504606846976" for
// 2^60, whose shortest digits are 1152921504606847).
constexpr double kFirstInexactWholeNumber = 9007199254740992.0;

}  // namespace

char* WriteShortestText(char* out, double x) {
  x = Unsigned0(x);
  if (!std::isfinite(x)) return WriteNotFinite(out, x);
  if (x == 0.0) return Append(out, "0", 1);
  if (x < 0) *out++ = '-';
  // The digits fmt's own "{}" writes, but fmt lays them out otherwise ("100000" for 1e+05).
  const auto decimal = fmt::detail::dragonbox::to_decimal(std::fabs(x));
  const fmt::format_int digits(decimal.significand);
  const int count = static_cast<int>(digits.size());
  const int exponent = decimal.exponent + count - 1;
  // The shorter of the two forms, the fixed one where they are equally long.
  if (FixedLength(count, exponent) > ExponentLength(count, exponent)) {
    return WriteExponentForm(out, digits.data(), count, exponent);
  }
  if (exponent >= count && std::fabs(x) >= kFirstInexactWholeNumber) {
    return fmt::format_to(out, FMT_COMPILE("{:.0f}"), std::fabs(x));
  }
  return WriteFixedForm(out, digits.data(), count, exponent);
}

std::string ShortestText(double x) {
  char buffer[kMaxNumberTextLength];
  return std::string(buffer, WriteShortestText(buffer, x));
}

char* WriteText15G(char* out, double x) {
  x = Unsigned0(x);
  if (!std::isfinite(x)) return WriteNotFinite(out, x);
  return fmt::format_to(out, FMT_COMPILE("{:.15G}"), x);
}

char* WriteGeneralText(char* out, double x, int precision) {
  if (!std::isfinite(x)) return WriteNotFinite(out, x);
  return fmt::format_to(out, FMT_COMPILE("{:.{}g}"), x,
                        std::clamp(precision, 1, kMaxGeneralPrecision));
}

char* WriteWholeText(char* out, double x) {
  if (!(std::fabs(x) < 1e21)) return WriteShortestText(out, x);
  return fmt::format_to(out, FMT_COMPILE("{:.0f}"), x);
}

}  // namespace sho
