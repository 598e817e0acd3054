#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "outputs/plot.h"
#include "window/control_table.h"

namespace sho {

// The control with this key ("fig", "Text1(0)"); throws std::out_of_range for an unknown key.
const ControlSpec& ControlRow(std::string_view key);

// A control's colours as the desktop shows them: the table's, or the kind's usual one where the
// table gives none, with system colours as the desktop's style (Fusion) has them; 0x00BBGGRR.
Colour BackColour(const ControlSpec& row);
Colour ForeColour(const ControlSpec& row);

// The window for the page to build: its size, caption, colour and font, and every control of the
// control table with its geometry in CSS pixels, text, colours, font and tab index, as JSON.
std::string WindowDescription();

}  // namespace sho
