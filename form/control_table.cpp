#include "form/control_table.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>

#include "runtime/units.h"

namespace sho {
namespace {

using K = ControlKind;
constexpr std::nullopt_t kDefault = std::nullopt;
constexpr FontSpec kSans825{"MS Sans Serif", 8.25, false};
constexpr FontSpec kSans825Bold{"MS Sans Serif", 8.25, true};
constexpr FontSpec kSans12{"MS Sans Serif", 12, false};
constexpr FontSpec kSans12Bold{"MS Sans Serif", 12, true};
constexpr FontSpec kZar975Bold{"Zar", 9.75, true};
constexpr FontSpec kZar1425Bold{"Zar", 14.25, true};
constexpr FontSpec kBoli18Bold{"MV Boli", 18, true};

// " i (Step)", 18 blanks, "Yi (Position)", 20 blanks, "Vi (Velocity)", 26 blanks.
constexpr const char* kResultsHeading =
    " i (Step)"
    "                  "
    "Yi (Position)"
    "                    "
    "Vi (Velocity)"
    "                          ";
static_assert(std::char_traits<char>::length(kResultsHeading) == 99);

// The drawing area's size, short enough for the table's columns.
constexpr int kFigW = kPlotWidthTwips;
constexpr int kFigH = kPlotHeightTwips;

constexpr const char* kResult =
    "\u0646\u062A\u064A\u062C\u0647 "
    "\u0645\u062D\u0627\u0633\u0628\u0627\u062A";  // نتيجه محاسبات
constexpr const char* kExact = "\u062C\u0648\u0627\u0628 \u062F\u0642\u064A\u0642";  // جواب دقيق

}  // namespace

// clang-format off
const std::array<ControlSpec, 25> kControlTable = {{
  // name      idx kind                  container    left   top  width height text                 back        fore        font          tab
  {"Text2",      2, K::kMultiLineTextBox, "Form1",     4200, 1920, 5295,  420, "3-Graphs.\r\n",       0x00FFFFC0, kDefault,   kSans12Bold,   14},
  {"Text2",      1, K::kMultiLineTextBox, "Form1",     4200,  360, 5295,  420, "2-Current values.\r\n", 0x00FFFFC0, kDefault, kSans12Bold,   13},
  {"fig",       -1, K::kPictureBox,       "Form1",     4200, 2400, kFigW, kFigH, "",                  0x00FFFFFF, kDefault,   kSans825,      11},
  {"Label3",    -1, K::kLabel,            "fig",          0, 1560, 1815,  375, kResult,               0x8000000E, 0x000000FF, kZar975Bold,   22},
  {"Label2",     0, K::kLabel,            "fig",        120, 1200, 1575,  615, kExact,                0x00FFFFFF, 0x00FF0000, kZar975Bold,   19},
  {"Line1",     -1, K::kLine,             "fig",          0, 2640, kFigW, 2640, "",                   kDefault,   kDefault,   kSans825,      -1},
  {"Exit",      -1, K::kButton,           "Form1",     2400, 6960,  975,  615, "Exit",                0x008080FF, kDefault,   kSans12Bold,   10},
  {"Frame3",    -1, K::kFrame,            "Form1",     4200,  840, 5295,  255, kResultsHeading,       kDefault,   kDefault,   kSans825Bold,   9},
  {"Cmby",      -1, K::kComboBox,         "Form1",     4200, 1080, 5295,  420, "         ",           kDefault,   kDefault,   kSans12,        8},
  {"Frame1",     2, K::kFrame,            "Form1",      480, 5640, 2655,  855, "Time step<0.01",      0x00FF8080, kDefault,   kSans12Bold,    6},
  {"Text1",      2, K::kTextBox,          "Frame1(2)",    0,  360, 2535,  495, "",                    kDefault,   kDefault,   kSans825,       2},
  {"Frame1",     1, K::kFrame,            "Form1",      480, 4560, 2655,  855, "Phi(0)Degree",        0x00FF8080, kDefault,   kSans12Bold,    5},
  {"Text1",      1, K::kTextBox,          "Frame1(1)",    0,  360, 2535,  495, "",                    kDefault,   kDefault,   kSans825,       1},
  {"Frame1",     0, K::kFrame,            "Form1",      480, 3360, 2655,  855, "y(0)",                0x00FF8080, kDefault,   kSans12Bold,    4},
  {"Text1",      0, K::kTextBox,          "Frame1(0)",    0,  360, 2535,  495, "",                    kDefault,   kDefault,   kSans825,       0},
  {"Command1",  -1, K::kButton,           "Form1",      240, 6960,  975,  615, "Run",                 0x008080FF, kDefault,   kSans12Bold,    3},
  {"Frame2",    -1, K::kFrame,            "Form1",      240, 1680, 3135, 5175, "Settings",            0x8000000A, 0x80000008, kSans12Bold,    7},
  {"Text2",      0, K::kMultiLineTextBox, "Frame2",     240,  480, 2535,  975, "1-Enter your Initial \r\nvalues.\r\n", 0x00FFFFC0, kDefault, kSans12Bold, 12},
  {"Frame4",    -1, K::kFrame,            "Form1",     4080,    0, 5535, 7695, "Results",             kDefault,   kDefault,   kSans12Bold,   15},
  {"Label4",    -1, K::kLabel,            "Form1",      240,  240, 3135, 1335, "Euler's algorithm for Simple  Harmonic Oscilator", 0x0080C0FF, kDefault, kBoli18Bold, 23},
  {"Label2",     2, K::kLabel,            "Form1",     5400, 6240, 1575,  615, kExact,                0x00FFFFFF, 0x00FF0000, kZar1425Bold,  21},
  {"Label2",     1, K::kLabel,            "Form1",     7320, 6240, 1575,  615, kResult,               0x00FFFFFF, 0x00FF0000, kZar1425Bold,  20},
  {"Label1",     2, K::kLabel,            "Form1",     3840, 4920,  375,  375, "0",                   0x0080C0FF, kDefault,   kSans825Bold,  18},
  {"Label1",     1, K::kLabel,            "Form1",     9720, 7440,  375,  375, "t(s)",                0x0080C0FF, kDefault,   kSans825Bold,  17},
  {"Label1",     0, K::kLabel,            "Form1",     3720, 2400,  375,  375, "Y(t)",                0x0080C0FF, kDefault,   kSans825Bold,  16},
}};
// clang-format on

std::string ControlKey(const char* name, int index) {
  return index < 0 ? name : std::string(name) + "(" + std::to_string(index) + ")";
}

std::string ControlKey(const ControlSpec& row) { return ControlKey(row.name, row.index); }

const ControlSpec& ControlRow(std::string_view key) {
  const auto row = std::find_if(kControlTable.begin(), kControlTable.end(),
                                [key](const ControlSpec& r) { return ControlKey(r) == key; });
  if (row == kControlTable.end()) throw std::out_of_range("no control " + std::string(key));
  return *row;
}

bool HoldsText(ControlKind kind) {
  return kind == ControlKind::kTextBox || kind == ControlKind::kMultiLineTextBox ||
         kind == ControlKind::kComboBox;
}

bool IsTitle(const ControlSpec& row) { return ControlKey(row) == "Label4"; }

std::uint32_t DefaultBackColour(ControlKind kind) {
  return HoldsText(kind) ? 0x80000005 : 0x8000000F;
}

std::uint32_t DefaultForeColour(ControlKind kind) {
  return HoldsText(kind) || kind == ControlKind::kLine ? 0x80000008 : 0x80000012;
}

std::uint32_t ControlBackColour(const ControlSpec& row) {
  return row.back_colour.value_or(DefaultBackColour(row.kind));
}

std::uint32_t ControlForeColour(const ControlSpec& row) {
  return row.fore_colour.value_or(DefaultForeColour(row.kind));
}

PixelRect PixelGeometry(const ControlSpec& row) {
  const int left = NearestPixel(row.left);
  const int top = NearestPixel(row.top);
  if (row.kind == ControlKind::kLine) {  // (x1, y1) to (x2, y2)
    return {left, top, std::max(1, NearestPixel(row.width) - left),
            std::max(1, NearestPixel(row.height) - top)};
  }
  return {left, top, NearestPixel(row.width), NearestPixel(row.height)};
}

std::span<const char* const> FontFamilies(const FontSpec& font) {
  static constexpr const char* kZar[] = {"Nazli", "Noto Naskh Arabic", "DejaVu Sans"};
  static constexpr const char* kBoli[] = {"Comic Neue", "Liberation Sans", "DejaVu Sans"};
  static constexpr const char* kSans[] = {"Liberation Sans", "DejaVu Sans"};
  if (std::strcmp(font.face, "Zar") == 0) return kZar;
  if (std::strcmp(font.face, "MV Boli") == 0) return kBoli;
  return kSans;
}

int FontPixelSize(const FontSpec& font) {
  return static_cast<int>(std::lround(font.points * kTwipsPerPoint / kTwipsPerPixel));
}

std::uint32_t ControlFillColour(const ControlSpec& row) {
  return row.kind == ControlKind::kLine ? ControlForeColour(row) : ControlBackColour(row);
}

std::string ControlShownText(const ControlSpec& row) {
  std::string text = row.text;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
    text.erase(at, 1);
  }
  return text;
}

}  // namespace sho
