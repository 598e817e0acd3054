#include "outputs/whole_pairs.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace sho {

WriteResult WriteAll(const DiskCalls& calls, int fd, std::string_view data) {
  std::size_t written = 0;
  while (written < data.size()) {
    const ssize_t n = calls.write(fd, data.data() + written, data.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      return {written, errno};
    }
    if (n == 0) return {written, EIO};
    written += static_cast<std::size_t>(n);
  }
  return {written, 0};
}

namespace {

// Moves both files towards the same number of whole lines of their blocks. The largest number
// they can hold together lies between the fewer lines one of them holds and the more lines the
// other holds (the disk was full with those): each try cuts the files above the middle number and
// writes the missing lines up to it; a try that succeeds raises the lower end, one that falls
// short lowers the upper end to what the files then hold.
class PairBalancer {
 public:
  PairBalancer(BlockInFile (&files)[2], const DiskCalls& calls) : files_(files), calls_(calls) {
    for (int k = 0; k < 2; ++k) {
      std::vector<std::size_t>& ends = line_ends_[k];
      ends.push_back(0);
      const std::string_view lines = files[k].lines;
      for (std::size_t at = lines.find('\n'); at != std::string_view::npos;
           at = lines.find('\n', at + 1)) {
        ends.push_back(at + 1);
      }
    }
  }

  long Balance() {
    for (int k = 0; k < 2; ++k) KeepWholeLines(k);
    long fewest = std::min(count_[0], count_[1]);  // both files can hold this many
    long most = std::max(count_[0], count_[1]);    // and no more than this many
    while (fewest < most) {
      const long middle = fewest + (most - fewest + 1) / 2;
      if (Reach(middle)) {
        fewest = middle;
      } else {
        fewest = std::max(fewest, std::min(count_[0], count_[1]));
        most = std::min(middle - 1, std::max(count_[0], count_[1]));
      }
    }
    Reach(fewest);
    return fewest;
  }

 private:
  // Cuts the files that hold more than `lines` lines, then writes the missing lines of each.
  bool Reach(long lines) {
    for (int k = 0; k < 2; ++k) {
      if (count_[k] > lines) Cut(k, lines);
    }
    for (int k = 0; k < 2; ++k) {
      if (count_[k] < lines && !Extend(k, lines)) return false;
    }
    return count_[0] == lines && count_[1] == lines;
  }

  bool Extend(int k, long lines) {
    BlockInFile& file = files_[k];
    const std::size_t wanted = line_ends_[k][lines];
    file.held +=
        WriteAll(calls_, file.fd, file.lines.substr(file.held, wanted - file.held)).written;
    if (file.held < wanted && cut_since_sync_) {
      // A file system may give the room of a cut back only once the cut is on the disk.
      Sync();
      file.held +=
          WriteAll(calls_, file.fd, file.lines.substr(file.held, wanted - file.held)).written;
    }
    KeepWholeLines(k);
    return count_[k] == lines;
  }

  // Takes a partial last line away.
  void KeepWholeLines(int k) {
    const std::vector<std::size_t>& ends = line_ends_[k];
    count_[k] = std::upper_bound(ends.begin(), ends.end(), files_[k].held) - ends.begin() - 1;
    if (files_[k].held != ends[count_[k]]) Cut(k, count_[k]);
  }

  void Cut(int k, long lines) {
    BlockInFile& file = files_[k];
    const std::size_t size = line_ends_[k][lines];
    if (::ftruncate(file.fd, file.start + static_cast<long long>(size)) != 0) return;
    file.held = size;
    count_[k] = lines;
    cut_since_sync_ = true;
  }

  void Sync() {
    for (const BlockInFile& file : files_) calls_.sync(file.fd);
    cut_since_sync_ = false;
  }

  BlockInFile (&files_)[2];
  const DiskCalls& calls_;
  std::vector<std::size_t> line_ends_[2];  // line_ends_[k][n]: the bytes of block k's first n lines
  long count_[2] = {0, 0};                 // the whole lines of its block that each file holds
  bool cut_since_sync_ = false;
};

}  // namespace

long KeepWholePairs(BlockInFile (&files)[2], const DiskCalls& calls) {
  return PairBalancer(files, calls).Balance();
}

}  // namespace sho
