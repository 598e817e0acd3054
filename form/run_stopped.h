#pragma once

#include "form/message.h"
#include "runtime/run_error.h"

namespace sho {

// The message that tells of a stopped run: its title, "Run stopped"; its text, what stopped it and
// where ("Type mismatch in entry "y(0)"."); and its details, what the user can do about it.
Message RunStoppedTitle();
Message RunStoppedText(const RunError& error);
Message RunStoppedDetails(const RunError& error);

}  // namespace sho
