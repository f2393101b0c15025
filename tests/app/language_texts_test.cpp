// Sentences the program builds from several texts, read whole in every
// language: a hint with a range, a list and both verdicts, and the grade's
// tooltip. The order of the language list in Settings.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/grade_label.h"
#include "app/hint_sentence.h"
#include "app/language_choices.h"
#include "text/lang_helper.h"

namespace {

class LanguageTextsTest : public ::testing::Test {
 protected:
  void TearDown() override { CurrentLanguage = lgEnglish; }
};

// Row 3 of ten cells: cells 2 to 4, 6 and 8 filled, cell 10 left empty.
THint SampleHint() {
  return {THintKind::Step,
          false,
          2,
          {3, 1, 1},
          10,
          THintReason::LineLogic,
          {{1, 2, 1}, {2, 2, 1}, {3, 2, 1}, {5, 2, 1}, {7, 2, 1}, {9, 2, -1}}};
}

TEST_F(LanguageTextsTest, FinishedHintSentenceAndGradeTipInEveryLanguage) {
  const std::map<TLanguage, std::pair<std::string, std::string>> golden = {
      {lgEnglish,
       {"Row 3 (clue 3 1 1 in 10 cells): every way the runs fit fills cells 2 to 4, 6 and 8 and "
        "leaves cell 10 empty.",
        "Grade: 3 / 5"}},
      {lgRussian,
       {"Строка 3 (числа 3 1 1, 10 клеток): при любом размещении блоков закрашено: клетки 2 – 4, 6 "
        "и 8; пусто: клетка 10.",
        "Оценка: 3 / 5"}},
      {lgGerman,
       {"Zeile 3 (Zahlen 3 1 1 auf 10 Feldern): jede passende Lage der Blöcke füllt Felder 2 bis "
        "4, 6 und 8 und lässt Feld 10 leer.",
        "Bewertung: 3 / 5"}},
      {lgJapanese,
       {"3 行目 (数字 3 1 1、10 マス)：ブロックのどの置き方でも 2～4、6 と 8 マス目は塗られ、10 "
        "マス目は空きマスです。",
        "評価：3 / 5"}},
      {lgFrench,
       {"Ligne 3 (nombres 3 1 1 sur 10 cases) : toutes les façons de placer les blocs remplissent "
        "les cases 2 à 4, 6 et 8 et aucune ne remplit la case 10.",
        "Note : 3 / 5"}},
      {lgItalian,
       {"Riga 3 (numeri 3 1 1 su 10 caselle): ogni modo in cui i blocchi entrano riempie le "
        "caselle 2–4, 6 e 8 e nessuno riempie la casella 10.",
        "Valutazione: 3 / 5"}},
      {lgDutch,
       {"Rij 3 (getallen 3 1 1 in 10 vakjes): elke manier waarop de blokken passen, vult vakjes 2 "
        "t/m 4, 6 en 8 en laat vakje 10 leeg.",
        "Waardering: 3 / 5"}},
      {lgUkrainian,
       {"Рядок 3 (числа 3 1 1, 10 клітинок): за будь-якого розміщення блоків зафарбовано: клітинки "
        "2 – 4, 6 і 8; порожньо: клітинка 10.",
        "Оцінка: 3 / 5"}},
      {lgBulgarian,
       {"Ред 3 (числа 3 1 1 в 10 квадратчета): всеки начин за подреждане на блоковете запълва "
        "квадратчета 2 до 4, 6 и 8 и оставя без запълване квадратче 10.",
        "Оценка: 3 / 5"}},
      {lgCzech,
       {"Řádek 3 (čísla 3 1 1 na 10 políčkách): každé rozmístění úseků vyplní políčka 2 až 4, 6 a "
        "8 a žádné nevyplní políčko 10.",
        "Hodnocení: 3 / 5"}},
      {lgDanish,
       {"Række 3 (tal 3 1 1 på 10 felter): enhver måde, blokkene kan ligge på, udfylder felterne 2 "
        "til 4, 6 og 8, og ingen udfylder felt 10.",
        "Vurdering: 3 / 5"}},
      {lgHungarian,
       {"3. sor (számok: 3 1 1; 10 mező): a blokkok minden lehetséges elhelyezése kitölti ezt: "
        "2–4, 6 és 8. mező, és üresen hagyja ezt: 10. mező.",
        "Értékelés: 3 / 5"}},
      {lgPortuguese,
       {"Linha 3 (pistas 3 1 1 em 10 quadrículas): qualquer forma de encaixar os blocos preenche as "
        "quadrículas 2 a 4, 6 e 8 e nenhuma preenche a quadrícula 10.",
        "Classificação: 3 / 5"}},
      {lgSpanish,
       {"Fila 3 (números 3 1 1 en 10 casillas): cualquier forma de colocar los bloques rellena las "
        "casillas 2 a 4, 6 y 8 y ninguna rellena la casilla 10.",
        "Valoración: 3 / 5"}},
      {lgPortugueseBrazil,
       {"Linha 3 (números 3 1 1 em 10 células): qualquer forma de encaixar os blocos preenche as "
        "células 2 a 4, 6 e 8 e nenhuma preenche a célula 10.",
        "Classificação: 3 / 5"}},
      {lgChinese,
       {"第 3 行（数字 3 1 1，共 10 格）：色块的每种摆法都会填充第 2 至 4、6 和 8 格并让第 10 "
        "格留空。",
        "评级：3 / 5"}},
      {lgKorean,
       {"3행 (숫자 3 1 1, 10칸): 블록을 어떻게 배치해도 2~4, 6 및 8번 칸이 채워지고 10번 칸이 비어 "
        "있습니다.",
        "등급: 3 / 5"}},
  };
  ASSERT_EQ(golden.size(), LanguageList().size());
  for (const auto& [language, expected] : golden) {
    CurrentLanguage = language;
    EXPECT_EQ(HintSentence(SampleHint()), expected.first) << static_cast<int>(language);
    TGradeLabel grade(nullptr);
    grade.ShowGrade(TDifficulty::Medium, 3);
    EXPECT_EQ(grade.toolTip().toStdString(), expected.second) << static_cast<int>(language);
  }
}

TEST(LanguageChoices, TheSystemsLanguageFirstThenByOwnNameAccentsAside) {
  const auto names = [](TLanguage system) {
    std::string out;
    for (const TLangRec& rec : LanguageChoices(system)) out += rec.Name + ";";
    return out;
  };
  const std::string sorted =
      "Čeština;Dansk;Deutsch;English;Español;Français;Italiano;Magyar;Nederlands;Português;"
      "Português do Brasil;Български;Русский;Українська;한국어;日本語;简体中文;";
  EXPECT_EQ(names(lgEnglish), "English;" + std::string(sorted).erase(sorted.find("English;"), 8));
  EXPECT_EQ(names(lgJapanese), "日本語;" + std::string(sorted).erase(sorted.find("日本語;"), 10));
  EXPECT_EQ(names(lgCzech), sorted);
}

}  // namespace
