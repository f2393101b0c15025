#include "generation/generation_flow.h"
#include "generation/new_random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>

#include "generation/candidate_checks.h"
#include "generation/generation_support.h"
#include "generation/templates.h"
#include "model/process_flags.h"
#include "solver/brute_force_line.h"
#include "solver/enumerating_line.h"
#include "solver/line_solver.h"
#include "support/board_pictures.h"

using namespace test_support;

namespace {

TGenerationParams ParamsFor(int w, int h) {
  return GenerationParams(w, h, DefaultFillPct(w, h, TDifficulty::Normal));
}

int MostBlocks(const TCountersArr& clues) {
  std::size_t most = 0;
  for (const TCounterArr& clue : clues) most = std::max(most, clue.size());
  return static_cast<int>(most);
}

// The three built-in pictures of the 10x10 size.
std::set<Picture> BuiltInTenByTen() {
  const TTemplateRec& rec = Templates()[2];
  EXPECT_EQ(rec.Width, 10);
  std::set<Picture> pictures;
  for (int variant = 0; variant < 3; ++variant)
    pictures.insert(PictureOfLetters(TemplateBoard(rec, variant)));
  return pictures;
}

}  // namespace

TEST(GenerationParams, FollowTheBoardSize) {
  struct Row {
    int w, h, target, divisor, columnLimit, rowLimit;
    bool duplicates, rowBalancing;
  };
  const Row rows[] = {
      {3, 3, 4, 2, 0, 0, false, true},
      {5, 5, 12, 2, 0, 0, false, true},
      {10, 10, 50, 2, 3, 2, false, true},
      {15, 15, 112, 2, 5, 3, true, true},
      {20, 20, 200, 3, 6, 4, true, true},
      {25, 25, 312, 3, 8, 6, true, false},
      {30, 30, 450, 3, 10, 8, true, false},
      {3, 21, 32, 2, 0, 0, false, true},
      // Sizes only a stored game brings.
      {6, 6, 18, 2, 2, 1, false, true},
      {9, 9, 40, 2, 2, 1, false, true},
      {14, 14, 98, 2, 3, 2, true, true},
      {21, 21, 220, 2, 6, 4, true, true},
      {40, 40, 800, 3, 13, 12, true, false},
      {10, 12, 60, 2, 0, 0, false, true},
  };
  for (const Row& r : rows) {
    const TGenerationParams p = ParamsFor(r.w, r.h);
    const std::string size = std::to_string(r.w) + "x" + std::to_string(r.h);
    EXPECT_EQ(p.Width, r.w) << size;
    EXPECT_EQ(p.Height, r.h) << size;
    EXPECT_EQ(p.Target, r.target) << size;
    EXPECT_EQ(p.Divisor, r.divisor) << size;
    EXPECT_EQ(p.ColumnLimit, r.columnLimit) << size;
    EXPECT_EQ(p.RowLimit, r.rowLimit) << size;
    EXPECT_EQ(p.DuplicateTest, r.duplicates) << size;
    EXPECT_TRUE(p.Balance.Columns) << size;
    EXPECT_EQ(p.Balance.Rows, r.rowBalancing) << size;
  }
}

TEST(GenerationParams, TargetRoundsHalvesToEven) {
  struct Case {
    int w, h, pct, target;
  };
  for (const Case c : {Case{3, 3, 40, 4}, Case{5, 5, 50, 12}, Case{7, 7, 50, 24},
                       Case{9, 9, 50, 40}, Case{11, 11, 50, 60}, Case{3, 3, 60, 5},
                       Case{10, 10, 70, 70}, Case{3, 21, 50, 32}, Case{1, 1, 50, 0}})
    EXPECT_EQ(TargetCount(c.w, c.h, c.pct), c.target) << c.w << "x" << c.h << " " << c.pct;
}

