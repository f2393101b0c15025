// The reasons a puzzle is refused are told in the player's language.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "persistence/puzzle.h"
#include "persistence/puzzle_formats.h"
#include "text/lang_helper.h"
#include "util/crc32.h"
#include "util/hex.h"

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
  const TPuzzle tooLong{2, 1, {{1}, {1}}, {{3}}, "", "", "", ""};
  const TPuzzle totals{2, 1, {{1}, {1}}, {{1}}, "", "", "", ""};
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

// What a refusal of a text in a language looks like: its own words, and any
// argument where the text has %1, %2, ... The refusal of a puzzle in a pack
// is inner's text in place of the puzzle number text's %2.
std::string PatternOf(TLanguage language, TTextName name, TTextName inner = ttnNOTFOUND) {
  const std::string text = TextIn(language, name);
  std::string pattern;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      pattern += inner != ttnNOTFOUND && text[i + 1] == '2' ? PatternOf(language, inner) : "(.*)";
      ++i;
    } else {
      if (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos) pattern += '\\';
      pattern += c;
    }
  }
  return pattern;
}

// Every refusal of a puzzle reader is a text of the table, so a reader can
// never show English in a translated window: each bad input is refused in
// every language with that language's own text of the expected name.
TEST_F(RefusalLanguageTest, EveryReaderRefusesWithATextOfTheTable) {
  enum TReader { Id, Code, Non, Xml };
  const std::string tooLong(kMaxPuzzleText + 1, '1');
  std::string deepXml;
  for (int i = 0; i < 20; ++i) deepXml += "<a>";
  std::string manyLines = "<puzzle><clues type='rows'>";
  for (int i = 0; i < 129; ++i) manyLines += "<line/>";
  manyLines += "</clues></puzzle>";
  const std::string oneByOne =
      "<puzzle><clues type='columns'><line><count>1</count></line></clues>"
      "<clues type='rows'><line><count>1</count></line></clues>";
  const struct {
    TReader Reader;
    std::string Input;
    TTextName Name;
    TTextName Inner = ttnNOTFOUND;
  } cases[] = {
      {Id, "5x5", ttnReasonGameIdNoSize},
      {Id, "5#12345", ttnReasonGameIdSeed},
      {Id, "0x5:", ttnReasonGameIdSize},
      {Id, "2:1/1/1/1,a", ttnReasonGameIdFixedCells},
      {Id, "2:1/1/1", ttnReasonGameIdClueCount},
      {Id, "2:1/1/1/1/1", ttnReasonGameIdMoreClues},
      {Id, "2:a/1/1/1", ttnReasonClueNotJoined},
      {Id, "2:3/1/1/1", ttnReasonClueNoFit},
      {Id, tooLong, ttnReasonGameIdTooLong},
      {Code, "zz", ttnReasonStateCode},
      {Non, "width 0\nheight 2", ttnReasonNotANumber},
      {Non, "width 2\nwidth 2", ttnReasonKeyTwice},
      {Non, "rows\n1\n1", ttnReasonSizeFirst},
      {Non, "width 2\nheight 2\nrows\n1", ttnReasonClueLinesMissing},
      {Non, "width 2\nheight 2\ngoal 012", ttnReasonGoalChar},
      {Non, "title x", ttnReasonNeedsSize},
      {Non, "width 2\nheight 2\ngoal 101", ttnReasonGoalCells},
      {Non, "width 2\nheight 2", ttnReasonNeedsClues},
      {Non, "width 2\nheight 1\nrows\n1a 1b", ttnReasonManyColours},
      {Non, "width 2\nheight 1\nrows\n1;", ttnReasonClueNotList},
      {Non, "width 2\nheight 1\nrows\n3", ttnReasonClueNoFit},
      {Non, "width 2\nheight 1\nrows\n1 red", ttnReasonClueEndsInColour},
      {Non, "width 1\nheight 1\nrows\n1\ncolumns\n1\n====\ntitle x", ttnReasonPuzzleNumber,
       ttnReasonNeedsSize},
      {Non, tooLong, ttnReasonFileTooLong},
      {Xml, "<a", ttnReasonNotXml},
      {Xml, "<puzzleset/>", ttnReasonNoXmlPuzzle},
      {Xml, "<!DOCTYPE p [<!ENTITY e 'x'>]><p/>", ttnReasonEntities},
      {Xml, deepXml, ttnReasonNestedDeeply},
      {Xml, "<puzzle><puzzle/></puzzle>", ttnReasonPuzzleInPuzzle},
      {Xml, "<puzzle type='triddler'/>", ttnReasonNotGrid},
      {Xml, "<puzzle><clues type='x'/></puzzle>", ttnReasonClueType},
      {Xml, "<puzzle><clues type='rows'/><clues type='rows'/></puzzle>", ttnReasonCluesTwice},
      {Xml, manyLines, ttnReasonTooManyLines},
      {Xml,
       "<puzzle><clues type='rows'><line><count color='white'>1</count></line></clues></puzzle>",
       ttnReasonBackgroundClue},
      {Xml, "<puzzle><clues type='rows'><line><count>0</count></line></clues></puzzle>",
       ttnReasonBadCount},
      {Xml, "<puzzle><color name='red'/><color name='blue'/></puzzle>", ttnReasonPuzzleColours},
      {Xml, "<puzzle/>", ttnReasonNoClues},
      {Xml, oneByOne + "<solution><image>|X.|</image></solution></puzzle>", ttnReasonPuzzleNumber,
       ttnReasonGoalImageSize},
      {Xml, tooLong, ttnReasonFileTooLong},
  };
  const auto refusal = [](TReader reader, const std::string& input) {
    return RefusalOf([&] {
      switch (reader) {
        case Id:
          return void(ReadGameId(input));
        case Code:
          return void(ReadStateCode(input));
        case Non:
          return void(ReadNon(input));
        case Xml:
          return void(ReadPbnXml(input));
      }
    });
  };
  for (const auto& c : cases) {
    const std::string shown = c.Input.substr(0, 80);
    CurrentLanguage = lgEnglish;
    const std::string english = refusal(c.Reader, c.Input);
    for (const TLanguage language : SupportedLanguages()) {
      CurrentLanguage = language;
      const std::string reason = refusal(c.Reader, c.Input);
      EXPECT_TRUE(std::regex_match(reason, std::regex(PatternOf(language, c.Name, c.Inner))))
          << shown << " in " << static_cast<int>(language) << ": " << reason;
      if (language != lgEnglish) {
        EXPECT_NE(reason, english) << shown;
      }
    }
  }
}

