#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "text/lang_helper.h"

namespace {

// Standard base64 of the text's bytes combined with the key: how a stored
// text is made.
std::string StoredForm(const std::string& text) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::vector<unsigned> bytes;
  for (const char c : text) bytes.push_back(static_cast<unsigned char>(c) ^ kTextKey);
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const unsigned n = bytes[i] << 16 | (i + 1 < bytes.size() ? bytes[i + 1] << 8 : 0) |
                       (i + 2 < bytes.size() ? bytes[i + 2] : 0);
    out += kAlphabet[n >> 18 & 63];
    out += kAlphabet[n >> 12 & 63];
    out += i + 1 < bytes.size() ? kAlphabet[n >> 6 & 63] : '=';
    out += i + 2 < bytes.size() ? kAlphabet[n & 63] : '=';
  }
  return out;
}

const std::vector<std::string> kEnglish = {
    "Not found",
    "OK",
    "Cancel",
    "Boom! A wrong cell ends this game.",
    "Are you sure?",
    "Undo",
    "Redo",
    "Settings",
    "Check",
    "Start Over",
    "Copy to clipboard as image",
    "Copy to clipboard as text",
    "Paste",
    "New",
    "Game...",
    "Game",
    "Highlight the clues of the row and column under the pointer",
    "Mark the empty cells of the row and column under the pointer",
    "Game mode",
    "Normal",
    "Nightmare",
    "Buttons position",
    "Bottom",
    "Left",
    "Top",
    "Right",
    "Invalid data found",
    "Preferences",
    "Preferences...",
    "About",
    "Error",
    "Exit",
    "Language",
    "Contact",
    "Homepage",
    "The file as it was is kept here:",
    "No copy of the damaged file could be kept, so the game will not overwrite it: the games and "
    "settings of this session are not saved unless you choose to replace the file when you close "
    "the game.",
    "The settings file cannot be used. The game starts with the default settings and does not "
    "overwrite the file: the games and settings of this session are not saved unless you choose "
    "to replace it when you close the game.",
    "The settings file has not been overwritten in this session (you were told why at the "
    "start). Replace it now with the games and settings of this session?\n\nNo closes the game "
    "without saving.",
    "Your games and settings could not be saved.",
    "Close without saving",
    "TAVELO is already running with the same settings folder, but it does not answer.",
    "Free software under the MIT License.",
    "Difficulty of new puzzles",
    "Easy",
    "Medium",
    "Normal",
    "New easy puzzle",
    "New medium puzzle",
    "New normal puzzle",
    "Grade",
    "Making a %1 puzzle\u2026\nEscape cancels.",
    "Keep a stroke on one row or column",
    "The clipboard does not hold a TAVELO game.",
    "The game on the clipboard is damaged and cannot be loaded.",
    "The game on the clipboard is for a %s board, which is not in the game menu.",
    "The file with your saved games was damaged.",
    "These sizes could not be restored and got new puzzles: %s.",
    "All your games were restored.",
    "Grey the numbers of completed runs",
    "Show rows with a mistake",
    "Celebrate as soon as the puzzle is solved",
    "Hint",
    "Row %1",
    "Column %1",
    "{one}(clue %1 in %2 cell){other}(clue %1 in %2 cells)",
    "%1 holds a mistake: its cells cannot match the clue %2.",
    "the run of %1 covers %2 wherever it lies.",
    "wherever the runs lie, they cover %1.",
    "no run can reach %1.",
    "wherever the runs lie, they cover %1, and no run can reach %2.",
    "its runs are all in place, so %1 must stay empty.",
    "every way the runs fit fills %1.",
    "every way the runs fit leaves %1 empty.",
    "every way the runs fit fills %1 and leaves %2 empty.",
    "cell %1",
    "cells %1",
    " and ",
    " to ",
    "No line can be advanced by line logic alone.",
    "Every cell is settled.",
    "Solved in",
    "Close",
    "A picture logic puzzle: fill the cells so that every row and column shows the runs its clue lists.",
    "filled",
    "empty",
    "crossed",
    "Row %1 clue: %2",
    "Column %1 clue: %2",
    "Shortcut: %1",
    "Open puzzle...",
    "Save puzzle as...",
    "Other size...",
    "Remove this size",
    "This is not a puzzle TAVELO can read:",
    "This puzzle has no solution, so it was not opened.",
    "%1 cannot be filled to match its clue.",
    "This puzzle has more than one solution, so a finished board could not be told right from "
    "wrong. It was not opened.",
    "TAVELO could not find out in time whether this puzzle has only one solution. It was not "
    "opened.",
    "This puzzle has one solution, but solving one row or column at a time does not reach it: "
    "somewhere you will have to think further ahead.",
    "{one}The file holds %1 puzzle; the first one is open.{other}The file holds %1 puzzles; the "
    "first one is open.",
    "This replaces the %1 game you are playing. Go on?",
    "Checking the puzzle\u2026\nEscape cancels.",
    "{one}Width and height can be %1 to %2 cell.{other}Width and height can be %1 to %2 cells.",
    "Width",
    "Height",
    "Remove the %1 size and its game?",
    "No more sizes can be added: remove one first.",
    "Puzzle files",
    "Game ID",
    "All files",
    "The file cannot be opened:",
    "The puzzle could not be saved:",
    "This is not a puzzle or game TAVELO can read.",
    "{one}This is a %1 board; width and height can be %2 to %3 cell.{other}This is a %1 board; "
    "width and height can be %2 to %3 cells.",
    "Statistics",
    "Size",
    "Difficulty",
    "Played",
    "Solved",
    "Best time",
    "Average time",
    "Solved with hints",
    "No puzzle played yet.",
    "Records per size and difficulty",
    "Time played on this puzzle",
    "Row clues",
    "Column clues",
    "%1, completed",
    "Version",
    "Solved! Well done.",
    "No mistakes so far",
    "There is a mistake",
    "Board look",
    "Default",
    "High contrast (light)",
    "High contrast (dark)",
    "Colour-blind safe",
    "%1 cannot match the clue %2 once the lines are followed from your cells: the board holds a "
    "mistake.",
    "Please wait...",
    "no such file",
    ", ",
    "%1 %2: %3",
    "%1: %2 / %3",
    "row %1",
    "column %1",
    "%1 has a run of %2 cells",
    "the clue of %1 does not fit in %2 cells",
    "the size %1 is outside 1x1..%2",
    "a %1 puzzle needs %2 column clues and %3 row clues, not %4 and %5",
    "the column clues and the row clues fill different numbers of cells (%1 and %2)",
    "the goal is not %1 filled or empty cells",
    "the goal does not match the clue of %1",
    "the text is longer than %1 characters",
    "more than %1 puzzles",
    "puzzle %1: %2",
    "the text holds no puzzle",
    "not a regular file (a folder or a device)",
    "the file is too large for a puzzle",
    "%1, has a mistake",
    "Row %1 complete",
    "Column %1 complete",
    "Row %1 has a mistake",
    "Column %1 has a mistake",
    "%1 by %2 board, %3 of %4 cells filled. Arrows move, Space fills, X crosses, H hints.",
    "Puzzle opened: %1",
    "When the game was last ended by the system, the settings file could not be written. The "
    "games and settings of that session were kept in:\n%s\n\nUse them now? No starts with the "
    "settings file and leaves that file where it is.",
    "Design a puzzle...",
    "Puzzle designer",
    "New board...",
    "From the puzzle in play",
    "From an image...",
    "Paste an image",
    "Mirror left to right",
    "Mirror top to bottom",
    "Shift left",
    "Shift right",
    "Shift up",
    "Shift down",
    "Invert",
    "Clear",
    "Make it unique",
    "Accept the changes",
    "Show two pictures",
    "Play it",
    "Copy as game ID",
    "Title:",
    "Author:",
    "Licence:",
    "Checking the picture...",
    "Line-solvable, grade %1/5",
    "Unique, but needs guessing: line logic leaves %1 cells undecided",
    "Several pictures fit: line logic leaves %1 cells undecided",
    "Too hard to judge quickly: line logic leaves %1 cells undecided",
    "Making it unique... %1%",
    "%1 cells changed (outlined) to make the picture line-solvable",
    "No line-solvable picture was found near this one.",
    "Size:",
    "Threshold:",
    "Invert (fill the light parts)",
    "Fill the board (crop the image)",
    "This image cannot be used.",
    "State code",
    "Pen",
    "Rectangle",
    "Flood fill",
    "%1 %2 is not a number from 1 to %3",
    "the clues name more colours than one; multicolour puzzles cannot be played",
    "%1 clue %2 is not a list of positive numbers separated by ',' or spaces",
    "%1 clue %2 does not fit in %3 cells",
    "%1 clue %2 ends in a colour without a number",
    "'%1' is given twice",
    "'width' and 'height' must come before '%1'",
    "'%1' needs %2 clue lines, the text ends after %3",
    "the goal holds %1, not only 0 and 1",
    "a .non puzzle needs 'width' and 'height'",
    "the goal has %1 cells, not %2",
    "a .non puzzle needs 'rows' and 'columns' (or a 'goal')",
    "the file is too long",
    "size %1 is not WxH with sides 1..%2",
    "%1 clue %2 is not a list of positive numbers joined by '.'",
    "the game ID is too long",
    "a game ID with '#' names a puzzle by Pattern's own random generator; only the form with the "
    "clues after ':' can be played here",
    "a puzzle line starts with its size WxH and ':'",
    "game IDs with fixed starting cells (after ',') are not supported",
    "a %1 puzzle has %2 clues, this line has %3",
    "a %1 puzzle has %2 clues, this line has more",
    "not a valid state code: %1",
    "entity declarations are not accepted",
    "the elements are nested too deeply",
    "a puzzle inside a puzzle",
    "puzzle %1 is a %2 puzzle (a triddler or another kind); only grid puzzles can be played",
    "clues of type %1; only 'columns' and 'rows' are known",
    "the %1 clues are given twice",
    "more than %1 clue lines",
    "a clue in the background colour %1; its cells could not be told from the empty ones",
    "a count %1 is not a number from 1 to %2",
    "puzzle %1 has more colours than one besides the background; multicolour puzzles cannot be "
    "played",
    "puzzle %1 has no column and row clues",
    "the goal image is not %1",
    "not well-formed XML at line %1: %2",
    "the XML holds no <puzzle>",
    "the text ends inside the XML",
    "an end tag does not match its start tag",
    "there is more text after the end of the XML",
    "the encoding is unknown or does not match the characters",
    "broken mark-up",
    "not an image this program can read (PNG, JPEG, BMP, GIF or SVG)",
    "an animated image; save one frame of it as a picture first",
    "the image has no pixels",
    "the image is too large (%1 x %2 pixels)",
    "the image cannot be read: %1",
    "no picture fits the clues",
    "the designer takes boards of 3 to 128 cells each way",
    "the clipboard holds no image",
};

