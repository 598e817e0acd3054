#include "outputs/data_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string_view>
#include <system_error>
#include <thread>

#include "outputs/data_lines.h"
#include "runtime/number_text.h"
#include "runtime/run_error.h"

namespace sho {
namespace {

// Lines are gathered up to this size before they reach the files: a few thousand steps, so a run
// costs a handful of writes rather than twenty thousand.
constexpr std::size_t kFlushBytes = 64 * 1024;

// The longest line the program writes: a number and CR LF.
constexpr std::size_t kLongestLine = kMaxNumberTextLength + 2;

// What the program's lines are made of.
constexpr const char* kLineCharacters = "0123456789.e+-\r\n";

std::string Reason(int error) { return std::generic_category().message(error); }

// `message` has the file's path as %1 and, where it gives one, the reason as %2.
[[noreturn]] void ThrowFileError(const std::filesystem::path& path, const char* message,
                                 const std::string& reason = {}) {
  throw RunError(ErrorKind::kFileError, FilePlace{path.string()},
                 {message, {path.string(), reason}});
}

// An exclusive lock on fd within `timeout`; false when another process keeps it.
bool Lock(int fd, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) return true;  // no locking here: go on without
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

// The bytes from `start` to `end` of the file at `path`, read through a descriptor of its own (the
// run's is for writing only). False when it cannot be read, or `path` no longer leads to the file
// with that device and inode.
bool ReadRange(const std::filesystem::path& path, dev_t device, ino_t inode, long long start,
               long long end, std::string& bytes) {
  const int reader = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (reader < 0) return false;
  struct stat info {};
  bool read = ::fstat(reader, &info) == 0 && info.st_dev == device && info.st_ino == inode;
  bytes.resize(static_cast<std::size_t>(end - start));
  for (std::size_t got = 0; read && got < bytes.size();) {
    const ssize_t n = ::pread(reader, bytes.data() + got, bytes.size() - got,
                              start + static_cast<long long>(got));
    read = n > 0;
    if (read) got += static_cast<std::size_t>(n);
  }
  ::close(reader);
  return read;
}

}  // namespace

DataFiles::DataFiles(std::filesystem::path directory, std::chrono::milliseconds lock_timeout,
                     DiskCalls calls)
    : directory_(std::move(directory)), lock_timeout_(lock_timeout), calls_(calls) {}

DataFiles::~DataFiles() {
  try {
    CloseAllFiles();
  } catch (const RunError&) {
    // Nothing to report to: the files keep whole steps only either way.
  }
}

std::filesystem::path DataFiles::PositionsPath() const {
  return std::filesystem::absolute(directory_ / DataFileName(DataFile::kPositions))
      .lexically_normal();
}

std::filesystem::path DataFiles::VelocitiesPath() const {
  return std::filesystem::absolute(directory_ / DataFileName(DataFile::kVelocities))
      .lexically_normal();
}

void DataFiles::OpenDataFiles() {
  CloseAllFiles();
  files_[0].path = PositionsPath();
  files_[1].path = VelocitiesPath();
  committed_steps_ = pending_steps_ = 0;
  try {
    Open(files_[0]);
    Open(files_[1]);
  } catch (const RunError&) {
    CloseQuietly();
    throw;
  }
  // A device has nothing that could be cut back, and a record of it could tell nothing.
  if (files_[0].regular && files_[1].regular) {
    if (const std::optional<BlockMarks> marks = record_.Open(files_[0].path.parent_path())) {
      KeepPairsOfKilledRun(*marks);
    }
  }
}

void DataFiles::Open(File& file) {
  // O_NONBLOCK so that a pipe in the file's place cannot hang the program.
  constexpr int kFlags = O_WRONLY | O_APPEND | O_CLOEXEC | O_NONBLOCK;
  file.fd = ::open(file.path.c_str(), kFlags);
  // A file made now is not the one a killed run wrote, whatever inode it is given.
  file.created = file.fd < 0 && errno == ENOENT;
  if (file.created) file.fd = ::open(file.path.c_str(), kFlags | O_CREAT, 0666);
  if (file.fd < 0) {
    ThrowFileError(file.path, SHO_TRANSLATE_NOOP("RunError", "Cannot open %1 for appending: %2."),
                   Reason(errno));
  }
  struct stat info {};
  if (::fstat(file.fd, &info) != 0 || !(S_ISREG(info.st_mode) || S_ISCHR(info.st_mode))) {
    ThrowFileError(file.path,
                   SHO_TRANSLATE_NOOP("RunError", "Cannot append to %1: it is not a file."));
  }
  ::fcntl(file.fd, F_SETFL, O_APPEND);
  // A device such as /dev/null is shared by every program: only files are locked.
  if (S_ISREG(info.st_mode) && !Lock(file.fd, lock_timeout_)) {
    ThrowFileError(file.path, SHO_TRANSLATE_NOOP("RunError",
                                                 "%1 is in use by another copy of the program. "
                                                 "Try again when its run has finished."));
  }
  file.regular = S_ISREG(info.st_mode);
  file.device = info.st_dev;
  file.inode = info.st_ino;
  file.opened_size = file.committed_size = ::lseek(file.fd, 0, SEEK_END);
  if (file.regular) CutPartialLastLine(file);
  file.pending.clear();
  file.pending.reserve(kFlushBytes + 2 * kMaxNumberTextLength);
}

void DataFiles::CutPartialLastLine(File& file) {
  if (file.committed_size == 0) return;
  // The descriptor is for writing only; a file that cannot be read is taken as it is.
  const int reader = ::open(file.path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (reader < 0) return;
  char tail[kLongestLine + 1];
  const long long start = std::max(0LL, file.committed_size - static_cast<long long>(sizeof tail));
  const ssize_t got =
      ::pread(reader, tail, static_cast<std::size_t>(file.committed_size - start), start);
  ::close(reader);
  if (got <= 0 || tail[got - 1] == '\n') return;

  const std::string_view read(tail, static_cast<std::size_t>(got));
  const std::size_t last_break = read.rfind('\n');
  const std::string_view fragment =
      read.substr(last_break == std::string_view::npos ? 0 : last_break + 1);
  // Only the start of a number and its CR can be left of a line of the program's own.
  const bool ours = (last_break != std::string_view::npos || start == 0) &&
                    fragment.find_first_not_of(kLineCharacters) == std::string_view::npos;
  if (!ours) {
    ThrowFileError(file.path, SHO_TRANSLATE_NOOP("RunError",
                                                 "Cannot append to %1: its last line has no line "
                                                 "break and is not one the program wrote. End it "
                                                 "with a line break."));
  }
  const long long whole =
      last_break == std::string_view::npos ? 0 : start + static_cast<long long>(last_break) + 1;
  if (::ftruncate(file.fd, whole) != 0) {
    ThrowFileError(file.path,
                   SHO_TRANSLATE_NOOP("RunError", "Cannot remove the partial last line of %1: %2."),
                   Reason(errno));
  }
  file.committed_size = whole;
}

// The record was written before the killed run's last block: from the sizes it gives as paired,
// both files hold the block's first lines, one of them perhaps more than the other. Each keeps as
// many as both hold.
void DataFiles::KeepPairsOfKilledRun(const BlockMarks& marks) {
  std::string blocks[2];
  std::size_t lines[2] = {0, 0};
  for (int k = 0; k < 2; ++k) {
    const File& file = files_[k];
    const BlockMark& mark = marks.file[k];
    const bool as_left =
        !file.created && file.device == mark.device && file.inode == mark.inode &&
        mark.paired <= file.committed_size && file.opened_size <= mark.bound &&
        mark.bound - mark.paired <= static_cast<long long>(kFlushBytes + kLongestLine);
    if (!as_left ||
        !ReadRange(file.path, file.device, file.inode, mark.paired, file.committed_size,
                   blocks[k]) ||
        blocks[k].find_first_not_of(kLineCharacters) != std::string::npos) {
      return;
    }
    lines[k] = static_cast<std::size_t>(std::count(blocks[k].begin(), blocks[k].end(), '\n'));
  }
  const std::size_t both = std::min(lines[0], lines[1]);
  for (int k = 0; k < 2; ++k) {
    std::size_t kept = 0;
    for (std::size_t n = 0; n < both; ++n) kept = blocks[k].find('\n', kept) + 1;
    File& file = files_[k];
    const long long size = marks.file[k].paired + static_cast<long long>(kept);
    // A file that cannot be cut is left as it is, as it would be without the record.
    if (size < file.committed_size && ::ftruncate(file.fd, size) == 0) file.committed_size = size;
  }
}

void DataFiles::WriteStep(double y, double v) {
  AppendDataLine(files_[0].pending, y);
  AppendDataLine(files_[1].pending, v);
  ++pending_steps_;
  if (files_[0].pending.size() >= kFlushBytes || files_[1].pending.size() >= kFlushBytes) Flush();
}

void DataFiles::Flush() {
  if (pending_steps_ == 0) return;
  BlockMarks marks;
  for (int k = 0; k < 2; ++k) {
    const File& file = files_[k];
    marks.file[k] = {file.device, file.inode, file.committed_size,
                     file.committed_size + static_cast<long long>(file.pending.size())};
  }
  record_.Write(marks);
  for (int k = 0; k < 2; ++k) {
    const File& file = files_[k];
    if (file.fd < 0 || file.pending.empty()) continue;
    const WriteResult result = WriteAll(calls_, file.fd, file.pending);
    if (result.error != 0) KeepWholeStepsAndThrow(k, result);
  }
  for (File& file : files_) {
    file.committed_size += static_cast<long long>(file.pending.size());
    file.pending.clear();
  }
  committed_steps_ += pending_steps_;
  pending_steps_ = 0;
}

// files_[failed] took only result.written bytes of its pending lines; the file before it took all
// of them, the one after it none.
void DataFiles::KeepWholeStepsAndThrow(int failed, WriteResult result) {
  if (files_[0].regular && files_[1].regular) {
    BlockInFile blocks[2];
    for (int k = 0; k < 2; ++k) {
      const File& file = files_[k];
      const std::size_t held = k < failed ? file.pending.size() : k == failed ? result.written : 0;
      blocks[k] = {file.fd, file.committed_size, file.pending, held};
    }
    committed_steps_ += KeepWholePairs(blocks, calls_);
    for (int k = 0; k < 2; ++k) {
      files_[k].committed_size += static_cast<long long>(blocks[k].held);
      files_[k].pending.clear();
    }
    pending_steps_ = 0;
  } else {
    RollBack();
  }
  const std::string path = files_[failed].path.string();
  throw RunError(ErrorKind::kFileError, FilePlace{path},
                 {SHO_TRANSLATE_NOOP("RunError",
                                     "Cannot write to %1: %2. Both data files keep the lines "
                                     "of this run's first %3 steps."),
                  {path, Reason(result.error), std::to_string(committed_steps_)}});
}

void DataFiles::RollBack() noexcept {
  for (File& file : files_) {
    if (file.fd >= 0) {
      // Devices such as /dev/full cannot be truncated; nothing reached them to undo.
      [[maybe_unused]] const int truncated = ::ftruncate(file.fd, file.committed_size);
    }
    file.pending.clear();
  }
  pending_steps_ = 0;
}

void DataFiles::CloseAllFiles() {
  if (!IsOpen()) return;
  try {
    Flush();
  } catch (const RunError&) {
    CloseQuietly();
    throw;
  }
  record_.Remove();  // while the locks still keep other runs out
  for (File& file : files_) {
    if (file.fd >= 0 && ::close(file.fd) != 0 && errno != EINTR) {
      const int error = errno;
      file.fd = -1;
      CloseQuietly();
      ThrowFileError(file.path, SHO_TRANSLATE_NOOP("RunError", "Cannot close %1: %2."),
                     Reason(error));
    }
    file.fd = -1;
  }
}

void DataFiles::CloseQuietly() noexcept {
  record_.Remove();
  for (File& file : files_) {
    if (file.fd >= 0) ::close(file.fd);
    file.fd = -1;
    file.pending.clear();
  }
}

}  // namespace sho
