#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/nono_game.h"
#include "persistence/game_state.h"
#include "persistence/puzzle.h"
#include "persistence/puzzle_formats.h"
#include "support/board_pictures.h"
#include "util/utf8.h"

using namespace test_support;

namespace {

TPuzzle PuzzleOf(const Picture& picture) {
  return PuzzleOfGame(*GameOf(picture));
}

std::string MessageOf(auto&& read) {
  try {
    read();
  } catch (const EPuzzleInvalid& e) {
    return e.what();
  }
  return "(accepted)";
}

const Picture kArrow = {"..#..", ".###.", "#####", "..#..", "..#.."};
const Picture kWide = {"#.##...#", "........", "###.####"};

TEST(PuzzleFormats, GameIdReadsBothSizeFormsAndEmptyClues) {
  const TPuzzle p = ReadGameId("3:1/1.1/0/1/1.1/");
  EXPECT_EQ(p.Width, 3);
  EXPECT_EQ(p.Height, 3);
  EXPECT_EQ(p.Columns, (TCountersArr{{1}, {1, 1}, {}}));
  EXPECT_EQ(p.Rows, (TCountersArr{{1}, {1, 1}, {}}));
  EXPECT_TRUE(p.Goal.empty());
  EXPECT_EQ(WriteGameId(p), "3x3:1/1.1//1/1.1/");
  EXPECT_EQ(ReadGameId(" 2x1:1/1/2\r\n").Rows, (TCountersArr{{2}}));
}

TEST(PuzzleFormats, GameIdRefusals) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"10x10#12345", "Pattern's own random generator"},
      {"2x2:1/1/1/1,a3", "fixed starting cells"},
      {"3x3:1/1/1/1/1", "has 6 clues, this line has 5"},
      {"2x2:1/1/1/1/1/1/1", "this line has more"},
      {"129x2:", "sides 1..128"},
      {"0x2:", "sides 1..128"},
      {"2x2:3/1/1/1", "does not fit in 2 cells"},
      {"2x2:1.a/1/1/1", "positive numbers"},
      {"2x2:2/2/2/1", "different numbers of cells (4 and 3)"},
      {"no colon", "starts with its size"},
  };
  for (const auto& [id, message] : cases)
    EXPECT_NE(MessageOf([&] { ReadGameId(id); }).find(message), std::string::npos)
        << id << ": " << MessageOf([&] { ReadGameId(id); });
}

TEST(PuzzleFormats, NonReadsKeysInAnyOrderCrLfBlankCluesAndColourTags) {
  const std::string good =
      "catalogue \"x\"\r\ntitle \"Arrow\"\r\nby \"me\"\r\n"
      "height 3\r\nwidth 4\r\n\r\ncolumns\r\n1\r\n1\r\n1a\r\n1, 1\r\n"
      "rows\r\n1,1\r\n\r\n3\r\n"
      "goal \"100100000111\"\r\n";
  const std::vector<TPuzzle> puzzles = ReadNon(good);
  ASSERT_EQ(puzzles.size(), 1u);
  const TPuzzle& p = puzzles[0];
  EXPECT_EQ(p.Title, "Arrow");
  EXPECT_EQ(p.Width, 4);
  EXPECT_EQ(p.Height, 3);
  EXPECT_EQ(p.Rows, (TCountersArr{{1, 1}, {}, {3}}));
  EXPECT_EQ(p.Columns, (TCountersArr{{1}, {1}, {1}, {1, 1}}));
  EXPECT_EQ(p.Goal,
            "#..#"
            "...."
            ".###");
}

TEST(PuzzleFormats, NonPackGivesEveryPuzzleInOrder) {
  const std::string pack =
      WriteNon(PuzzleOf(kArrow)) + "====\n" + WriteNon(PuzzleOf(kWide)) + "====\n";
  const std::vector<TPuzzle> puzzles = ReadNon(pack);
  ASSERT_EQ(puzzles.size(), 2u);
  EXPECT_EQ(puzzles[0], PuzzleOf(kArrow));
  EXPECT_EQ(puzzles[1], PuzzleOf(kWide));
  EXPECT_EQ(ReadPuzzles(pack).size(), 2u);
}

