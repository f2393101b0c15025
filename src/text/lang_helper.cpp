#include "text/lang_helper.h"

#include <stdexcept>

#include "platform/user_locale.h"
#include "util/utils.h"

TLanguage CurrentLanguage = lgEnglish;

namespace {

using TTextMap = std::map<TTextName, TBytes>;

// The decoded base64 of every registered text, still combined with the key;
// built once, on first use.
const std::map<TLanguage, TTextMap>& TextTables() {
  static const std::map<TLanguage, TTextMap> tables = [] {
    std::map<TLanguage, TTextMap> built;
    for (const auto& [language, rec] : LanguageTable()) {
      TTextMap& texts = built[language];
      for (const TextItemNamesRec& item : rec.Texts)
        texts[item.Name] = TUtils::Base64Decode(item.Text);
    }
    return built;
  }();
  return tables;
}

}  // namespace

std::string TextIn(TLanguage language, TTextName name) {
  const auto& tables = TextTables();
  auto table = tables.find(language);
  if (table == tables.end()) table = tables.find(lgEnglish);
  auto entry = table->second.find(name);
  // A table that lags behind the English one shows English rather than
  // failing; the translations test keeps every table complete.
  if (entry == table->second.end() && language != lgEnglish) {
    table = tables.find(lgEnglish);
    entry = table->second.find(name);
  }
  if (entry == table->second.end())
    throw std::runtime_error("Text " + std::to_string(static_cast<int>(name)) + " not found");
  std::string text;
  text.reserve(entry->second.size());
  for (const std::uint8_t byte : entry->second) text += static_cast<char>(byte ^ kTextKey);
  return text;
}

std::string TextFor(TTextName name) {
  return TextIn(CurrentLanguage, name);
}

std::string EnglishTextFor(TTextName name) {
  return TextIn(lgEnglish, name);
}

TLangRecArr LanguageList() {
  TLangRecArr list;
  for (const auto& [language, rec] : LanguageTable())
    list.push_back({language, rec.LangName.substr(0, rec.LangName.find('|'))});
  return list;
}

TSupportedLanguages SupportedLanguages() {
  TSupportedLanguages languages;
  for (const auto& entry : LanguageTable()) languages.push_back(entry.first);
  return languages;
}

TLanguage LanguageOfNames(const std::string& language, const std::string& country) {
  const std::vector<std::string> both = {language, country};
  const auto is = [&](std::initializer_list<std::string> names) {
    return TUtils::TextInList(language, std::vector<std::string>(names));
  };
  const auto either = [&](std::initializer_list<std::string> names) {
    return TUtils::AnyTextInList(both, std::vector<std::string>(names));
  };
  // The first matching row wins, so the order matters. A language with a
  // table of its own gets it; the others read English.
  if (is({"English", "Swedish"})) return lgEnglish;
  if (is({"Spanish"})) return lgSpanish;
  if (is({"Japanese"})) return lgJapanese;
  if (is({"Russian"})) return lgRussian;
  if (is({"Polish"})) return lgEnglish;
  if (is({"Hungarian"})) return lgHungarian;
  if (is({"German"})) return lgGerman;
  if (is({"Finnish"})) return lgEnglish;
  if (is({"Bulgarian"})) return lgBulgarian;
  if (is({"Czech"})) return lgCzech;
  if (is({"Italian"})) return lgItalian;
  if (is({"French"})) return lgFrench;
  if (is({"Chinese"})) return lgChinese;
  if (is({"Danish"})) return lgDanish;
  if (is({"Korean"})) return lgKorean;
  if (is({"Ukrainian"})) return lgUkrainian;
  // Portuguese as spoken in Brazil has its own table.
  if (is({"Portuguese"}) && country == "Brazil") return lgPortugueseBrazil;
  if (either({"Portuguese", "Portugal"})) return lgPortuguese;
  if (either({"Brazil"})) return lgPortugueseBrazil;
  if (either({"Dutch", "Netherlands"})) return lgDutch;
  return lgEnglish;
}

TLanguage SystemLanguage() {
  const TUserLocaleNames names = UserLocaleNames();
  return LanguageOfNames(names.Language, names.Country);
}
