#include "text/languages.h"

const std::map<TLanguage, TLanguageRec>& LanguageTable() {
  static const std::map<TLanguage, TLanguageRec> table = {
      {lgEnglish, {"English|EN", EnglishTextItems()}},
  };
  return table;
}
