#pragma once

#include <functional>
#include <string>
#include <vector>

#include "runtime/run_error.h"

namespace sho {

// A text the user reads, kept apart from its changing parts so that it can be translated first
// and filled in afterwards. A part may be a message of its own, translated in turn.
struct Message {
  const char* context = nullptr;  // null: the text is not translated (a path, a number, a join)
  std::string text;               // English, %1 ... %9 where the parts go
  std::vector<Message> parts;
};

// A text shown as it is.
Message Literal(std::string text);
// A text to translate under `context`, marked where it is written with SHO_TRANSLATE_NOOP.
Message Translatable(const char* context, const char* text, std::vector<Message> parts = {});
// A run's message: its text under "RunError", its parts shown as they are.
Message FromRunMessage(const RunMessage& message);

// A text of `context` in the user's language, UTF-8.
using Translate = std::function<std::string(const char* context, const char* text)>;

// The message in the user's language: its text translated (when it has a context), each part
// rendered, then filled in, in one pass, so that a part holding "%2" itself stays as it is.
std::string Render(const Message& message, const Translate& translate);

}  // namespace sho
