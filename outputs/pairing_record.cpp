#include "outputs/pairing_record.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string_view>

#include "outputs/data_lines.h"

namespace sho {
namespace {

// The record is text, of the same length whatever it holds, so that each new one replaces the
// last in one small write: a line that tells a user what the file is, then a line for each data
// file with its device, inode, paired size and bound.
constexpr std::string_view kHeader =
    "Kept by sho-euler while a run writes y.dat and v.dat; the run removes it when it ends.\n";
constexpr const char* kLineFormat = "%s %020llu %020llu %020lld %020lld\n";
constexpr const char* kFileNames[2] = {DataFileName(DataFile::kPositions),
                                       DataFileName(DataFile::kVelocities)};
constexpr std::size_t kLineLength = 5 + 4 * 21 + 1;
constexpr std::size_t kRecordLength = kHeader.size() + 2 * kLineLength;

using Text = char[kRecordLength + 1];

void Format(const BlockMarks& marks, Text& text) {
  kHeader.copy(text, kHeader.size());
  char* at = text + kHeader.size();
  for (int k = 0; k < 2; ++k) {
    const BlockMark& mark = marks.file[k];
    at += std::snprintf(at, kLineLength + 1, kLineFormat, kFileNames[k],
                        static_cast<unsigned long long>(mark.device),
                        static_cast<unsigned long long>(mark.inode), mark.paired, mark.bound);
  }
}

// The marks in `text`, which must be a record exactly as Format writes it.
std::optional<BlockMarks> Parse(std::string_view text) {
  if (text.size() != kRecordLength || !text.starts_with(kHeader)) return std::nullopt;
  const std::string line_text(text.substr(kHeader.size()));
  BlockMarks marks;
  const char* at = line_text.c_str();
  for (int k = 0; k < 2; ++k, at += kLineLength) {
    char name[6] = {};
    unsigned long long device = 0;
    unsigned long long inode = 0;
    BlockMark& mark = marks.file[k];
    if (std::sscanf(at, "%5s %llu %llu %lld %lld", name, &device, &inode, &mark.paired,
                    &mark.bound) != 5 ||
        std::string_view(name) != kFileNames[k]) {
      return std::nullopt;
    }
    mark.device = static_cast<dev_t>(device);
    mark.inode = static_cast<ino_t>(inode);
  }
  Text again;
  Format(marks, again);  // nothing but the numbers, in their places
  if (std::string_view(again, kRecordLength) != text) return std::nullopt;
  return marks;
}

}  // namespace

std::optional<BlockMarks> PairingRecord::Open(const std::filesystem::path& directory) noexcept {
  Close();
  path_ = directory / kName;
  // Never through a link, nor into anything but a file of its own.
  fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
  if (fd_ < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
    Close();
    return std::nullopt;
  }
  if (info.st_size == 0) return std::nullopt;

  Text text;
  const ssize_t got = ::pread(fd_, text, sizeof text, 0);
  if (got != static_cast<ssize_t>(kRecordLength)) {
    // Not a record of the program's: start afresh, so that the first marks make a whole record.
    if (::ftruncate(fd_, 0) != 0) Close();
    return std::nullopt;
  }
  return Parse(std::string_view(text, kRecordLength));
}

void PairingRecord::Write(const BlockMarks& marks) noexcept {
  if (fd_ < 0) return;
  Text text;
  Format(marks, text);
  if (::pwrite(fd_, text, kRecordLength, 0) != static_cast<ssize_t>(kRecordLength)) Remove();
}

void PairingRecord::Remove() noexcept {
  if (fd_ < 0) return;
  if (::unlink(path_.c_str()) != 0) {
    // Left in place, it must not tell of marks that no longer hold.
    [[maybe_unused]] const int emptied = ::ftruncate(fd_, 0);
  }
  Close();
}

void PairingRecord::Close() noexcept {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

}  // namespace sho
