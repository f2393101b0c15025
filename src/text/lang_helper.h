// Text lookup in the current language, the list of languages offered for
// choice, and the language of the user's system.
//
// A language without registered texts reads the English ones, so no caption
// is ever empty whatever the settings or the system name.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "text/languages.h"
#include "text/texts.h"

// The language of TextFor; set by the main window from the settings.
extern TLanguage CurrentLanguage;

// The text of name in CurrentLanguage. Throws std::runtime_error
// "Text %d not found" when a registered table lacks the name.
std::string TextFor(TTextName name);
// TextFor without the "..." a command's caption ends in, as the title of
// the dialog or message the command shows.
std::string TitleFor(TTextName name);
// The form of a counted text for count in CurrentLanguage (see plural_rules.h);
// the text itself for a text with one form.
std::string CountedTextFor(TTextName name, std::int64_t count);
// The text of name in CurrentLanguage with %1, %2, ... replaced by args in
// order, for the layers without Qt's QString::arg.
std::string TextWithArgs(TTextName name, std::initializer_list<std::string> args);
// The same lookup in English, whatever CurrentLanguage is.
std::string EnglishTextFor(TTextName name);
// The lookup in any language.
std::string TextIn(TLanguage language, TTextName name);

// One entry per registered language: its value and its display name.
TLangRecArr LanguageList();
// The registered language values, in value order.
TSupportedLanguages SupportedLanguages();

// The language to start with on a first run, from the user's locale settings.
TLanguage SystemLanguage();
// The choice itself, from the English names of the user's language and
// country (either may be empty when unknown). Exact, case-sensitive matches.
TLanguage LanguageOfNames(const std::string& language, const std::string& country);
