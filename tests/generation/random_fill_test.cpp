#include "generation/random_fill.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>

#include "generation/generation_support.h"
#include "support/board_pictures.h"

using namespace test_support;

namespace {

int FirstRun(const TInternalArr& row) {
  int n = 1;
  while (n < static_cast<int>(row.size()) && row[n] == row[0]) ++n;
  return n;
}

}  // namespace

TEST(RunFill, RowsAlternateRunsWithABoundedFirstRun) {
  SeededDraws seeded(11);
  struct Case {
    int width, height, divisor;
  };
  for (const Case c : {Case{3, 3, 2}, Case{10, 10, 2}, Case{20, 20, 3}, Case{30, 30, 3},
                       Case{3, 21, 2}, Case{2, 4, 2}}) {
    TInternalArrArr board;
    for (int round = 0; round < 200; ++round) {
      const int filled = FillRandomRuns(board, c.width, c.height, c.divisor);
      ASSERT_EQ(static_cast<int>(board.size()), c.height);
      EXPECT_EQ(filled, CountFilled(board));
      for (const TInternalArr& row : board) {
        ASSERT_EQ(static_cast<int>(row.size()), c.width);
        const std::string text = PictureOfLetters({row})[0];
        EXPECT_EQ(text.find_first_not_of("#."), std::string::npos) << text;
        // Never all filled or all empty.
        EXPECT_NE(text.find('#'), std::string::npos) << text;
        EXPECT_NE(text.find('.'), std::string::npos) << text;
        EXPECT_LE(FirstRun(row), c.width / c.divisor) << text;
      }
    }
  }
}

TEST(RunFill, DrawsDecideColourAndRunLengths) {
  // The fill draws from the bit pool, lowest bit first: colour 1 (filled);
  // first run 1 + 0 (one bit for 1..2); then 1 + 00 (two bits for 1..4);
  // 1 + 11 = 4 is beyond 1..3 and drawn again as 1 + 01; the last cell needs
  // no bits.
  ScriptedDraws scripted({0b01'11'00'0'1});
  TInternalArrArr board;
  EXPECT_EQ(FillRandomRuns(board, 5, 1, 2), 3);
  EXPECT_EQ(PictureOfLetters(board), (Picture{"#.##."}));
}

TEST(RunFill, RefusesBoardsNarrowerThanTheDivisor) {
  TInternalArrArr board;
  EXPECT_THROW(FillRandomRuns(board, 1, 5, 2), std::invalid_argument);
  EXPECT_THROW(FillRandomRuns(board, 2, 5, 3), std::invalid_argument);
}

TEST(RunFill, CountFilledCountsEveryFilledLetter) {
  EXPECT_EQ(CountFilled(LettersOf({"#dc.", "x..#"})), 4);
  EXPECT_EQ(CountFilled(LettersOf({"...."})), 0);
}

TEST(Balancing, PicksTheFirstFullestOrEmptiestLine) {
  const TInternalArrArr board = LettersOf({
      "#.#.",  // 2
      "###.",  // 3
      "d.c.",  // 2
      "#...",  // 1
      "##c.",  // 3
  });
  EXPECT_EQ(PickRow(board, -1), 1);
  EXPECT_EQ(PickRow(board, 1), 3);
  EXPECT_EQ(PickRow(board, 0), 3);
  // Columns: 5, 2, 4, 0.
  EXPECT_EQ(PickColumn(board, -1), 0);
  EXPECT_EQ(PickColumn(board, 1), 3);
  EXPECT_EQ(PickRow(LettersOf({"..", ".."}), -1), 0);
}

TEST(Balancing, ReachesTheTargetWithMarkedCells) {
  SeededDraws seeded(5);
  struct Case {
    TBalanceOptions options;
    int target;
  };
  for (const Case c : {Case{{true, true}, 40}, Case{{true, true}, 60}, Case{{true, false}, 45},
                       Case{{false, true}, 55}}) {
    for (int round = 0; round < 50; ++round) {
      TInternalArrArr board;
      const int filled = FillRandomRuns(board, 10, 10, 2);
      const Picture before = PictureOfLetters(board);
      ASSERT_TRUE(BalanceFillCount(board, c.options, c.target, c.target - filled));
      EXPECT_EQ(CountFilled(board), c.target);
      const Picture after = PictureOfLetters(board);
      for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
          const char was = before[y][x], now = after[y][x];
          if (was == now) continue;
          // Adding writes "d" in rows and "c" in columns; removing only empties.
          if (c.target > filled) {
            EXPECT_EQ(was, '.');
            EXPECT_TRUE((now == 'd' && c.options.Rows) || (now == 'c' && c.options.Columns));
          } else {
            EXPECT_EQ(now, '.');
          }
        }
      }
    }
  }
}

TEST(Balancing, ATargetAlreadyMetChangesNothing) {
  SeededDraws seeded(3);
  TInternalArrArr board = LettersOf({"#.#", ".#.", "##."});
  EXPECT_TRUE(BalanceFillCount(board, {}, 5, 0));
  EXPECT_EQ(PictureOfLetters(board), (Picture{"#.#", ".#.", "##."}));
}

