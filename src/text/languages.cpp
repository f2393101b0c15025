#include "text/languages.h"

#include "text/translations.h"

const std::map<TLanguage, TLanguageRec>& LanguageTable() {
  // Display name in the language itself, "|", its language code.
  static const std::map<TLanguage, TLanguageRec> table = {
      {lgEnglish, {"English|EN", EnglishTextItems()}},
      {lgRussian, {"Русский|RU", RussianTextItems()}},
      {lgGerman, {"Deutsch|DE", GermanTextItems()}},
      {lgJapanese, {"日本語|JA", JapaneseTextItems()}},
      {lgFrench, {"Français|FR", FrenchTextItems()}},
      {lgItalian, {"Italiano|IT", ItalianTextItems()}},
      {lgDutch, {"Nederlands|NL", DutchTextItems()}},
      {lgUkrainian, {"Українська|UK", UkrainianTextItems()}},
      {lgBulgarian, {"Български|BG", BulgarianTextItems()}},
      {lgCzech, {"Čeština|CS", CzechTextItems()}},
      {lgDanish, {"Dansk|DA", DanishTextItems()}},
      {lgHungarian, {"Magyar|HU", HungarianTextItems()}},
      {lgPortuguese, {"Português|PT", PortugueseTextItems()}},
      {lgSpanish, {"Español|ES", SpanishTextItems()}},
      {lgPortugueseBrazil, {"Português do Brasil|PT-BR", BrazilianPortugueseTextItems()}},
      {lgChinese, {"简体中文|ZH", ChineseTextItems()}},
      {lgKorean, {"한국어|KO", KoreanTextItems()}},
  };
  return table;
}
