#include "model/clue_marks.h"

#include <gtest/gtest.h>

#include <string>

#include "support/board_pictures.h"

using namespace test_support;

namespace {

std::vector<std::int32_t> PlayerCellsOf(const std::string& line) {
  std::vector<std::int32_t> cells;
  for (char c : line) cells.push_back(PlayerCellValue(StateOfChar(c)));
  return cells;
}

// One letter per clue number: 'o' open, 'd' done, 'w' wrong.
std::string MarksText(const TClueMarks& marks) {
  std::string text;
  for (TClueMark m : marks) text += m == TClueMark::Done ? 'd' : m == TClueMark::Wrong ? 'w' : 'o';
  return text;
}

}  // namespace

TEST(ClueMarks, CompletedAndSettledRunsOfOneLine) {
  struct Case {
    TCounterArr clue;
    std::string line;
    std::string marks;       // without mistakes shown
    std::string withErrors;  // with mistakes shown
  } cases[] = {
      // Filled runs equal to the clue complete the line, crosses or not.
      {{2, 1}, "##.#......", "dd", "dd"},
      {{2, 1}, "##x#xxxxxx", "dd", "dd"},
      {{3}, "..###.....", "d", "d"},
      // A run at the edge, closed by a cross, greys its own number only.
      {{2, 3}, "##x.......", "do", "do"},
      {{2, 3}, "##........", "oo", "oo"},  // might still grow
      {{2, 3}, ".......x###", "od", "od"},
      {{2, 3}, "xx##x......", "do", "do"},
      // An open cell before the run: it cannot be counted from the end.
      {{2, 3}, ".x##x......", "oo", "oo"},
      // Counted from the end, the run must have its number's length.
      {{2, 3}, "###x.......", "oo", "ww"},
      // Two settled runs from the left, one from the right.
      {{1, 1, 2, 1}, "#x#x##x...x#", "dddd", "dddd"},
      {{1, 1, 2, 1}, "#x#x......x#", "ddod", "ddod"},
      {{1, 1, 2, 1}, "#x#x.......#", "ddoo", "ddoo"},
      // Too many filled cells: not complete, and wrong when shown.
      {{1}, "#.#", "o", "w"},
      // An empty line's blank clue.
      {{0}, "...", "d", "d"},
      {{0}, "#..", "o", "w"},
      // Nightmare marks count as empty.
      {{2}, "!##", "d", "d"},
      // A cross inside the only place the run fits.
      {{3}, ".x..", "o", "w"},
  };
  for (const Case& c : cases) {
    const auto cells = PlayerCellsOf(c.line);
    EXPECT_EQ(MarksText(LineClueMarks(c.clue, cells, false)), c.marks) << c.line;
    EXPECT_EQ(MarksText(LineClueMarks(c.clue, cells, true)), c.withErrors) << c.line;
  }
}

TEST(ClueMarks, LineFitsFilledAndEmptyCells) {
  struct Case {
    TCounterArr clue;
    std::string line;
    bool fits;
  } cases[] = {
      {{3}, "....", true},    {{3}, ".x..", false},    {{1, 1}, "##..", false},
      {{1, 1}, "#x.#", true}, {{4}, "###", false},     {{0}, "xxx", true},
      {{0}, "x#x", false},    {{2, 2}, "..x..", true}, {{2, 2}, ".#x#.", true},
      {{1, 2}, "#.##", true}, {{1, 2}, "##.#", false}, {{}, "", true},
  };
  for (const Case& c : cases) EXPECT_EQ(LineFits(c.clue, PlayerCellsOf(c.line)), c.fits) << c.line;
}

TEST(ClueMarks, WholeBoardReadsRowsAndColumnsOfThePlayersBoard) {
  auto game = GameOf({"##.", "..#", "#.#"}, {"##x", "..x", "#.."});
  const auto rows = RowClueMarks(*game, true);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(MarksText(rows[0]), "d");
  EXPECT_EQ(MarksText(rows[1]), "o");
  EXPECT_EQ(MarksText(rows[2]), "oo");  // an open cell after each run
  const auto columns = ColumnClueMarks(*game, true);
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(MarksText(columns[0]), "dd");
  EXPECT_EQ(MarksText(columns[1]), "d");
  EXPECT_EQ(MarksText(columns[2]), "w");  // crosses where the 2 must lie
}
