#pragma once

#include <filesystem>

#include "tests/temp_dir.h"

namespace sho::bench {

using ScratchDir = testing::TempDir;

// Starts the data files afresh, so that they do not grow without end over many runs.
inline void RemoveDataFiles(const ScratchDir& scratch) {
  std::filesystem::remove(scratch / "y.dat");
  std::filesystem::remove(scratch / "v.dat");
}

}  // namespace sho::bench
