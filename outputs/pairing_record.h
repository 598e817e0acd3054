#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>

namespace sho {

// Where one data file stood when a block of lines was about to reach it.
struct BlockMark {
  dev_t device = 0;
  ino_t inode = 0;
  long long paired = 0;  // its size after the last step that reached both files
  long long bound = 0;   // its size once the whole block has reached it
};

// Both files' marks: y.dat's, then v.dat's.
struct BlockMarks {
  BlockMark file[2];
};

// A small hidden file beside the data files that a run keeps while it has them open: before each
// block of lines it holds where both files stand, and the run removes it when it closes them. One
// found when a run opens the files was left by a run that was killed, and tells the next run what
// that run may have left half-done. It is read and written only under the data files' locks.
class PairingRecord {
 public:
  static constexpr const char* kName = ".sho-euler-pairing";

  PairingRecord() = default;
  ~PairingRecord() { Close(); }
  PairingRecord(const PairingRecord&) = delete;
  PairingRecord& operator=(const PairingRecord&) = delete;

  // Opens the record in `directory`, creating it. Returns the marks a killed run left there, if
  // any. Where the directory cannot hold the record, the record stays closed.
  std::optional<BlockMarks> Open(const std::filesystem::path& directory) noexcept;

  // Replaces the marks. A record that cannot be written is removed and stays closed: its old
  // marks no longer tell where the files stand.
  void Write(const BlockMarks& marks) noexcept;

  // Removes the record and closes it: the files are paired again.
  void Remove() noexcept;

 private:
  void Close() noexcept;

  std::filesystem::path path_;
  int fd_ = -1;
};

}  // namespace sho
