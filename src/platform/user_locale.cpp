#include "platform/user_locale.h"

#include <array>
#include <cstdlib>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using TCodeName = std::pair<std::string_view, std::string_view>;

constexpr std::array<TCodeName, 19> kLanguages = {{
    {"bg", "Bulgarian"}, {"cs", "Czech"},     {"da", "Danish"},     {"de", "German"},
    {"en", "English"},   {"es", "Spanish"},   {"fi", "Finnish"},    {"fr", "French"},
    {"hu", "Hungarian"}, {"it", "Italian"},   {"ja", "Japanese"},   {"ko", "Korean"},
    {"nl", "Dutch"},     {"pl", "Polish"},    {"pt", "Portuguese"}, {"ru", "Russian"},
    {"sv", "Swedish"},   {"uk", "Ukrainian"}, {"zh", "Chinese"},
}};

constexpr std::array<TCodeName, 3> kCountries = {{
    {"BR", "Brazil"},
    {"NL", "Netherlands"},
    {"PT", "Portugal"},
}};

template <std::size_t N>
std::string NameOf(const std::array<TCodeName, N>& table, std::string_view code) {
  for (const auto& [key, name] : table)
    if (key == code) return std::string(name);
  return {};
}

#ifdef _WIN32
std::string LocaleInfo(LCID locale, LCTYPE type) {
  wchar_t buffer[128] = {};
  if (GetLocaleInfoW(locale, type, buffer, 128) == 0) return {};
  char utf8[512] = {};
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, buffer, -1, utf8, sizeof utf8, nullptr, nullptr);
  return length > 0 ? std::string(utf8) : std::string();
}
#endif

}  // namespace

TUserLocaleNames LocaleNamesOf(std::string_view localeName) {
  const std::string_view base = localeName.substr(0, localeName.find_first_of(".@"));
  const std::size_t underscore = base.find('_');
  TUserLocaleNames names;
  names.Language = NameOf(kLanguages, base.substr(0, underscore));
  if (underscore != std::string_view::npos)
    names.Country = NameOf(kCountries, base.substr(underscore + 1));
  return names;
}

TUserLocaleNames UserLocaleNames() {
#ifdef _WIN32
  const LCID locale = MAKELCID(GetUserDefaultLangID(), SORT_DEFAULT);
  return {LocaleInfo(locale, LOCALE_SENGLANGUAGE), LocaleInfo(locale, LOCALE_SENGCOUNTRY)};
#else
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return LocaleNamesOf(value);
  }
  return {};
#endif
}