TEST(Generation, CheckedCandidatesKeepTheirLimits) {
  SeededDraws seeded(21);
  struct Case {
    int w, h, accepted;
  };
  for (const Case c : {Case{3, 3, 300}, Case{5, 5, 300}, Case{10, 10, 300}, Case{15, 15, 100},
                       Case{20, 20, 30}, Case{3, 21, 300}}) {
    const TGenerationParams p = ParamsFor(c.w, c.h);
    TPuzzleGenerator generator;
    for (int n = 0; n < c.accepted;) {
      if (!generator.FillAndCheck(p)) continue;
      ++n;
      const TInternalArrArr& board = generator.Board();
      ASSERT_EQ(CountFilled(board), p.Target);
      EXPECT_FALSE(HasEmptyColumn(board, c.w, c.h));
      EXPECT_FALSE(HasEmptyRow(board, c.w, c.h));
      if (c.w == c.h) {
        EXPECT_FALSE(HasThinRow(board, c.w, c.h));
        EXPECT_FALSE(HasThinColumn(board, c.w, c.h));
      }
      TCountersArr rows, columns;
      BoardRowClues(board, rows);
      BoardColumnClues(board, columns);
      if (p.ColumnLimit > 0) {
        EXPECT_LE(MostBlocks(columns), p.ColumnLimit);
        EXPECT_LE(MostBlocks(rows), p.RowLimit);
      }
      if (p.DuplicateTest) {
        EXPECT_FALSE(HasDuplicateClues(columns));
      }
    }
  }
}

// The checks of a candidate one after another, as documented, on a board
// straight from the run fill: balancing, the line tests, the block limits and
// the duplicate test on the clues.
bool DocumentedChecks(const TGenerationParams& p, TInternalArrArr& board) {
  const int w = p.Width, h = p.Height;
  const int filled = CountFilled(board);
  if (!BalanceFillCount(board, p.Balance, p.Target, p.Target - filled)) return false;
  if (HasEmptyColumn(board, w, h) || HasEmptyRow(board, w, h)) return false;
  if (w == h && (HasThinRow(board, w, h) || HasThinColumn(board, w, h))) return false;
  if (p.ColumnLimit > 0) {
    TCountersArr rows, columns;
    BoardRowClues(board, rows);
    BoardColumnClues(board, columns);
    if (HasTooManyBlocks(columns, p.ColumnLimit) || HasTooManyBlocks(rows, p.RowLimit))
      return false;
    if (p.DuplicateTest && HasDuplicateClues(columns)) return false;
  }
  return true;
}

TEST(Generation, EarlyRejectionsAcceptExactlyWhatTheChecksAccept) {
  // The generator drops candidates before or during balancing once they
  // cannot pass; with the same draws it must keep exactly the boards the
  // checks keep, and leave them the same.
  struct Case {
    int w, h, boards;
  };
  int kept = 0, dropped = 0;
  for (const Case c : {Case{10, 10, 1500}, Case{15, 15, 600}, Case{20, 20, 600}, Case{6, 6, 600},
                       Case{25, 25, 200}, Case{5, 5, 300}, Case{3, 21, 300}}) {
    const TGenerationParams p = ParamsFor(c.w, c.h);
    TPuzzleGenerator generator;
    for (int i = 0; i < c.boards; ++i) {
      const std::uint64_t seed = static_cast<std::uint64_t>(c.w * 1000 + c.h) * 100000 + i;
      TInternalArrArr board;
      TRnd::UseSeed(seed);
      FillRandomRuns(board, c.w, c.h, p.Divisor);
      TInternalArrArr checked = board;
      TRnd::UseSeed(seed + 1);
      const bool expected = DocumentedChecks(p, checked);
      TRnd::UseSeed(seed + 1);
      ASSERT_EQ(generator.CheckBoard(p, board), expected) << c.w << "x" << c.h << " board " << i;
      if (expected) {
        EXPECT_EQ(PictureOfLetters(generator.Board()), PictureOfLetters(checked));
      }
      (expected ? kept : dropped) += 1;
    }
  }
  EXPECT_GT(kept, 100);
  EXPECT_GT(dropped, 1000);
}

