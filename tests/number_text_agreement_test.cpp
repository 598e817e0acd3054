// The program's own route for numbers and their text, which every build shares, against the C++
// library's std::to_chars and std::from_chars, which the native build had before: the same bytes
// and the same doubles over about 1.4 million doubles and 900,000 texts.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "runtime/number_text.h"
#include "tests/number_samples.h"

namespace sho {
namespace {

using testing::BitsOf;

#if defined(__SANITIZE_ADDRESS__)
constexpr int kRandomCount = 100'000;  // the sanitizers make every number ten times slower
#else
constexpr int kRandomCount = 1'000'000;
#endif

std::string Std(double x, std::chars_format format, int precision) {
  char buffer[400];
  return std::string(buffer,
                     std::to_chars(buffer, buffer + sizeof buffer, x, format, precision).ptr);
}

std::string StdShortest(double x) {
  char buffer[kMaxNumberTextLength];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, x).ptr);
}

template <typename Write, typename... Args>
std::string Ours(Write write, double x, Args... args) {
  char buffer[kMaxNumberTextLength];
  return std::string(buffer, write(buffer, x, args...));
}

// Stops a comparison after a few differences, each reported with the number's bits.
class Differences {
 public:
  bool Check(bool same, const std::string& what) {
    if (!same && ++count_ <= 10) ADD_FAILURE() << what;
    return count_ < 10;
  }

 private:
  int count_ = 0;
};

std::string Described(double x) {
  return StdShortest(x) + " (bits " + std::to_string(BitsOf(x)) + ")";
}

TEST(NumberTextRoute, WritesWhatStdToCharsWrites) {
  const std::vector<double> doubles = testing::SampleDoubles(kRandomCount);
  Differences differences;
  for (std::size_t k = 0; k < doubles.size(); ++k) {
    const double x = doubles[k];
    const double unsigned0 = x == 0 ? 0.0 : x;
    std::string std_15g = Std(unsigned0, std::chars_format::general, 15);
    for (char& c : std_15g) c = c == 'e' ? 'E' : c;
    const int precision = 1 + static_cast<int>(k % kMaxGeneralPrecision);
    const bool same =
        differences.Check(ShortestText(x) == StdShortest(unsigned0), "shortest " + Described(x)) &&
        differences.Check(Ours(WriteText15G, x) == std_15g, "15G " + Described(x)) &&
        differences.Check(
            Ours(WriteGeneralText, x, precision) == Std(x, std::chars_format::general, precision),
            "general " + std::to_string(precision) + " " + Described(x)) &&
        differences.Check(!(std::fabs(x) < 1e21) ||
                              Ours(WriteWholeText, x) == Std(x, std::chars_format::fixed, 0),
                          "whole " + Described(x)) &&
        differences.Check(!std::isfinite(x) || ParseNumber(ShortestText(x), {}).value == x,
                          "read back " + Described(x));
    if (!same) return;
  }
  std::printf("%zu doubles written four ways and read back\n", doubles.size());
}

// What std::from_chars reads; where it reports a number beyond the double range, strtod tells
// whether it is too large (out of range) or too small (zero).
ParsedNumber StdParsed(const std::string& text) {
  const std::size_t first = text.front() == '+' ? 1 : 0;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data() + first, text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    value = std::strtod(text.c_str(), nullptr);
    if (std::isinf(value)) return {ParseStatus::kOutOfRange, 0.0};
  } else if (error != std::errc() || end != text.data() + text.size()) {
    return {ParseStatus::kNotANumber, 0.0};
  }
  return {ParseStatus::kOk, value};
}

bool SameParsed(const ParsedNumber& a, const ParsedNumber& b) {
  return a.status == b.status && BitsOf(a.value) == BitsOf(b.value);
}

TEST(NumberTextRoute, ReadsWhatStdFromCharsReads) {
  std::vector<std::string> texts = testing::SampleNumberTexts(kRandomCount / 5);
  for (const double x : testing::SampleDoubles(kRandomCount / 5)) {
    if (std::isfinite(x)) texts.insert(texts.end(), {ShortestText(x), Ours(WriteText15G, x)});
  }
  Differences differences;
  for (const std::string& text : texts) {
    if (!differences.Check(SameParsed(ParseNumber(text, {}), StdParsed(text)), "read " + text)) {
      return;
    }
  }
  std::printf("%zu texts read\n", texts.size());
}

}  // namespace
}  // namespace sho
