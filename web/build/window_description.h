#pragma once

#include <string>

namespace sho {

// The window for the page's build to write into the page's HTML, as JSON: its size, caption, colour and font, the control that
// has the focus first, the plot's description before any run, and every control in the order the
// page lays them out (each container before what it holds) with its geometry in CSS pixels, text,
// colours, font, stacking rank and, where its caption does not say what it is, its name for
// screen readers. Texts are in the page's language.
std::string WindowDescription();

}  // namespace sho
