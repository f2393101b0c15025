// The languages the program knows and the table of registered ones: every
// value of TLanguage has a table of its own.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "text/texts.h"

// Stored in the settings as its integer value; 11, 13 and 15 are unassigned.
enum TLanguage : std::uint8_t {
  lgEnglish = 0,
  lgRussian = 1,
  lgGerman = 2,
  lgJapanese = 3,
  lgFrench = 4,
  lgItalian = 5,
  lgDutch = 6,
  lgUkrainian = 7,
  lgBulgarian = 8,
  lgCzech = 9,
  lgDanish = 10,
  lgHungarian = 12,
  lgPortuguese = 14,
  lgSpanish = 16,
  lgPortugueseBrazil = 17,
  lgChinese = 18,
  lgKorean = 19,
};

// A registered language: "display name|code" and its built-in texts.
struct TLanguageRec {
  std::string LangName;
  TTextItemNamesArr Texts;
};

// A language as offered for choice: its value and display name.
struct TLangRec {
  TLanguage Lang;
  std::string Name;
};
using TLangRecArr = std::vector<TLangRec>;
using TSupportedLanguages = std::vector<TLanguage>;

// The registered languages, built on first use.
const std::map<TLanguage, TLanguageRec>& LanguageTable();
