#include "tests/test_support.h"

#include <gtest/gtest.h>

#include "outputs/run_outputs.h"
#include "runtime/run_error.h"

namespace sho::testing {

std::string ReadBytesFrom(const std::filesystem::path& path, std::uintmax_t offset) {
  std::ifstream in(path, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(offset));
  return std::string(std::istreambuf_iterator<char>(in), {});
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
    record.error =
        std::string(KindName(e.kind())) + " in " + PlaceText(e.place()) + ".\n" + e.what();
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
