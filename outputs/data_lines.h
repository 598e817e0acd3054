#pragma once

#include <string>

#include "runtime/number_text.h"

namespace sho {

// The two data files, by the numbers a run opens them under: the positions are file 1, y.dat; the
// velocities file 2, v.dat.
enum class DataFile { kPositions = 1, kVelocities = 2 };

constexpr const char* DataFileName(DataFile file) {
  return file == DataFile::kPositions ? "y.dat" : "v.dat";
}

// Appends one line of a data file to `lines`: the file form of x and CR LF ("0.9975\r\n").
inline void AppendDataLine(std::string& lines, double x) {
  char line[kMaxNumberTextLength + 2];
  char* end = WriteShortestText(line, x);
  *end++ = '\r';
  *end++ = '\n';
  lines.append(line, end);
}

}  // namespace sho
