#pragma once

#include <string>
#include <string_view>

namespace sho {

// How a locale writes numbers: its zero digit (the other nine follow it) and its decimal separator.
struct NumberSymbols {
  char32_t zero = U'0';
  std::string decimal = ".";  // UTF-8
};

// A number written with ASCII digits and ".", in the locale's digits and decimal separator (UTF-8);
// anything else in it ("e", "-") stays as it is.
std::string InLocaleDigits(std::string_view ascii, const NumberSymbols& symbols);

}  // namespace sho
