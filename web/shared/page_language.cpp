#include "web/shared/page_language.h"

#include <map>
#include <string_view>
#include <utility>

#include "web/shared/catalogue.h"

namespace sho {
namespace {

bool& Persian() {
  static bool persian = false;
  return persian;
}

using Catalogue = std::map<std::pair<std::string_view, std::string_view>, const char*>;

const Catalogue& PersianCatalogue() {
  static const Catalogue catalogue = [] {
    Catalogue made;
    for (std::size_t k = 0; k < kPersianTextCount; ++k) {
      const TranslatedText& text = kPersianTexts[k];
      made.emplace(std::pair<std::string_view, std::string_view>(text.context, text.source),
                   text.translation);
    }
    return made;
  }();
  return catalogue;
}

}  // namespace

void SetPageLanguage(std::string_view language) { Persian() = language == "fa"; }

std::string PageTranslation(const char* context, const char* text) {
  if (!Persian()) return text;
  const Catalogue& catalogue = PersianCatalogue();
  const auto found = catalogue.find({context, text});
  return found == catalogue.end() ? std::string(text) : std::string(found->second);
}

std::string InPageLanguage(const Message& message) { return Render(message, PageTranslation); }

std::string PageDigits() {
  // Persian writes the Extended Arabic-Indic digits.
  const NumberSymbols digits{Persian() ? U'\u06F0' : U'0', "."};
  return InLocaleDigits("0123456789", digits);
}

}  // namespace sho
