#include "form/run_stopped.h"

namespace sho {

Message RunStoppedTitle() {
  return Translatable("Form1", SHO_TRANSLATE_NOOP("Form1", "Run stopped"));
}

Message RunStoppedText(const RunError& error) {
  return Translatable("Form1", SHO_TRANSLATE_NOOP("Form1", "%1 in %2."),
                      {Translatable("RunError", KindName(error.kind())),
                       FromRunMessage(PlaceMessage(error.place()))});
}

Message RunStoppedDetails(const RunError& error) { return FromRunMessage(error.message()); }

}  // namespace sho