TEST(PuzzleFormats, NonCluesSeparatedByCommasSpacesOrBothAndAnyLineEnd) {
  // The same 4x3 puzzle as collections write it: commas, spaces, both, and
  // LF, CR LF or CR alone at the line ends.
  const TPuzzle expected = [] {
    TPuzzle p = PuzzleOfGoal(4, 3, "#..#....###.");
    p.Goal.clear();
    return p;
  }();
  for (const std::string ones : {"1,1", "1 1", "1, 1", " 1 ,\t1 "})
    for (const std::string end : {"\n", "\r\n", "\r"}) {
      const std::string text = "width 4" + end + "height 3" + end + "rows" + end + ones + end +
                               end + "3" + end + "columns" + end + ones + end + "1" + end + "1" +
                               end + "1" + end;
      const std::string shown = ones + (end == "\r" ? " CR" : end == "\n" ? " LF" : " CRLF");
      EXPECT_EQ(MessageOf([&] { ReadPuzzles(text); }), "(accepted)") << shown;
      if (HasFailure()) return;
      EXPECT_EQ(ReadPuzzles(text).at(0), expected) << shown;
    }
  EXPECT_EQ(WriteNon(expected).find("1 1"), std::string::npos);
  EXPECT_NE(WriteNon(expected).find("\n1,1\n"), std::string::npos);
}

TEST(PuzzleFormats, NonColoursNamedInTheCluesAreOneColourOrRefused) {
  const std::string head = "width 2\nheight 1\n";
  const std::vector<std::pair<std::string, std::string>> cases = {
      // One colour, however it is named, is black and white.
      {head + "color red ff0000\nrows\nred 2\ncolumns\nred 1\nred 1\n", "(accepted)"},
      {head + "rows\n2b\ncolumns\n1b\n1b\n", "(accepted)"},
      {head + "color red ff0000\ncolor blue 0000ff\nrows\nred 1, blue 1\ncolumns\nred 1\n"
              "blue 1\n",
       "multicolour puzzles cannot be played"},
      {head + "rows\n1a,1b\ncolumns\n1a\n1b\n", "multicolour puzzles cannot be played"},
      {head + "rows\n2\ncolumns\n1\nred\n", "a colour without a number"},
  };
  for (const auto& [text, message] : cases)
    EXPECT_NE(MessageOf([&] { ReadNon(text); }).find(message), std::string::npos)
        << text << "-> " << MessageOf([&] { ReadNon(text); });
}

TEST(PuzzleFormats, NonRefusals) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"rows\n1\nwidth 1\nheight 1\n", "must come before 'rows'"},
      {"width 2\nheight 2\nrows\n1\n", "needs 2 clue lines"},
      {"width 2\nheight 2\nrows\n1\n1\n", "needs 'rows' and 'columns'"},
      {"width 2\nheight 2\nrows\n3\n1\ncolumns\n1\n1\n", "does not fit in 2 cells"},
      {"width 2\nheight 1\nrows\n1\ncolumns\n1\n1\n", "different numbers of cells (2 and 1)"},
      {"width 2\nheight 1\nrows\n2\ncolumns\n1\n1\ngoal \"10\"\n", "does not match"},
      {"width 2\nheight 1\ngoal \"101\"\n", "the goal has 3 cells"},
      {"width 2\nheight 1\ngoal \"1x\"\n", "not only 0 and 1"},
      {"width 200\nheight 1\n", "from 1 to 128"},
      {"width 2\nwidth 2\n", "given twice"},
      {"width 2\nheight 2\nrows\n1,0\n1\n", "positive numbers"},
      {"\n\n", "holds no puzzle"},
      {"width 1\nheight 1\ngoal \"1\"\n====\nwidth 0\n", "puzzle 2: width '0'"},
  };
  for (const auto& [text, message] : cases)
    EXPECT_NE(MessageOf([&] { ReadNon(text); }).find(message), std::string::npos)
        << text << "-> " << MessageOf([&] { ReadNon(text); });
}

const char* const kPbn = R"(<?xml version="1.0"?>
<!DOCTYPE pbn SYSTEM "http://webpbn.com/pbn-0.3.dtd">
<puzzleset>
<source>webpbn.com</source>
<puzzle type="grid" defaultcolor="black">
<source>webpbn.com</source>
<id>#1</id>
<title>Tiny &amp; odd</title>
<author>someone</author>
<color name="white" char=".">fff</color>
<color name="black" char="X">000000</color>
<clues type="columns">
<line><count>1</count></line>
<line></line>
<line><count>2</count></line>
</clues>
<clues type="rows">
<line><count>1</count><count>1</count></line>
<line><count color="black">1</count></line>
</clues>
<solution type="goal">
<image>
|X.X|
|..X|
</image>
</solution>
<solution type="saved"><image>|?.X|
|[X.]?X|</image></solution>
</puzzle>
</puzzleset>
)";

