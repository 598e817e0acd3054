#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "outputs/run_outputs.h"
#include "runtime/run_error.h"

namespace sho::testing {

std::string ReadBytesFrom(const std::filesystem::path& path, std::uintmax_t offset) {
  std::ifstream in(path, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(offset));
  return std::string(std::istreambuf_iterator<char>(in), {});
}

namespace {

// Line `index` (from 0) of `bytes`, shown on one line.
std::string ShownLine(const std::string& bytes, std::size_t index) {
  std::size_t start = 0;
  for (std::size_t k = 0; k < index && start != std::string::npos; ++k) {
    start = bytes.find('\n', start);
    if (start != std::string::npos) ++start;
  }
  if (start == std::string::npos || start >= bytes.size()) return "(no such line)";
  std::string line =
      bytes.substr(start, std::min<std::size_t>(bytes.find('\n', start) - start, 60));
  std::string shown = "\"";
  for (const char c : line) shown += c == '\r' ? std::string("\\r") : std::string(1, c);
  return shown + "\"";
}

}  // namespace

::testing::AssertionResult SameBytes(const char* actual_expression, const char* expected_expression,
                                     const std::string& actual, const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  const auto at = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
  const auto line = static_cast<std::size_t>(std::count(actual.begin(), at.first, '\n'));
  const auto lines = [](const std::string& bytes) {
    return std::count(bytes.begin(), bytes.end(), '\n');
  };
  return ::testing::AssertionFailure()
         << actual_expression << " differs from " << expected_expression << ":\n  " << actual.size()
         << " bytes in " << lines(actual) << " line breaks, against " << expected.size()
         << " bytes in " << lines(expected) << " line breaks;\n  first difference at byte "
         << (at.first - actual.begin()) << ", in line " << line + 1 << ": "
         << ShownLine(actual, line) << " against " << ShownLine(expected, line);
}

Lines ReadDataFiles(const std::filesystem::path& directory) {
  return {ReadBytes(directory / "y.dat"), ReadBytes(directory / "v.dat")};
}

void WriteDataFiles(const std::filesystem::path& directory, const Lines& lines) {
  WriteBytes(directory / "y.dat", lines.y);
  WriteBytes(directory / "v.dat", lines.v);
}

RunRecord ReferenceRun(const EntryTexts& entries) {
  TempDir scratch;
  MemorySurface surface;
  Plot plot(surface);
  ResultsList list;
  DataFiles files(scratch.path());
  RunOutputs outputs([&] { return entries; }, list, plot, files);
  RunRecord record;
  try {
    PerformRun(outputs);
  } catch (const RunError& e) {
    const RunMessage place = PlaceMessage(e.place());
    record.error = std::string(KindName(e.kind())) + " in " + FillIn(place.text, place.parts) +
                   ".\n" + e.what();
  }
  record.lines = ReadDataFiles(scratch.path());
  record.list_count = list.Count();
  if (list.Count() > 0) record.first_entry = list.EntryText(0);
  return record;
}

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
