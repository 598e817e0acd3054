#include "window/look.h"

#include <QApplication>
#include <QStringList>
#include <optional>
#include <stdexcept>

namespace sho {

QPalette::ColorRole QtPaletteRole(PaletteRole role) {
  switch (role) {
    case PaletteRole::kWindow:
      return QPalette::Window;
    case PaletteRole::kWindowText:
      return QPalette::WindowText;
    case PaletteRole::kBase:
      return QPalette::Base;
    case PaletteRole::kButton:
      return QPalette::Button;
    case PaletteRole::kButtonText:
      return QPalette::ButtonText;
    case PaletteRole::kHighlightedText:
      return QPalette::HighlightedText;
  }
  throw std::logic_error("a palette role of no known kind");
}

QFont WindowFont(const FontSpec& designed) {
  QStringList families;
  for (const char* family : FontFamilies(designed)) families.append(QString::fromLatin1(family));
  QFont font;
  font.setFamilies(families);
  font.setPixelSize(FontPixelSize(designed));
  font.setBold(designed.bold);
  return font;
}

QColor WindowColour(std::uint32_t colour) {
  if (const std::optional<PaletteRole> role = SystemColourRole(colour)) {
    return QApplication::palette().color(QtPaletteRole(*role));
  }
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

}  // namespace sho
