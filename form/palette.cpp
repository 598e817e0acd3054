#include "form/palette.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <utility>

namespace sho {
namespace {

constexpr std::uint32_t kSystemColour = 0x80000000u;

// System colour nn of 0x800000nn, as the window uses them.
constexpr std::array<std::pair<std::uint32_t, PaletteRole>, 6> kSystemColours = {{
    {0x05, PaletteRole::kBase},             // window background
    {0x08, PaletteRole::kWindowText},       // window text
    {0x0A, PaletteRole::kWindow},           // active border
    {0x0E, PaletteRole::kHighlightedText},  // highlighted text
    {0x0F, PaletteRole::kButton},           // button face
    {0x12, PaletteRole::kButtonText},       // button text
}};

}  // namespace

std::optional<PaletteRole> SystemColourRole(std::uint32_t colour) {
  if (!(colour & kSystemColour)) return std::nullopt;
  const std::uint32_t index = colour & ~kSystemColour;
  const auto entry = std::find_if(kSystemColours.begin(), kSystemColours.end(),
                                  [index](const auto& e) { return e.first == index; });
  if (entry == kSystemColours.end()) {
    throw std::out_of_range("no palette role for system colour " + std::to_string(index));
  }
  return entry->second;
}

std::uint32_t FusionColour(PaletteRole role) {
  switch (role) {
    case PaletteRole::kBase:
    case PaletteRole::kHighlightedText:
      return 0x00FFFFFF;
    case PaletteRole::kWindowText:
    case PaletteRole::kButtonText:
      return 0x00000000;
    case PaletteRole::kWindow:
    case PaletteRole::kButton:
      return 0x00EFEFEF;
  }
  throw std::logic_error("a palette role of no known kind");
}

std::uint32_t PageColour(std::uint32_t colour) {
  const std::optional<PaletteRole> role = SystemColourRole(colour);
  return role ? FusionColour(*role) : colour & 0x00FFFFFF;
}

}  // namespace sho