// What follows the reader's own words is in the language too: a state code
// that breaks inside its compressed part or its data, and XML that breaks
// anywhere, are told in the game's words, never in a library's English.
TEST_F(RefusalLanguageTest, WhatWentWrongInsideACodeOrXmlIsToldInTheLanguage) {
  // Checked hex whose bytes are no compressed data.
  const std::string payload = "00112233";
  const std::string brokenInside = HexOfUInt32(Crc32(payload), 8) + payload;
  for (const TLanguage language : SupportedLanguages()) {
    CurrentLanguage = language;
    const std::string invalid = TextWithArgs(ttnReasonStateCode, {TextFor(ttnInvalidDataFound)});
    EXPECT_EQ(RefusalOf([] { ReadStateCode("zz"); }), invalid);
    EXPECT_EQ(RefusalOf([&] { ReadStateCode(brokenInside); }), invalid);

    const struct {
      const char* Xml;
      TTextName Detail;
    } xml[] = {
        {"<puzzleset><puzzle>", ttnReasonXmlUnfinished},
        {"<puzzleset></puzzle>", ttnReasonXmlTagMismatch},
        {"<puzzleset/><puzzleset/>", ttnReasonXmlAfterEnd},
        {"<?xml version='1.0' encoding='x-nothing'?><puzzleset/>", ttnReasonXmlEncoding},
        {"<puzzleset a='1' a='2'/>", ttnReasonXmlMarkup},
    };
    for (const auto& c : xml)
      EXPECT_EQ(RefusalOf([&] { ReadPbnXml(c.Xml); }),
                TextWithArgs(ttnReasonNotXml, {"1", TextFor(c.Detail)}))
          << c.Xml << " in " << static_cast<int>(language);
  }
}

}  // namespace
