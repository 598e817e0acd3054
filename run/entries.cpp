#include "run/entries.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "runtime/run_error.h"

namespace sho {
namespace {

// Enough of what the user typed to recognise it in a message, on one line.
std::string Shown(const std::string& text) {
  constexpr std::size_t kShown = 40;
  std::size_t cut = std::min(text.size(), kShown);
  while (cut > 0 && cut < text.size() && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
    --cut;  // do not cut a multi-byte character in half
  }
  std::string shown = text.substr(0, cut);
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return cut < text.size() ? shown + "..." : shown;
}

// The first character of a UTF-8 text; nullopt when there is none or it is malformed.
std::optional<char32_t> FirstCharacter(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if ((lead >= 0x80 && lead < 0xC0) || lead >= 0xF8 || text.size() < length) return std::nullopt;
  char32_t c = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[k]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (next & 0x3F);
  }
  return c;
}

}  // namespace

EntryTexts ReadEntryTexts(std::array<std::string, kEntryCount> texts,
                          std::string_view decimal_separator) {
  EntryTexts entries{std::move(texts), {}};
  entries.locale.decimal_separator = FirstCharacter(decimal_separator).value_or(U'.');
  return entries;
}

double EntryNumber(const EntryTexts& entries, int index) {
  const std::string& text = entries.text.at(static_cast<std::size_t>(index));
  const std::string caption = kEntryCaptions.at(static_cast<std::size_t>(index));
  const ParsedNumber parsed = ParseNumber(text, entries.locale);
  switch (parsed.status) {
    case ParseStatus::kOk:
      return parsed.value;
    case ParseStatus::kOutOfRange:
      throw RunError(ErrorKind::kOverflow, EntryPlace{index, caption},
                     {SHO_TRANSLATE_NOOP("RunError",
                                         "The number in \"%1\" is too large: \"%2\". Type a "
                                         "number between -1.7E+308 and 1.7E+308."),
                      {caption, Shown(text)}});
    case ParseStatus::kNotANumber:
      break;
  }
  if (text.find_first_not_of(" \t") == std::string::npos) {
    throw RunError(
        ErrorKind::kTypeMismatch, EntryPlace{index, caption},
        {SHO_TRANSLATE_NOOP("RunError", "\"%1\" is empty. Type a number such as 1, -0.5 or 1e-3."),
         {caption}});
  }
  throw RunError(ErrorKind::kTypeMismatch, EntryPlace{index, caption},
                 {SHO_TRANSLATE_NOOP("RunError",
                                     "\"%1\" does not hold a number: \"%2\". Type a number such "
                                     "as 1, -0.5 or 1e-3."),
                  {caption, Shown(text)}});
}

}  // namespace sho
