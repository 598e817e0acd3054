#pragma once

#include <cstddef>

namespace sho {

// One finished translation of the program's translation file.
struct TranslatedText {
  const char* context;
  const char* source;       // the English text
  const char* translation;  // UTF-8
};

// Every finished Persian translation, made from the translation file when the page is built.
extern const TranslatedText kPersianTexts[];
extern const std::size_t kPersianTextCount;

}  // namespace sho
