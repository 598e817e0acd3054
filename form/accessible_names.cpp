#include "form/accessible_names.h"

namespace sho {

std::optional<Message> AccessibleName(const ControlSpec& row) {
  switch (row.kind) {
    case ControlKind::kComboBox:  // named by its edit text otherwise, nine blanks at first
      return Translatable("Form1", SHO_TRANSLATE_NOOP("Form1", "Current values"));
    case ControlKind::kMultiLineTextBox:
      return Translatable("Form1", SHO_TRANSLATE_NOOP("Form1", "Instructions"));
    case ControlKind::kPictureBox:
      return Translatable("Form1", SHO_TRANSLATE_NOOP("Form1", "Graphs"));
    default:
      return std::nullopt;
  }
}

}  // namespace sho
