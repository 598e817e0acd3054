#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// Marks `text` as a message the window shows in the user's language, without translating it here:
// lupdate collects it under `context` as it does QT_TRANSLATE_NOOP, and the window looks it up
// there. The run itself keeps to plain C++ and uses the English text.
#define SHO_TRANSLATE_NOOP(context, text) text

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

// A message with its changing parts (paths, numbers, captions, what the user typed) kept apart
// from its text, so that the text can be translated and the parts filled in afterwards. `text` is
// English with %1, %2, ... where the parts go, marked with SHO_TRANSLATE_NOOP("RunError", ...).
struct RunMessage {
  RunMessage(const char* text, std::vector<std::string> parts = {})
      : text(text), parts(std::move(parts)) {}

  const char* text;
  std::vector<std::string> parts;
};

// `text` with %1 ... %9 replaced by parts[0] ... parts[8] in one pass, so that a part that holds
// "%2" itself stays as it is.
std::string FillIn(std::string_view text, const std::vector<std::string>& parts);

// The one error a run raises. It unwinds the run where it happens; the window reports it and stays
// open. what() is a message a user can act on, in English; message() is the same to translate.
class RunError : public std::runtime_error {
 public:
  RunError(ErrorKind kind, ErrorPlace place, const RunMessage& message);

  ErrorKind kind() const noexcept { return kind_; }
  const ErrorPlace& place() const noexcept { return place_; }
  const RunMessage& message() const noexcept { return *message_; }

  // The entry index for an error in an entry, otherwise -1.
  int entry() const noexcept;

 private:
  ErrorKind kind_;
  ErrorPlace place_;
  std::shared_ptr<const RunMessage> message_;  // shared, so that copying an error cannot throw
};

// "Type mismatch", "File error" or "Overflow".
const char* KindName(ErrorKind kind);

// The place as a user reads it: the entry's caption in quotes, the file's path, or "step 764".
RunMessage PlaceMessage(const ErrorPlace& place);

}  // namespace sho
