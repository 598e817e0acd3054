#pragma once

#include <string_view>

#include "web/shared/json_text.h"

namespace sho {

// Adds to `json`, as its member `name`, the window for the page's build to write into the page's
// HTML: its size, caption, colour and font, the control that has the focus first, the plot's
// description before any run, and every control in the order the page lays them out (each
// container before what it holds) with its geometry in CSS pixels, text, colours, font, stacking
// rank and, where its caption does not say what it is, its name for screen readers. Texts are in
// the page's language.
void AddWindowDescription(JsonWriter& json, std::string_view name);

}  // namespace sho
