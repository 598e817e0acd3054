#include "tests/number_samples.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "run/run.h"
#include "run/stepping.h"

namespace sho::testing {

std::uint64_t SampleRandom::Next() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EB;
  return z ^ (z >> 31);
}

double FromBits(std::uint64_t bits) {
  double x;
  std::memcpy(&x, &bits, sizeof x);
  return x;
}

std::uint64_t BitsOf(double x) {
  std::uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  return bits;
}

namespace {

void AddWithNeighbours(std::vector<double>& out, double x) {
  double below = x, above = x;
  out.push_back(x);
  for (int k = 0; k < 2; ++k) {
    below = std::nextafter(below, -INFINITY);
    above = std::nextafter(above, INFINITY);
    out.push_back(below);
    out.push_back(above);
  }
}

void AddWholeNumbers(std::vector<double>& out, SampleRandom& random) {
  for (int n = 0; n <= 20000; ++n) out.push_back(n);
  for (int k = 0; k < 20000; ++k) {
    out.push_back(static_cast<double>(random.Next() >> random.Below(64)));
    // 2^53 to 2^74 (past 1e22), where whole numbers are written out in full.
    out.push_back(std::ldexp(static_cast<double>(random.Next() >> 11), 1 + random.Below(21)));
  }
}

// d * 10^k with few digits d, for every exponent k.
void AddShortDecimals(std::vector<double>& out, SampleRandom& random, int count) {
  for (int k = 0; k < count; ++k) {
    const std::string text = std::to_string(1 + random.Below(99999)) + "e" +
                             std::to_string(static_cast<int>(random.Below(650)) - 335);
    double x = 0;
    std::from_chars(text.data(), text.data() + text.size(), x);
    out.push_back(k % 2 ? -x : x);
  }
}

// What a run computes: positions, velocities and exact positions, step by step, until it ends or
// stops.
void AddRunNumbers(std::vector<double>& out) {
  const char* const runs[][3] = {{"1", "0", "0.01"},        {"1", "30", "0.001"},
                                 {"-3.5", "-60", "0.0137"}, {"20", "135.5", "0.1"},
                                 {"0.25", "720", "0.005"},  {"1e-3", "45", "1"}};
  for (const auto& entries : runs) {
    const RunConstants run = PrepareRun({{entries[0], entries[1], entries[2]}, {}});
    const ExactCurve exact(run, kStepCount);
    out.push_back(run.start.v);
    out.push_back(run.amplitude);
    OscillatorState s = run.start;
    try {
      for (std::int16_t i = 1; i <= kStepCount; ++i) {
        s = AdvanceStep(run, s, i);
        out.insert(out.end(), {s.y, s.v, run.amplitude * exact.ExactFactor(i)});
      }
    } catch (const RunError&) {
    }
  }
}

}  // namespace

std::vector<double> SampleDoubles(int random_count) {
  SampleRandom random(20261207);
  std::vector<double> out;
  for (int k = 0; k < random_count; ++k) out.push_back(FromBits(random.Next()));
  for (int e = -1074; e <= 1023; ++e) AddWithNeighbours(out, std::ldexp(e % 2 ? 1.0 : -1.0, e));
  for (int e = -323; e <= 308; ++e) {
    const std::string text = "1e" + std::to_string(e);
    double x = 0;
    std::from_chars(text.data(), text.data() + text.size(), x);
    AddWithNeighbours(out, x);
  }
  AddWholeNumbers(out, random);
  AddShortDecimals(out, random, random_count / 5);
  AddRunNumbers(out);
  out.insert(out.end(), {0.0, -0.0, std::numeric_limits<double>::max(),
                         std::numeric_limits<double>::denorm_min(), INFINITY, -INFINITY,
                         std::numeric_limits<double>::quiet_NaN()});
  return out;
}