TEST(Balancing, UnreachableTargetsEndWithoutHanging) {
  SeededDraws seeded(3);
  // Rows and columns of at most one filled cell cannot lose one; a board
  // one cell high has no column cell a scan may visit.
  TInternalArrArr diagonal = LettersOf({"#..", ".#.", "..#"});
  EXPECT_FALSE(BalanceFillCount(diagonal, {}, 1, -2));
  EXPECT_EQ(CountFilled(diagonal), 3);
  TInternalArrArr flat = LettersOf({"#.#.#.#."});
  EXPECT_FALSE(BalanceFillCount(flat, {true, false}, 6, 2));
  // A difference whose sign leads away from the target.
  TInternalArrArr wrongWay = LettersOf({"##..", "#...", "....", "#..."});
  EXPECT_FALSE(BalanceFillCount(wrongWay, {}, 8, -1));
  // Nothing to balance with.
  TInternalArrArr noOptions = LettersOf({"#.", ".."});
  EXPECT_FALSE(BalanceFillCount(noOptions, {false, false}, 2, 1));
}

TEST(Balancing, LinesThatCannotTakeTheChangeAreNotAttempted) {
  struct Case {
    Picture board;
    bool rows;
    int direction;
  };
  const Case cases[] = {
      {{"#...", "#..."}, true, -1},    // the fullest row has one filled cell
      {{"###.", "####"}, true, 1},     // the emptiest row lacks only one cell
      {{"#.", ".#", ".."}, false, -1}  // the fullest column has one filled cell
  };
  for (const Case& c : cases) {
    TInternalArrArr board = LettersOf(c.board);
    const TAdjustOutcome outcome =
        c.rows ? AdjustRows(board, c.direction) : AdjustColumns(board, c.direction);
    EXPECT_EQ(outcome, TAdjustOutcome::NotMade) << c.board[0];
    EXPECT_EQ(PictureOfLetters(board), c.board);
  }
  TInternalArrArr board = LettersOf({"#.", ".#"});
  EXPECT_EQ(AdjustRows(board, 0), TAdjustOutcome::Unchanged);
}

TEST(Balancing, AScanNeverVisitsThePositionWhereItEnds) {
  // Column 0 is the emptiest; its only empty cell is at the bottom.
  const Picture full = {"##", "##", "#.", ".#"};
  const Picture column = {"###", "###", "###", ".##"};
  {
    // Forward scan: every visited cell gets a heads, none is empty.
    ScriptedDraws scripted({ScriptedDraws::kHeads});
    TInternalArrArr board = LettersOf(column);
    EXPECT_EQ(AdjustColumns(board, 1), TAdjustOutcome::Unchanged);
    EXPECT_EQ(PictureOfLetters(board), column);
  }
  {
    // Tails for the scan direction (backward, from the bottom), then heads.
    ScriptedDraws scripted({ScriptedDraws::kHeads << 1});
    TInternalArrArr board = LettersOf(column);
    EXPECT_EQ(AdjustColumns(board, 1), TAdjustOutcome::Changed);
    EXPECT_EQ(PictureOfLetters(board), (Picture{"###", "###", "###", "c##"}));
  }
  {
    // Removing from row 0 scanning forward with heads takes its first cell.
    ScriptedDraws scripted({ScriptedDraws::kHeads});
    TInternalArrArr board = LettersOf(full);
    EXPECT_EQ(AdjustRows(board, -1), TAdjustOutcome::Changed);
    EXPECT_EQ(PictureOfLetters(board), (Picture{".#", "##", "#.", ".#"}));
  }
}

TEST(Balancing, CoinTossIsFair) {
  SeededDraws seeded(9);
  int heads = 0;
  for (int i = 0; i < 10000; ++i) heads += CoinToss() ? 1 : 0;
  EXPECT_GT(heads, 4700);
  EXPECT_LT(heads, 5300);
}

TEST(Balancing, ReportsEveryChangedCellAndStopsWhenTold) {
  SeededDraws seeded(6);
  for (const int target : {35, 65}) {
    TInternalArrArr board;
    const int filled = FillRandomRuns(board, 10, 10, 2);
    const Picture before = PictureOfLetters(board);
    TLineCounts counts;
    CountLines(board, counts);
    std::set<std::pair<int, int>> reported;
    ASSERT_TRUE(BalanceFillCount(board, counts, {}, target, target - filled, [&](int y, int x) {
      reported.insert({y, x});
      return true;
    }));
    std::set<std::pair<int, int>> changed;
    const Picture after = PictureOfLetters(board);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x)
        if (before[y][x] != after[y][x]) changed.insert({y, x});
    EXPECT_EQ(reported, changed);
    EXPECT_EQ(static_cast<int>(changed.size()), std::abs(target - filled));
    // The counts were kept in step.
    TLineCounts recounted;
    CountLines(board, recounted);
    EXPECT_EQ(counts.Rows, recounted.Rows);
    EXPECT_EQ(counts.Columns, recounted.Columns);
  }
  // Told to stop at the third change, balancing ends there, short of the target.
  TInternalArrArr board;
  const int filled = FillRandomRuns(board, 10, 10, 2);
  TLineCounts counts;
  CountLines(board, counts);
  int calls = 0;
  const int target = filled > 50 ? filled - 10 : filled + 10;
  EXPECT_FALSE(BalanceFillCount(board, counts, {}, target, target - filled,
                                [&calls](int, int) { return ++calls < 3; }));
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(CountFilled(board), filled + (target > filled ? 3 : -3));
}
