#include "text/lang_helper.h"

#include <mutex>
#include <stdexcept>

#include "platform/user_locale.h"
#include "text/plural_rules.h"
#include "util/base64.h"
#include "util/text_reading.h"

TLanguage CurrentLanguage = lgEnglish;

namespace {

using TTextMap = std::map<TTextName, TBytes>;

// The decoded base64 of a registered language's texts, still combined with
// the key; each language is decoded on its first use only (a start needs one
// or two of them), nullptr for a language without a table.
const TTextMap* TextTable(TLanguage language) {
  static std::mutex guard;
  static std::map<TLanguage, TTextMap> decoded;
  const std::lock_guard<std::mutex> lock(guard);
  if (const auto done = decoded.find(language); done != decoded.end()) return &done->second;
  const auto rec = LanguageTable().find(language);
  if (rec == LanguageTable().end()) return nullptr;
  TTextMap& texts = decoded[language];
  for (const TextItemNamesRec& item : rec->second.Texts) texts[item.Name] = Base64Decode(item.Text);
  return &texts;
}

}  // namespace

std::string TextIn(TLanguage language, TTextName name) {
  const TTextMap* table = TextTable(language);
  if (!table) table = TextTable(lgEnglish);
  auto entry = table->find(name);
  // A table that lags behind the English one shows English rather than
  // failing; the translations test keeps every table complete.
  if (entry == table->end() && language != lgEnglish) {
    table = TextTable(lgEnglish);
    entry = table->find(name);
  }
  if (entry == table->end())
    throw std::runtime_error("Text " + std::to_string(static_cast<int>(name)) + " not found");
  std::string text;
  text.reserve(entry->second.size());
  for (const std::uint8_t byte : entry->second) text += static_cast<char>(byte ^ kTextKey);
  return text;
}

std::string TextFor(TTextName name) {
  return TextIn(CurrentLanguage, name);
}

std::string TitleFor(TTextName name) {
  std::string text = TextFor(name);
  if (text.ends_with("...")) text.resize(text.size() - 3);
  return text;
}

std::string CountedTextFor(TTextName name, std::int64_t count) {
  return TextForCount(TextFor(name), CurrentLanguage, count);
}

std::string TextWithArgs(TTextName name, std::initializer_list<std::string> args) {
  const std::string text = TextFor(name);
  const std::vector<std::string> values(args);
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    const std::size_t index = static_cast<std::size_t>(next - '1');
    if (text[i] == '%' && next >= '1' && next <= '9' && index < values.size()) {
      out += values[index];
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
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
    return TextInList(language, std::vector<std::string>(names));
  };
  const auto either = [&](std::initializer_list<std::string> names) {
    return AnyTextInList(both, std::vector<std::string>(names));
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
