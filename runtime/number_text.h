#pragma once

#include <string>
#include <string_view>

namespace sho {

// What a user's locale adds to reading a number: its own decimal separator ("," in German, "٫" in
// Persian). "." is accepted whatever the locale.
struct NumberLocale {
  char32_t decimal_separator = U'.';
};

enum class ParseStatus { kOk, kNotANumber, kOutOfRange };

struct ParsedNumber {
  ParseStatus status;
  double value;  // finite when status is kOk, otherwise 0
};

// Reads a number as a user types it (UTF-8). Blanks around it are ignored; it may have a sign, "."
// or the locale's decimal separator (or "٫", which is never anything else), Western, Persian or
// Arabic-Indic digits and an exponent ("1e-3"). Group separators, "nan", "inf", hexadecimal and
// anything else are not a number; a magnitude beyond the double range is out of range, one below
// the smallest double reads as zero.
ParsedNumber ParseNumber(std::string_view text, NumberLocale locale);

// The longest text the file form or the list form of a double can take, with room to spare.
inline constexpr int kMaxNumberTextLength = 32;

// The file form of a number: the shortest text that reads back as the same double, "-" before a
// negative number, "." as separator, a zero before the point of a number below 1 ("0.9975",
// "-263523.51162439294", "1e-05"). Writes at `out` and returns the end; `out` must have room for
// kMaxNumberTextLength characters.
char* WriteShortestText(char* out, double x);
std::string ShortestText(double x);

// The number with at most 15 significant digits, as printf's "%.15G" writes it in the C locale
// ("0.9975", "-263523.511624393", "1.5E-07", "1E+20"). Same contract as WriteShortestText.
char* WriteText15G(char* out, double x);

// The number with at most `precision` significant digits, as printf's "%.<precision>g" writes it
// in the C locale ("0.00123", "1.23e+06", "-0"); `precision` counts from 1 to
// kMaxGeneralPrecision. Same contract as WriteShortestText.
inline constexpr int kMaxGeneralPrecision = 17;
char* WriteGeneralText(char* out, double x, int precision);

// The number rounded to a whole one, as printf's "%.0f" writes it in the C locale ("3", "-0",
// "1000000"), below 1e21 in magnitude; from there on, in the file form ("1e+21"). Same contract as
// WriteShortestText.
char* WriteWholeText(char* out, double x);

}  // namespace sho
