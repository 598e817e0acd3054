#include "outputs/data_files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "runtime/run_error.h"
#include "tests/test_support.h"

namespace sho {
namespace {

using testing::DataLines;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using namespace std::chrono_literals;

void WriteSteps(DataFiles& files, int count, double offset = 0) {
  for (int i = 1; i <= count; ++i) files.WriteStep(offset + i, -(offset + i) / 4);
}

// The file error that `action` raises.
template <typename Action>
RunError FileErrorOf(Action action) {
  try {
    action();
  } catch (const RunError& e) {
    EXPECT_EQ(e.kind(), ErrorKind::kFileError) << e.what();
    return e;
  }
  ADD_FAILURE() << "no file error";
  return RunError(ErrorKind::kFileError, FilePlace{}, "");
}

TEST(DataFiles, CreatesBothFilesAndAppendsLinesEndingInCrLf) {
  TempDir dir;
  DataFiles files(dir.path());
  files.OpenDataFiles();
  EXPECT_TRUE(std::filesystem::exists(dir / "y.dat"));
  EXPECT_TRUE(std::filesystem::exists(dir / "v.dat"));
  files.WriteStep(1, -0.25);
  files.WriteStep(0.9975, -0.5);
  files.WriteStep(0.9925, -0.749375);
  files.CloseAllFiles();
  EXPECT_FALSE(files.IsOpen());
  EXPECT_EQ(ReadBytes(dir / "y.dat"), "1\r\n0.9975\r\n0.9925\r\n");
  EXPECT_EQ(ReadBytes(dir / "v.dat"), "-0.25\r\n-0.5\r\n-0.749375\r\n");

  files.OpenDataFiles();  // a second run appends after the first
  WriteSteps(files, 10000);
  files.CloseAllFiles();
  files.CloseAllFiles();  // a second close finds nothing open
  const auto y = DataLines(dir / "y.dat");
  const auto v = DataLines(dir / "v.dat");
  ASSERT_EQ(y.size(), 10003u);
  ASSERT_EQ(v.size(), 10003u);
  EXPECT_EQ(y[2], "0.9925");
  EXPECT_EQ(y[3], "1");
  EXPECT_EQ(v[10002], "-2500");
  EXPECT_FALSE(std::filesystem::exists(dir / PairingRecord::kName));  // only a killed run leaves it
}

TEST(DataFiles, ALinkInThePairingRecordsPlaceIsNotWrittenThrough) {
  TempDir dir;
  WriteBytes(dir / "mine", "my notes\n");
  std::filesystem::create_symlink("mine", dir / PairingRecord::kName);
  DataFiles files(dir.path());
  files.OpenDataFiles();
  files.WriteStep(1, -0.25);
  files.CloseAllFiles();
  EXPECT_EQ(ReadBytes(dir / "v.dat"), "-0.25\r\n");  // written as where no record can be kept
  EXPECT_TRUE(std::filesystem::is_symlink(dir / PairingRecord::kName));
  EXPECT_EQ(ReadBytes(dir / "mine"), "my notes\n");
}

TEST(DataFiles, OpenFailureNamesThePathAndTheReason) {
  TempDir dir;
  DataFiles missing(dir / "no such directory");
  const RunError em = FileErrorOf([&] { missing.OpenDataFiles(); });
  EXPECT_NE(std::string(em.what()).find("No such file or directory"), std::string::npos);

  // A path that itself holds "%2" is given as it is, not filled in with the reason.
  const auto odd = dir / "100%2 done" / "y.dat";
  DataFiles in_odd(odd.parent_path());
  EXPECT_STREQ(
      FileErrorOf([&] { in_odd.OpenDataFiles(); }).what(),
      ("Cannot open " + odd.string() + " for appending: No such file or directory.").c_str());
}

TEST(DataFiles, NextRunRemovesThePartialLineThatAKilledWriteLeft) {
  TempDir dir;
  WriteBytes(dir / "y.dat", "1\r\n0.99");        // cut inside a number
  WriteBytes(dir / "v.dat", "-0.25\r\n-0.5\r");  // cut between CR and LF
  DataFiles files(dir.path());
  files.OpenDataFiles();
  WriteSteps(files, 1, 1);
  files.CloseAllFiles();
  EXPECT_EQ(ReadBytes(dir / "y.dat"), "1\r\n2\r\n");
  EXPECT_EQ(ReadBytes(dir / "v.dat"), "-0.25\r\n-0.5\r\n");

  // A file that holds nothing but the start of its first line.
  WriteBytes(dir / "y.dat", "0.9");
  files.OpenDataFiles();
  files.CloseAllFiles();
  EXPECT_EQ(ReadBytes(dir / "y.dat"), "");
}

TEST(DataFiles, ALastLineThatIsNotOursIsKeptWithAFileError) {
  // Longer than any line the program writes: not a fragment of its own, so nothing is removed.
  TempDir dir;
  const std::string foreign = "1\r\n" + std::string(40, '7');
  WriteBytes(dir / "y.dat", foreign);
  DataFiles files(dir.path());
  const RunError e = FileErrorOf([&] { files.OpenDataFiles(); });
  EXPECT_EQ(std::get<FilePlace>(e.place()).path, (dir / "y.dat").string());
  EXPECT_NE(std::string(e.what()).find("no line break"), std::string::npos) << e.what();
  EXPECT_EQ(ReadBytes(dir / "y.dat"), foreign);
  EXPECT_FALSE(std::filesystem::exists(dir / "v.dat"));

  // Short, but words rather than the start of a number: someone's note, kept as it is.
  const std::string note = "1\r\n2\r\nmy note";
  WriteBytes(dir / "y.dat", note);
  EXPECT_NE(std::string(FileErrorOf([&] { files.OpenDataFiles(); }).what()).find("no line break"),
            std::string::npos);
  EXPECT_EQ(ReadBytes(dir / "y.dat"), note);
}

TEST(DataFiles, AnotherRunsLockMakesThisOneWaitThenGiveUp) {
  TempDir dir;
  DataFiles holder(dir.path());
  holder.OpenDataFiles();

  DataFiles waiter(dir.path(), 100ms);
  const auto start = std::chrono::steady_clock::now();
  const RunError e = FileErrorOf([&] { waiter.OpenDataFiles(); });
  EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms);
  EXPECT_NE(std::string(e.what()).find("in use"), std::string::npos) << e.what();
  EXPECT_EQ(std::get<FilePlace>(e.place()).path, (dir / "y.dat").string());

  // A lock given up while this run waits lets it go on.
  DataFiles patient(dir.path(), 5s);
  std::thread release([&] {
    std::this_thread::sleep_for(50ms);
    WriteSteps(holder, 2);
    holder.CloseAllFiles();
  });
  EXPECT_NO_THROW(patient.OpenDataFiles());
  release.join();
  WriteSteps(patient, 2, 100);
  patient.CloseAllFiles();
  const auto y = DataLines(dir / "y.dat");
  ASSERT_EQ(y.size(), 4u);
  EXPECT_EQ(y[1], "2");
  EXPECT_EQ(y[2], "101");
}

}  // namespace
}  // namespace sho
