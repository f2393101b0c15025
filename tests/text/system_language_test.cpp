#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "text/lang_helper.h"

namespace {

TEST(LanguageOfNames, FirstMatchingRowWins) {
  const struct {
    const char* Language;
    const char* Country;
    TLanguage Expected;
  } cases[] = {
      {"German", "Germany", lgGerman},
      {"English", "", lgEnglish},
      {"Swedish", "", lgEnglish},
      {"Spanish", "Spain", lgSpanish},
      {"Polish", "", lgEnglish},
      {"Finnish", "", lgEnglish},
      {"Chinese", "", lgChinese},
      {"Korean", "", lgKorean},
      {"Japanese", "", lgJapanese},
      {"Russian", "", lgRussian},
      {"Hungarian", "", lgHungarian},
      {"Bulgarian", "", lgBulgarian},
      {"Czech", "", lgCzech},
      {"Italian", "", lgItalian},
      {"French", "Canada", lgFrench},
      {"Danish", "", lgDanish},
      {"Ukrainian", "", lgUkrainian},
      {"Portuguese", "Brazil", lgPortugueseBrazil},
      {"Portuguese", "", lgPortuguese},
      {"Galician", "Portugal", lgPortuguese},
      {"Tupi", "Brazil", lgPortugueseBrazil},
      {"English", "Brazil", lgEnglish},
      {"Dutch", "Belgium", lgDutch},
      {"Frisian", "Netherlands", lgDutch},
      {"german", "", lgEnglish},
      {"Klingon", "", lgEnglish},
      {"", "", lgEnglish},
  };
  for (const auto& c : cases)
    EXPECT_EQ(LanguageOfNames(c.Language, c.Country), c.Expected) << c.Language << "/" << c.Country;
}

// Sets the locale variables for one test and puts the old values back.
class SystemLanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 3; ++i) {
      const char* value = std::getenv(kNames[i]);
      if (value != nullptr) FSaved[i] = value;
      unsetenv(kNames[i]);
    }
  }
  void TearDown() override {
    for (int i = 0; i < 3; ++i) {
      if (FSaved[i])
        setenv(kNames[i], FSaved[i]->c_str(), 1);
      else
        unsetenv(kNames[i]);
    }
  }
  static constexpr const char* kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::optional<std::string> FSaved[3];
};

TEST_F(SystemLanguageTest, ComesFromTheLocaleSettings) {
  const struct {
    const char* All;
    const char* Messages;
    const char* Lang;
    TLanguage Expected;
  } cases[] = {
      {"de_DE.UTF-8", "", "", lgGerman},
      {"", "", "pt_BR.UTF-8", lgPortugueseBrazil},
      {"", "", "pt_PT.UTF-8", lgPortuguese},
      {"", "", "es_MX.UTF-8", lgSpanish},
      {"", "", "zh_TW.UTF-8", lgChinese},
      {"", "", "ko_KR.UTF-8", lgKorean},
      {"", "", "pl_PL.UTF-8", lgEnglish},
      {"", "", "fr_FR@euro", lgFrench},
      {"", "", "nl", lgDutch},
      {"", "", "fy_NL.UTF-8", lgDutch},
      {"", "", "sv_SE.UTF-8", lgEnglish},
      {"", "ja_JP.eucJP", "de_DE.UTF-8", lgJapanese},
      {"it_IT", "ja_JP", "de_DE", lgItalian},
      {"", "", "C", lgEnglish},
      {"", "", "POSIX", lgEnglish},
      {"", "", "", lgEnglish},
  };
  for (const auto& c : cases) {
    setenv("LC_ALL", c.All, 1);
    setenv("LC_MESSAGES", c.Messages, 1);
    setenv("LANG", c.Lang, 1);
    EXPECT_EQ(SystemLanguage(), c.Expected) << c.All << "|" << c.Messages << "|" << c.Lang;
  }
}

}  // namespace
