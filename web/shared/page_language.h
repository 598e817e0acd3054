#pragma once

#include <string>
#include <string_view>

#include "form/locale_digits.h"
#include "form/message.h"

namespace sho {

// The language the page shows its texts in, as the page's script chose it from the browser's
// (translate.js): "fa" for Persian, anything else for English, the program's own language.
void SetPageLanguage(std::string_view language);

// A text of `context` in the page's language; a text without a finished translation stays English.
std::string PageTranslation(const char* context, const char* text);

// A message in the page's language, filled in.
std::string InPageLanguage(const Message& message);

// The ten digits of the page's language, "0" to "9", UTF-8.
std::string PageDigits();

}  // namespace sho
