#pragma once

#include <cstdint>
#include <optional>

namespace sho {

// The roles of a palette that the window's system colours stand for.
enum class PaletteRole { kWindow, kWindowText, kBase, kButton, kButtonText, kHighlightedText };

// The role system colour 0x800000nn stands for; none for a plain 0x00BBGGRR colour. A system colour
// the window does not use throws std::out_of_range.
std::optional<PaletteRole> SystemColourRole(std::uint32_t colour);

// The Fusion style's standard palette (active group) as 0x00BBGGRR: what the page shows for a role.
std::uint32_t FusionColour(PaletteRole role);

// A colour as the page shows it: a plain colour as it is, a system colour as Fusion's.
std::uint32_t PageColour(std::uint32_t colour);

}  // namespace sho
