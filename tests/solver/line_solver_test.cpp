#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "brute_force_line.h"
#include "enumerating_line.h"
#include "model/nono_game.h"
#include "solver/line_solver.h"
#include "support/board_pictures.h"

using namespace test_support;

namespace {

std::string GridText(const NonogramSolver& solver) {
  std::string text;
  for (int y = 0; y < solver.Height(); ++y) {
    if (y > 0) text += '/';
    const TCounterArr row = solver.Grid()[y];
    text += TextOf(row);
  }
  return text;
}

// The clues of a picture, computed by the puzzle model.
struct Clues {
  TCountersArr rows, columns;
};
Clues CluesOf(const Picture& picture) {
  auto game = GameOf(picture);
  return {game->RowClues(true), game->ColumnClues(true)};
}

}  // namespace

TEST(Line, SolveLineReachesTheLineFixedPoint) {
  struct Case {
    TCounterArr clue;
    std::string before, after;
  };
  const Case cases[] = {
      {{}, "?????", "....."},             // no blocks: all empty
      {{0}, "????", "...."},              // the model's clue of an empty line
      {{5}, "?????", "#####"},            // full-length clue
      {{6}, "??????????", "????##????"},  // overlap of 6 in 10
      {{1, 1}, "#????", "#.???"},         // a known cell pushes its neighbour out
      {{3, 1}, "?????", "###.#"},
      {{3, 2}, "???????", "?##??#?"},
      {{1}, "??#??", "..#.."},
      {{3}, "?.????", "..?##?"},  // a known gap moves the block right
      {{2, 1}, "??#???#", ".?#?..#"},
      {{1, 2}, "???##??", "??.##.."},
      {{2}, "#????", "##..."},  // a filled end anchors the block
  };
  for (const Case& c : cases) {
    TCounterArr cells = CellsOf(c.before);
    Line line(c.clue);
    line.LoadLine(cells);
    ASSERT_TRUE(line.SolveLine()) << c.before;
    EXPECT_EQ(TextOf(cells), c.after) << c.before;
  }
}

TEST(Line, NoFittingPlacementLeavesTheCellsAlone) {
  const std::pair<TCounterArr, std::string> cases[] = {{{2}, "?#?#?"},      {{}, "??#"},
                                                       {{3, 4}, "???????"}, {{1}, "....."},
                                                       {{2}, "#.???"},      {{1, 1}, "###.?"}};
  for (const auto& [clue, text] : cases) {
    TCounterArr cells = CellsOf(text);
    Line line(clue);
    line.LoadLine(cells);
    EXPECT_FALSE(line.SolveLine()) << text;
    EXPECT_EQ(TextOf(cells), text);
  }
}

TEST(Line, PlacementsMustRespectEveryKnownCell) {
  Line pair({1, 1});
  TCounterArr cells;
  EXPECT_EQ(pair.Minimal(), (TCounterArr{3, 1}));
  const std::pair<std::string, bool> cases[] = {
      {"#????", true}, {"##???", false}, {"#???#", true},  {"#.#.#", false},
      {"?.?.?", true}, {"?...?", true},  {"??...", false}, {"?....", false},
  };
  for (const auto& [text, fits] : cases) {
    cells = CellsOf(text);
    pair.LoadLine(cells);
    EXPECT_EQ(pair.HasPlacement(), fits) << text;
    EXPECT_EQ(TextOf(cells), text);
  }
  // A clue longer than the line fits nowhere, however absurd its values.
  Line huge({2147483647, 5});
  cells = CellsOf("???");
  huge.LoadLine(cells);
  EXPECT_FALSE(huge.HasPlacement());
  EXPECT_FALSE(huge.SolveLine());
}

