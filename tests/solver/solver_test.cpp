#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/nono_game.h"
#include "solver/solver2.h"
#include "support/board_pictures.h"

using namespace test_support;

namespace {

// Solver cells as text: '#' 1, '.' -1, '?' 0.
TCounterArr CellsOf(const std::string& text) {
  TCounterArr cells;
  for (const char c : text) cells.push_back(c == '#' ? 1 : c == '.' ? -1 : 0);
  return cells;
}

std::string TextOf(std::span<const std::int32_t> cells) {
  std::string text;
  for (const std::int32_t v : cells) text += v == 1 ? '#' : v == -1 ? '.' : '?';
  return text;
}

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

// Brute-force reference: the line's fixed point found by trying every filling.
bool ReferenceSolveLine(const TCounterArr& clue, TCounterArr& cells) {
  const int n = static_cast<int>(cells.size());
  TCounterArr target;
  for (const std::int32_t v : clue)
    if (v > 0) target.push_back(v);
  int canFill = 0, canEmpty = 0;  // bit masks over the cells
  bool any = false;
  for (int bits = 0; bits < (1 << n); ++bits) {
    bool agrees = true;
    TCounterArr runs;
    int run = 0;
    for (int i = 0; i < n && agrees; ++i) {
      const bool filled = (bits >> i) & 1;
      if ((cells[i] == 1 && !filled) || (cells[i] == -1 && filled)) agrees = false;
      if (filled) {
        ++run;
      } else if (run > 0) {
        runs.push_back(run);
        run = 0;
      }
    }
    if (run > 0) runs.push_back(run);
    if (!agrees || runs != target) continue;
    any = true;
    canFill |= bits;
    canEmpty |= ~bits;
  }
  if (!any) return false;
  for (int i = 0; i < n; ++i) {
    const bool f = (canFill >> i) & 1, e = (canEmpty >> i) & 1;
    cells[i] = f && e ? 0 : f ? 1 : -1;
  }
  return true;
}

// Line logic over the whole board by the reference, until nothing changes.
TCountersArr ReferenceSolve(const Clues& clues) {
  const int h = static_cast<int>(clues.rows.size()), w = static_cast<int>(clues.columns.size());
  TCountersArr grid(h, TCounterArr(w, 0));
  for (bool changed = true; changed;) {
    changed = false;
    for (int y = 0; y < h; ++y) {
      TCounterArr line = grid[y];
      ReferenceSolveLine(clues.rows[y], line);
      if (line != grid[y]) changed = true;
      grid[y] = line;
    }
    for (int x = 0; x < w; ++x) {
      TCounterArr line(h);
      for (int y = 0; y < h; ++y) line[y] = grid[y][x];
      ReferenceSolveLine(clues.columns[x], line);
      for (int y = 0; y < h; ++y) {
        if (grid[y][x] != line[y]) changed = true;
        grid[y][x] = line[y];
      }
    }
  }
  return grid;
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

TEST(Line, EnumerationRecordsTheLeftmostPlacementOnly) {
  TCounterArr cells = CellsOf("??????");
  Line line({2, 1});
  line.LoadLine(cells);
  EXPECT_EQ(line.Minimal(), (TCounterArr{4, 1}));
  ASSERT_TRUE(line.HasPlacement());
  EXPECT_EQ(line.Found(), 1);
  EXPECT_EQ(line.Seen(), (TCounterArr{1, 1, 0, 1, 0, 0}));

  // A later placement that leaves a covered cell uncovered settles it as
  // undetermined; a probe restores the cell it forced.
  EXPECT_TRUE(line.CanBe(0, -1));
  EXPECT_EQ(line.Seen()[0], 2);
  EXPECT_EQ(TextOf(cells), "??????");
  EXPECT_TRUE(line.CanBe(0, 1));  // from the summary, without enumerating

  TCounterArr known = CellsOf("#????");
  Line pair({1, 1});
  pair.LoadLine(known);
  EXPECT_FALSE(pair.CanBe(1, 1));
  EXPECT_TRUE(pair.CanBe(4, 1));
  EXPECT_TRUE(pair.CanBe(2, -1));
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
    const TCountersArr expected = ReferenceSolve(clues);
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
