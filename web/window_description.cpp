#include "web/window_description.h"

#include <algorithm>
#include <stdexcept>

#include "runtime/units.h"
#include "web/json_text.h"

namespace sho {
namespace {

// System colour nn of 0x800000nn as the Fusion style's palette gives it on the desktop.
Colour SystemColour(std::uint32_t index) {
  switch (index) {
    case 0x05:  // window background: Base
    case 0x0E:  // highlighted text: HighlightedText
      return 0x00FFFFFF;
    case 0x08:  // window text: WindowText
    case 0x12:  // button text: ButtonText
      return 0x00000000;
    default:  // 0x0A active border (Window), 0x0F button face (Button)
      return 0x00EFEFEF;
  }
}

Colour Resolved(std::uint32_t colour) {
  return (colour & 0x80000000u) ? SystemColour(colour & 0xFF) : colour & 0x00FFFFFF;
}

// "#rrggbb" for a 0x00BBGGRR colour.
std::string CssColour(Colour colour) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string css = "#";
  for (const int shift : {0, 8, 16}) {
    const unsigned byte = (colour >> shift) & 0xFF;
    css += kHex[byte >> 4];
    css += kHex[byte & 0xF];
  }
  return css;
}

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kTextBox:
      return "textBox";
    case ControlKind::kMultiLineTextBox:
      return "multiLineTextBox";
    case ControlKind::kComboBox:
      return "comboBox";
    case ControlKind::kPictureBox:
      return "pictureBox";
    case ControlKind::kLabel:
      return "label";
    case ControlKind::kLine:
      return "line";
    case ControlKind::kButton:
      return "button";
    case ControlKind::kFrame:
      return "frame";
  }
  return "";
}

// The font as CSS names it: the desktop's families, then a generic one for a browser that has
// none of them.
std::string CssFontFamily(const FontSpec& font) {
  std::string families;
  for (const char* family : FontFamilies(font)) families += std::string("\"") + family + "\", ";
  return families + (std::string_view(font.face) == "MV Boli" ? "cursive" : "sans-serif");
}

void AddFont(JsonWriter& json, const FontSpec& font) {
  json.Open("font").Add("family", CssFontFamily(font)).Add("pixels", FontPixelSize(font));
  json.Add("bold", font.bold).Close();
}

// Left, top, width and height in pixels, as the desktop places the control.
void AddGeometry(JsonWriter& json, const ControlSpec& row) {
  const PixelRect pixels = PixelGeometry(row);
  json.Add("left", pixels.left).Add("top", pixels.top);
  json.Add("width", pixels.width).Add("height", pixels.height);
}

void AddControl(JsonWriter& json, const ControlSpec& row) {
  json.Open().Add("key", ControlKey(row)).Add("name", row.name).Add("index", row.index);
  json.Add("kind", KindName(row.kind)).Add("container", row.container);
  AddGeometry(json, row);
  json.Add("text", row.text);
  json.Add("back", CssColour(BackColour(row))).Add("fore", CssColour(ForeColour(row)));
  AddFont(json, row.font);
  json.Add("tab", row.tab_index).Close();
}

}  // namespace

const ControlSpec& ControlRow(std::string_view key) {
  const auto row = std::find_if(kControlTable.begin(), kControlTable.end(),
                                [key](const ControlSpec& r) { return ControlKey(r) == key; });
  if (row == kControlTable.end()) throw std::out_of_range("no control " + std::string(key));
  return *row;
}

Colour BackColour(const ControlSpec& row) {
  return Resolved(row.back_colour.value_or(DefaultBackColour(row.kind)));
}

Colour ForeColour(const ControlSpec& row) {
  return Resolved(row.fore_colour.value_or(DefaultForeColour(row.kind)));
}

std::string WindowDescription() {
  JsonWriter json;
  json.Open().Add("caption", kWindowCaption);
  json.Add("width", NearestPixel(kClientWidthTwips))
      .Add("height", NearestPixel(kClientHeightTwips));
  json.Add("back", CssColour(Resolved(kWindowBackColour)));
  AddFont(json, kWindowFont);
  json.OpenList("controls");
  for (const ControlSpec& row : kControlTable) AddControl(json, row);
  json.CloseList().Close();
  return json.Text();
}

}  // namespace sho
