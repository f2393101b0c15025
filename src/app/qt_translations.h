// Qt's own texts in the program's language: the standard buttons of message
// boxes (Yes, No, Retry, …) and the context menus of text fields. They come
// from the translations Qt ships (Debian package qt6-translations-l10n);
// where those are missing, Qt's texts stay English and nothing fails.
#pragma once

#include "text/languages.h"

// Replaces the Qt translation installed before with the one for language.
void UseQtTranslationsFor(TLanguage language);