TEST(Generation, TenByTenStaysWithinThreeBlocksPerColumnAndTwoPerRow) {
  SeededDraws seeded(22);
  TPuzzleGenerator generator;
  int accepted = 0;
  while (accepted < 500) {
    if (!generator.FillAndCheck(ParamsFor(10, 10))) continue;
    ++accepted;
    TCountersArr rows, columns;
    BoardRowClues(generator.Board(), rows);
    BoardColumnClues(generator.Board(), columns);
    ASSERT_LE(MostBlocks(columns), 3);
    ASSERT_LE(MostBlocks(rows), 2);
  }
}

TEST(Generation, EveryAcceptedPuzzleIsLineSolvable) {
  SeededDraws seeded(23);
  struct Case {
    int w, h, puzzles;
  };
  for (const Case c : {Case{3, 3, 200}, Case{5, 5, 200}, Case{10, 10, 100}, Case{15, 15, 30},
                       Case{20, 20, 10}, Case{25, 25, 3}, Case{30, 30, 3}}) {
    TPuzzleGenerator generator;
    const TGenerationParams p = ParamsFor(c.w, c.h);
    for (int i = 0; i < c.puzzles; ++i) {
      const TInternalArrArr& board = generator.Generate(p);
      auto game = std::make_unique<TNonoGame>(c.w, c.h);
      game->LoadSolutionGrid(board);
      ASSERT_TRUE(IsLineSolvable(*game)) << c.w << "x" << c.h;
      // Line breaking takes at most one cell from each line.
      EXPECT_LE(game->SolutionFilled(), p.Target);
      EXPECT_GE(game->SolutionFilled(), p.Target - c.w - c.h);
    }
  }
}

TEST(Generation, RequestsThatCannotFinishEndWithAClearError) {
  SeededDraws seeded(24);
  TPuzzleGenerator generator;
  EXPECT_THROW(generator.Generate(ParamsFor(1, 6)), std::invalid_argument);
  // Out of time (none at all, so the outcome does not hang on the machine's
  // speed): with the rejecting generation and with repair.
  for (const int side : {20, 128}) {
    const std::string size = std::to_string(side) + "x" + std::to_string(side);
    try {
      generator.Generate(ParamsFor(side, side), std::chrono::milliseconds(0));
      FAIL() << "a " << size << " puzzle was found";
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(size + " puzzle found in 0 ms"), std::string::npos)
          << e.what();
    }
  }
}

TEST(Generation, ACancelledRequestEnds) {
  SeededDraws seeded(29);
  TPuzzleGenerator generator;
  const std::atomic<bool> cancel = true;
  for (const int side : {20, 128})
    EXPECT_THROW(generator.Generate(ParamsFor(side, side), TPuzzleGenerator::MaxTime, &cancel),
                 EGenerationCancelled)
        << side;
  // The generator serves the next request as usual.
  const std::atomic<bool> goOn = false;
  auto game = std::make_unique<TNonoGame>(10, 10);
  game->LoadSolutionGrid(generator.Generate(ParamsFor(10, 10), TPuzzleGenerator::MaxTime, &goOn));
  EXPECT_TRUE(IsLineSolvable(*game));
}

// Line logic over the whole board with the step-by-step placement
// enumeration on every line, until nothing changes.
TCountersArr StepByStepSolve(const TCountersArr& rows, const TCountersArr& columns) {
  const int h = static_cast<int>(rows.size()), w = static_cast<int>(columns.size());
  TCountersArr grid(h, TCounterArr(w, 0));
  for (bool changed = true; changed;) {
    changed = false;
    for (int y = 0; y < h; ++y) {
      EnumeratingLine line(rows[y]);
      line.LoadLine(grid[y]);
      line.SolveLine();
      changed = changed || line.Cells() != grid[y];
      grid[y] = line.Cells();
    }
    for (int x = 0; x < w; ++x) {
      TCounterArr cells(h);
      for (int y = 0; y < h; ++y) cells[y] = grid[y][x];
      EnumeratingLine line(columns[x]);
      line.LoadLine(cells);
      line.SolveLine();
      for (int y = 0; y < h; ++y) {
        changed = changed || grid[y][x] != line.Cells()[y];
        grid[y][x] = line.Cells()[y];
      }
    }
  }
  return grid;
}