TEST(Line, AgreesWithBruteForceOnRandomLines) {
  std::mt19937 random(777);
  int unsolvable = 0;
  for (int round = 0; round < 4000; ++round) {
    // Short lines with any known cells; long ones, up to the longest, with
    // few unknown cells, so that trying every filling stays quick.
    const bool isLong = round % 5 == 1;
    const int n = isLong ? 15 + static_cast<int>(random() % (Line::MaxLength - 14))
                         : 1 + static_cast<int>(random() % 14);
    // The clue of a random picture of the line, or now and then of another
    // line, so that some clues fit no placement.
    std::string picture(n, '.');
    for (char& c : picture) c = random() % 2 ? '#' : '.';
    TCounterArr clue;
    int run = 0;
    for (const char c : picture + ".") {
      if (c == '#') {
        ++run;
      } else if (run > 0) {
        clue.push_back(run);
        run = 0;
      }
    }
    if (round % 5 == 0) clue.push_back(1 + static_cast<int>(random() % 3));
    // Known cells: mostly the picture's, now and then a wrong one.
    TCounterArr cells(n, 0);
    for (int i = 0; i < n; ++i) {
      const auto roll = random() % 10;
      if (roll < 3 || (isLong && roll < 9)) cells[i] = picture[i] == '#' ? 1 : -1;
      if (roll == 3) cells[i] = random() % 2 ? 1 : -1;
    }
    if (isLong) {
      // At most 9 unknown cells, partly in one stretch.
      if (round % 10 == 1) {
        const int from = static_cast<int>(random() % (n - 11));
        for (int i = from; i < from + 6; ++i) cells[i] = 0;
      }
      int unknown = 0;
      for (std::int32_t& cell : cells)
        if (cell == 0 && ++unknown > 9) cell = picture[&cell - cells.data()] == '#' ? 1 : -1;
    }
    TCounterArr expected = cells;
    const bool fits = ReferenceSolveLine(clue, expected);
    TCounterArr got = cells;
    Line line(clue);
    line.LoadLine(got);
    ASSERT_EQ(line.SolveLine(), fits) << TextOf(cells) << " round " << round;
    EXPECT_EQ(TextOf(got), TextOf(expected)) << TextOf(cells) << " round " << round;
    unsolvable += fits ? 0 : 1;
  }
  EXPECT_GT(unsolvable, 0);
}

// The bit-parallel passes settle exactly what the step-by-step placement
// enumeration (PlaceBlock, RecordPlacement, HasPlacement, CanBe) settles.
TEST(Line, AgreesWithThePlacementEnumeration) {
  std::mt19937 random(4242);
  for (int round = 0; round < 3000; ++round) {
    const int n = 1 + static_cast<int>(random() % 24);
    TCounterArr clue;
    for (int left = n; left > 0;) {
      const int block = 1 + static_cast<int>(random() % std::min(left, 6));
      if (random() % 3 == 0) break;
      clue.push_back(block);
      left -= block + 1;
    }
    TCounterArr cells(n, 0);
    for (std::int32_t& cell : cells) {
      const auto roll = random() % 8;
      cell = roll == 0 ? 1 : roll == 1 ? -1 : 0;
    }
    EnumeratingLine reference(clue);
    reference.LoadLine(cells);
    const bool fits = reference.SolveLine();
    TCounterArr got = cells;
    Line line(clue);
    line.LoadLine(got);
    ASSERT_EQ(line.SolveLine(), fits) << TextOf(cells) << " round " << round;
    if (fits) {
      EXPECT_EQ(TextOf(got), TextOf(reference.Cells())) << TextOf(cells);
    }
  }
}

TEST(Line, LongLinesUpToTheLongest) {
  // Two blocks of 60 in 128 cells: 7 cells of slack leave each block's middle
  // certain.
  TCounterArr cells(128, 0);
  Line pair({60, 60});
  pair.LoadLine(cells);
  ASSERT_TRUE(pair.SolveLine());
  const std::string text = TextOf(cells);
  EXPECT_EQ(text, std::string(7, '?') + std::string(53, '#') + std::string(8, '?') +
                      std::string(53, '#') + std::string(7, '?'));
  TCounterArr longest(Line::MaxLength, 0);
  Line one({Line::MaxLength});
  one.LoadLine(longest);
  ASSERT_TRUE(one.SolveLine());
  EXPECT_EQ(TextOf(longest), std::string(Line::MaxLength, '#'));
  TCounterArr tooLong(Line::MaxLength + 1, 0);
  EXPECT_THROW(one.LoadLine(tooLong), std::invalid_argument);
}

