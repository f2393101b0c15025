#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "model/keyboard_cursor.h"
#include "model/nono_game.h"
#include "support/board_pictures.h"

using namespace test_support;

namespace {

// One stroke as the board input makes it: press on the first cell, moves over
// the rest, release on the last cell with psNone (no further change).
void Stroke(TNonoGame& game, std::initializer_list<std::pair<int, int>> cells, TPieceState state) {
  TBoardMouseFlags flags = mfLeft | mfDown;
  for (auto [x, y] : cells) {
    game.ApplyMove(x, y, flags, state);
    flags = mfLeft | mfMove;
  }
  const auto last = *(cells.end() - 1);
  game.ApplyMove(last.first, last.second, mfLeft | mfUp, psNone);
}

}  // namespace

TEST(Moves, PressAndReleaseOnOneCellIsOneUndoStep) {
  TNonoGame game(3, 1);
  Stroke(game, {{1, 0}}, psFilled);
  ASSERT_EQ(game.History().size(), 1u);
  ASSERT_EQ(game.History()[0].size(), 1u);
  const TUndoRec rec = game.History()[0][0];
  EXPECT_EQ(rec.X, 1);
  EXPECT_EQ(rec.Y, 0);
  EXPECT_EQ(rec.OldState, psEmpty);
  EXPECT_EQ(rec.NewState, psFilled);
  EXPECT_TRUE(game.CanUndo());
  EXPECT_FALSE(game.CanRedo());

  game.Undo();
  EXPECT_EQ(PlayerOf(game), (Picture{"..."}));
  EXPECT_FALSE(game.CanUndo());
  EXPECT_TRUE(game.CanRedo());
  game.Redo();
  EXPECT_EQ(PlayerOf(game), (Picture{".#."}));
  EXPECT_FALSE(game.CanRedo());
  EXPECT_TRUE(game.CanUndo());
}

TEST(Moves, DragRecordsOnlyCellsThatChange) {
  auto game = GameOf({"......"}, {"..##.."});
  Stroke(*game, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}, psFilled);
  EXPECT_EQ(PlayerOf(*game), (Picture{"#####."}));
  EXPECT_EQ(game->History()[0].size(), 3u);
}

TEST(Moves, AMoveAfterUndoDropsTheStepsUndone) {
  TNonoGame game(4, 1);
  Stroke(game, {{0, 0}}, psFilled);  // A
  Stroke(game, {{1, 0}}, psFilled);  // B
  Stroke(game, {{2, 0}}, psFilled);  // C
  game.Undo();
  game.Undo();
  EXPECT_EQ(PlayerOf(game), (Picture{"#..."}));
  EXPECT_EQ(game.UndoIndex(), 0);
  EXPECT_EQ(game.RedoIndex(), 1);

  Stroke(game, {{3, 0}}, psCrossed);  // D replaces B and C
  EXPECT_EQ(game.History().size(), 2u);
  EXPECT_EQ(game.UndoIndex(), 1);
  EXPECT_FALSE(game.CanRedo());
  game.Redo();
  EXPECT_EQ(PlayerOf(game), (Picture{"#..x"}));

  game.Undo();  // D
  EXPECT_EQ(PlayerOf(game), (Picture{"#..."}));
  game.Undo();  // A
  EXPECT_EQ(PlayerOf(game), (Picture{"...."}));
  EXPECT_FALSE(game.CanUndo());
  game.Redo();
  game.Redo();
  EXPECT_EQ(PlayerOf(game), (Picture{"#..x"}));
  EXPECT_FALSE(game.CanRedo());
}

TEST(Moves, ClickUndoOtherClickRedoKeepsTheOtherClickAlone) {
  TNonoGame game(2, 1);
  Stroke(game, {{0, 0}}, psFilled);  // A
  game.Undo();
  Stroke(game, {{1, 0}}, psFilled);  // B
  game.Redo();                       // nothing left to redo: A stays empty
  EXPECT_EQ(PlayerOf(game), (Picture{".#"}));
  game.Undo();
  EXPECT_EQ(PlayerOf(game), (Picture{".."}));
  EXPECT_FALSE(game.CanUndo());
}

