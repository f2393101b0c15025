#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "generation/new_random.h"
#include "generation/rnd.h"
#include "model/nono_game.h"
#include "solver/line_solver.h"
#include "solver/step_analysis.h"
#include "support/board_pictures.h"

using namespace test_support;

namespace {

// Every placement of the runs on n cells, each as the runs' starts, in the
// order of their starts (first run first): the first is the leftmost.
void Placements(const TCounterArr& runs, int n, std::size_t j, int from, std::vector<int>& starts,
                std::vector<std::vector<int>>& all) {
  if (j == runs.size()) {
    all.push_back(starts);
    return;
  }
  for (int s = from; s + runs[j] <= n; ++s) {
    starts.push_back(s);
    Placements(runs, n, j + 1, s + runs[j] + 1, starts, all);
    starts.pop_back();
  }
}

bool Agrees(const TCounterArr& runs, const std::vector<int>& starts, const TCounterArr& cells) {
  for (int i = 0; i < static_cast<int>(cells.size()); ++i) {
    bool covered = false;
    for (std::size_t j = 0; j < runs.size(); ++j)
      covered = covered || (starts[j] <= i && i < starts[j] + runs[j]);
    if (cells[i] != 0 && (cells[i] == 1) != covered) return false;
  }
  return true;
}

// Reference overlap from the leftmost and rightmost fitting placements found
// by trying them all.
bool ReferenceOverlap(const TCounterArr& runs, TCounterArr& cells) {
  std::vector<std::vector<int>> all;
  std::vector<int> starts;
  Placements(runs, static_cast<int>(cells.size()), 0, 0, starts, all);
  std::erase_if(all, [&](const std::vector<int>& p) { return !Agrees(runs, p, cells); });
  if (all.empty()) return false;
  const auto where = [&](const std::vector<int>& p, int i) {
    int before = 0;
    for (std::size_t j = 0; j < runs.size(); ++j) {
      if (p[j] <= i && i < p[j] + runs[j]) return static_cast<int>(j);
      if (p[j] + runs[j] <= i) ++before;
    }
    return -before - 1;
  };
  for (int i = 0; i < static_cast<int>(cells.size()); ++i) {
    const int left = where(all.front(), i);
    if (cells[i] == 0 && left == where(all.back(), i)) cells[i] = left >= 0 ? 1 : -1;
  }
  return true;
}

TPuzzleGrade GradeOf(const Picture& picture) {
  return GradeGame(*GameOf(picture));
}

}  // namespace

TEST(OverlapLine, SettlesWhatTheExtremePlacementsShare) {
  struct Case {
    TCounterArr Clue;
    std::string Cells, Expected;
  };
  const Case cases[] = {
      {{6}, "??????????", "????##????"},  // the classic overlap
      {{5}, "?????", "#####"},            // a run as long as the line
      {{}, "?????", "....."},             // no runs
      {{0}, "??#??", ""},                 // a filled cell where no run may be
      {{1, 1}, "#????", "#.???"},         // the gap after a known run
      {{3}, "?.???", "..###"},            // a run cannot start before the empty cell
      {{1}, "?#??", ".#.."},              // a known cell is the run
      {{1, 1}, "??#??", "??#??"},         // needs more than the overlap: nothing
  };
  for (const Case& c : cases) {
    TCounterArr cells = CellsOf(c.Cells);
    const bool fits = OverlapLine(c.Clue, cells);
    EXPECT_EQ(fits, !c.Expected.empty()) << c.Cells;
    EXPECT_EQ(TextOf(cells), c.Expected.empty() ? c.Cells : c.Expected) << c.Cells;
  }
  // Line logic settles the last case: "?.#.?".
  TCounterArr cells = CellsOf("??#??");
  Line line({1, 1});
  line.LoadLine(cells);
  ASSERT_TRUE(line.SolveLine());
  EXPECT_EQ(TextOf(cells), "?.#.?");
}

TEST(OverlapLine, AgreesWithAllPlacementsOnRandomLines) {
  std::mt19937 random(2020);
  for (int round = 0; round < 3000; ++round) {
    const int n = 1 + static_cast<int>(random() % 12);
    TCounterArr runs;
    for (int left = n; left > 0 && random() % 3 != 0;) {
      const int run = 1 + static_cast<int>(random() % std::min(left, 4));
      runs.push_back(run);
      left -= run + 1;
    }
    TCounterArr cells(n, 0);
    for (std::int32_t& c : cells) {
      const auto roll = random() % 6;
      c = roll == 0 ? 1 : roll == 1 ? -1 : 0;
    }
    TCounterArr expected = cells;
    const bool fits = ReferenceOverlap(runs, expected);
    TCounterArr got = cells;
    ASSERT_EQ(OverlapLine(runs, got), fits) << TextOf(cells);
    if (!fits) continue;
    ASSERT_EQ(TextOf(got), TextOf(expected)) << TextOf(cells);
    // Whatever the overlap settles, line logic settles the same way.
    TCounterArr logic = cells;
    Line line(runs);
    line.LoadLine(logic);
    ASSERT_TRUE(line.SolveLine());
    for (int i = 0; i < n; ++i) {
      if (got[i] != 0) {
        ASSERT_EQ(got[i], logic[i]) << TextOf(cells);
      }
    }
  }
}

