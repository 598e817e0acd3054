#include "runtime/number_text.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
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
  bool seen_point = false;
  for (; it != last; ++it) {
    const char32_t c = *it;
    if (const int d = DigitValue(c); d >= 0) {
      n.digits.push_back(static_cast<char>('0' + d));
      ++mantissa_digits;
    } else if (!seen_point && (c == U'.' || c == 0x066B || c == locale.decimal_separator)) {
      n.digits.push_back('.');
      seen_point = true;
    } else {
      break;
    }
  }
  if (mantissa_digits == 0) return std::nullopt;

  if (it != last && (*it == U'e' || *it == U'E')) {
    n.digits.push_back('e');
    ++it;
    if (it != last && (*it == U'+' || IsMinus(*it))) {
      if (IsMinus(*it++)) n.digits.push_back('-');
    }
    int exponent_digits = 0;
    for (; it != last && DigitValue(*it) >= 0; ++it, ++exponent_digits) {
      n.digits.push_back(static_cast<char>('0' + DigitValue(*it)));
    }
    if (exponent_digits == 0) return std::nullopt;
  }
  if (it != last) return std::nullopt;
  return n;
}

}  // namespace

ParsedNumber ParseNumber(std::string_view text, NumberLocale locale) {
  const auto normalized = Normalize(text, locale);
  if (!normalized) return {ParseStatus::kNotANumber, 0.0};

  // Correctly rounded, as std::from_chars reads, but a magnitude beyond the double range reads
  // as infinity and one below the smallest double as zero, where std::from_chars reports them.
  const std::string& digits = normalized->digits;
  double value = 0.0;
  const auto [end, error] = fast_float::from_chars(digits.data(), digits.data() + digits.size(),
                                                   value, fast_float::chars_format::general);
  if (error != std::errc() || end != digits.data() + digits.size() || std::isnan(value)) {
    return {ParseStatus::kNotANumber, 0.0};
  }
  if (std::isinf(value)) return {ParseStatus::kOutOfRange, 0.0};
  return {ParseStatus::kOk, normalized->negative ? -value : value};
}

}  // namespace sho