TEST(PuzzleFormats, PbnXmlReadsCluesGoalAndTitle) {
  const std::vector<TPuzzle> puzzles = ReadPbnXml(kPbn);
  ASSERT_EQ(puzzles.size(), 1u);
  const TPuzzle& p = puzzles[0];
  EXPECT_EQ(p.Title, "Tiny & odd");
  EXPECT_EQ(p.Columns, (TCountersArr{{1}, {}, {2}}));
  EXPECT_EQ(p.Rows, (TCountersArr{{1, 1}, {1}}));
  EXPECT_EQ(p.Goal, "#.#..#");
  EXPECT_EQ(ReadPuzzles(kPbn), puzzles);
}

TEST(PuzzleFormats, PbnXmlRefusals) {
  const std::string head = "<?xml version=\"1.0\"?><puzzleset>";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {head + "<puzzle type=\"triddler\"></puzzle></puzzleset>", "only grid puzzles"},
      {head + "<puzzle><color name=\"white\">fff</color><color name=\"black\">000</color>"
              "<color name=\"red\">f00</color></puzzle></puzzleset>",
       "multicolour"},
      {head + "<puzzle><clues type=\"rows\"><line><count>1</count><count color=\"red\">1"
              "</count></line></clues></puzzle></puzzleset>",
       "multicolour"},
      {head + "<puzzle><clues type=\"rows\"><line><count>1</count></line></clues>"
              "<clues type=\"columns\"><line><count>2</count></line></clues></puzzle>"
              "</puzzleset>",
       "does not fit"},
      {head + "<puzzle><clues type=\"rows\"><line><count>x</count></line></clues>"
              "</puzzle></puzzleset>",
       "not a number"},
      {head + "<puzzle>", "not well-formed"},
      {head + "</puzzleset>", "holds no <puzzle>"},
      {"<?xml version=\"1.0\"?><!DOCTYPE p [<!ENTITY a \"aaaa\"><!ENTITY b \"&a;&a;\">]>"
       "<puzzleset>&b;</puzzleset>",
       "entity declarations"},
      {"<?xml version=\"1.0\"?><!DOCTYPE p [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>"
       "<puzzleset>&e;</puzzleset>",
       "entity declarations"},
      {head + std::string(100, ' ') +
           [] {
             std::string deep;
             for (int i = 0; i < 40; ++i) deep += "<a>";
             return deep;
           }(),
       "nested too deeply"},
  };
  for (const auto& [text, message] : cases)
    EXPECT_NE(MessageOf([&] { ReadPbnXml(text); }).find(message), std::string::npos)
        << text << "-> " << MessageOf([&] { ReadPbnXml(text); });
}

// "Atrus" by Paul Stansifer, written by number-loom; CC BY 4.0. Black and
// white with defaultcolor="white": the counts name their colour, black.
const char* const kAtrus = R"(<?xml version="1.0"?>
<puzzleset>
<puzzle type="grid" defaultcolor="white">
<title>Atrus</title>
<author>Paul Stansifer</author>
<copyright>CC BY 4.0</copyright>
<source>number-loom</source>
<color name="black" char="#">000000</color>
<color name="white" char=" ">FFFFFF</color>
<clues type="columns"><line><count color="black">3</count></line>
<line><count color="black">1</count></line>
<line><count color="black">5</count></line>
<line><count color="black">6</count></line>
<line><count color="black">5</count></line>
<line><count color="black">3</count><count color="black">3</count></line>
<line><count color="black">2</count><count color="black">1</count><count color="black">1</count></line>
<line><count color="black">2</count><count color="black">2</count></line>
<line><count color="black">1</count><count color="black">2</count></line>
<line><count color="black">2</count><count color="black">1</count></line>
</clues>
<clues type="rows"><line><count color="black">1</count></line>
<line><count color="black">1</count><count color="black">2</count><count color="black">2</count></line>
<line><count color="black">1</count><count color="black">2</count><count color="black">1</count></line>
<line><count color="black">6</count><count color="black">1</count></line>
<line><count color="black">3</count><count color="black">3</count></line>
<line><count color="black">6</count></line>
<line><count color="black">3</count></line>
<line><count color="black">4</count></line>
<line><count color="black">2</count></line>
<line><count color="black">2</count></line>
</clues>
</puzzle></puzzleset>
)";

