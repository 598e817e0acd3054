// Feeds arbitrary bytes to ParseNumber, as a user's text in one of several locales, and stops at
// the first text it reads wrongly: an accepted text must be a finite double whose file form reads
// back as the same double, a refused one must give 0, and where the text is plain ASCII the C
// library's strtod and std::from_chars must agree on whether it is a number and on its value.
// The number read, and the first eight bytes taken as the bits of a double, must be written as
// std::to_chars writes them, in every form the program writes.

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "runtime/number_text.h"

namespace {

using sho::NumberLocale;
using sho::ParsedNumber;
using sho::ParseNumber;
using sho::ParseStatus;

[[noreturn]] void Fail(const char* what, std::string_view text) {
  std::fprintf(stderr, "%s: \"%.*s\"\n", what, static_cast<int>(text.size()), text.data());
  std::abort();
}

// The first byte chooses the locale's decimal separator: ".", ",", the Arabic one, or any code
// point given by the two bytes after it.
NumberLocale TakeLocale(std::string_view& input) {
  const auto choice = static_cast<unsigned char>(input.front()) % 4;
  input.remove_prefix(1);
  switch (choice) {
    case 0:
      return {U'.'};
    case 1:
      return {U','};
    case 2:
      return {U'\u066B'};
    default:
      break;
  }
  char32_t separator = U'.';
  if (input.size() >= 2) {
    separator = static_cast<char32_t>(static_cast<unsigned char>(input[0]) << 8 |
                                      static_cast<unsigned char>(input[1]));
    input.remove_prefix(2);
  }
  return {separator};
}

void CheckAccepted(std::string_view text, double value) {
  if (!std::isfinite(value)) Fail("accepted, but not finite", text);
  char buffer[sho::kMaxNumberTextLength];
  const std::string_view file_form(
      buffer, static_cast<std::size_t>(sho::WriteShortestText(buffer, value) - buffer));
  const ParsedNumber back = ParseNumber(file_form, {U'.'});
  if (back.status != ParseStatus::kOk || back.value != value) {
    Fail("its file form does not read back as the same number", text);
  }
}

bool IsPlainNumberAscii(char c) {
  return (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-' ||
         c == ' ' || c == '\t';
}

// For texts of digits, signs, ".", "e" and blanks in the "." locale, strtod (in the C locale) is
// an independent reading of the same grammar.
void CompareWithStrtod(std::string_view text, const ParsedNumber& parsed) {
  for (const char c : text) {
    if (!IsPlainNumberAscii(c)) return;
  }
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    if (parsed.status != ParseStatus::kNotANumber) Fail("blank text accepted", text);
    return;
  }
  const std::string trimmed(text.substr(first, text.find_last_not_of(" \t") + 1 - first));
  char* end = nullptr;
  errno = 0;
  const double expected = std::strtod(trimmed.c_str(), &end);
  const bool whole = end == trimmed.c_str() + trimmed.size();
  if (whole != (parsed.status != ParseStatus::kNotANumber)) {
    Fail("strtod disagrees on whether this is a number", text);
  }
  if (!whole) return;
  if (std::isinf(expected) != (parsed.status == ParseStatus::kOutOfRange)) {
    Fail("strtod disagrees on whether this is out of range", text);
  }
  if (parsed.status == ParseStatus::kOk && parsed.value != expected) {
    Fail("strtod reads another value", text);
  }

  const std::size_t sign = trimmed.front() == '+' ? 1 : 0;
  double value = 0;
  const auto [from_chars_end, error] =
      std::from_chars(trimmed.data() + sign, trimmed.data() + trimmed.size(), value);
  if (error == std::errc() && from_chars_end == trimmed.data() + trimmed.size() &&
      (parsed.status != ParseStatus::kOk || parsed.value != value ||
       std::signbit(parsed.value) != std::signbit(value))) {
    Fail("std::from_chars reads another value", text);
  }
}

void Expect(const char* form, double x, const std::string& ours, const std::string& expected) {
  if (ours != expected) {
    std::fprintf(stderr, "%s of %a: \"%s\", std::to_chars: \"%s\"\n", form, x, ours.c_str(),
                 expected.c_str());
    std::abort();
  }
}

void CompareWithToChars(double x, int precision) {
  char ours[sho::kMaxNumberTextLength];
  char expected[400];
  const double unsigned0 = x == 0 ? 0.0 : x;
  const auto text = [](const char* begin, const char* end) { return std::string(begin, end); };
  Expect("file form", x, text(ours, sho::WriteShortestText(ours, x)),
         text(expected, std::to_chars(expected, expected + 400, unsigned0).ptr));
  std::string list_form =
      text(expected,
           std::to_chars(expected, expected + 400, unsigned0, std::chars_format::general, 15).ptr);
  for (char& c : list_form) c = c == 'e' ? 'E' : c;
  Expect("list form", x, text(ours, sho::WriteText15G(ours, x)), list_form);
  Expect(
      "general form", x, text(ours, sho::WriteGeneralText(ours, x, precision)),
      text(expected,
           std::to_chars(expected, expected + 400, x, std::chars_format::general, precision).ptr));
  if (std::fabs(x) < 1e21) {
    Expect("whole form", x, text(ours, sho::WriteWholeText(ours, x)),
           text(expected,
                std::to_chars(expected, expected + 400, x, std::chars_format::fixed, 0).ptr));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const NumberLocale locale = TakeLocale(input);

  const ParsedNumber parsed = ParseNumber(input, locale);
  if (parsed.status == ParseStatus::kOk) {
    CheckAccepted(input, parsed.value);
  } else if (parsed.value != 0.0) {
    Fail("refused, but the value is not 0", input);
  }
  if (locale.decimal_separator == U'.') CompareWithStrtod(input, parsed);

  const int precision = 1 + static_cast<int>(size % sho::kMaxGeneralPrecision);
  if (parsed.status == ParseStatus::kOk) CompareWithToChars(parsed.value, precision);
  if (size >= 8) {
    double bits;
    std::memcpy(&bits, data, sizeof bits);
    CompareWithToChars(bits, precision);
  }
  return 0;
}
