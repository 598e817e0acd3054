#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace sho::bench {

// A fresh directory for a benchmark's data files, removed afterwards.
class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "sho-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Starts the data files afresh, so that they do not grow without end over many runs.
  void RemoveDataFiles() const {
    std::filesystem::remove(path_ / "y.dat");
    std::filesystem::remove(path_ / "v.dat");
  }

 private:
  std::filesystem::path path_;
};

}  // namespace sho::bench
