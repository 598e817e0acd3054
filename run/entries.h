#pragma once

#include <array>
#include <string>
#include <string_view>

#include "runtime/number_text.h"

namespace sho {

// The three entry boxes of the window, by index.
enum EntryIndex { kEntryY0 = 0, kEntryPhiDegrees = 1, kEntryTimeStep = 2 };
inline constexpr int kEntryCount = 3;
inline constexpr std::array<const char*, kEntryCount> kEntryCaptions = {"y(0)", "Phi(0)Degree",
                                                                        "Time step<0.01"};

// The entry texts as a run reads them (UTF-8), with the user's locale for reading them as numbers.
struct EntryTexts {
  std::array<std::string, kEntryCount> text;
  NumberLocale locale;
};

// The entries as typed (UTF-8), to be read with the decimal separator that the user's locale
// writes, as its library gives it in UTF-8 ("," in German, "٫" in Persian): its first character,
// "." when it gives none.
EntryTexts ReadEntryTexts(std::array<std::string, kEntryCount> texts,
                          std::string_view decimal_separator);

// The number in entry `index`. Throws a type mismatch, or an overflow for a number beyond the
// double range, naming the entry.
double EntryNumber(const EntryTexts& entries, int index);

}  // namespace sho
