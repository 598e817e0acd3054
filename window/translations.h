#pragma once

#include <QString>

#include "form/locale_digits.h"
#include "form/message.h"

namespace sho {

// Loads the translations for the user's language (LANGUAGE, LANG): Qt's own, for the texts of its
// dialogs and the application's layout direction, and the program's, built into it. Nothing is
// loaded for a language without them; English is the program's own language.
void InstallTranslators();

// A message in the user's language: its texts translated by the translators installed, its
// changing parts (paths, numbers, captions and what the user typed) filled in as they are.
QString Translated(const Message& message);

// The zero digit and decimal point of the user's locale, for numbers written in its digits.
NumberSymbols LocaleNumberSymbols();

}  // namespace sho
