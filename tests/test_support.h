#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "outputs/plot.h"
#include "run/entries.h"
#include "tests/temp_dir.h"

namespace sho::testing {

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The bytes of `path` from `offset` on: what was appended since the file had that size.
std::string ReadBytesFrom(const std::filesystem::path& path, std::uintmax_t offset);

// The lines of a data file, each without its CR LF. Fails the test on a line that lacks either.
std::vector<std::string> DataLines(const std::filesystem::path& path);

// For EXPECT_PRED_FORMAT2: the bytes of a data file against the bytes expected. A difference is
// told by its first line that differs, rather than by printing both.
::testing::AssertionResult SameBytes(const char* actual_expression, const char* expected_expression,
                                     const std::string& actual, const std::string& expected);

// The contents of y.dat and v.dat, or what a run appends to them.
struct Lines {
  std::string y;
  std::string v;
};
Lines ReadDataFiles(const std::filesystem::path& directory);
void WriteDataFiles(const std::filesystem::path& directory, const Lines& lines);

// What one run of these entries does, found by running it with the program's own outputs into
// empty files: the lines it writes, the list it leaves and the error it stops with, as the window
// shows it ("<kind> in <place>." and the message on the next line).
struct RunRecord {
  Lines lines;
  int list_count = 0;
  std::string first_entry;
  std::optional<std::string> error;
};
RunRecord ReferenceRun(const EntryTexts& entries);

// A drawing area that remembers its points, 5175 twips high unless told otherwise.
class MemorySurface : public PlotSurface {
 public:
  struct Point {
    float x;
    float y;
    Colour colour;
  };

  void Clear() override {
    points.clear();
    ++clears;
  }
  float HeightInPoints() const override { return height_points; }
  void SetPoint(float x, float y, Colour colour) override { points.push_back({x, y, colour}); }

  std::vector<Point> points;
  int clears = 0;
  float height_points = 258.75f;
};

}  // namespace sho::testing