TEST(PuzzleFormats, PbnXmlDefaultColourOnlyNamesTheColourOfPlainCounts) {
  const std::vector<TPuzzle> atrus = ReadPuzzles(kAtrus);
  ASSERT_EQ(atrus.size(), 1u);
  EXPECT_EQ(atrus[0].Title, "Atrus");
  EXPECT_EQ(atrus[0].Width, 10);
  EXPECT_EQ(atrus[0].Rows[1], (TCounterArr{1, 2, 2}));
  EXPECT_EQ(atrus[0].Columns[6], (TCounterArr{2, 1, 1}));

  // The filled colour is the one colour besides the background, whatever
  // defaultcolor says and whatever the colours are called; the goal image is
  // read with that colour's character, never inverted.
  const auto puzzle = [](const std::string& attributes, const std::string& colours,
                         const std::string& count, const std::string& image) {
    return "<puzzleset><puzzle type=\"grid\"" + attributes + ">" + colours +
           "<clues type=\"columns\"><line>" + count +
           "</line><line/></clues>"
           "<clues type=\"rows\"><line>" +
           count +
           "</line></clues>"
           "<solution type=\"goal\"><image>" +
           image + "</image></solution></puzzle></puzzleset>";
  };
  const std::string bw =
      "<color name=\"white\" char=\".\">fff</color>"
      "<color name=\"black\" char=\"X\">000</color>";
  struct Case {
    std::string Text;
    std::string Outcome;  // "(accepted)" or part of the refusal
  };
  const std::vector<Case> cases = {
      {puzzle(" defaultcolor=\"white\"", bw, "<count color=\"black\">1</count>", "|X.|"),
       "(accepted)"},
      {puzzle("",
              "<color name=\"ink\" char=\"#\">123</color><color name=\"white\" char=\" \">fff"
              "</color>",
              "<count color=\"ink\">1</count>", "|# |"),
       "(accepted)"},
      {puzzle(" defaultcolor=\"red\" backgroundcolor=\"paper\"",
              "<color name=\"paper\" char=\"-\">fff</color><color name=\"red\" char=\"r\">f00"
              "</color>",
              "<count>1</count>", "|r-|"),
       "(accepted)"},
      {puzzle(" defaultcolor=\"white\"", bw, "<count>1</count>", "|X.|"), "background colour"},
      {puzzle("", bw + "<color name=\"red\" char=\"r\">f00</color>",
              "<count color=\"red\">1</count>", "|r.|"),
       "multicolour puzzles cannot be played"},
      {puzzle("", bw, "<count color=\"red\">1</count>", "|X.|"),
       "multicolour puzzles cannot be played"},
  };
  for (const Case& c : cases) {
    EXPECT_NE(MessageOf([&] { ReadPbnXml(c.Text); }).find(c.Outcome), std::string::npos)
        << c.Text << "-> " << MessageOf([&] { ReadPbnXml(c.Text); });
    if (c.Outcome == "(accepted)" && !HasFailure()) {
      EXPECT_EQ(ReadPbnXml(c.Text).at(0).Goal, "#.");
    }
  }
}

TEST(PuzzleFormats, PbnXmlInUtf16AndLatin1IsRead) {
  const std::string utf8 =
      std::string(kPbn).replace(0, 21, "<?xml version=\"1.0\" encoding=\"UTF-16\"?>");
  for (const bool big : {false, true}) {
    const std::string text = (big ? "\xFE\xFF" : "\xFF\xFE") + Utf8ToUtf16(utf8, big);
    EXPECT_EQ(DetectPuzzleFormat(text), TPuzzleFormat::PbnXml);
    EXPECT_EQ(MessageOf([&] { ReadPuzzles(text); }), "(accepted)") << big;
    if (!HasFailure()) {
      EXPECT_EQ(ReadPuzzles(text), ReadPbnXml(kPbn));
    }
  }
  std::string latin1 =
      std::string(kPbn).replace(0, 21, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>");
  latin1.replace(latin1.find("odd"), 3, "B\xE9zier");
  EXPECT_EQ(MessageOf([&] { ReadPuzzles(latin1); }), "(accepted)");
  if (!HasFailure()) {
    EXPECT_EQ(ReadPuzzles(latin1).at(0).Title, "Tiny & B\xC3\xA9zier");
  }
}

TEST(PuzzleFormats, ARefusalQuotesOnlyTheStartOfAHugeText) {
  const std::string huge(256 * 1024, '7');
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"width 2\nheight 1\nrows\n" + huge + "\ncolumns\n1\n1\n", "row 1 clue"},
      {"width 2\nheight 1\nrows\n1x" + huge + "\ncolumns\n1\n1\n", "row 1 clue"},
      {"width " + huge + "\n", "width"},
      {"width 2\rheight " + huge + "\r", "is not a number"},
      {"2x1:1/1/" + huge, "row 1 clue"},
      {huge + "x1:1/1/2", "size"},
      {"<puzzleset><puzzle type=\"" + huge + "\"/></puzzleset>", "only grid puzzles"},
      {"<puzzleset><puzzle><clues type=\"" + huge + "\"/></puzzle></puzzleset>", "only 'columns'"},
      {"<puzzleset><puzzle backgroundcolor=\"" + huge +
           "\"><clues type=\"rows\"><line><count color=\"" + huge +
           "\">1</count></line></clues></puzzle></puzzleset>",
       "background colour"},
  };
  for (const auto& [text, message] : cases) {
    const std::string refusal = MessageOf([&] { ReadPuzzles(text); });
    EXPECT_NE(refusal.find(message), std::string::npos) << refusal.substr(0, 200);
    EXPECT_LT(refusal.size(), 200u) << refusal.substr(0, 200);
  }
}

