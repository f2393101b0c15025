// Qt's own texts follow the program's language: the standard buttons of a
// question read "Ja"/"Nein" in German and go back to English.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QString>

#include "app/qt_translations.h"

namespace {

QString YesText() {
  return QCoreApplication::translate("QPlatformTheme", "&Yes");
}

class QtTranslationsTest : public ::testing::Test {
 protected:
  void TearDown() override { UseQtTranslationsFor(lgEnglish); }
};

TEST_F(QtTranslationsTest, StandardButtonsFollowTheLanguage) {
  const struct {
    TLanguage Language;
    const char* Yes;
  } cases[] = {
      {lgGerman, "&Ja"},
      {lgEnglish, "&Yes"},
      {lgFrench, "&Oui"},
      // Qt ships Brazilian Portuguese only; Portugal's reads the same.
      {lgPortuguese, "&Sim"},
      {static_cast<TLanguage>(11), "&Yes"},
  };
  for (const auto& c : cases) {
    UseQtTranslationsFor(c.Language);
    EXPECT_EQ(YesText().toStdString(), c.Yes) << static_cast<int>(c.Language);
  }
}

}  // namespace