TEST(Repair, TakesEverySizeOutsideTheTable) {
  EXPECT_FALSE(ParamsFor(3, 3).Repair);
  EXPECT_FALSE(ParamsFor(30, 30).Repair);
  for (const auto& [w, h] : {std::pair{4, 4}, {9, 9}, {35, 35}, {10, 15}, {3, 21}, {128, 128}})
    EXPECT_TRUE(ParamsFor(w, h).Repair) << w << "x" << h;
}

TEST(Repair, EveryPuzzleIsLineSolvableWithoutAnEmptyLine) {
  SeededDraws seeded(31);
  // Small boards against the brute-force line logic, larger ones against the
  // step-by-step enumeration, the largest against the solver itself.
  enum TCheck { kBruteForce, kStepByStep, kSolver };
  struct Case {
    int w, h, puzzles;
    TCheck check;
  };
  for (const Case c :
       {Case{4, 4, 40, kBruteForce}, Case{6, 6, 40, kBruteForce}, Case{7, 7, 30, kBruteForce},
        Case{9, 9, 30, kBruteForce}, Case{12, 8, 20, kBruteForce}, Case{3, 12, 20, kBruteForce},
        Case{11, 4, 20, kBruteForce}, Case{3, 21, 20, kStepByStep}, Case{35, 35, 3, kStepByStep},
        Case{50, 20, 3, kStepByStep}, Case{64, 64, 2, kSolver}, Case{100, 37, 2, kSolver},
        Case{128, 128, 1, kSolver}}) {
    const std::string size = std::to_string(c.w) + "x" + std::to_string(c.h);
    const TGenerationParams p = ParamsFor(c.w, c.h);
    TPuzzleGenerator generator;
    for (int i = 0; i < c.puzzles; ++i) {
      const TInternalArrArr& board = generator.Generate(p);
      TLineCounts counts;
      CountLines(board, counts);
      EXPECT_EQ(std::count(counts.Rows.begin(), counts.Rows.end(), 0), 0) << size;
      EXPECT_EQ(std::count(counts.Columns.begin(), counts.Columns.end(), 0), 0) << size;
      // Repairs keep the fill at the target, within a cell or two.
      EXPECT_NEAR(CountFilled(board), p.Target, 2) << size;
      TCountersArr rows, columns;
      BoardRowClues(board, rows);
      BoardColumnClues(board, columns);
      if (c.check == kSolver) {
        NonogramSolver solver(rows, columns);
        ASSERT_EQ(solver.Solve(), 2) << size;
        continue;
      }
      const TCountersArr grid =
          c.check == kBruteForce ? ReferenceSolve(rows, columns) : StepByStepSolve(rows, columns);
      for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x)
          ASSERT_EQ(grid[y][x], IsFilledLetter(board[y][x]) ? 1 : -1)
              << size << " puzzle " << i << " cell " << x << "," << y;
    }
  }
}

TEST(Repair, ASeedGivesTheSamePuzzleAgain) {
  const auto picture = [](std::uint64_t seed) {
    SeededDraws seeded(seed);
    TPuzzleGenerator generator;
    return PictureOfLetters(generator.Generate(ParamsFor(45, 45)));
  };
  EXPECT_EQ(picture(5), picture(5));
  EXPECT_NE(picture(5), picture(6));
}

TEST(NewRandom, ReplacesTheSolutionWithAGeneratedPuzzle) {
  SeededDraws seeded(25);
  auto game = GameOf({"#....", ".....", ".....", ".....", "....#"});
  NewRandom(*game, 5, 5, 50);
  EXPECT_EQ(game->FillPct(), 50);
  EXPECT_EQ(game->SolutionFilled(), 12);
  EXPECT_TRUE(IsLineSolvable(*game));
  EXPECT_EQ(PlayerOf(*game), (Picture(5, ".....")));
  // A request for another size gives a puzzle of that size.
  NewRandom(*game, 3, 21, 50);
  EXPECT_EQ(game->Width(), 3);
  EXPECT_EQ(game->Height(), 21);
  EXPECT_TRUE(IsLineSolvable(*game));
}

