#pragma once

#include "form/message.h"

namespace sho {

// The plot's menu, which a right click on the plot (or the menu key) opens: "Copy plot", also
// Ctrl+C while the plot has the focus, and "Save plot as PNG…", which offers plot.png. Both take
// the drawing area as it is shown.
Message CopyPlotText();
Message SavePlotText();
// The letter that copies the plot with Ctrl.
inline constexpr char kCopyPlotKey = 'C';
inline constexpr const char* kPlotFileName = "plot.png";

}  // namespace sho
