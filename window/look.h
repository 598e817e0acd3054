#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

#include "form/control_table.h"
#include "form/palette.h"

namespace sho {

// The font that stands in for one the window was designed with: FontFamilies() at FontPixelSize().
QFont WindowFont(const FontSpec& designed);

// Qt's palette role for a role a system colour stands for.
QPalette::ColorRole QtPaletteRole(PaletteRole role);

// A 0x00BBGGRR colour, or for a system colour 0x800000nn the application palette's colour of the
// role it stands for, so that the style and the desktop's theme decide it.
QColor WindowColour(std::uint32_t colour);

}  // namespace sho
