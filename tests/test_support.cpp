#include "tests/test_support.h"

#include <gtest/gtest.h>

namespace sho::testing {

std::vector<std::string> DataLines(const std::filesystem::path& path) {
  const std::string bytes = ReadBytes(path);
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << path << " ends in a partial line: " << bytes.substr(start);
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos) << "line " << lines.size();
    start = end + 2;
  }
  return lines;
}

}  // namespace sho::testing
