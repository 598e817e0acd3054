#pragma once

#include <stdexcept>
#include <string>
#include <variant>

namespace sho {

enum class ErrorKind { kTypeMismatch, kFileError, kOverflow };

// Where a run stopped: in an entry, in a data file, or in a step of the loop.
struct EntryPlace {
  int index;  // 0, 1 or 2
  std::string caption;
};
struct FilePlace {
  std::string path;
};
struct StepPlace {
  int step;
};
using ErrorPlace = std::variant<EntryPlace, FilePlace, StepPlace>;

// The one error a run raises. It unwinds the run where it happens; the window reports it and stays
// open. what() is a message a user can act on.
class RunError : public std::runtime_error {
 public:
  RunError(ErrorKind kind, ErrorPlace place, const std::string& message);

  ErrorKind kind() const noexcept { return kind_; }
  const ErrorPlace& place() const noexcept { return place_; }

  // The entry index for an error in an entry, otherwise -1.
  int entry() const noexcept;

 private:
  ErrorKind kind_;
  ErrorPlace place_;
};

// "Type mismatch", "File error" or "Overflow".
const char* KindName(ErrorKind kind);

// The place as a user reads it: the entry's caption in quotes, the file's path, or "step 764".
std::string PlaceText(const ErrorPlace& place);

}  // namespace sho
