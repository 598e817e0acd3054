#pragma once

#include <QColor>
#include <QFont>

#include "window/control_table.h"

namespace sho {

// The font that stands in for one the window was designed with: FontFamilies() at FontPixelSize().
QFont WindowFont(const FontSpec& designed);

// A 0x00BBGGRR colour, or for a system colour 0x800000nn the application palette's colour of the
// matching role.
QColor WindowColour(std::uint32_t colour);

}  // namespace sho
