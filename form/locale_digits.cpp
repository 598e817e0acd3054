#include "form/locale_digits.h"

namespace sho {
namespace {

void AppendUtf8(std::string& text, char32_t c) {
  const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
  if (c < 0x80) {
    text += byte(c);
  } else if (c < 0x800) {
    text += byte(0xC0 | (c >> 6));
    text += byte(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += byte(0xE0 | (c >> 12));
    text += byte(0x80 | ((c >> 6) & 0x3F));
    text += byte(0x80 | (c & 0x3F));
  } else {
    text += byte(0xF0 | (c >> 18));
    text += byte(0x80 | ((c >> 12) & 0x3F));
    text += byte(0x80 | ((c >> 6) & 0x3F));
    text += byte(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string InLocaleDigits(std::string_view ascii, const NumberSymbols& symbols) {
  std::string text;
  for (const char c : ascii) {
    if (c >= '0' && c <= '9') {
      AppendUtf8(text, symbols.zero + static_cast<char32_t>(c - '0'));
    } else if (c == '.') {
      text += symbols.decimal;
    } else {
      text += c;
    }
  }
  return text;
}

}  // namespace sho