TEST(NewRandom, UnsupportedFillTypeLeavesTheSolution) {
  const Picture solution = {"##.", ".#.", ".##"};
  auto game = GameOf(solution);
  game->SetRandomFillType(1);
  game->SetFillPct(10);
  try {
    NewRandom(*game, 3, 3, 40);
    FAIL() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Unsupported RandomFillType");
  }
  EXPECT_EQ(game->FillPct(), 40);
  EXPECT_EQ(SolutionOf(*game), solution);
  EXPECT_THROW(StartNewPuzzleModel(*game, TDifficulty::Normal), std::runtime_error);
  EXPECT_EQ(SolutionOf(*game), solution);
}

TEST(NewRandom, FailedGenerationLeavesTheSolution) {
  SeededDraws seeded(26);
  const Picture solution = {"#", "#", ".", "#"};
  auto game = GameOf(solution);
  EXPECT_THROW(Regenerate(*game), std::invalid_argument);
  EXPECT_EQ(SolutionOf(*game), solution);
}

TEST(NewRandom, FirstRunHandsOutBuiltInPictures) {
  SeededDraws seeded(27);
  const std::set<Picture> builtIn = BuiltInTenByTen();
  std::set<Picture> seen;
  TNonoGame game(10, 10);
  for (int i = 0; i < 30; ++i) {
    NewRandom(game, 10, 10, 50, TPictureSource::BuiltIn);
    const Picture picture = SolutionOf(game);
    EXPECT_TRUE(builtIn.count(picture)) << picture[0];
    seen.insert(picture);
  }
  EXPECT_EQ(seen, builtIn);

  // No built-in picture of this size: a generated one.
  const Picture seven = {"#......", ".#.....", "..#....", "...#...",
                         "....#..", ".....#.", "......#"};
  auto other = GameOf(seven);
  NewRandom(*other, 7, 7, 50, TPictureSource::BuiltIn);
  EXPECT_NE(SolutionOf(*other), seven);
  EXPECT_TRUE(IsLineSolvable(*other));
  EXPECT_EQ(other->FillPct(), 50);
}

TEST(NewRandom, EachBuiltInPictureIsHandedOutOnceThenPicturesAreGenerated) {
  SeededDraws seeded(30);
  const std::set<Picture> builtIn = BuiltInTenByTen();
  TNonoGame game(10, 10);
  TShownPictures shown = 0;
  std::set<Picture> seen;
  for (int i = 0; i < 3; ++i) {
    StartNewPuzzleModel(game, TDifficulty::Normal, TPictureSource::BuiltIn, &shown);
    EXPECT_TRUE(builtIn.count(SolutionOf(game))) << i;
    EXPECT_TRUE(seen.insert(SolutionOf(game)).second) << "picture handed out again at " << i;
  }
  EXPECT_EQ(shown, 7);
  for (int i = 0; i < 3; ++i) {
    const Picture before = SolutionOf(game);
    StartNewPuzzleModel(game, TDifficulty::Normal, TPictureSource::BuiltIn, &shown);
    EXPECT_FALSE(builtIn.count(SolutionOf(game))) << i;
    EXPECT_NE(SolutionOf(game), before);
    EXPECT_TRUE(IsLineSolvable(game));
  }
}

