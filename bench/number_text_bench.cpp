// Numbers to text and back, as a run's outputs need them: the file form of 20,000 numbers (a
// run's y.dat and v.dat), the list form of 10,000 entries' numbers, and reading the file form back.
// The two forms by the C++ library's std::to_chars beside them, for comparison.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <charconv>
#include <vector>

#include "run/run.h"
#include "run/stepping.h"
#include "runtime/number_text.h"

namespace sho::bench {
namespace {

// The positions and velocities of the classic run, the numbers a run writes.
std::vector<double> RunNumbers() {
  const RunConstants run = PrepareRun(EntryTexts{{"1", "30", "0.001"}, {}});
  std::vector<double> numbers;
  OscillatorState s = run.start;
  for (std::int16_t i = 1; i <= kStepCount; ++i) {
    s = AdvanceStep(run, s, i);
    numbers.push_back(s.y);
    numbers.push_back(s.v);
  }
  return numbers;
}

template <char* (*Write)(char*, double)>
void WriteAll(benchmark::State& state) {
  const std::vector<double> numbers = RunNumbers();
  char buffer[kMaxNumberTextLength];
  for (auto _ : state) {
    for (const double x : numbers) {
      benchmark::DoNotOptimize(Write(buffer, x));
      benchmark::ClobberMemory();
    }
  }
  state.counters["per_number"] = benchmark::Counter(
      static_cast<double>(numbers.size()),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void number_text_shortest(benchmark::State& state) { WriteAll<WriteShortestText>(state); }
BENCHMARK(number_text_shortest)->Unit(benchmark::kMicrosecond);

void number_text_15G(benchmark::State& state) { WriteAll<WriteText15G>(state); }
BENCHMARK(number_text_15G)->Unit(benchmark::kMicrosecond);

char* StdShortest(char* out, double x) {
  return std::to_chars(out, out + kMaxNumberTextLength, x).ptr;
}
void number_text_std_shortest(benchmark::State& state) { WriteAll<StdShortest>(state); }
BENCHMARK(number_text_std_shortest)->Unit(benchmark::kMicrosecond);

char* Std15G(char* out, double x) {
  char* end = std::to_chars(out, out + kMaxNumberTextLength, x, std::chars_format::general, 15).ptr;
  std::replace(out, end, 'e', 'E');
  return end;
}
void number_text_std_15G(benchmark::State& state) { WriteAll<Std15G>(state); }
BENCHMARK(number_text_std_15G)->Unit(benchmark::kMicrosecond);

void number_text_parse(benchmark::State& state) {
  std::vector<std::string> texts;
  for (const double x : RunNumbers()) texts.push_back(ShortestText(x));
  for (auto _ : state) {
    for (const std::string& text : texts) benchmark::DoNotOptimize(ParseNumber(text, {}));
  }
  state.counters["per_number"] = benchmark::Counter(
      static_cast<double>(texts.size()),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(number_text_parse)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace sho::bench
