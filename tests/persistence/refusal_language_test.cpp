// The reasons a puzzle is refused are told in the player's language.
#include <gtest/gtest.h>

#include <string>

#include "persistence/puzzle.h"
#include "text/lang_helper.h"

namespace {

std::string RefusalOf(auto&& read) {
  try {
    read();
  } catch (const EPuzzleInvalid& e) {
    return e.what();
  }
  return "(accepted)";
}

class RefusalLanguageTest : public ::testing::Test {
 protected:
  void TearDown() override { CurrentLanguage = lgEnglish; }
};

TEST_F(RefusalLanguageTest, CheckedPuzzlesAndTextsAreRefusedInTheCurrentLanguage) {
  // A 2x1 puzzle whose row clue asks for three cells, and one whose clues
  // fill different numbers of cells.
  const TPuzzle tooLong{2, 1, {{1}, {1}}, {{3}}, "", ""};
  const TPuzzle totals{2, 1, {{1}, {1}}, {{1}}, "", ""};
  const struct {
    TLanguage Language;
    const char* TooLong;
    const char* Totals;
    const char* Empty;
  } cases[] = {
      {lgEnglish, "the clue of row 1 does not fit in 2 cells",
       "the column clues and the row clues fill different numbers of cells (2 and 1)",
       "the text holds no puzzle"},
      {lgGerman, "die Zahlen von Zeile 1 passen nicht in 2 Felder",
       "die Zahlen der Spalten und der Zeilen füllen verschieden viele Felder (2 und 1)",
       "der Text enthält kein Rätsel"},
      {lgJapanese, "1 行目の数字が 2 マスに収まりません",
       "列の数字と行の数字で塗るマスの数が違います (2 と 1)", "テキストにパズルがありません"},
  };
  for (const auto& c : cases) {
    CurrentLanguage = c.Language;
    EXPECT_EQ(RefusalOf([&] { CheckPuzzle(tooLong); }), c.TooLong);
    EXPECT_EQ(RefusalOf([&] { CheckPuzzle(totals); }), c.Totals);
    EXPECT_EQ(RefusalOf([&] { ReadPuzzles(" \n"); }), c.Empty);
  }
}

}  // namespace