TEST(StartNewPuzzle, FirstRunPicturesAreOnlyForNormal) {
  // The built-in pictures are filled for Normal; an easier puzzle asked for
  // on the very first run is generated with its own fill.
  SeededDraws seeded(29);
  const std::set<Picture> builtIn = BuiltInTenByTen();
  TNonoGame game(10, 10);
  StartNewPuzzleModel(game, TDifficulty::Normal, TPictureSource::BuiltIn);
  EXPECT_TRUE(builtIn.count(SolutionOf(game)));
  for (const TDifficulty difficulty : {TDifficulty::Easy, TDifficulty::Medium}) {
    StartNewPuzzleModel(game, difficulty, TPictureSource::BuiltIn);
    EXPECT_FALSE(builtIn.count(SolutionOf(game)));
    EXPECT_GT(game.SolutionFilled(), 50);
    EXPECT_TRUE(IsLineSolvable(game));
  }
}

TEST(StartNewPuzzle, SetsPercentageAndDifficultyAndClearsTheHistory) {
  SeededDraws seeded(28);
  TNonoGame game(10, 10);
  game.SetDifficulty(TDifficulty::Easy);
  game.ApplyMove(0, 0, mfLeft | mfDown, psFilled);
  game.ApplyMove(0, 0, mfLeft | mfUp, psNone);
  ASSERT_TRUE(game.CanUndo());
  StartNewPuzzleModel(game, TDifficulty::Normal);
  EXPECT_EQ(game.FillPct(), 50);
  EXPECT_EQ(game.Difficulty(), TDifficulty::Normal);
  EXPECT_FALSE(game.CanUndo());
  EXPECT_TRUE(IsLineSolvable(game));

  TNonoGame small(5, 5);
  StartNewPuzzleModel(small, TDifficulty::Easy);
  EXPECT_EQ(small.FillPct(), 70);
  EXPECT_EQ(small.Difficulty(), TDifficulty::Easy);
  EXPECT_TRUE(IsLineSolvable(small));
}

TEST(StartNewPuzzle, FillsEverySizeAsItsDifficultySays) {
  SeededDraws seeded(20);
  struct Case {
    int W, H;
    TDifficulty Difficulty;
    int Pct, Target;
  };
  // Targets rounded by hand, halves to even: 4.5 -> 4, 12.5 -> 12, 17.5 -> 18.
  const Case cases[] = {
      {3, 3, TDifficulty::Normal, 40, 4},     {3, 3, TDifficulty::Medium, 50, 4},
      {3, 3, TDifficulty::Easy, 60, 5},       {5, 5, TDifficulty::Normal, 50, 12},
      {5, 5, TDifficulty::Medium, 60, 15},    {5, 5, TDifficulty::Easy, 70, 18},
      {10, 10, TDifficulty::Normal, 50, 50},  {10, 10, TDifficulty::Medium, 60, 60},
      {10, 10, TDifficulty::Easy, 70, 70},    {15, 15, TDifficulty::Normal, 50, 112},
      {15, 15, TDifficulty::Medium, 60, 135}, {15, 15, TDifficulty::Easy, 70, 158},
      {20, 20, TDifficulty::Normal, 50, 200}, {20, 20, TDifficulty::Medium, 60, 240},
      {20, 20, TDifficulty::Easy, 70, 280},   {3, 21, TDifficulty::Normal, 50, 32},
      {3, 21, TDifficulty::Easy, 50, 32},
  };
  for (const Case& c : cases) {
    const std::string name = std::to_string(c.W) + "x" + std::to_string(c.H) + " difficulty " +
                             std::to_string(StoredDifficulty(c.Difficulty));
    ASSERT_EQ(DefaultFillPct(c.W, c.H, c.Difficulty), c.Pct) << name;
    TNonoGame game(c.W, c.H);
    StartNewPuzzleModel(game, c.Difficulty);
    EXPECT_EQ(game.FillPct(), c.Pct) << name;
    EXPECT_EQ(game.Difficulty(), c.Difficulty) << name;
    EXPECT_TRUE(IsLineSolvable(game)) << name;
    // Only a full column, broken by one cell, takes anything off the target;
    // boards three cells wide have none broken.
    EXPECT_LE(game.SolutionFilled(), c.Target) << name;
    EXPECT_GE(game.SolutionFilled(), c.W > 3 ? c.Target - c.W : c.Target) << name;
  }
}