TEST(Moves, UndoRestoresACellChangedTwiceInOneStroke) {
  auto game = GameOf({"...."}, {"#..."});
  // A left press empties the filled cell, the drag fills the next cells, and
  // coming back fills the first cell again.
  game->ApplyMove(0, 0, mfLeft | mfDown, psEmpty);
  game->ApplyMove(1, 0, mfLeft | mfMove, psFilled);
  game->ApplyMove(0, 0, mfLeft | mfMove, psFilled);
  game->ApplyMove(0, 0, mfLeft | mfUp, psNone);
  EXPECT_EQ(PlayerOf(*game), (Picture{"##.."}));
  game->Undo();
  EXPECT_EQ(PlayerOf(*game), (Picture{"#..."}));
  game->Redo();
  EXPECT_EQ(PlayerOf(*game), (Picture{"##.."}));
}

TEST(Moves, AStrokeWithoutReleaseBecomesAStepAtTheNextPress) {
  TNonoGame game(3, 1);
  Stroke(game, {{0, 0}}, psFilled);
  game.ApplyMove(1, 0, mfLeft | mfDown, psFilled);  // no release ever arrives
  EXPECT_EQ(game.PendingGroup().size(), 1u);
  game.ApplyMove(2, 0, mfLeft | mfDown, psFilled);
  ASSERT_EQ(game.PendingGroup().size(), 1u);
  EXPECT_EQ(game.PendingGroup()[0].X, 2);
  game.ApplyMove(2, 0, mfLeft | mfUp, psNone);
  EXPECT_EQ(game.History().size(), 3u);
  for (const Picture& expected : {Picture{"##."}, Picture{"#.."}, Picture{"..."}}) {
    game.Undo();
    EXPECT_EQ(PlayerOf(game), expected);
  }
}

TEST(Moves, UndoInTheMiddleOfAStrokeTakesBackWhatItChangedSoFar) {
  TNonoGame game(3, 1);
  Stroke(game, {{0, 0}}, psFilled);
  game.ApplyMove(1, 0, mfLeft | mfDown, psFilled);
  game.ApplyMove(2, 0, mfLeft | mfMove, psFilled);
  game.Undo();
  EXPECT_EQ(PlayerOf(game), (Picture{"#.."}));
  EXPECT_TRUE(game.PendingGroup().empty());
  game.Undo();
  EXPECT_EQ(PlayerOf(game), (Picture{"..."}));
}

TEST(Moves, EmptyGroupTakesOneUndoStep) {
  TNonoGame game(2, 1);
  Stroke(game, {{0, 0}}, psFilled);
  game.ApplyMove(5, 5, mfLeft | mfDown, psNone);  // press that changes nothing
  game.ApplyMove(5, 5, mfLeft | mfUp, psNone);
  EXPECT_EQ(game.History().size(), 2u);
  EXPECT_TRUE(game.History()[1].empty());
}

TEST(Moves, StartOverClearsBoardAndHistory) {
  TNonoGame game(3, 1);
  Stroke(game, {{0, 0}}, psFilled);
  Stroke(game, {{1, 0}}, psCrossed);
  game.Undo();
  game.StartOver();
  EXPECT_EQ(PlayerOf(game), (Picture{"..."}));
  EXPECT_FALSE(game.CanUndo());
  EXPECT_FALSE(game.CanRedo());
  EXPECT_EQ(game.UndoIndex(), -1);
  Stroke(game, {{2, 0}}, psFilled);
  EXPECT_TRUE(game.CanUndo());
  EXPECT_FALSE(game.CanRedo());
}

TEST(Moves, ShowSolutionKeepsIncorrectCellsAndIsOneUndoStep) {
  auto game = GameOf({"#..#", ".##.", "#..#"}, {"!x..", "..#.", "#.!x"});
  const Picture before = PlayerOf(*game);
  game->ShowSolution();
  EXPECT_EQ(PlayerOf(*game), (Picture{"!..#", ".##.", "#.!#"}));
  // Every written cell is recorded, changed or not.
  EXPECT_EQ(game->History().back().size(), 10u);
  game->Undo();
  EXPECT_EQ(PlayerOf(*game), before);
}

TEST(Moves, ShowSolutionWithIncorrectFirstCellJoinsAnUnfinishedStroke) {
  auto game = GameOf({"..", "##"}, {"!.", ".."});
  game->ApplyMove(1, 0, mfLeft | mfDown, psCrossed);  // unfinished stroke
  game->ShowSolution();
  ASSERT_EQ(game->History().size(), 1u);
  EXPECT_EQ(game->History()[0].front().X, 1);  // the stroke's record leads the group
  game->Undo();
  EXPECT_EQ(PlayerOf(*game), (Picture{"!.", ".."}));
}