class TextsTest : public ::testing::Test {
 protected:
  void TearDown() override { CurrentLanguage = lgEnglish; }
};

TEST_F(TextsTest, EnglishTableHoldsEveryNameInOrderAndRoundTrips) {
  const TTextItemNamesArr& items = EnglishTextItems();
  ASSERT_EQ(items.size(), static_cast<std::size_t>(kTextNameCount));
  ASSERT_EQ(kEnglish.size(), items.size());
  for (int i = 0; i < kTextNameCount; ++i) {
    const auto name = static_cast<TTextName>(i);
    EXPECT_EQ(items[i].Name, name);
    EXPECT_EQ(items[i].Text, StoredForm(kEnglish[i])) << kEnglish[i];
    EXPECT_EQ(TextFor(name), kEnglish[i]);
  }
}

TEST_F(TextsTest, UnassignedLanguageValuesReadTheEnglishTexts) {
  for (const int value : {11, 13, 15, 200}) {
    CurrentLanguage = static_cast<TLanguage>(value);
    EXPECT_EQ(TextFor(ttnOk), "OK") << value;
    EXPECT_EQ(TextFor(ttnCancel), "Cancel") << value;
  }
}

TEST_F(TextsTest, EnglishLookupIgnoresTheCurrentLanguage) {
  CurrentLanguage = lgGerman;
  EXPECT_EQ(EnglishTextFor(ttnInvalidDataFound), "Invalid data found");
  EXPECT_NE(TextFor(ttnInvalidDataFound), "Invalid data found");
}

