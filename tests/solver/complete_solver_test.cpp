#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "solver/complete_solver.h"
#include "solver/line_solver.h"
#include "support/board_pictures.h"

using namespace test_support;

namespace {

using Clues = PictureClues;

Clues CluesOf(const Picture& picture) {
  return CluesOfPicture(picture);
}

Picture PictureOf(const TCounterArr& grid, int width) {
  Picture picture;
  for (std::size_t i = 0; i < grid.size(); i += width) {
    std::string row;
    for (int x = 0; x < width; ++x) row += grid[i + x] == 1 ? '#' : '.';
    picture.push_back(row);
  }
  return picture;
}

// Brute force: every picture whose rows fit the row clues (each row chosen
// from all fillings of its width), kept when the columns fit too. Counts up
// to three and keeps the first two.
struct BruteForce {
  int count = 0;
  std::vector<Picture> found;
};

BruteForce Enumerate(const Clues& clues) {
  const int width = static_cast<int>(clues.Columns.size());
  std::vector<std::vector<std::string>> choices;
  for (const TCounterArr& clue : clues.Rows) {
    std::vector<std::string> rows;
    for (int bits = 0; bits < (1 << width); ++bits) {
      std::string row;
      for (int x = 0; x < width; ++x) row += (bits >> x) & 1 ? '#' : '.';
      if (RunsOfLine(row) == clue) rows.push_back(row);
    }
    choices.push_back(rows);
  }
  BruteForce result;
  Picture picture(clues.Rows.size());
  auto walk = [&](auto&& self, std::size_t y) -> void {
    if (result.count > 2) return;
    if (y == picture.size()) {
      if (CluesOf(picture).Columns != clues.Columns) return;
      if (result.found.size() < 2) result.found.push_back(picture);
      ++result.count;
      return;
    }
    for (const std::string& row : choices[y]) {
      picture[y] = row;
      self(self, y + 1);
    }
  };
  walk(walk, 0);
  return result;
}

// The verdict the brute force gives, with the line solver telling the two
// unique kinds apart.
TVerdict ExpectedVerdict(const Clues& clues) {
  const BruteForce brute = Enumerate(clues);
  if (brute.count == 0) return TVerdict::None;
  if (brute.count > 1) return TVerdict::Multiple;
  NonogramSolver lineSolver(clues.Rows, clues.Columns);
  return lineSolver.Solve() == 2 ? TVerdict::LineSolvable : TVerdict::Unique;
}

void ExpectAgreesWithBruteForce(const Clues& clues, const std::string& what) {
  SCOPED_TRACE(what);
  const TAnalysis analysis = AnalysePuzzle(clues.Rows, clues.Columns);
  const TVerdict expected = ExpectedVerdict(clues);
  ASSERT_EQ(VerdictName(analysis.Verdict), std::string(VerdictName(expected)));
  const int width = static_cast<int>(clues.Columns.size());
  switch (expected) {
    case TVerdict::None:
      EXPECT_TRUE(analysis.Solutions.empty());
      break;
    case TVerdict::Multiple:
      ASSERT_EQ(analysis.Solutions.size(), 2u);
      EXPECT_NE(analysis.Solutions[0], analysis.Solutions[1]);
      for (const TCounterArr& grid : analysis.Solutions) {
        const Clues found = CluesOf(PictureOf(grid, width));
        EXPECT_EQ(found.Rows, clues.Rows);
        EXPECT_EQ(found.Columns, clues.Columns);
      }
      break;
    default:
      ASSERT_EQ(analysis.Solutions.size(), 1u);
      EXPECT_EQ(PictureOf(analysis.Solutions[0], width), Enumerate(clues).found[0]);
  }
}

struct VerdictCase {
  const char* name;
  Picture picture;
  TVerdict verdict;
};

TEST(CompleteSolver, VerdictsOfKnownPictures) {
  const std::vector<VerdictCase> cases = {
      {"full", {"###", "###", "###"}, TVerdict::LineSolvable},
      {"cross", {".#.", "###", ".#."}, TVerdict::LineSolvable},
      {"empty board", {"...", "...", "..."}, TVerdict::LineSolvable},
      {"one diagonal", {"#.", ".#"}, TVerdict::Multiple},
      {"two crossing diagonals", {"#...#", ".#.#.", "..#..", ".#.#.", "#...#"}, TVerdict::Multiple},
      {"scattered pairs", {"#.#.", ".#.#", "#.#.", ".#.#"}, TVerdict::Multiple},
      // Line logic stalls on this picture; probing one cell settles it.
      {"needs probing",
       {"#.#..#", "#..##.", ".#....", "#..#.#", "....#.", "#..#.#"},
       TVerdict::Unique},
  };
  for (const VerdictCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Clues clues = CluesOf(c.picture);
    EXPECT_EQ(ExpectedVerdict(clues), c.verdict) << "the table is wrong";
    const TAnalysis analysis = AnalysePuzzle(clues.Rows, clues.Columns);
    EXPECT_EQ(VerdictName(analysis.Verdict), std::string(VerdictName(c.verdict)));
    if (c.verdict == TVerdict::LineSolvable || c.verdict == TVerdict::Unique) {
      ASSERT_EQ(analysis.Solutions.size(), 1u);
      EXPECT_EQ(PictureOf(analysis.Solutions[0], static_cast<int>(c.picture[0].size())), c.picture);
    }
  }
}

TEST(CompleteSolver, NoSolutionNamesTheFirstLineThatCannotBeSatisfied) {
  // Rows of a full 3x3 with a middle row that no longer fits the columns.
  Clues clues = CluesOf({"###", "###", "###"});
  clues.Rows[1] = {1, 1};
  const TAnalysis analysis = AnalysePuzzle(clues.Rows, clues.Columns);
  EXPECT_EQ(analysis.Verdict, TVerdict::None);
  EXPECT_TRUE(analysis.BadLineIsColumn);
  EXPECT_EQ(analysis.BadLine, 1);  // column 2 must be full, row 2 leaves its middle empty
  EXPECT_EQ(ExpectedVerdict(clues), TVerdict::None);
}

TEST(CompleteSolver, NoSolutionThatOnlySearchFinds) {
  // Line logic meets no line without a placement, yet no picture fits all.
  const Clues clues{{{1, 1}, {2}, {1, 1}, {1}}, {{1, 1}, {1}, {1, 1}, {2}}};
  EXPECT_EQ(ExpectedVerdict(clues), TVerdict::None);
  const TAnalysis analysis = AnalysePuzzle(clues.Rows, clues.Columns);
  EXPECT_EQ(analysis.Verdict, TVerdict::None);
  EXPECT_EQ(analysis.BadLine, -1);
}

TEST(CompleteSolver, AgreesWithBruteForceOnRandomPictures) {
  std::mt19937 random(1234);
  for (int round = 0; round < 400; ++round) {
    const int width = 2 + static_cast<int>(random() % 5);
    const int height = 2 + static_cast<int>(random() % 5);
    const int percent = 20 + static_cast<int>(random() % 60);
    Picture picture(height, std::string(width, '.'));
    for (std::string& row : picture)
      for (char& c : row) c = static_cast<int>(random() % 100) < percent ? '#' : '.';
    ExpectAgreesWithBruteForce(CluesOf(picture), "round " + std::to_string(round));
  }
}

TEST(CompleteSolver, AgreesWithBruteForceOnCluesNoPictureHas) {
  // A picture's clues with one row clue taken from another picture: mostly
  // without any picture, sometimes with one or several.
  std::mt19937 random(99);
  for (int round = 0; round < 200; ++round) {
    const int size = 3 + static_cast<int>(random() % 4);
    Picture a(size, std::string(size, '.')), b = a;
    for (Picture* p : {&a, &b})
      for (std::string& row : *p)
        for (char& c : row) c = random() % 2 ? '#' : '.';
    Clues clues = CluesOf(a);
    const int y = static_cast<int>(random() % size);
    clues.Rows[y] = CluesOf(b).Rows[y];
    ExpectAgreesWithBruteForce(clues, "round " + std::to_string(round));
  }
}

TEST(CompleteSolver, UndecidedWhenTheBoundRunsOut) {
  const Clues clues = CluesOf({"#.#.", ".#.#", "#.#.", ".#.#"});
  const TAnalysis analysis = AnalysePuzzle(clues.Rows, clues.Columns, 3);
  EXPECT_EQ(analysis.Verdict, TVerdict::Undecided);
  EXPECT_TRUE(analysis.Solutions.empty());
  EXPECT_LE(analysis.Work, 4);
}

// "LalaFrogKK" from the examples of pynogram (Apache License 2.0): 25 x 25,
// with two pictures that differ in four cells. Line logic settles nothing
// and probing one cell; only a search reaches either picture.
const Clues kLalaFrog{
    {{3, 2, 2, 1, 1},
     {2, 2, 3, 3, 1},
     {3, 1, 1, 1, 1, 1, 1},
     {2, 1, 2, 1},
     {1, 1, 2, 3},
     {1, 1, 2, 2, 1, 1, 1},
     {1, 4, 1, 2, 1, 1, 1},
     {1, 1, 1, 4, 3},
     {2, 1, 1, 2, 1},
     {1, 4, 1, 1, 1, 3, 1, 1},
     {3, 3, 1},
     {1, 1, 7, 3, 1},
     {1, 1, 1, 1, 3, 1},
     {1, 1, 4, 1, 1, 1},
     {1, 1, 1, 1, 1, 1, 1},
     {1, 1, 4, 1, 1, 1},
     {1, 1, 2, 2, 4},
     {1, 1, 1, 2, 2, 1, 1, 2},
     {1, 1, 1, 1, 3, 1, 1},
     {1, 2, 1, 1, 2, 1, 2},
     {1, 1, 1, 1, 3, 2, 1},
     {1, 1, 1, 1, 1, 1},
     {1, 1, 1, 3, 1, 2, 3},
     {1, 2, 1, 3, 3, 1},
     {2, 1, 2, 2, 3, 1, 1}},
    {{1, 2, 2, 1, 3, 1, 1},    {1, 3, 1, 2, 1, 1, 1, 1}, {3, 2, 1, 1, 1, 2, 1},
     {3, 1, 1, 1, 1, 1, 1, 1}, {1, 2, 2, 1, 1, 1},       {1, 2, 2, 1, 2},
     {1, 2, 1, 1, 2},          {1, 1, 1, 2, 1, 1, 1, 3}, {1, 1, 1, 1, 1, 1},
     {1, 1, 1, 1, 1, 2, 1},    {3, 1, 1, 1, 2, 2, 1, 1}, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
     {1, 1, 2, 6, 3},          {2, 1, 2, 3, 2, 2},       {1, 2, 4, 1, 1, 1},
     {2, 1, 1, 1, 1},          {2, 1, 3, 1, 2},          {2, 3, 2, 1, 1, 2, 1},
     {1, 1, 1, 2, 1, 1, 2},    {1, 1, 1, 1, 1, 1},       {2, 1, 2, 1, 1},
     {1, 2, 3, 2, 2, 1, 2},    {1, 2, 1, 1, 1, 2},       {1, 1, 2, 1, 2, 1, 1, 1},
     {1, 1, 1, 1, 1, 1, 1, 1}}};

TEST(CompleteSolver, FindsASecondPictureOnlyASearchReaches) {
  TAnalysisLimits limits;
  limits.Seconds = 0;  // the same answer on a slow machine
  limits.Work = 5'000'000;
  const TAnalysis analysis = AnalysePuzzle(kLalaFrog.Rows, kLalaFrog.Columns, limits);
  ASSERT_EQ(analysis.Verdict, TVerdict::Multiple);
  ASSERT_EQ(analysis.Solutions.size(), 2u);
  EXPECT_NE(analysis.Solutions[0], analysis.Solutions[1]);
  for (const TCounterArr& solution : analysis.Solutions) {
    const Clues clues = CluesOf(PictureOf(solution, 25));
    EXPECT_EQ(clues.Rows, kLalaFrog.Rows);
    EXPECT_EQ(clues.Columns, kLalaFrog.Columns);
  }
  EXPECT_EQ(analysis.UndecidedCells, 624);
}

// A random 128 x 128 picture: far more than any bound allows.
Clues BigRandomClues() {
  std::mt19937 random(7);
  Picture picture(128, std::string(128, '.'));
  for (std::string& row : picture)
    for (char& c : row) c = random() % 2 ? '#' : '.';
  return CluesOf(picture);
}

TEST(CompleteSolver, StopsAtTheWallTimeBound) {
  const Clues clues = BigRandomClues();
  TAnalysisLimits limits;
  limits.Seconds = 0.2;
  const auto start = std::chrono::steady_clock::now();
  const TAnalysis analysis = AnalysePuzzle(clues.Rows, clues.Columns, limits);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(analysis.Verdict, TVerdict::Undecided);
  EXPECT_FALSE(analysis.Cancelled);
  EXPECT_GT(analysis.UndecidedCells, 0);
  // The clock is read every few line solves: the bound is kept to well within
  // a second, however loaded the machine.
  EXPECT_LT(seconds, 1.5);
}

TEST(CompleteSolver, StopsWhenCancelled) {
  const Clues clues = BigRandomClues();
  std::atomic<bool> cancel{false};
  TAnalysisLimits limits;
  limits.Seconds = 0;
  limits.Cancel = &cancel;
  std::thread canceller([&cancel] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    cancel = true;
  });
  const TAnalysis analysis = AnalysePuzzle(clues.Rows, clues.Columns, limits);
  canceller.join();
  EXPECT_EQ(analysis.Verdict, TVerdict::Undecided);
  EXPECT_TRUE(analysis.Cancelled);
  EXPECT_TRUE(analysis.Solutions.empty());

  // Raised before the start: not one line is solved past the first.
  const TAnalysis early = AnalysePuzzle(clues.Rows, clues.Columns, limits);
  EXPECT_TRUE(early.Cancelled);
  EXPECT_LE(early.Work, 1);
}

}  // namespace