// Random play through the pointer logic and the keyboard cursor: clicks and
// drags with either button over empty, filled and crossed cells, releases off
// the board or never sent, key clicks and key strokes, and Undo and Redo in
// between. However the steps came about, Undo until it stops gives the board
// the play started from and Redo until it stops the board after the last
// step.
namespace {

struct RandomPlay {
  int Side;
  int Actions;
  unsigned Seed;
};

void PrintTo(const RandomPlay& play, std::ostream* os) {
  *os << play.Side << "x" << play.Side << ", " << play.Actions << " actions, seed " << play.Seed;
}

class UndoHistoryProperty : public ::testing::TestWithParam<RandomPlay> {};

void RandomStroke(TNonoGame& game, std::mt19937& rnd, bool released) {
  const int side = game.Width();
  std::uniform_int_distribution<int> cell(0, side - 1);
  const TBoardMouseFlags button = rnd() % 3 == 0 ? mfRight : mfLeft;
  int x = cell(rnd);
  int y = cell(rnd);
  game.HandleMouse(x, y, button | mfDown);
  for (int n = static_cast<int>(rnd() % 6); n > 0; --n) {
    x = std::clamp(x + static_cast<int>(rnd() % 3) - 1, 0, side - 1);
    y = std::clamp(y + static_cast<int>(rnd() % 3) - 1, 0, side - 1);
    game.HandleMouse(x, y, button | mfMove);
  }
  if (!released) return;
  if (rnd() % 4 == 0)
    game.HandleMouse(-1, side + 3, button | mfUp);  // released off the board
  else
    game.HandleMouse(x, y, button | mfUp);
}

void RandomKeys(TNonoGame& game, TKeyboardCursor& cursor, std::mt19937& rnd) {
  if (!game.PendingGroup().empty()) return;  // the pointer's stroke has the board
  const int dx = static_cast<int>(rnd() % 3) - 1;
  const int dy = static_cast<int>(rnd() % 3) - 1;
  switch (rnd() % 3) {
    case 0:
      cursor.Move(game, dx, dy, false);
      cursor.Fill(game);
      break;
    case 1:
      cursor.Move(game, dx, dy, false);
      cursor.Cross(game);
      break;
    default:
      for (int n = 1 + static_cast<int>(rnd() % 4); n > 0; --n) cursor.Move(game, dx, dy, true);
      cursor.EndStroke(game);
      break;
  }
}

}  // namespace

TEST_P(UndoHistoryProperty, UndoAllGivesTheStartAndRedoAllTheLastBoard) {
  const RandomPlay play = GetParam();
  std::mt19937 rnd(play.Seed);
  TNonoGame game(play.Side, play.Side);
  // A board with filled and crossed cells before the play, outside the history.
  for (int y = 0; y < play.Side; ++y)
    for (int x = 0; x < play.Side; ++x)
      game.SetPlayerState(x, y, rnd() % 4 == 0 ? psFilled : rnd() % 4 == 0 ? psCrossed : psEmpty);
  const Picture start = PlayerOf(game);
  TKeyboardCursor cursor;
  for (int i = 0; i < play.Actions; ++i) {
    switch (rnd() % 10) {
      case 0:
        game.Undo();
        break;
      case 1:
        game.Redo();
        break;
      case 2:
        RandomStroke(game, rnd, false);
        break;
      case 3:
      case 4:
        RandomKeys(game, cursor, rnd);
        break;
      default:
        RandomStroke(game, rnd, true);
        break;
    }
  }
  RandomStroke(game, rnd, true);
  const Picture last = PlayerOf(game);

  while (game.CanUndo()) game.Undo();
  EXPECT_EQ(PlayerOf(game), start);
  while (game.CanRedo()) game.Redo();
  EXPECT_EQ(PlayerOf(game), last);
}

INSTANTIATE_TEST_SUITE_P(Moves, UndoHistoryProperty,
                         ::testing::Values(RandomPlay{10, 60, 1}, RandomPlay{10, 60, 2},
                                           RandomPlay{10, 60, 3}, RandomPlay{10, 200, 4},
                                           RandomPlay{10, 200, 5}, RandomPlay{128, 400, 6}));
