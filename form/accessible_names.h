#pragma once

#include <optional>

#include "form/control_table.h"
#include "form/message.h"

namespace sho {

// The name screen readers hear for a control whose caption does not say what it is: the list,
// the instructions and the drawing area. None for the others, which their captions name.
std::optional<Message> AccessibleName(const ControlSpec& row);

}  // namespace sho
