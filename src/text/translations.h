// The built-in tables of the translated languages. Each is made at build time
// from the readable file src/text/translations/<file>.txt (cmake/text_tables.cmake
// pairs files and functions); a table holds the names its file gives.
#pragma once

#include "text/texts.h"

const TTextItemNamesArr& GermanTextItems();
const TTextItemNamesArr& FrenchTextItems();
const TTextItemNamesArr& ItalianTextItems();
const TTextItemNamesArr& SpanishTextItems();
const TTextItemNamesArr& DutchTextItems();
const TTextItemNamesArr& PortugueseTextItems();
const TTextItemNamesArr& BrazilianPortugueseTextItems();
const TTextItemNamesArr& RussianTextItems();
const TTextItemNamesArr& UkrainianTextItems();
const TTextItemNamesArr& BulgarianTextItems();
const TTextItemNamesArr& CzechTextItems();
const TTextItemNamesArr& DanishTextItems();
const TTextItemNamesArr& HungarianTextItems();
const TTextItemNamesArr& JapaneseTextItems();
const TTextItemNamesArr& ChineseTextItems();
const TTextItemNamesArr& KoreanTextItems();
