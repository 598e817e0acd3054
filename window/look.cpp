#include "window/look.h"

#include <QApplication>
#include <QPalette>
#include <QStringList>
#include <cmath>
#include <cstring>

#include "runtime/units.h"

namespace sho {

QFont WindowFont(const FontSpec& designed) {
  QStringList families;
  if (std::strcmp(designed.face, "Zar") == 0) {
    families = {"Nazli", "Noto Naskh Arabic", "DejaVu Sans"};
  } else if (std::strcmp(designed.face, "MV Boli") == 0) {
    families = {"Comic Neue", "Liberation Sans", "DejaVu Sans"};
  } else {
    families = {"Liberation Sans", "DejaVu Sans"};
  }
  QFont font;
  font.setFamilies(families);
  font.setPixelSize(
      static_cast<int>(std::lround(designed.points * kTwipsPerPoint / kTwipsPerPixel)));
  font.setBold(designed.bold);
  return font;
}

QColor WindowColour(std::uint32_t colour) {
  if (colour & 0x80000000u) {
    const QPalette palette = QApplication::palette();
    switch (colour & 0xFF) {
      case 0x05:  // window background
        return palette.color(QPalette::Base);
      case 0x08:  // window text
        return palette.color(QPalette::WindowText);
      case 0x0A:  // active border
        return palette.color(QPalette::Window);
      case 0x0E:  // highlighted text
        return palette.color(QPalette::HighlightedText);
      case 0x12:  // button text
        return palette.color(QPalette::ButtonText);
      default:  // 0x0F, button face
        return palette.color(QPalette::Button);
    }
  }
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

}  // namespace sho
