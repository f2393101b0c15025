#include "generation/candidate_checks.h"

#include <gtest/gtest.h>

#include <string>

#include "generation/generation_support.h"
#include "support/board_pictures.h"

using namespace test_support;

namespace {

struct Checks {
  bool emptyColumn, emptyRow, thinRow, thinColumn;
};

Checks ChecksOf(const Picture& picture) {
  const TInternalArrArr board = LettersOf(picture);
  const int w = static_cast<int>(picture[0].size()), h = static_cast<int>(picture.size());
  const Checks direct{HasEmptyColumn(board, w, h), HasEmptyRow(board, w, h),
                      HasThinRow(board, w, h), HasThinColumn(board, w, h)};
  // The forms on counts answer the same.
  TLineCounts hashes;
  CountHashes(board, w, h, hashes);
  EXPECT_EQ(HasEmptyColumn(hashes), direct.emptyColumn);
  EXPECT_EQ(HasEmptyRow(hashes), direct.emptyRow);
  EXPECT_EQ(HasThinRow(hashes), direct.thinRow);
  EXPECT_EQ(HasThinColumn(hashes), direct.thinColumn);
  return direct;
}

}  // namespace

TEST(CandidateChecks, LineTestsCountOnlyRunFillCells) {
  struct Case {
    Picture board;
    Checks expected;
  };
  const Case cases[] = {
      // 5 x 5: one "#" in a line is enough (t = 0).
      {{"#....", ".#...", "..#..", "...#.", "....#"}, {false, false, false, false}},
      // 6 x 6: one "#" is thin (t = 1).
      {{"#.....", ".#....", "..#...", "...#..", "....#.", ".....#"}, {false, false, true, true}},
      {{"##....", ".##...", "..##..", "...##.", "....##", "#....#"}, {false, false, false, false}},
      // A row of balancing cells only is empty; so is a column.
      {{"#.#", "ddc", ".#."}, {false, true, true, false}},
      {{"#c.", "#d.", "##."}, {true, false, false, true}},
      // The thin limits follow the height for rows and the width for columns.
      {{"#.....", ".##...", "..###.", "...##.", "....##"}, {false, false, false, true}},
  };
  for (const Case& c : cases) {
    const Checks got = ChecksOf(c.board);
    EXPECT_EQ(got.emptyColumn, c.expected.emptyColumn) << c.board[0];
    EXPECT_EQ(got.emptyRow, c.expected.emptyRow) << c.board[0];
    EXPECT_EQ(got.thinRow, c.expected.thinRow) << c.board[0];
    EXPECT_EQ(got.thinColumn, c.expected.thinColumn) << c.board[0];
  }
}

TEST(CandidateChecks, BlockLimitsAndDuplicates) {
  EXPECT_FALSE(HasTooManyBlocks(TCountersArr{{3}, {1, 1, 1}}, 3));
  EXPECT_TRUE(HasTooManyBlocks(TCountersArr{{3}, {1, 1, 1, 1}}, 3));
  EXPECT_FALSE(HasTooManyBlocks(TCountersArr{{1, 1, 1, 1, 1}}, 0));
  EXPECT_FALSE(HasTooManyBlocks(TCountersArr{{1, 1, 1, 1, 1}}, -1));
  EXPECT_FALSE(HasTooManyBlocks(std::vector<int>{3, 1}, 3));
  EXPECT_TRUE(HasTooManyBlocks(std::vector<int>{3, 4}, 3));
  EXPECT_FALSE(HasTooManyBlocks(std::vector<int>{5}, 0));

  EXPECT_TRUE(HasDuplicateClues({{2, 1}, {3}, {1}, {2, 1}}));
  EXPECT_FALSE(HasDuplicateClues({{2, 1}, {1, 2}, {1, 1}, {2}}));
  EXPECT_FALSE(HasDuplicateClues({{1, 1}, {1, 1, 1}}));
  EXPECT_TRUE(HasDuplicateClues({{}, {1}, {}}));
  EXPECT_FALSE(HasDuplicateClues({{4}}));
}

TEST(CandidateChecks, BreakFullLinesEmptiesOneCellOfEachFullLine) {
  SeededDraws seeded(4);
  // 3 x 3 boards are left alone.
  TInternalArrArr small = LettersOf({"###", "###", "#.#"});
  BreakFullLines(small, 3, 3);
  EXPECT_EQ(PictureOfLetters(small), (Picture{"###", "###", "#.#"}));

  for (int round = 0; round < 100; ++round) {
    // Columns 0 and 2 are full of "#"; column 3 is full, but partly of "d";
    // row 3 is full but for a "c".
    TInternalArrArr board = LettersOf({"#.#d", "###d", "#.##", "#c##"});
    BreakFullLines(board, 4, 4);
    const Picture after = PictureOfLetters(board);
    int broken0 = 0, broken2 = 0;
    for (int y = 0; y < 4; ++y) {
      broken0 += after[y][0] == '.' ? 1 : 0;
      broken2 += after[y][2] == '.' ? 1 : 0;
      EXPECT_NE(after[y][3], '.');
    }
    EXPECT_EQ(broken0, 1);
    EXPECT_EQ(broken2, 1);
    EXPECT_EQ(after[0][1], '.');
    EXPECT_EQ(after[1][1], '#');
    EXPECT_EQ(after[3][1], 'c');
  }
}

TEST(CandidateChecks, FullRowsAreBrokenBeforeColumns) {
  // Every draw is 0: the full row 0 loses its first cell, so column 0 is no
  // longer full; columns 2 and 3 still are and lose their top cell.
  ScriptedDraws scripted({0});
  TInternalArrArr board = LettersOf({"####", "#.##", "#.##", "#.##"});
  BreakFullLines(board, 4, 4);
  EXPECT_EQ(PictureOfLetters(board), (Picture{".#..", "#.##", "#.##", "#.##"}));
}

TEST(CandidateChecks, BoardCluesAndBlockCountsMatchThePuzzleClues) {
  SeededDraws seeded(8);
  const char letters[] = {'E', 'E', '#', '#', 'd', 'c', 'x'};
  for (int round = 0; round < 200; ++round) {
    const int w = TRnd::RandomRange(1, 9), h = TRnd::RandomRange(1, 9);
    TInternalArrArr board(h, TInternalArr(w));
    for (TInternalArr& row : board)
      for (std::uint8_t& cell : row)
        cell = static_cast<std::uint8_t>(letters[TRnd::RandomRange(0, 6)]);
    TNonoGame game(w, h);
    game.LoadSolutionGrid(board);
    TCountersArr rows, columns;
    BoardRowClues(board, rows);
    BoardColumnClues(board, columns);
    EXPECT_EQ(rows, game.RowClues(true));
    EXPECT_EQ(columns, game.ColumnClues(true));
    // Block counts agree with the clues; an empty line has none.
    TLineCounts blocks;
    CountBlocks(board, blocks);
    for (int y = 0; y < h; ++y)
      EXPECT_EQ(blocks.Rows[y], rows[y] == TCounterArr{0} ? 0 : static_cast<int>(rows[y].size()));
    for (int x = 0; x < w; ++x)
      EXPECT_EQ(blocks.Columns[x],
                columns[x] == TCounterArr{0} ? 0 : static_cast<int>(columns[x].size()));
  }
}