TEST_F(TextsTest, EveryLanguageIsRegisteredUnderItsOwnName) {
  const std::vector<std::pair<TLanguage, std::string>> expected = {
      {lgEnglish, "English"},
      {lgRussian, "Русский"},
      {lgGerman, "Deutsch"},
      {lgJapanese, "日本語"},
      {lgFrench, "Français"},
      {lgItalian, "Italiano"},
      {lgDutch, "Nederlands"},
      {lgUkrainian, "Українська"},
      {lgBulgarian, "Български"},
      {lgCzech, "Čeština"},
      {lgDanish, "Dansk"},
      {lgHungarian, "Magyar"},
      {lgPortuguese, "Português"},
      {lgSpanish, "Español"},
      {lgPortugueseBrazil, "Português do Brasil"},
      {lgChinese, "简体中文"},
      {lgKorean, "한국어"},
  };
  const TLangRecArr list = LanguageList();
  ASSERT_EQ(list.size(), expected.size());
  TSupportedLanguages values;
  for (std::size_t i = 0; i < list.size(); ++i) {
    EXPECT_EQ(list[i].Lang, expected[i].first);
    EXPECT_EQ(list[i].Name, expected[i].second);
    values.push_back(expected[i].first);
  }
  EXPECT_EQ(SupportedLanguages(), values);
}

TEST_F(TextsTest, UnknownNameOfARegisteredLanguageIsAnError) {
  try {
    TextFor(static_cast<TTextName>(kTextNameCount));
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), "Text " + std::to_string(kTextNameCount) + " not found");
  }
}

}  // namespace
