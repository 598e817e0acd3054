#pragma once

#include <QString>

#include "runtime/run_error.h"

namespace sho {

// Loads the translations for the user's language (LANGUAGE, LANG): Qt's own, for the texts of its
// dialogs and the application's layout direction, and the program's, built into it. Nothing is
// loaded for a language without them; English is the program's own language.
void InstallTranslators();

// A run's message in the user's language: its text translated, then its parts filled in as they
// are (paths, numbers, captions and what the user typed are not translated).
QString TranslatedRunText(const RunMessage& message);

}  // namespace sho
