#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace sho {

enum class ControlKind {
  kTextBox,           // one line: the entries
  kMultiLineTextBox,  // the instructions, shown over several lines
  kComboBox,
  kPictureBox,
  kLabel,
  kLine,
  kButton,
  kFrame,
};

struct FontSpec {
  const char* face;  // the font the window was designed with; FontFamilies() says what stands in
  double points;
  bool bold;
};

// One control of the window. Geometry is in twips relative to the container; a line's geometry is
// its two end points (x1, y1, x2, y2). Colours are 0x00BBGGRR, 0x800000nn for system colour nn;
// none means the kind's usual colour.
struct ControlSpec {
  const char* name;
  int index;  // the index in its control array, -1 for a single control
  ControlKind kind;
  const char* container;  // "Form1" for the window itself
  int left, top, width, height;
  const char* text;
  std::optional<std::uint32_t> back_colour;
  std::optional<std::uint32_t> fore_colour;
  FontSpec font;
  int tab_index;  // -1 for a line
};

// The window itself.
inline constexpr const char* kWindowCaption =
    "Simple Harmonic Oscilator            Test some time steps as 0.1 & 0.01 &...   by   "
    "Telvorandis";
inline constexpr std::uint32_t kWindowBackColour = 0x0080C0FF;
inline constexpr int kClientWidthTwips = 10170;
inline constexpr int kClientHeightTwips = 7920;
inline constexpr FontSpec kWindowFont{"MS Sans Serif", 13.5, true};

// The plot's drawing area.
inline constexpr int kPlotWidthTwips = 5280;
inline constexpr int kPlotHeightTwips = 5175;

// Every control, in the order the window creates them.
extern const std::array<ControlSpec, 25> kControlTable;

// "Text1(2)" for a member of a control array, "Cmby" for a single control (index -1).
std::string ControlKey(const char* name, int index);
std::string ControlKey(const ControlSpec& row);

// The row of the control with this key; std::out_of_range for a key of no control.
const ControlSpec& ControlRow(std::string_view key);

// Whether a control of this kind holds text the user edits or picks: the entries, the instructions
// and the list.
bool HoldsText(ControlKind kind);

// Whether this is the window's title label, Label4, which the page makes its heading.
bool IsTitle(const ControlSpec& row);

// A control's place in its container in pixels, each twips figure to the nearest pixel; a line,
// given by its two ends, as the one pixel thick rectangle between them.
struct PixelRect {
  int left, top, width, height;
};
PixelRect PixelGeometry(const ControlSpec& row);

// The installed families that stand in for the font the window was designed with, the best first:
// Liberation Sans for MS Sans Serif, Nazli (then Noto Naskh Arabic) for the Persian Zar, Comic Neue
// for the hand-drawn MV Boli.
std::span<const char* const> FontFamilies(const FontSpec& font);

// The font's size in pixels at 96 dots per inch, so that text keeps its size against the layout.
int FontPixelSize(const FontSpec& font);

// The colours a control of this kind has when the table gives none: 0x80000005 window
// background, 0x80000008 window text, 0x8000000F button face, 0x80000012 button text.
std::uint32_t DefaultBackColour(ControlKind kind);
std::uint32_t DefaultForeColour(ControlKind kind);

// The control's colours: the table's, or its kind's usual one. Either may be a system colour.
std::uint32_t ControlBackColour(const ControlSpec& row);
std::uint32_t ControlForeColour(const ControlSpec& row);

// The colour the control's area is filled with: its back colour, but a line is its fore colour all
// through.
std::uint32_t ControlFillColour(const ControlSpec& row);

// The control's text as it shows it: the table's CR LF as line breaks.
std::string ControlShownText(const ControlSpec& row);

}  // namespace sho
