// Whatever the disk does, the window reports a file error naming the file and the reason, goes
// on, and the data files keep every byte they held.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/fsuid.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

#include "run/entries.h"
#include "tests/test_support.h"
#include "tests/window_fixture.h"

namespace sho {
namespace {

using testing::Lines;
using testing::ReadBytes;
using testing::ReadDataFiles;
using testing::ReferenceRun;
using testing::WriteBytes;
using testing::WriteDataFiles;
namespace fs = std::filesystem;

const EntryTexts kEntries{{"1", "0", "0.01"}, {}};
const Lines kBefore{"7\r\n8\r\n", "-7\r\n-8\r\n"};  // what the data files held before

// While it lives, the file system takes this thread, the one the window runs on, for the user
// "nobody": a test run as root would otherwise pass every permission. Other threads stay root.
class AsNobody {
 public:
  AsNobody() : active_(::geteuid() == 0) {
    if (active_) {
      ::setfsgid(65534);
      ::setfsuid(65534);
    }
  }
  ~AsNobody() {
    if (active_) {
      ::setfsuid(0);
      ::setfsgid(0);
    }
  }
  AsNobody(const AsNobody&) = delete;
  AsNobody& operator=(const AsNobody&) = delete;

 private:
  bool active_;
};

// Whether this thread may create a file in `directory`.
bool CanCreateIn(const fs::path& directory) {
  const fs::path probe = directory / "probe";
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(probe.c_str());
  return true;
}

// A tmpfs of a few hundred kilobytes, mounted for this thread alone (in a mount namespace of its
// own) and gone with the object.
class SmallDisk {
 public:
  SmallDisk(const fs::path& path, std::size_t bytes) : path_(path) {
    fs::create_directory(path);
    const std::string options = "size=" + std::to_string(bytes);
    if (::unshare(CLONE_NEWNS) != 0) {
      why_not_ = std::string("unshare: ") + std::strerror(errno);
    } else if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
               ::mount("sho-test", path.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) !=
                   0) {
      why_not_ = std::string("mount: ") + std::strerror(errno);
    }
  }
  ~SmallDisk() {
    if (why_not_.empty()) ::umount2(path_.c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  // Empty once mounted; otherwise what failed.
  const std::string& WhyNot() const { return why_not_; }

 private:
  fs::path path_;
  std::string why_not_;
};

class FailingDisk : public testing::Window {
 protected:
  // Runs and expects a file error naming `file` and `reason`. Returns the message.
  std::string ExpectFileError(const fs::path& file, const std::string& reason) {
    TypeEntries("1", "0", "0.01");
    ClickRun();
    const std::string shown = DismissError();
    EXPECT_EQ(shown.substr(0, shown.find('\n')), "File error in " + file.string() + ".");
    const std::string message = shown.substr(shown.find('\n') + 1);
    EXPECT_NE(message.find(file.string()), std::string::npos) << message;
    EXPECT_NE(message.find(reason), std::string::npos) << message;
    return message;
  }

  // The program goes on: with the cause gone, a run appends exactly its 10,000 lines.
  void ExpectNextRunAppends(const fs::path& directory) {
    const Lines held = ReadDataFiles(directory);
    ClickRun();
    ASSERT_EQ(ErrorBox(), nullptr);
    EXPECT_EQ(form.Cmby->count(), 10000);
    static const Lines added = ReferenceRun(kEntries).lines;
    const Lines now = ReadDataFiles(directory);
    EXPECT_PRED_FORMAT2(testing::SameBytes, now.y, held.y + added.y);
    EXPECT_PRED_FORMAT2(testing::SameBytes, now.v, held.v + added.v);
  }

  static void ExpectHeld(const fs::path& file, const std::string& bytes) {
    EXPECT_PRED_FORMAT2(testing::SameBytes, ReadBytes(file), bytes) << file;
  }
};

TEST_F(FailingDisk, DataFileThatIsADirectory) {
  for (const char* name : {"y.dat", "v.dat"}) {
    SCOPED_TRACE(name);
    fs::remove(dir / "y.dat");
    fs::remove(dir / "v.dat");
    WriteDataFiles(dir.path(), kBefore);
    fs::remove(dir / name);
    fs::create_directory(dir / name);

    const QString edit_text = form.Cmby->currentText();  // nine blanks at first
    ExpectFileError(dir / name, "Is a directory");
    // Stopped before the list's header and the first step, with the plot cleared.
    EXPECT_EQ(form.Cmby->currentText(), edit_text);
    EXPECT_EQ(form.Cmby->count(), 0);
    EXPECT_TRUE(DrawingIsBlank());
    if (std::string(name) == "y.dat") {
      ExpectHeld(dir / "v.dat", kBefore.v);
    } else {
      ExpectHeld(dir / "y.dat", kBefore.y);
    }

    fs::remove(dir / name);
    ExpectNextRunAppends(dir.path());
  }
}

TEST_F(FailingDisk, VelocitiesThatCannotBeOpenedWhilePositionsCan) {
  struct Case {
    const char* what;
    const char* reason;
    bool as_nobody;  // the reason is a permission, which root would pass
    void (*make)(const fs::path& v_dat);
    void (*undo)(const fs::path& v_dat);
  };
  const Case cases[] = {
      {"a link into a missing directory", "No such file or directory", false,
       [](const fs::path& v) { fs::create_symlink("missing/v.dat", v); },
       [](const fs::path& v) { fs::remove(v); }},
      {"a pipe that nobody reads", "No such device or address", false,
       [](const fs::path& v) { ASSERT_EQ(::mkfifo(v.c_str(), 0666), 0); },
       [](const fs::path& v) { fs::remove(v); }},
      {"a file the user may not write", "Permission denied", true,
       [](const fs::path& v) {
         WriteBytes(v, kBefore.v);
         fs::permissions(v, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
       },
       [](const fs::path& v) { fs::permissions(v, fs::perms::owner_all); }},
  };
  fs::permissions(dir.path(), fs::perms::all);  // open to the user "nobody"
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(dir / "y.dat", kBefore.y);
    fs::permissions(dir / "y.dat", fs::perms::all);
    c.make(dir / "v.dat");
    {
      std::optional<AsNobody> user;
      if (c.as_nobody) user.emplace();
      ExpectFileError(dir / "v.dat", c.reason);
    }
    ExpectHeld(dir / "y.dat", kBefore.y);  // opened, locked and closed without a byte written
    if (fs::is_regular_file(dir / "v.dat")) ExpectHeld(dir / "v.dat", kBefore.v);

    c.undo(dir / "v.dat");
    ExpectNextRunAppends(dir.path());
    fs::remove(dir / "y.dat");
    fs::remove(dir / "v.dat");
  }
}

TEST_F(FailingDisk, WorkingDirectoryThatCannotBeWritten) {
  fs::permissions(dir.path(), fs::perms::all);
  const fs::path locked = dir / "locked";
  fs::create_directory(locked);
  WriteBytes(locked / "y.dat", kBefore.y);
  fs::permissions(locked / "y.dat", fs::perms::all);
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read |
                              fs::perms::others_exec);
  fs::current_path(locked);
  {
    AsNobody user;
    ASSERT_FALSE(CanCreateIn(locked)) << "the directory's permissions do not bar this user";

    // y.dat can be appended to, but v.dat cannot be made.
    ExpectFileError(locked / "v.dat", "Permission denied");
    ExpectHeld(locked / "y.dat", kBefore.y);
    EXPECT_FALSE(fs::exists(locked / "v.dat"));
  }
  // Neither file there: y.dat cannot be made, and the run stops before it tries v.dat.
  fs::remove(locked / "y.dat");
  {
    AsNobody user;
    ExpectFileError(locked / "y.dat", "Permission denied");
    EXPECT_FALSE(fs::exists(locked / "y.dat"));
  }

  fs::permissions(locked, fs::perms::owner_all, fs::perm_options::add);
  ExpectNextRunAppends(locked);
  fs::current_path(dir.path());
}

TEST_F(FailingDisk, FullDeviceKeepsTheOtherFileAsItWas) {
  // Every write to /dev/full fails for want of space. y.dat is written before v.dat at each
  // block, so a full v.dat means lines that y.dat already took must go again.
  for (const char* full : {"v.dat", "y.dat"}) {
    SCOPED_TRACE(full);
    WriteDataFiles(dir.path(), kBefore);
    fs::remove(dir / full);
    fs::create_symlink("/dev/full", dir / full);

    const std::string message = ExpectFileError(dir / full, "No space left on device");
    EXPECT_NE(message.find("first 0 steps"), std::string::npos) << message;
    EXPECT_GT(form.Cmby->count(), 0);  // the run got as far as its first block of lines
    ExpectHeld(dir / (std::string(full) == "v.dat" ? "y.dat" : "v.dat"),
               std::string(full) == "v.dat" ? kBefore.y : kBefore.v);

    fs::remove(dir / full);
    ExpectNextRunAppends(dir.path());
    fs::remove(dir / "y.dat");
    fs::remove(dir / "v.dat");
  }
}

TEST_F(FailingDisk, DiskThatFillsDuringARunKeepsTheSameWholeStepsInBoth) {
  struct Case {
    const char* what;
    std::size_t disk_bytes;
    std::size_t filler_bytes;
  };
  const Case cases[] = {
      // y.dat's first block of lines alone would fill it.
      {"a disk of 64 KiB", 64 * 1024, 0},
      // Room for about one and a half blocks of lines in each file: the second block fails.
      {"a disk of 1 MiB, nearly full", 1 << 20, (1 << 20) - 200 * 1024},
  };
  const Lines run = ReferenceRun(kEntries).lines;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path mount_point = dir / std::to_string(c.disk_bytes);
    SmallDisk disk(mount_point, c.disk_bytes);
    if (!disk.WhyNot().empty()) {
      GTEST_SKIP() << "Cannot mount a small tmpfs here (" << disk.WhyNot()
                   << "); FullDisk.BothFilesKeepTheMostWholeStepsTheDiskHolds and "
                      "FullDeviceKeepsTheOtherFileAsItWas stand for a full disk.";
    }
    if (c.filler_bytes > 0) WriteBytes(mount_point / "filler", std::string(c.filler_bytes, 'x'));
    WriteDataFiles(mount_point, kBefore);
    fs::current_path(mount_point);

    TypeEntries("1", "0", "0.01");
    ClickRun();
    const std::string shown = DismissError();
    EXPECT_NE(shown.find("No space left on device"), std::string::npos) << shown;
    const bool names_a_file =
        shown.rfind("File error in " + (mount_point / "y.dat").string() + ".", 0) == 0 ||
        shown.rfind("File error in " + (mount_point / "v.dat").string() + ".", 0) == 0;
    EXPECT_TRUE(names_a_file) << shown;

    // Both files: what they held, then the same first steps of this run, as the message says.
    const Lines now = ReadDataFiles(mount_point);
    ASSERT_PRED_FORMAT2(testing::SameBytes, now.y.substr(0, kBefore.y.size()), kBefore.y);
    ASSERT_PRED_FORMAT2(testing::SameBytes, now.v.substr(0, kBefore.v.size()), kBefore.v);
    const std::string y_added = now.y.substr(kBefore.y.size());
    const std::string v_added = now.v.substr(kBefore.v.size());
    EXPECT_PRED_FORMAT2(testing::SameBytes, y_added, run.y.substr(0, y_added.size()));
    EXPECT_PRED_FORMAT2(testing::SameBytes, v_added, run.v.substr(0, v_added.size()));
    const auto steps = std::count(y_added.begin(), y_added.end(), '\n');
    EXPECT_EQ(std::count(v_added.begin(), v_added.end(), '\n'), steps);
    EXPECT_GT(steps, 0);
    EXPECT_NE(shown.find("first " + std::to_string(steps) + " steps"), std::string::npos) << shown;
    EXPECT_GT(form.Cmby->count(), steps);

    if (c.filler_bytes > 0) {
      fs::remove(mount_point / "filler");
      ExpectNextRunAppends(mount_point);
    }
    fs::current_path(dir.path());
  }
}

}  // namespace
}  // namespace sho