namespace {

std::string Digits(SampleRandom& random, int count) {
  std::string digits;
  for (int k = 0; k < count; ++k) digits.push_back(static_cast<char>('0' + random.Below(10)));
  return digits;
}

// A sign or none, digits with a point somewhere or none, and an exponent or none.
std::string TypedNumber(SampleRandom& random) {
  static const char* const kSigns[] = {"", "", "+", "-"};
  std::string text = kSigns[random.Below(4)];
  const int before = static_cast<int>(random.Below(random.Below(4) ? 8 : 26));
  const int after = static_cast<int>(random.Below(random.Below(4) ? 8 : 26));
  text += Digits(random, before);
  if (random.Below(3) || before == 0) {
    text += '.';
    text += Digits(random, before == 0 ? after + 1 : after);
  }
  if (random.Below(2)) {
    text += random.Below(2) ? "e" : "E";
    text += kSigns[random.Below(4)];
    text += Digits(random, 1 + static_cast<int>(random.Below(random.Below(8) ? 3 : 6)));
  }
  return text;
}

// The exact midpoint between a double and the next, which reads as the one of them with an even
// last bit; a digit more reads as the upper one, fewer digits as the lower one.
void AddMidpoints(std::vector<std::string>& out, double below) {
  const double above = std::nextafter(below, INFINITY);
  const long double midpoint = below + (static_cast<long double>(above) - below) / 2;  // exact
  char buffer[1000];
  std::string text(buffer, std::to_chars(buffer, buffer + sizeof buffer, midpoint,
                                         std::chars_format::scientific, 800)
                               .ptr);
  const std::size_t e = text.find('e');
  std::string digits = text.substr(0, e);
  const std::string exponent = text.substr(e);
  digits.erase(digits.find_last_not_of('0') + 1);
  out.push_back(digits + exponent);
  out.push_back(digits + "1" + exponent);
  out.push_back(digits.substr(0, 22) + exponent);
}

}  // namespace

std::vector<std::string> SampleNumberTexts(int random_count) {
  SampleRandom random(20261208);
  std::vector<std::string> out;
  for (int k = 0; k < random_count; ++k) out.push_back(TypedNumber(random));
  for (int k = 0; k < random_count / 10; ++k) {
    const double x = std::fabs(FromBits(random.Next()));
    if (x < std::numeric_limits<double>::max()) AddMidpoints(out, x);
  }
  AddMidpoints(out, 0.0);
  AddMidpoints(out, std::nextafter(std::numeric_limits<double>::max(), 0.0));
  out.insert(out.end(), {"1e400",
                         "-1e400",
                         "1e-400",
                         "-1e-400",
                         "1" + std::string(400, '0'),
                         "0." + std::string(400, '0') + "1",
                         "2.4703282292062327e-324",
                         "2.4703282292062328e-324",
                         "1.7976931348623157e308",
                         "1.7976931348623158e308",
                         "1.7976931348623159e308",
                         "0.001e99999999999999999999",
                         "1000e-99999999999999999999",
                         "0",
                         "-0",
                         "0.0e0",
                         "00000.00000",
                         "4.9e-324",
                         "2.2250738585072011e-308",
                         "2.2250738585072012e-308"});
  return out;
}

std::vector<double> TypicalPhases(int count) {
  SampleRandom random(20261209);
  std::vector<double> phases;
  for (int k = 0; k < count; ++k) {
    const double degrees = (static_cast<double>(random.Below(144001)) - 72000) / 100;
    phases.push_back(((degrees * 2) * 3.14159) / 360);
  }
  return phases;
}

std::vector<double> LargeAngles(int count) {
  SampleRandom random(20261210);
  std::vector<double> angles;
  for (int k = 0; k < count; ++k) {
    const double mantissa = 1 + std::ldexp(static_cast<double>(random.Next() >> 12), -52);
    angles.push_back(std::ldexp(mantissa, static_cast<int>(random.Below(1024))));
  }
  // The double closest to a multiple of pi/2 (6381956970095103 * 2^797 is 4.7e-19 from one), and
  // doubles around the first million multiples.
  std::vector<double> hard;
  AddWithNeighbours(hard, std::ldexp(6381956970095103.0, 797));
  for (long k = 1; k < 1'000'000; k += 1 + static_cast<long>(random.Below(200))) {
    AddWithNeighbours(hard, static_cast<double>(k * 1.57079632679489661923132169163975144L));
  }
  angles.insert(angles.end(), hard.begin(), hard.end());
  return angles;
}

}  // namespace sho::testing
