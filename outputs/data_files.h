#pragma once

#include <chrono>
#include <filesystem>
#include <string>

#include "outputs/data_lines.h"
#include "outputs/pairing_record.h"
#include "outputs/whole_pairs.h"

namespace sho {

// The two data files every run appends to: positions to "y.dat" (file 1) and velocities to "v.dat"
// (file 2), one number per line, each line ending in CR LF.
//
// The files never hold a partial line, and line k of y.dat belongs to the same step as line k of
// v.dat: lines are gathered a few thousand steps at a time and reach both files together. When a
// write falls short (a full disk), both files keep every line they held before and the same first
// steps of this run, as many as they can hold together; with a device such as /dev/full in a
// file's place, which cannot be cut, both go back to the last step that reached both. While a run
// has them open it holds an exclusive advisory lock on each, so two copies of the program never
// interleave.
//
// A program killed in the middle of a write can leave the first part of a line (the kernel stops
// a write at a page boundary), and nothing can undo that at the time. The next run that opens the
// file removes such a partial last line before it appends, so that its first number does not run
// into the fragment.
//
// A program killed between its writes of a block can leave more of the block's lines in one file
// than in the other. A hidden record beside the files (PairingRecord) tells the next run where
// both stood, and that run cuts the file that is ahead back to the steps that reached both; it
// cuts nothing unless both files are the ones the record names and each holds no less than before
// the block and no more than the whole block, so that a file the user removed or replaced since,
// or shortened or lengthened beyond that, is left as it is. Where the directory cannot hold the
// record, no such repair is made. Only the program being killed is covered: after a power cut the
// files hold whatever the disk had written.
class DataFiles {
 public:
  // The files live in `directory`: the working directory, unless a test says otherwise.
  explicit DataFiles(std::filesystem::path directory = ".",
                     std::chrono::milliseconds lock_timeout = std::chrono::seconds(5),
                     DiskCalls calls = {});
  ~DataFiles();

  DataFiles(const DataFiles&) = delete;
  DataFiles& operator=(const DataFiles&) = delete;

  // Opens y.dat, then v.dat, for appending, creating a missing file empty, removing a partial last
  // line and the lines of a killed run's last block that reached one file only. Throws a file error
  // naming the path and the reason; when v.dat fails, y.dat is closed again. A last line without a
  // line break that is longer than any line of the program's, or holds anything but the start of a
  // number, is not one of its own: that file is left as it is, with a file error.
  void OpenDataFiles();

  // Writes y as one line of y.dat, then v as one line of v.dat.
  void WriteStep(double y, double v);

  // Brings every written line to the files and closes them. Does nothing when nothing is open.
  void CloseAllFiles();

  bool IsOpen() const noexcept { return files_[0].fd >= 0; }
  std::filesystem::path PositionsPath() const;
  std::filesystem::path VelocitiesPath() const;

 private:
  struct File {
    std::filesystem::path path;
    int fd = -1;
    bool regular = false;  // a file, which can be cut, rather than a device
    bool created = false;  // missing until this run opened it
    dev_t device = 0;      // with the inode, which file this is
    ino_t inode = 0;
    long long opened_size = 0;     // the size the run found
    long long committed_size = 0;  // the size after the last step that reached both files
    std::string pending;           // whole lines not yet written
  };

  void Open(File& file);
  void CutPartialLastLine(File& file);
  void KeepPairsOfKilledRun(const BlockMarks& marks);
  void Flush();
  [[noreturn]] void KeepWholeStepsAndThrow(int failed, WriteResult result);
  void RollBack() noexcept;
  void CloseQuietly() noexcept;

  std::filesystem::path directory_;
  std::chrono::milliseconds lock_timeout_;
  DiskCalls calls_;
  File files_[2];
  PairingRecord record_;
  long committed_steps_ = 0;  // steps of this run that reached both files
  long pending_steps_ = 0;
};

}  // namespace sho
