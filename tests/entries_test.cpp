#include "run/entries.h"

#include <gtest/gtest.h>

namespace sho {
namespace {

TEST(Entries, AreReadWithTheDecimalSeparatorTheLocaleGives) {
  const EntryTexts persian = ReadEntryTexts({"1", "\u06F0\u066B\u06F5", "0.01"}, "\u066B");
  EXPECT_EQ(persian.locale.decimal_separator, U'\u066B');
  EXPECT_EQ(EntryNumber(persian, 1), 0.5);
  EXPECT_EQ(persian.text[2], "0.01");

  EXPECT_EQ(EntryNumber(ReadEntryTexts({"1,5", "", ""}, ","), 0), 1.5);
  // None given, or not one character of UTF-8: only "." separates.
  EXPECT_EQ(ReadEntryTexts({}, "").locale.decimal_separator, U'.');
  EXPECT_EQ(ReadEntryTexts({}, "\xD9").locale.decimal_separator, U'.');
  EXPECT_EQ(ReadEntryTexts({}, "\xAB").locale.decimal_separator, U'.');
}

}  // namespace
}  // namespace sho