TEST(StepFinder, FirstStepIsTheFirstLineTheOverlapSettles) {
  const Picture picture = {"#####", "#...#", "#...#", "#...#", "#####"};
  auto game = GameOf(picture);
  TStepFinder finder(game->RowClues(true), game->ColumnClues(true));
  const std::optional<TLineStep> first = finder.NextStep();
  ASSERT_TRUE(first);
  EXPECT_FALSE(first->Column);
  EXPECT_EQ(first->Index, 0);
  EXPECT_EQ(first->Reason, TStepReason::Overlap);
  EXPECT_EQ(first->Cells.size(), 5u);
  // Asking again without applying offers the same step.
  EXPECT_EQ(finder.NextStep()->Cells, first->Cells);
  finder.Apply(*first);
  EXPECT_EQ(finder.NextStep()->Index, 4);  // rows 1..3 settle nothing yet
}

TEST(StepFinder, WalksToTheSolutionAndThinksHardOnlyWhenNoLineOverlaps) {
  const Picture picture = {"....##....", "...#.....#", "#####.....", ".######.#.", "....####.#",
                           ".######..#", "#####....#", "###..####.", "#####.....", "###......#"};
  auto game = GameOf(picture);
  const TCountersArr rows = game->RowClues(true);
  const TCountersArr columns = game->ColumnClues(true);
  TStepFinder finder(rows, columns);
  int logicSteps = 0;
  while (const std::optional<TLineStep> step = finder.NextStep()) {
    for (const TSettledCell& c : step->Cells)
      ASSERT_EQ(c.Value == 1, picture[c.Y][c.X] == '#') << c.X << "," << c.Y;
    if (step->Reason == TStepReason::LineLogic) {
      ++logicSteps;
      for (int y = 0; y < 10; ++y) {
        TCounterArr cells(10);
        for (int x = 0; x < 10; ++x) cells[x] = finder.Cell(x, y);
        const TCounterArr before = cells;
        ASSERT_TRUE(OverlapLine(rows[y], cells));
        EXPECT_EQ(cells, before) << "row " << y;
      }
      for (int x = 0; x < 10; ++x) {
        TCounterArr cells(10);
        for (int y = 0; y < 10; ++y) cells[y] = finder.Cell(x, y);
        const TCounterArr before = cells;
        ASSERT_TRUE(OverlapLine(columns[x], cells));
        EXPECT_EQ(cells, before) << "column " << x;
      }
    }
    finder.Apply(*step);
  }
  EXPECT_EQ(logicSteps, 1);
  EXPECT_FALSE(finder.Contradiction());
  EXPECT_EQ(finder.UnknownCells(), 0);
}

TEST(StepFinder, ContradictingCellsEndTheWalk) {
  TStepFinder finder({{3}}, {{1}, {1}, {1}});
  finder.SetCell(1, 0, -1);
  EXPECT_FALSE(finder.NextStep());
  EXPECT_TRUE(finder.Contradiction());
}

