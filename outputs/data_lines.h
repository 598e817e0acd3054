#pragma once

#include <string>

#include "runtime/number_text.h"

namespace sho {

// Appends one line of a data file to `lines`: the file form of x and CR LF ("0.9975\r\n").
inline void AppendDataLine(std::string& lines, double x) {
  char line[kMaxNumberTextLength + 2];
  char* end = WriteShortestText(line, x);
  *end++ = '\r';
  *end++ = '\n';
  lines.append(line, end);
}

}  // namespace sho
