#include "form/plot_menu.h"

namespace sho {

Message CopyPlotText() { return Translatable("Form1", SHO_TRANSLATE_NOOP("Form1", "Copy plot")); }

Message SavePlotText() {
  return Translatable("Form1", SHO_TRANSLATE_NOOP("Form1", "Save plot as PNG…"));
}

}  // namespace sho