TEST(Grade, AllOverlapBoardGradesLowestAndHarderBoardsHigher) {
  // From easy to hard: every line settled in the first row pass; a few
  // sweeps of overlap; more sweeps; stuck once with the overlap; stuck once,
  // with more sweeps; stuck three times.
  const std::vector<Picture> boards = {
      {"#####", ".....", "#####", "#####", "....."},
      {"##.##", "#...#", ".###.", "#.#.#", "####."},
      {".....###", "...#####", "..#####.", "...#####", "....##..", "..#####.", "####....",
       "###....."},
      {"....##....", "...#.....#", "#####.....", ".######.#.", "....####.#", ".######..#",
       "#####....#", "###..####.", "#####.....", "###......#"},
      {"...####..#", "....##...#", ".####...##", "##.....##.", "###.......", ".#####..#.",
       "...#######", "####.....#", "#####...##", "####......"},
      {"#.#....#..", ".#..###...", "#.#.######", "..##.#.##.", "#....#.#.#", "..#.#..#.#",
       "..#..##.#.", ".###.##...", "##.#.##...", "##.#..##.#"},
  };
  std::vector<TPuzzleGrade> grades;
  for (const Picture& b : boards) grades.push_back(GradeOf(b));
  for (const TPuzzleGrade& g : grades) ASSERT_TRUE(g.Solvable);
  EXPECT_EQ(grades[0].Sweeps, 1);
  EXPECT_EQ(grades[0].LogicSteps, 0);
  EXPECT_EQ(grades[0].Stars, 1);
  EXPECT_EQ(grades[3].LogicSteps, 1);
  EXPECT_EQ(grades[4].LogicSteps, 1);
  EXPECT_EQ(grades[4].LogicCells, 4);  // several lines advance at the one stuck moment
  EXPECT_EQ(grades[5].LogicSteps, 3);
  EXPECT_EQ(grades[5].Stars, 5);
  for (std::size_t i = 1; i < grades.size(); ++i) {
    EXPECT_LT(GradeScore(grades[i - 1].Sweeps, grades[i - 1].LogicSteps),
              GradeScore(grades[i].Sweeps, grades[i].LogicSteps))
        << i;
    EXPECT_LE(grades[i - 1].Stars, grades[i].Stars) << i;
  }
}

TEST(Grade, SweepsAreTheLineSolversAndUnsolvablePuzzlesHaveNoStars) {
  const TPuzzleGrade diagonal = GradeOf({"#.", ".#"});
  EXPECT_FALSE(diagonal.Solvable);
  EXPECT_EQ(diagonal.Stars, 0);

  const TPuzzleGrade full = GradeOf({"###", "###", "###"});
  EXPECT_TRUE(full.Solvable);
  EXPECT_EQ(full.Sweeps, 1);
  EXPECT_EQ(full.Steps, 3);  // one per row; the columns are then known
  EXPECT_EQ(full.Stars, 1);
}

TEST(Grade, StarsRiseWithTheScoreAcrossTheWholeScale) {
  int last = 0;
  for (int sweeps = 1; sweeps <= 20; ++sweeps) {
    const int stars = StarsFor(sweeps, 0);
    EXPECT_GE(stars, last);
    EXPECT_GE(StarsFor(sweeps, 1), stars);
    last = stars;
  }
  EXPECT_EQ(StarsFor(1, 0), 1);
  EXPECT_EQ(StarsFor(20, 0), 5);
  EXPECT_EQ(StarsFor(2, 10), 5);
}

namespace {

// The picture turned by one of the eight symmetries of the square: optionally
// transposed, then optionally mirrored left to right and top to bottom.
Picture Turned(const Picture& picture, int symmetry) {
  Picture out = picture;
  if (symmetry & 1) {
    out.assign(picture[0].size(), std::string(picture.size(), '.'));
    for (std::size_t y = 0; y < picture.size(); ++y)
      for (std::size_t x = 0; x < picture[y].size(); ++x) out[x][y] = picture[y][x];
  }
  if (symmetry & 2)
    for (std::string& row : out) std::reverse(row.begin(), row.end());
  if (symmetry & 4) std::reverse(out.begin(), out.end());
  return out;
}

}  // namespace

TEST(Grade, TheSameInEveryOrientation) {
  // Generated puzzles of the sizes the game offers, and a tall one.
  TRnd::UseSeed(24);
  int hardOnes = 0;
  for (const auto [width, height] : {std::pair{10, 10}, {15, 15}, {20, 20}, {25, 25}, {12, 20}}) {
    TNonoGame game(width, height);
    for (int i = 0; i < 25; ++i) {
      NewRandom(game, width, height, DefaultFillPct(width, height, TDifficulty::Normal));
      const Picture picture = SolutionOf(game);
      const TPuzzleGrade grade = GradeOf(picture);
      ASSERT_TRUE(grade.Solvable);
      hardOnes += grade.LogicSteps > 0 ? 1 : 0;
      for (int symmetry = 1; symmetry < 8; ++symmetry) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + " #" +
                     std::to_string(i) + " symmetry " + std::to_string(symmetry));
        const TPuzzleGrade turned = GradeOf(Turned(picture, symmetry));
        EXPECT_EQ(turned.Sweeps, grade.Sweeps);
        EXPECT_EQ(turned.LogicSteps, grade.LogicSteps);
        EXPECT_EQ(turned.LogicCells, grade.LogicCells);
        EXPECT_EQ(turned.Stars, grade.Stars);
      }
    }
  }
  EXPECT_GT(hardOnes, 0);  // the steps beyond the overlap are covered too
}
