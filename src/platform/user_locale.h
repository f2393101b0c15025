// The user's language and country as English names ("German", "Brazil"),
// the form in which the first-run language choice compares them.
#pragma once

#include <string>
#include <string_view>

struct TUserLocaleNames {
  std::string Language;  // empty when unknown
  std::string Country;   // empty when unknown or not given
};

// From the user's locale settings: on Linux the first non-empty of LC_ALL,
// LC_MESSAGES and LANG; on Windows the user's default language. Never throws.
TUserLocaleNames UserLocaleNames();

// The names for a POSIX locale name "ll[_CC][.codeset][@modifier]" such as
// "pt_BR.UTF-8". Only the languages and countries that the language choice
// tells apart are named; any other code, "C" and "POSIX" give empty names.
TUserLocaleNames LocaleNamesOf(std::string_view localeName);