TEST(NonogramSolver, UndecidableDiagonalStaysUnknown) {
  NonogramSolver solver({{1}, {1}}, {{1}, {1}});
  EXPECT_EQ(solver.Solve(), 1);
  EXPECT_EQ(GridText(solver), "?\?/?\?");
  EXPECT_FALSE(solver.FoundContradiction());
  EXPECT_FALSE(IsLineSolvable(*GameOf({"#.", ".#"})));
}

TEST(NonogramSolver, FullLinesAreSolvedAtOnce) {
  NonogramSolver solver({{2}, {2}}, {{2}, {2}});
  EXPECT_EQ(solver.Solve(), 2);
  EXPECT_EQ(GridText(solver), "##/##");
}

TEST(NonogramSolver, RowsAndColumnsFeedEachOther) {
  // Neither the rows nor the columns alone settle this picture.
  const Picture picture = {"##..#", ".#.##", "..###", "#....", "#.#.#"};
  const Clues clues = CluesOf(picture);
  NonogramSolver solver(clues.rows, clues.columns);
  EXPECT_EQ(solver.Solve(), 2);
  EXPECT_EQ(GridText(solver), "##..#/.#.##/..###/#..../#.#.#");
  EXPECT_TRUE(IsLineSolvable(*GameOf(picture)));
}

TEST(NonogramSolver, GoesOnFromWhatItKnowsAfterAChange) {
  // The diagonal "#." / ".#" stalls with every cell unknown.
  NonogramSolver solver({{1}, {1}}, {{1}, {1}});
  ASSERT_EQ(solver.Solve(), 1);
  ASSERT_EQ(GridText(solver).find_first_not_of("?/"), std::string::npos);
  // One cell given settles the rest from the lines through it.
  solver.SetCell(0, 0, 1);
  EXPECT_EQ(solver.Solve(), 2);
  EXPECT_EQ(GridText(solver), "#./.#");

  // The picture changed to "##" / ".#": the new clues of the changed row and
  // column are solved again on the grid as it is, the rest stays.
  NonogramSolver changed({{1}, {1}}, {{1}, {1}});
  ASSERT_EQ(changed.Solve(), 1);
  changed.SetRowClue(0, {2});
  changed.SetColumnClue(1, {2});
  EXPECT_EQ(changed.Solve(), 2);
  EXPECT_EQ(GridText(changed), "##/.#");
}

TEST(NonogramSolver, ContradictoryCluesAreNoticed) {
  // Each line alone fits, together they do not: the one cell must be filled
  // for the row and empty for the column.
  NonogramSolver solver({{1}}, {{0}});
  solver.Solve();
  EXPECT_TRUE(solver.FoundContradiction());
}

TEST(NonogramSolver, AgreesWithBruteForceLineLogic) {
  std::mt19937 random(12345);
  int solved = 0;
  for (int round = 0; round < 400; ++round) {
    const int w = 2 + static_cast<int>(random() % 6), h = 2 + static_cast<int>(random() % 6);
    const auto density = 30 + random() % 40;
    Picture picture(h, std::string(w, '.'));
    for (std::string& row : picture)
      for (char& c : row) c = random() % 100 < density ? '#' : '.';
    const Clues clues = CluesOf(picture);
    NonogramSolver solver(clues.rows, clues.columns);
    const int result = solver.Solve();
    const TCountersArr expected = ReferenceSolve(clues.rows, clues.columns);
    ASSERT_EQ(solver.Grid(), expected) << "round " << round;
    bool complete = true;
    for (const TCounterArr& row : expected)
      for (const std::int32_t v : row) complete = complete && v != 0;
    EXPECT_EQ(result, complete ? 2 : 1);
    EXPECT_FALSE(solver.FoundContradiction());
    solved += complete;
  }
  // Both outcomes occur among the random pictures.
  EXPECT_GT(solved, 0);
  EXPECT_LT(solved, 400);
}
