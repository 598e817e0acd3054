// The data files on a disk that fills during a run, through stand-ins for the disk's calls: both
// files keep as many whole steps of the run as the disk holds, the same in both, and the message
// says how many.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "outputs/data_files.h"
#include "runtime/run_error.h"
#include "tests/test_support.h"

namespace sho {
namespace {

using testing::Lines;
using testing::ReadBytes;
using testing::ReadDataFiles;
using testing::TempDir;
using testing::WriteDataFiles;

constexpr int kSteps = 10000;
const Lines kBefore{"7\r\n8\r\n", "-7\r\n-8\r\n"};

// Numbers with many digits, so that a block of lines holds some 3,000 steps.
void WriteSteps(DataFiles& files) {
  for (int i = 1; i <= kSteps; ++i) files.WriteStep(i + 1.0 / 3, -(i + 1.0 / 3) / 7);
}

// A disk with room for `capacity` bytes of y.dat and v.dat together, handed out in blocks of
// `block` bytes: a write takes what fits, and one that finds no room fails with ENOSPC. On a disk
// that frees at sync, the blocks that a cut frees come back only with the next sync.
struct FakeDisk {
  std::filesystem::path directory;
  long long capacity;
  long long block;
  bool frees_at_sync;
  long long held_back = 0;  // blocks freed since the last sync, on a disk that frees at sync
  long long seen[2] = {};   // the files' sizes when the disk last looked

  long long Blocks(long long size) const { return (size + block - 1) / block; }
  bool Holds(std::size_t y_size, std::size_t v_size) const {
    return (Blocks(static_cast<long long>(y_size)) + Blocks(static_cast<long long>(v_size))) *
               block <=
           capacity;
  }
  // The blocks in use, after noting what cuts freed since the last look.
  long long Look() {
    long long used = 0;
    for (int k = 0; k < 2; ++k) {
      struct stat info {};
      ::stat((directory / (k == 0 ? "y.dat" : "v.dat")).c_str(), &info);
      if (frees_at_sync) held_back += std::max(0LL, Blocks(seen[k]) - Blocks(info.st_size));
      seen[k] = info.st_size;
      used += Blocks(info.st_size);
    }
    return used + held_back;
  }
};
FakeDisk* disk = nullptr;

ssize_t WriteOnFakeDisk(int fd, const void* data, std::size_t size) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return -1;
  const long long others = disk->Look() - disk->Blocks(info.st_size);
  const long long room = disk->capacity - others * disk->block - info.st_size;
  if (room <= 0) {
    errno = ENOSPC;
    return -1;
  }
  const ssize_t written = ::write(fd, data, std::min(size, static_cast<std::size_t>(room)));
  disk->Look();
  return written;
}

int SyncFakeDisk(int) {
  disk->Look();
  disk->held_back = 0;
  return 0;
}

// A run's lines and where each of them ends.
struct RunLines {
  explicit RunLines(const std::string& bytes) : bytes(bytes), ends{0} {
    for (std::size_t at = bytes.find('\n'); at != std::string::npos;
         at = bytes.find('\n', at + 1)) {
      ends.push_back(at + 1);
    }
  }
  std::string First(long count) const { return bytes.substr(0, ends[count]); }

  std::string bytes;
  std::vector<std::size_t> ends;  // ends[n]: the bytes of the first n lines
};

TEST(FullDisk, BothFilesKeepTheMostWholeStepsTheDiskHolds) {
  TempDir whole;
  DataFiles unlimited(whole.path());
  unlimited.OpenDataFiles();
  WriteSteps(unlimited);
  unlimited.CloseAllFiles();
  const RunLines y(ReadBytes(whole / "y.dat"));
  const RunLines v(ReadBytes(whole / "v.dat"));
  ASSERT_GT(v.bytes.size(), 3 * 64 * 1024u);  // lines reach the files in several blocks

  // The steps of the first block: v.dat's lines, the longer, reach 64 KiB first.
  long first_block = 0;
  while (v.ends[first_block] < 64 * 1024) ++first_block;
  const auto first_block_bytes = static_cast<long long>(y.ends[first_block] + v.ends[first_block]);

  struct Case {
    const char* what;
    long long room;  // beyond what the files held before
    long long block;
    bool frees_at_sync;
    const char* short_file;
  };
  const Case cases[] = {
      {"y's first write short", 40'000, 1, false, "y.dat"},
      {"v's first write short", 100'000, 1, false, "v.dat"},
      {"y's third write short, after two whole blocks", 300'000, 1, false, "y.dat"},
      {"no room at all", 0, 1, false, "y.dat"},
      {"no room left for the second block", first_block_bytes, 1, false, "y.dat"},
      {"room handed out in blocks of 4 KiB", 100 * 1024, 4096, false, "v.dat"},
      {"room of a cut back only after a sync", 100 * 1024, 4096, true, "v.dat"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    WriteDataFiles(dir.path(), kBefore);
    FakeDisk fake{dir.path(), 0, c.block, c.frees_at_sync};
    fake.capacity =
        (fake.Blocks(std::ssize(kBefore.y)) + fake.Blocks(std::ssize(kBefore.v))) * c.block +
        c.room;
    fake.Look();
    disk = &fake;
    long most = 0;  // what the disk can hold, found by trying every number of steps
    while (most < kSteps &&
           fake.Holds(kBefore.y.size() + y.ends[most + 1], kBefore.v.size() + v.ends[most + 1])) {
      ++most;
    }

    DataFiles files(dir.path(), std::chrono::seconds(5), {&WriteOnFakeDisk, &SyncFakeDisk});
    files.OpenDataFiles();
    try {
      WriteSteps(files);
      files.CloseAllFiles();
      ADD_FAILURE() << "no file error";
    } catch (const RunError& e) {
      EXPECT_EQ(std::get<FilePlace>(e.place()).path, (dir / c.short_file).string());
      const std::string expected = "Cannot write to " + (dir / c.short_file).string() +
                                   ": No space left on device. Both data files keep the lines of "
                                   "this run's first " +
                                   std::to_string(most) + " steps.";
      EXPECT_EQ(e.what(), expected);
    }
    files.CloseAllFiles();
    EXPECT_FALSE(std::filesystem::exists(dir / PairingRecord::kName));  // the files are paired
    const Lines now = ReadDataFiles(dir.path());
    EXPECT_PRED_FORMAT2(testing::SameBytes, now.y, kBefore.y + y.First(most));
    EXPECT_PRED_FORMAT2(testing::SameBytes, now.v, kBefore.v + v.First(most));
    disk = nullptr;
  }
}

}  // namespace
}  // namespace sho
