#include <gtest/gtest.h>

#include "model/nono_game.h"
#include "support/board_pictures.h"

using namespace test_support;

TEST(Clues, RowCluesOfSolutionLines) {
  // 'x' is a crossed solution cell (from an unknown generator letter): it
  // neither extends nor ends a run.
  auto game = GameOf({"#.#.##", "......", "######", "#x#...", "x#x#x."});
  EXPECT_EQ(game->RowClue(0), (TCounterArr{1, 1, 2}));
  EXPECT_EQ(game->RowClue(1), (TCounterArr{0}));
  EXPECT_EQ(game->RowClue(2), (TCounterArr{6}));
  EXPECT_EQ(game->RowClue(3), (TCounterArr{2}));
  EXPECT_EQ(game->RowClue(4), (TCounterArr{2}));
  EXPECT_EQ(game->ColumnClue(0), (TCounterArr{1, 2}));
  EXPECT_EQ(game->ColumnClue(5), (TCounterArr{1, 1}));
}

TEST(Clues, RaggedAndAlignedSets) {
  auto game = GameOf({"#.#..", ".....", "#.#.#", "#...#"});
  EXPECT_EQ(game->ColumnClues(true), (TCountersArr{{1, 2}, {0}, {1, 1}, {0}, {2}}));
  EXPECT_EQ(game->ColumnClues(false), (TCountersArr{{1, 2}, {0, 0}, {1, 1}, {0, 0}, {0, 2}}));
  EXPECT_EQ(game->RowClues(true), (TCountersArr{{1, 1}, {0}, {1, 1, 1}, {1, 1}}));
  EXPECT_EQ(game->RowClues(false), (TCountersArr{{0, 1, 1}, {0, 0, 0}, {1, 1, 1}, {0, 1, 1}}));
}

TEST(Clues, LineRunsEndAtAnyStateButFilled) {
  auto game = GameOf({"......."}, {"#x#.##o"});
  EXPECT_EQ(TNonoGame::LineRuns(game->PlayerRow(0)), (TCounterArr{1, 1, 2}));
  auto empty = GameOf({"..."}, {"x.."});
  EXPECT_TRUE(TNonoGame::LineRuns(empty->PlayerRow(0)).empty());
}

TEST(Clues, LineAgreementStrictAndLenient) {
  struct Case {
    TCounterArr clue;
    std::string line;
    bool strict, lenient;
  };
  const Case cases[] = {
      {{2, 1}, "##.#.", true, true},   {{2, 1}, "#..#.", false, true},
      {{2, 1}, "###..", false, false}, {{2, 1}, "#.##.", false, false},
      {{0}, ".....", false, false},    {{0}, "x.x..", false, false},
      {{}, ".....", true, true},       {{}, "..#..", false, false},
      {{5}, "#####", true, true},      {{1, 1}, "#x#..", true, true},
  };
  for (const Case& c : cases) {
    auto game = GameOf({"....."}, {c.line});
    const TPiecesArr line = game->PlayerRow(0);
    EXPECT_EQ(TNonoGame::LineAgrees(c.clue, line, false), c.strict) << c.line;
    EXPECT_EQ(TNonoGame::LineAgrees(c.clue, line, true), c.lenient) << c.line;
  }
}

TEST(Clues, AllLinesAgreeChecksColumnsAndRows) {
  const Picture solution = {"##.", ".#.", ".##"};
  EXPECT_TRUE(GameOf(solution, {"##x", "x#.", ".##"})->AllLinesAgree(false));
  // Rows agree, but the picture is shifted in a way the columns reject.
  EXPECT_FALSE(GameOf(solution, {".##", ".#.", ".##"})->AllLinesAgree(false));
  EXPECT_TRUE(GameOf(solution, {"#..", ".#.", "..#"})->AllLinesAgree(true));
  EXPECT_FALSE(GameOf(solution, {"#..", ".#.", "..#"})->AllLinesAgree(false));
  // An empty solution line never agrees, whatever the player does.
  const Picture withEmptyRow = {"##", ".."};
  EXPECT_FALSE(GameOf(withEmptyRow, {"##", ".."})->AllLinesAgree(false));
  EXPECT_FALSE(GameOf(withEmptyRow, {"##", ".."})->AllLinesAgree(true));
}
