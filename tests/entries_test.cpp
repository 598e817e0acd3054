#include "run/entries.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <string>

#include "runtime/run_error.h"

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

// What the message about an entry that holds no number (or too large a one) shows of its text.
std::string Echo(const std::string& text) {
  try {
    EntryNumber(EntryTexts{{text, "", ""}, {}}, kEntryY0);
  } catch (const RunError& e) {
    return e.message().parts.at(1);
  }
  ADD_FAILURE() << "read as a number: " << text;
  return "";
}

// The number of characters of a UTF-8 text, as iconv reads it; none where it is not valid UTF-8.
std::optional<std::size_t> Utf8Characters(std::string text) {
  const iconv_t to_utf32 = iconv_open("UTF-32LE", "UTF-8");
  std::u32string characters(text.size(), U'\0');
  char* in = text.data();
  auto* out = reinterpret_cast<char*>(characters.data());
  std::size_t in_left = text.size(), out_left = characters.size() * sizeof(char32_t);
  const bool valid = iconv(to_utf32, &in, &in_left, &out, &out_left) != static_cast<size_t>(-1);
  iconv_close(to_utf32);
  if (!valid) return std::nullopt;
  return characters.size() - out_left / sizeof(char32_t);
}

TEST(Entries, AMessageEchoesAnEntryOnOneLineAndAtMost40CharactersCutBetweenCharacters) {
  EXPECT_EQ(Echo("1\n2\r3\t4\0015\x7F"), "1?2?3?4?5?");
  // A pasted entry of 100,000 characters, not a number or too large a one.
  std::string too_large(100'000, '0');
  too_large[0] = '1';
  for (const std::string& text : {std::string(100'000, 'x'), too_large}) {
    const std::string echo = Echo(text);
    ASSERT_EQ(echo.size(), 43u) << echo.substr(0, 60);
    EXPECT_EQ(echo, text.substr(0, 40) + "...");
  }

  // Characters of two, three and four bytes wherever the 40th byte falls in them.
  for (const std::string character : {"\u00E9", "\u06F1", "\u20AC", "\U0001F600"}) {
    for (std::size_t ascii = 34; ascii <= 40; ++ascii) {
      std::string text(ascii, 'x');
      for (int k = 0; k < 30; ++k) text += character;
      const std::string echo = Echo(text);
      SCOPED_TRACE(std::to_string(ascii) + " letters, then " + character + ": \"" + echo + "\"");
      ASSERT_TRUE(echo.ends_with("..."));
      const std::string kept = echo.substr(0, echo.size() - 3);
      EXPECT_TRUE(text.starts_with(kept));
      const std::optional<std::size_t> characters = Utf8Characters(kept);
      ASSERT_TRUE(characters.has_value()) << "cut inside a character";
      EXPECT_TRUE(*characters >= ascii && *characters <= 40) << *characters;
    }
  }
}

}  // namespace
}  // namespace sho
