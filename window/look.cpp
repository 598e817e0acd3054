#include "window/look.h"

#include <QApplication>
#include <QPalette>
#include <QStringList>

namespace sho {

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
