#include "runtime/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

namespace sho {
namespace {

constexpr NumberLocale kDot{U'.'};
constexpr NumberLocale kComma{U','};
constexpr NumberLocale kPersian{U'\u066B'};

double Accepted(const std::string& text, NumberLocale locale = kDot) {
  const ParsedNumber parsed = ParseNumber(text, locale);
  EXPECT_EQ(parsed.status, ParseStatus::kOk) << "text: " << text;
  return parsed.value;
}

ParseStatus StatusOf(const std::string& text, NumberLocale locale = kDot) {
  return ParseNumber(text, locale).status;
}

TEST(ParseNumber, ReadsWhatUsersType) {
  EXPECT_EQ(Accepted("1"), 1.0);
  EXPECT_EQ(Accepted("0.01"), 0.01);
  EXPECT_EQ(Accepted("-0.5"), -0.5);
  EXPECT_EQ(Accepted("+2"), 2.0);
  EXPECT_EQ(Accepted(".5"), 0.5);
  EXPECT_EQ(Accepted("5."), 5.0);
  EXPECT_EQ(Accepted("1e-3"), 1e-3);
  EXPECT_EQ(Accepted("1E+3"), 1000.0);
  EXPECT_EQ(Accepted("-2.5e2"), -250.0);
  EXPECT_EQ(Accepted("007"), 7.0);
  EXPECT_EQ(Accepted("  0.1 \t"), 0.1);
  EXPECT_EQ(Accepted("\u00A00.1\u00A0"), 0.1);  // no-break spaces
  EXPECT_EQ(Accepted("\u2212"
                     "3"),
            -3.0);  // the minus sign
  // The closest double, as a compiler reads the same literal.
  EXPECT_EQ(Accepted("3.14159"), 3.14159);
  EXPECT_EQ(Accepted("0.1000000000000000055511151231257827"), 0.1);
}

TEST(ParseNumber, AcceptsTheLocalesSeparatorBesidesTheDot) {
  EXPECT_EQ(Accepted("1,5", kComma), 1.5);
  EXPECT_EQ(Accepted("1.5", kComma), 1.5);
  EXPECT_EQ(StatusOf("1,5", kDot), ParseStatus::kNotANumber);  // a group separator there
  EXPECT_EQ(StatusOf("1,000.5", kDot), ParseStatus::kNotANumber);
  EXPECT_EQ(StatusOf("1.000,5", kComma), ParseStatus::kNotANumber);
  EXPECT_EQ(StatusOf("1 000", kDot), ParseStatus::kNotANumber);
}

TEST(ParseNumber, ReadsPersianAndArabicIndicDigits) {
  EXPECT_EQ(Accepted("\u06F0\u066B\u06F0\u06F1", kPersian), 0.01);  // ۰٫۰۱
  EXPECT_EQ(Accepted("\u06F0\u066B\u06F0\u06F1", kDot), 0.01);  // ٫ is only ever a decimal point
  EXPECT_EQ(Accepted("\u0662\u0665"), 25.0);                    // ٢٥
  EXPECT_EQ(Accepted("\u200F-\u06F1\u06F2\u200E", kPersian), -12.0);  // direction marks around
  EXPECT_EQ(Accepted("\u06F1e\u06F3"), 1000.0);
}

TEST(ParseNumber, RejectsWhatIsNotANumber) {
  for (const std::string& text : std::initializer_list<std::string>{"",
                                                                    " ",
                                                                    "\t ",
                                                                    "abc",
                                                                    "1a",
                                                                    "a1",
                                                                    "nan",
                                                                    "NaN",
                                                                    "inf",
                                                                    "-inf",
                                                                    "infinity",
                                                                    "0x10",
                                                                    "1e",
                                                                    "1e+",
                                                                    "e5",
                                                                    ".",
                                                                    "-",
                                                                    "+-1",
                                                                    "--1",
                                                                    "1..2",
                                                                    "1.2.3",
                                                                    "1e5.5",
                                                                    "1 2",
                                                                    "1\n",
                                                                    "\n1",
                                                                    "1\r\n",
                                                                    std::string("1\0", 2),
                                                                    std::string("\0"
                                                                                "1",
                                                                                2),
                                                                    "\xff",
                                                                    "\xc3",
                                                                    "1\xe2\x80",
                                                                    "\xed\xa0\x80",
                                                                    "\xc0\x80",
                                                                    "\u06F1,\u06F2",
                                                                    "$1",
                                                                    "1%",
                                                                    "1/2",
                                                                    "\u0661\u066C\u0662"}) {
    EXPECT_EQ(StatusOf(text), ParseStatus::kNotANumber) << "text: " << text;
  }
}

TEST(ParseNumber, TellsNumbersBeyondTheDoubleRangeFromTinyOnes) {
  EXPECT_EQ(StatusOf("1e400"), ParseStatus::kOutOfRange);
  EXPECT_EQ(StatusOf("-1e400"), ParseStatus::kOutOfRange);
  EXPECT_EQ(StatusOf("1" + std::string(400, '0')), ParseStatus::kOutOfRange);
  EXPECT_EQ(StatusOf("0.001e99999999999999999999"), ParseStatus::kOutOfRange);
  EXPECT_EQ(Accepted("1.7976931348623157e308"), DBL_MAX);

  EXPECT_EQ(Accepted("1e-400"), 0.0);
  EXPECT_EQ(Accepted("0." + std::string(400, '0') + "1"), 0.0);
  EXPECT_EQ(Accepted("1000e-99999999999999999999"), 0.0);
  EXPECT_TRUE(std::signbit(Accepted("-1e-400")));
  EXPECT_EQ(Accepted("4.9e-324"), 4.9e-324);  // the smallest double still reads
}

TEST(ParseNumber, CopesWithVeryLongTexts) {
  EXPECT_EQ(Accepted("0." + std::string(100000, '3')), 1.0 / 3.0);
  EXPECT_EQ(StatusOf(std::string(100000, '9')), ParseStatus::kOutOfRange);
  EXPECT_EQ(StatusOf(std::string(100000, 'x')), ParseStatus::kNotANumber);
}

std::string Text15G(double x) {
  char buffer[kMaxNumberTextLength];
  return std::string(buffer, WriteText15G(buffer, x));
}

TEST(NumberText, FileFormIsTheShortestTextThatReadsBack) {
  EXPECT_EQ(ShortestText(1.0), "1");
  EXPECT_EQ(ShortestText(0.9975), "0.9975");
  EXPECT_EQ(ShortestText(-0.749375), "-0.749375");
  EXPECT_EQ(ShortestText(-0.0), "0");
  EXPECT_EQ(ShortestText(1e-5), "1e-05");
  EXPECT_EQ(ShortestText(1e22), "1e+22");
  EXPECT_EQ(ShortestText(100000.0), "1e+05");  // shorter than "100000"
  EXPECT_EQ(ShortestText(0.001), "0.001");     // as long as "1e-03": the fixed form
  EXPECT_EQ(ShortestText(std::ldexp(1.0, 60)), "1152921504606846976");  // not 1152921504606847000
  for (const double x : {0.1, 1.0 / 3.0, -263523.511624393, 93344.58588233248, 5e-324, DBL_MAX,
                         -123456789012345678.0}) {
    const std::string text = ShortestText(x);
    EXPECT_EQ(Accepted(text), x) << text;
    EXPECT_EQ(text.find(' '), std::string::npos);
  }
}

TEST(NumberText, ListFormIsPrintfsFifteenDigits) {
  EXPECT_EQ(Text15G(1.0), "1");
  EXPECT_EQ(Text15G(-0.05), "-0.05");
  EXPECT_EQ(Text15G(0.1), "0.1");
  EXPECT_EQ(Text15G(-263523.51162439294), "-263523.511624393");
  EXPECT_EQ(Text15G(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(Text15G(1.5e-7), "1.5E-07");
  EXPECT_EQ(Text15G(1e20), "1E+20");
  EXPECT_EQ(Text15G(123456789012345.0), "123456789012345");
  EXPECT_EQ(Text15G(1234567890123456.0), "1.23456789012346E+15");
  EXPECT_EQ(Text15G(-0.0), "0");
}

TEST(NumberText, GeneralAndWholeFormsAreThoseOfPrintf) {
  const auto general = [](double x, int precision) {
    char buffer[kMaxNumberTextLength];
    return std::string(buffer, WriteGeneralText(buffer, x, precision));
  };
  EXPECT_EQ(general(0.00123456, 3), "0.00123");
  EXPECT_EQ(general(1234567.0, 3), "1.23e+06");
  EXPECT_EQ(general(-0.0, 3), "-0");
  EXPECT_EQ(general(100.0, 3), "100");
  EXPECT_EQ(general(0.5, 0), "0.5");  // as printf, a precision of 0 counts as 1

  const auto whole = [](double x) {
    char buffer[kMaxNumberTextLength];
    return std::string(buffer, WriteWholeText(buffer, x));
  };
  EXPECT_EQ(whole(2.5), "2");  // halfway: to the even one
  EXPECT_EQ(whole(-0.4), "-0");
  EXPECT_EQ(whole(123456789012345678.0), "123456789012345680");
  EXPECT_EQ(whole(1e21), "1e+21");
}

}  // namespace
}  // namespace sho
