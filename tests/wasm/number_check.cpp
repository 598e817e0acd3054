// Works out everything a run's numbers depend on for a file of inputs and prints a digest of the
// results, so that the native build and the WebAssembly build can be compared byte for byte.
// Input lines:
//   d <bits in hex>     a double: its file form, list form, "%.<p>g" form and whole form
//   a <bits in hex>     an angle: its correctly rounded cos and tan and the program's cosine
//   t <text>            a text read as a number
//   r <y0> <deg> <dt>   a whole run: every step's numbers and texts, and the error it stops with
// Usage: number_check INPUTS             one line per 1,000 inputs: "<first line> <digest>"
//        number_check INPUTS FIRST COUNT  the results themselves, for the lines FIRST on
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "run/run.h"
#include "run/stepping.h"
#include "runtime/correctly_rounded.h"
#include "runtime/cosine.h"
#include "runtime/number_text.h"
#include "runtime/run_error.h"

namespace sho {
namespace {

std::string Hex(double x) {
  std::uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  char buffer[20];
  std::snprintf(buffer, sizeof buffer, "%016" PRIx64, bits);
  return buffer;
}

template <typename Write, typename... Args>
std::string Text(Write write, double x, Args... args) {
  char buffer[kMaxNumberTextLength];
  return std::string(buffer, write(buffer, x, args...));
}

// Everything a run hands its outputs, as text.
class RecordingHost : public RunHost {
 public:
  RecordingHost(EntryTexts entries, std::string& out) : entries_(std::move(entries)), out_(out) {}
  void ClearPlot() override {}
  EntryTexts ReadEntries() override { return entries_; }
  void OpenDataFiles() override {}
  void SetListHeader() override {}
  void SetListEntry(std::int16_t, double y, double v) override {
    out_ += Text(WriteText15G, y) + ' ' + Text(WriteText15G, v) + ' ';
  }
  void PlotEulerPoint(std::int16_t, double y) override { out_ += Hex(y) + ' '; }
  void PlotExactPoint(std::int16_t, double amplitude, double c) override {
    out_ += Hex(amplitude) + ' ' + Hex(c) + ' ';
  }
  void WriteStep(double y, double v) override {
    out_ += ShortestText(y) + ' ' + ShortestText(v) + '\n';
  }
  void CloseAllFiles() override {}
  void KeepListEntries(int count) override { out_ += "kept " + std::to_string(count) + '\n'; }

 private:
  EntryTexts entries_;
  std::string& out_;
};

std::string Run(std::istringstream& fields) {
  EntryTexts entries;
  for (std::string& text : entries.text) fields >> text;
  std::string out;
  RecordingHost host(entries, out);
  try {
    PerformRun(host);
  } catch (const RunError& error) {
    out += std::string(KindName(error.kind())) + ": " + error.what();
  }
  return out;
}

double FromHex(std::istringstream& fields) {
  std::string hex;
  fields >> hex;
  const std::uint64_t bits = std::strtoull(hex.c_str(), nullptr, 16);
  double x;
  std::memcpy(&x, &bits, sizeof x);
  return x;
}

std::string Results(const std::string& line, long number) {
  std::istringstream fields(line.substr(2));
  switch (line[0]) {
    case 'd': {
      const double x = FromHex(fields);
      const int precision = 1 + static_cast<int>(number % kMaxGeneralPrecision);
      return ShortestText(x) + ' ' + Text(WriteText15G, x) + ' ' +
             Text(WriteGeneralText, x, precision) + ' ' + Text(WriteWholeText, x);
    }
    case 'a': {
      const double x = FromHex(fields);
      return Hex(CorrectlyRoundedCos(x)) + ' ' + Hex(CorrectlyRoundedTan(x)) + ' ' + Hex(Cosine(x));
    }
    case 't': {
      const ParsedNumber parsed = ParseNumber(line.substr(2), {});
      return std::to_string(static_cast<int>(parsed.status)) + ' ' + Hex(parsed.value);
    }
    case 'r':
      return Run(fields);
    default:
      return "unknown input";
  }
}

// FNV-1a, 64 bits.
std::uint64_t Digest(const std::string& text, std::uint64_t digest) {
  for (const unsigned char c : text) digest = (digest ^ c) * 0x100000001B3;
  return digest;
}

}  // namespace
}  // namespace sho

int main(int argc, char** argv) {
  if (argc != 2 && argc != 4) {
    std::fprintf(stderr, "Usage: %s INPUTS [FIRST COUNT]\n", argv[0]);
    return 2;
  }
  std::ifstream inputs(argv[1]);
  if (!inputs) {
    std::fprintf(stderr, "Cannot read %s\n", argv[1]);
    return 2;
  }
  const long first = argc == 4 ? std::atol(argv[2]) : 0;
  const long last = argc == 4 ? first + std::atol(argv[3]) : -1;
  constexpr long kBlock = 1000;
  constexpr std::uint64_t kDigestStart = 0xCBF29CE484222325;
  std::uint64_t digest = kDigestStart;
  std::string line;
  long number = 0;
  for (; std::getline(inputs, line); ++number) {
    if (argc == 4) {
      if (number >= last) break;
      if (number >= first) std::cout << number << ' ' << sho::Results(line, number) << '\n';
      continue;
    }
    digest = sho::Digest(sho::Results(line, number) + '\n', digest);
    if ((number + 1) % kBlock == 0) {
      std::printf("%ld %016" PRIx64 "\n", number + 1 - kBlock, digest);
      digest = kDigestStart;
    }
  }
  if (argc == 2 && number % kBlock != 0) {
    std::printf("%ld %016" PRIx64 "\n", number - number % kBlock, digest);
  }
  std::fprintf(stderr, "%ld inputs\n", number);
  return 0;
}
