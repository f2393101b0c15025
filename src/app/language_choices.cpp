#include "app/language_choices.h"

#include <QString>
#include <algorithm>

namespace {

// The name without its accents, in lower case: the letters it sorts by.
QString SortKey(const std::string& name) {
  const QString decomposed = QString::fromStdString(name).normalized(QString::NormalizationForm_D);
  QString key;
  for (const QChar c : decomposed)
    if (c.category() != QChar::Mark_NonSpacing) key += c.toLower();
  return key;
}

}  // namespace

TLangRecArr LanguageChoices(TLanguage system) {
  TLangRecArr list = LanguageList();
  std::stable_sort(list.begin(), list.end(), [](const TLangRec& a, const TLangRec& b) {
    const QString keyA = SortKey(a.Name);
    const QString keyB = SortKey(b.Name);
    return keyA != keyB ? keyA < keyB : a.Name < b.Name;
  });
  const auto own = std::find_if(list.begin(), list.end(),
                                [system](const TLangRec& rec) { return rec.Lang == system; });
  if (own != list.end()) std::rotate(list.begin(), own, own + 1);
  return list;
}
