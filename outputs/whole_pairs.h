#pragma once

#include <unistd.h>

#include <cstddef>
#include <string_view>

namespace sho {

// The calls that bring the data files to the disk: the system's, unless a test gives stand-ins.
struct DiskCalls {
  ssize_t (*write)(int fd, const void* data, std::size_t size) = ::write;
  // Brings everything written to fd's file system, and cut from it, to the disk.
  int (*sync)(int fd) = ::syncfs;
};

struct WriteResult {
  std::size_t written;  // bytes that reached the file
  int error;            // 0, or the errno of the write that stopped short
};

// Writes all of `data`, going on after a write that is interrupted or takes only part of it.
WriteResult WriteAll(const DiskCalls& calls, int fd, std::string_view data);

// A regular data file and the block of lines that was last written to it.
struct BlockInFile {
  int fd;
  long long start;         // the file's size before the block
  std::string_view lines;  // the block: whole lines, each ending in '\n'
  std::size_t held;        // how many bytes of the block the file holds
};

// After a write of the blocks fell short (for want of space, say), brings both files to the same
// number of whole lines of their blocks, as many as the two files can hold together: it shortens
// the file that holds more lines and writes the missing lines of the other, narrowing the number
// down by halves. Nothing before a block's start is touched. Returns that number; each file's
// `held` is then the bytes of that many lines.
long KeepWholePairs(BlockInFile (&files)[2], const DiskCalls& calls);

}  // namespace sho
