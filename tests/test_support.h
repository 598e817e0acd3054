#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "outputs/plot.h"

namespace sho::testing {

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "sho-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The lines of a data file, each without its CR LF. Fails the test on a line that lacks either.
std::vector<std::string> DataLines(const std::filesystem::path& path);

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