TEST(PuzzleFormats, StateCodeGivesTheSolutionWithTheSlotNameAsTitle) {
  const auto game = GameOf(kWide);
  const std::string code = GameStateText("8x3", *game, 20, 20);
  const TPuzzle p = ReadStateCode(code);
  EXPECT_EQ(p, [&] {
    TPuzzle q = PuzzleOf(kWide);
    q.Title = "8x3";
    return q;
  }());
  EXPECT_EQ(DetectPuzzleFormat(code), TPuzzleFormat::StateCode);
  EXPECT_NE(MessageOf([&] { ReadStateCode(code.substr(0, code.size() - 2)); }).find("state code"),
            std::string::npos);
}

TEST(PuzzleFormats, EveryFormatReadsWhatItWrites) {
  for (const Picture& picture : {kArrow, kWide, Picture{"#"}, Picture{".", "."}}) {
    TPuzzle p = PuzzleOf(picture);
    p.Title = "A <picture> & \"more\"";
    p.Author = "Ann \"A.\" Lee";
    p.Licence = "CC BY-SA 4.0 <https://creativecommons.org/licenses/by-sa/4.0/>";
    ASSERT_NO_THROW(CheckPuzzle(p));
    TPuzzle fromNon = ReadPuzzles(WriteNon(p)).at(0);
    TPuzzle expectedNon = p;
    expectedNon.Title = "A <picture> & 'more'";  // .non strings carry no quotes
    expectedNon.Author = "Ann 'A.' Lee";
    EXPECT_EQ(fromNon, expectedNon);
    EXPECT_EQ(ReadPuzzles(WritePbnXml({p})).at(0), p);
    TPuzzle withoutGoal = p;
    withoutGoal.Goal.clear();
    withoutGoal.Title.clear();
    withoutGoal.Author.clear();
    withoutGoal.Licence.clear();
    EXPECT_EQ(ReadPuzzles(WriteGameId(p)).at(0), withoutGoal);
    // A game ID through .non and back is the same text.
    const std::string id = WriteGameId(p);
    EXPECT_EQ(WriteGameId(ReadNon(WriteNon(ReadGameId(id))).at(0)), id);
    EXPECT_EQ(WriteGameId(ReadPbnXml(WritePbnXml({ReadGameId(id)})).at(0)), id);
  }
}

TEST(PuzzleFormats, DetectionAndLimits) {
  EXPECT_EQ(DetectPuzzleFormat("\xEF\xBB\xBF  <?xml"), TPuzzleFormat::PbnXml);
  EXPECT_EQ(DetectPuzzleFormat("10x5:1/2"), TPuzzleFormat::GameId);
  EXPECT_EQ(DetectPuzzleFormat("5:1/2"), TPuzzleFormat::GameId);
  EXPECT_EQ(DetectPuzzleFormat("width 5"), TPuzzleFormat::Non);
  EXPECT_EQ(ReadPuzzles("1x1:1/1\n\n2x1:1/1/2\n").size(), 2u);
  EXPECT_NE(MessageOf([] { ReadPuzzles("1x1:1/1\n2x1:3/1/1\n"); }).find("puzzle 2:"),
            std::string::npos);
  EXPECT_NE(MessageOf([] { ReadPuzzles(std::string(kMaxPuzzleText + 1, ' ')); }).find("longer"),
            std::string::npos);
  std::string many;
  for (std::size_t i = 0; i <= kMaxPuzzlesPerText; ++i) many += "1x1:1/1\n";
  EXPECT_NE(MessageOf([&] { ReadPuzzles(many); }).find("more than"), std::string::npos);
}

TEST(PuzzleFormats, LettersOfGoalLoadIntoAGame) {
  const TPuzzle p = PuzzleOf(kWide);
  TNonoGame game(3, 3);
  game.LoadSolutionGrid(LettersOfGoal(p));
  EXPECT_EQ(SolutionOf(game), kWide);
}

}  // namespace
