#include <gtest/gtest.h>

#include "model/nono_game.h"
#include "support/board_pictures.h"

using namespace test_support;

namespace {
const Picture kSolution = {"##..", ".##.", "...#", "#..#"};
}

TEST(Status, CountsAndVerdicts) {
  struct Case {
    const char* name;
    Picture player;
    int playerFilled, correct, wrong;
    bool solved, noMistakes;
  };
  const Case cases[] = {
      {"exact with crosses", {"##xx", "x##x", "xxx#", "#xx#"}, 7, 7, 0, true, true},
      {"one extra filled", {"###.", ".##.", "...#", "#..#"}, 8, 7, 1, false, false},
      {"half filled", {"#...", ".#..", "...#", "...."}, 3, 3, 0, false, true},
      {"untouched", {"....", "....", "....", "...."}, 0, 0, 0, false, true},
      {"crosses only", {"xxxx", "x..x", "....", "...."}, 0, 0, 0, false, true},
      // A different picture with the same clues is solved through the lines.
      {"other picture, same clues", {".##.", "##..", "...#", "#..#"}, 7, 5, 2, true, true},
  };
  for (const Case& c : cases) {
    auto game = GameOf(kSolution, c.player);
    const TPuzzleStatus s = game->GetStatus();
    EXPECT_EQ(s.SolutionFilled, 7) << c.name;
    EXPECT_EQ(s.PlayerFilled, c.playerFilled) << c.name;
    EXPECT_EQ(s.CorrectFilled, c.correct) << c.name;
    EXPECT_EQ(s.WrongFilled, c.wrong) << c.name;
    EXPECT_EQ(IsSolved(s), c.solved) << c.name;
    EXPECT_EQ(NoMistakes(s), c.noMistakes) << c.name;
    EXPECT_EQ(HasWrongCells(s), c.wrong > 0) << c.name;
  }
}

TEST(Status, AnotherPictureWithTheSameCluesIsSolved) {
  // Both diagonals of a 2x2 board have the clues 1/1 and 1/1.
  auto game = GameOf({"#.", ".#"}, {".#", "#."});
  const TPuzzleStatus s = game->GetStatus();
  EXPECT_TRUE(s.LinesMatch);
  EXPECT_EQ(s.WrongFilled, 2);
  EXPECT_TRUE(IsSolved(s));
}

TEST(Status, PuzzleWithEmptyRowIsSolvedByTheCellCounts) {
  auto game = GameOf({"#.#", "...", ".#."}, {"#x#", "xxx", "x#x"});
  const TPuzzleStatus s = game->GetStatus();
  EXPECT_FALSE(s.LinesMatch);
  EXPECT_FALSE(s.LinesFit);
  EXPECT_TRUE(IsSolved(s));
}

TEST(Status, EmptySolutionIsSolvedOnAnUntouchedBoard) {
  auto game = GameOf({"...", "..."});
  EXPECT_TRUE(IsSolved(game->GetStatus()));
}

TEST(Status, DisplayStatesAreNotFilled) {
  auto game = GameOf(kSolution, {"**..", ".**.", "...*", "*..*"});
  const TPuzzleStatus s = game->GetStatus();
  EXPECT_EQ(s.PlayerFilled, 0);
  EXPECT_EQ(s.CorrectFilled, 0);
  EXPECT_FALSE(IsSolved(s));
}

TEST(Status, MarkIncorrectMarksOnlyWronglyFilledCells) {
  auto clean = GameOf(kSolution, {"##..", "....", "....", "...."});
  clean->MarkIncorrect();
  EXPECT_EQ(PlayerOf(*clean), (Picture{"##..", "....", "....", "...."}));

  auto game = GameOf(kSolution, {"###x", "#...", "....", "...."});
  ASSERT_TRUE(HasWrongCells(game->GetStatus()));
  game->MarkIncorrect();
  EXPECT_EQ(PlayerOf(*game), (Picture{"##!x", "!...", "....", "...."}));
  EXPECT_FALSE(HasWrongCells(game->GetStatus()));
  EXPECT_TRUE(game->History().empty());
}
