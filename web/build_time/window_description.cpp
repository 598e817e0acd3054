#include "web/build_time/window_description.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "form/accessible_names.h"
#include "form/control_table.h"
#include "form/palette.h"
#include "form/plot_description.h"
#include "form/plot_menu.h"
#include "form/run_stopped.h"
#include "form/stacking.h"
#include "form/tab_order.h"
#include "outputs/data_lines.h"
#include "outputs/plot_facts.h"
#include "outputs/results_list.h"
#include "runtime/units.h"
#include "web/shared/page_language.h"

namespace sho {
namespace {

// "#rrggbb" for a colour as the page shows it.
std::string CssColour(std::uint32_t colour) {
  static constexpr char kHex[] = "0123456789abcdef";
  const std::uint32_t shown = PageColour(colour);
  std::string css = "#";
  for (const int shift : {0, 8, 16}) {
    const unsigned byte = (shown >> shift) & 0xFF;
    css += kHex[byte >> 4];
    css += kHex[byte & 0xF];
  }
  return css;
}

const char* ControlKindName(ControlKind kind) {
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

// "fa" for a caption in Persian script, so that the browser shapes it as Persian.
std::string_view TextLanguage(std::string_view text) {
  // Arabic script, U+0600 to U+06FF, starts with the UTF-8 lead bytes 0xD8 to 0xDB.
  const bool persian = std::any_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0xD8 && byte <= 0xDB;
  });
  return persian ? "fa" : "";
}

// A frame whose caption names the one entry it holds, as a label names its control; "" for none.
std::string EntryNamedBy(const ControlSpec& frame) {
  if (frame.kind != ControlKind::kFrame) return {};
  const std::string key = ControlKey(frame);
  const ControlSpec* named = nullptr;
  for (const ControlSpec& row : kControlTable) {
    if (row.container != key || row.kind != ControlKind::kTextBox) continue;
    if (named) return {};
    named = &row;
  }
  return named ? ControlKey(*named) : std::string();
}

void AddGeometry(JsonWriter& json, const ControlSpec& row) {
  const PixelRect pixels = PixelGeometry(row);
  json.Add("left", pixels.left).Add("top", pixels.top);
  json.Add("width", pixels.width).Add("height", pixels.height);
}

void AddControl(JsonWriter& json, const ControlSpec& row) {
  json.Open().Add("key", ControlKey(row)).Add("kind", ControlKindName(row.kind));
  json.Add("container", row.container);
  AddGeometry(json, row);
  json.Add("text", ControlShownText(row)).Add("lang", TextLanguage(row.text));
  json.Add("fill", CssColour(ControlFillColour(row)));
  json.Add("fore", CssColour(ControlForeColour(row)));
  AddFont(json, row.font);
  json.Add("stack", StackRank(row)).Add("heading", IsTitle(row));
  if (const auto name = AccessibleName(row)) {
    json.Add("name", InPageLanguage(*name));
  } else {
    json.AddNull("name");
  }
  json.Add("names", EntryNamedBy(row)).Close();
}

}  // namespace

void AddWindowDescription(JsonWriter& json, std::string_view name) {
  json.Open(name).Add("caption", kWindowCaption);
  json.Add("width", NearestPixel(kClientWidthTwips))
      .Add("height", NearestPixel(kClientHeightTwips));
  json.Add("back", CssColour(kWindowBackColour));
  AddFont(json, kWindowFont);
  json.Add("firstFocus", ControlKey(FirstFocus()));
  json.Add("plotDescription", InPageLanguage(PlotDescription(PlotFacts{}, NumberSymbols{})));
  json.Add("listHeader", ResultsList::kHeader);
  json.Add("runStoppedTitle", InPageLanguage(RunStoppedTitle()));
  json.Open("plotMenu").Add("copy", InPageLanguage(CopyPlotText()));
  json.Add("save", InPageLanguage(SavePlotText()));
  json.Add("copyKey", std::string(1, kCopyPlotKey)).Add("fileName", kPlotFileName).Close();
  json.OpenList("dataFiles");
  for (const DataFile file : {DataFile::kPositions, DataFile::kVelocities}) {
    json.Add("", DataFileName(file));
  }
  json.CloseList();
  json.OpenList("controls");
  for (const ControlSpec* row : ReadingOrder()) AddControl(json, *row);
  json.CloseList().Close();
}

}  // namespace sho
