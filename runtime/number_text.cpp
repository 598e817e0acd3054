#include "runtime/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <system_error>

namespace sho {
namespace {

// Decodes one UTF-8 code point at `pos`, advancing it; nullopt for a malformed sequence.
std::optional<char32_t> DecodeUtf8(std::string_view s, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  int length = 0;
  char32_t cp = 0;
  if (lead < 0x80) {
    length = 1;
    cp = lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    cp = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (pos + length > s.size()) return std::nullopt;
  for (int k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(s[pos + k]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (next & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    return std::nullopt;
  }
  pos += length;
  return cp;
}

// Blanks a user may leave around a number, including the invisible direction marks that
// right-to-left text puts around digits. Line breaks and NUL are not blanks.
bool IsBlank(char32_t c) {
  return c == U' ' || c == U'\t' || c == 0x00A0 || (c >= 0x2000 && c <= 0x200B) || c == 0x202F ||
         c == 0x205F || c == 0x3000 || c == 0x200E || c == 0x200F || c == 0x061C || c == 0xFEFF;
}

int DigitValue(char32_t c) {
  if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
  if (c >= 0x0660 && c <= 0x0669) return static_cast<int>(c - 0x0660);  // Arabic-Indic
  if (c >= 0x06F0 && c <= 0x06F9) return static_cast<int>(c - 0x06F0);  // Persian
  return -1;
}

bool IsMinus(char32_t c) { return c == U'-' || c == 0x2212; }

// The text as ASCII digits, one '.', 'e' and signs; nullopt when it is not a number.
struct Normalized {
  bool negative = false;
  std::string digits;  // mantissa and exponent, as from_chars reads them
  long magnitude_hint = 0;
};

std::optional<Normalized> Normalize(std::string_view text, NumberLocale locale) {
  std::u32string chars;
  chars.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const auto cp = DecodeUtf8(text, pos);
    if (!cp) return std::nullopt;
    chars.push_back(*cp);
  }
  auto first = std::find_if_not(chars.begin(), chars.end(), IsBlank);
  auto last = std::find_if_not(chars.rbegin(), std::make_reverse_iterator(first), IsBlank).base();
  if (first == last) return std::nullopt;

  Normalized n;
  n.digits.reserve(static_cast<std::size_t>(last - first));
  auto it = first;
  if (*it == U'+' || IsMinus(*it)) n.negative = IsMinus(*it++);

  int mantissa_digits = 0;
  long integer_digits = 0;  // significant digits before the point
  long leading_zeros = 0;   // zeros right after the point while no significant digit was seen
  bool seen_point = false;
  bool seen_significant = false;
  for (; it != last; ++it) {
    const char32_t c = *it;
    if (const int d = DigitValue(c); d >= 0) {
      n.digits.push_back(static_cast<char>('0' + d));
      ++mantissa_digits;
      if (d != 0) seen_significant = true;
      if (!seen_point && seen_significant) ++integer_digits;
      if (seen_point && !seen_significant) ++leading_zeros;
    } else if (!seen_point && (c == U'.' || c == 0x066B || c == locale.decimal_separator)) {
      n.digits.push_back('.');
      seen_point = true;
    } else {
      break;
    }
  }
  if (mantissa_digits == 0) return std::nullopt;

  long exponent = 0;
  if (it != last && (*it == U'e' || *it == U'E')) {
    n.digits.push_back('e');
    ++it;
    bool exponent_negative = false;
    if (it != last && (*it == U'+' || IsMinus(*it))) {
      exponent_negative = IsMinus(*it++);
      if (exponent_negative) n.digits.push_back('-');
    }
    int exponent_digits = 0;
    for (; it != last && DigitValue(*it) >= 0; ++it, ++exponent_digits) {
      const int d = DigitValue(*it);
      n.digits.push_back(static_cast<char>('0' + d));
      exponent = std::min(exponent * 10 + d, 1'000'000'000L);
    }
    if (exponent_digits == 0) return std::nullopt;
    if (exponent_negative) exponent = -exponent;
  }
  if (it != last) return std::nullopt;

  // Roughly the decimal exponent of the value; only its sign matters, to tell a number too large
  // for a double from one too small.
  n.magnitude_hint = (integer_digits > 0 ? integer_digits : -leading_zeros) + exponent;
  return n;
}

}  // namespace

ParsedNumber ParseNumber(std::string_view text, NumberLocale locale) {
  const auto normalized = Normalize(text, locale);
  if (!normalized) return {ParseStatus::kNotANumber, 0.0};

  const std::string& digits = normalized->digits;
  double value = 0.0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                            std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    if (normalized->magnitude_hint > 0) return {ParseStatus::kOutOfRange, 0.0};
    value = 0.0;  // below the smallest double
  } else if (error != std::errc() || end != digits.data() + digits.size() ||
             !std::isfinite(value)) {
    return {ParseStatus::kNotANumber, 0.0};
  }
  return {ParseStatus::kOk, normalized->negative ? -value : value};
}

namespace {
// Zero has no sign in either form: -0 is written as 0.
double Unsigned0(double x) { return x == 0.0 ? 0.0 : x; }
}  // namespace

char* WriteShortestText(char* out, double x) {
  x = Unsigned0(x);
  return std::to_chars(out, out + kMaxNumberTextLength, x).ptr;
}

std::string ShortestText(double x) {
  char buffer[kMaxNumberTextLength];
  return std::string(buffer, WriteShortestText(buffer, x));
}

char* WriteText15G(char* out, double x) {
  x = Unsigned0(x);
  char* end = std::to_chars(out, out + kMaxNumberTextLength, x, std::chars_format::general, 15).ptr;
  std::replace(out, end, 'e', 'E');
  return end;
}

char* WriteGeneralText(char* out, double x, int precision) {
  return std::to_chars(out, out + kMaxNumberTextLength, x, std::chars_format::general, precision)
      .ptr;
}

char* WriteWholeText(char* out, double x) {
  // With no decimals and no grouping, nothing of the C locale shows in the text.
  const int length = std::snprintf(out, kMaxWholeTextLength, "%.0f", x);
  return out + std::clamp(length, 0, kMaxWholeTextLength - 1);
}

}  // namespace sho
