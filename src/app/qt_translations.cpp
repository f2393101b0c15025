#include "app/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QStringList>
#include <QTranslator>

namespace {

// The suffixes of Qt's translation files for a language, best first.
QStringList QtNamesOf(TLanguage language) {
  switch (language) {
    case lgRussian:
      return {"ru"};
    case lgGerman:
      return {"de"};
    case lgJapanese:
      return {"ja"};
    case lgFrench:
      return {"fr"};
    case lgItalian:
      return {"it"};
    case lgDutch:
      return {"nl"};
    case lgUkrainian:
      return {"uk"};
    case lgBulgarian:
      return {"bg"};
    case lgCzech:
      return {"cs"};
    case lgDanish:
      return {"da"};
    case lgHungarian:
      return {"hu"};
    case lgPortuguese:
      // Qt ships Brazilian Portuguese only; its button texts read the same.
      return {"pt_PT", "pt", "pt_BR"};
    case lgSpanish:
      return {"es"};
    case lgPortugueseBrazil:
      return {"pt_BR"};
    case lgChinese:
      return {"zh_CN"};
    case lgKorean:
      return {"ko"};
    default:
      return {};
  }
}

}  // namespace

void UseQtTranslationsFor(TLanguage language) {
  // Owned by the application, so it goes with it.
  static QPointer<QTranslator> installed;
  delete installed.data();
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) return;
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (const QString& name : QtNamesOf(language)) {
    auto* translator = new QTranslator(app);
    if (translator->load("qtbase_" + name, folder)) {
      QCoreApplication::installTranslator(translator);
      installed = translator;
      return;
    }
    delete translator;
  }
}
