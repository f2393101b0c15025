#include <gtest/gtest.h>

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
  Stroke(game, {{1, 0}}, psChecked);
  ASSERT_EQ(game.History().size(), 1u);
  ASSERT_EQ(game.History()[0].size(), 1u);
  const TUndoRec rec = game.History()[0][0];
  EXPECT_EQ(rec.X, 1);
  EXPECT_EQ(rec.Y, 0);
  EXPECT_EQ(rec.OldState, psUnchecked);
  EXPECT_EQ(rec.NewState, psChecked);
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
  Stroke(*game, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}, psChecked);
  EXPECT_EQ(PlayerOf(*game), (Picture{"#####."}));
  EXPECT_EQ(game->History()[0].size(), 3u);
}

TEST(Moves, HistoryAfterUndoAppendsAndRedoReplaysInOrder) {
  TNonoGame game(4, 1);
  Stroke(game, {{0, 0}}, psChecked);  // A
  Stroke(game, {{1, 0}}, psChecked);  // B
  Stroke(game, {{2, 0}}, psChecked);  // C
  game.Undo();
  game.Undo();
  EXPECT_EQ(PlayerOf(game), (Picture{"#..."}));
  EXPECT_EQ(game.RedoIndex(), 1);
  EXPECT_EQ(game.UndoIndex(), 0);

  Stroke(game, {{3, 0}}, psCrossed);  // D, appended behind the undone groups
  EXPECT_EQ(game.History().size(), 4u);
  EXPECT_EQ(game.UndoIndex(), 3);
  EXPECT_TRUE(game.CanRedo());
  EXPECT_EQ(PlayerOf(game), (Picture{"#..x"}));

  game.Redo();  // B again
  EXPECT_EQ(PlayerOf(game), (Picture{"##.x"}));
  EXPECT_EQ(game.UndoIndex(), 1);
  EXPECT_EQ(game.RedoIndex(), 2);
  game.Redo();  // C
  EXPECT_EQ(PlayerOf(game), (Picture{"###x"}));
  game.Redo();  // D once more, and redo ends
  EXPECT_EQ(PlayerOf(game), (Picture{"###x"}));
  EXPECT_FALSE(game.CanRedo());
}

TEST(Moves, UndoTakesBackAStaleGroupTogetherWithThePreviousOne) {
  TNonoGame game(4, 1);
  Stroke(game, {{0, 0}}, psChecked);  // A
  Stroke(game, {{1, 0}}, psChecked);  // B
  Stroke(game, {{2, 0}}, psChecked);  // C
  game.Undo();
  game.Undo();
  Stroke(game, {{3, 0}}, psChecked);  // D
  game.Undo();                        // D
  EXPECT_EQ(PlayerOf(game), (Picture{"#..."}));
  // C's cells are already in their old state, so B goes with it: no visible change.
  game.Undo();
  EXPECT_EQ(PlayerOf(game), (Picture{"#..."}));
  EXPECT_EQ(game.UndoIndex(), 0);
  game.Undo();  // A
  EXPECT_EQ(PlayerOf(game), (Picture{"...."}));
  EXPECT_FALSE(game.CanUndo());
}

TEST(Moves, UndoRestoresACellChangedTwiceInOneStroke) {
  auto game = GameOf({"...."}, {"#..."});
  // A left press empties the filled cell, the drag fills the next cells, and
  // coming back fills the first cell again.
  game->ApplyMove(0, 0, mfLeft | mfDown, psUnchecked);
  game->ApplyMove(1, 0, mfLeft | mfMove, psChecked);
  game->ApplyMove(0, 0, mfLeft | mfMove, psChecked);
  game->ApplyMove(0, 0, mfLeft | mfUp, psNone);
  EXPECT_EQ(PlayerOf(*game), (Picture{"##.."}));
  game->Undo();
  EXPECT_EQ(PlayerOf(*game), (Picture{"#..."}));
  game->Redo();
  EXPECT_EQ(PlayerOf(*game), (Picture{"##.."}));
}

TEST(Moves, StrokeWithoutReleaseStaysOutOfTheHistoryUntilTheNextPress) {
  TNonoGame game(3, 1);
  Stroke(game, {{0, 0}}, psChecked);
  game.ApplyMove(1, 0, mfLeft | mfDown, psChecked);  // no release ever arrives
  EXPECT_EQ(game.PendingGroup().size(), 1u);
  game.Undo();  // takes back the stroke before it
  EXPECT_EQ(PlayerOf(game), (Picture{".#."}));
  game.ApplyMove(2, 0, mfLeft | mfDown, psChecked);
  EXPECT_EQ(game.PendingGroup().size(), 1u);
  EXPECT_EQ(game.PendingGroup()[0].X, 2);
}

TEST(Moves, EmptyGroupTakesOneUndoStep) {
  TNonoGame game(2, 1);
  Stroke(game, {{0, 0}}, psChecked);
  game.ApplyMove(5, 5, mfLeft | mfDown, psNone);  // press that changes nothing
  game.ApplyMove(5, 5, mfLeft | mfUp, psNone);
  EXPECT_EQ(game.History().size(), 2u);
  EXPECT_TRUE(game.History()[1].empty());
}

TEST(Moves, StartOverClearsBoardAndHistory) {
  TNonoGame game(3, 1);
  Stroke(game, {{0, 0}}, psChecked);
  Stroke(game, {{1, 0}}, psCrossed);
  game.Undo();
  game.StartOver();
  EXPECT_EQ(PlayerOf(game), (Picture{"..."}));
  EXPECT_FALSE(game.CanUndo());
  EXPECT_FALSE(game.CanRedo());
  EXPECT_EQ(game.UndoIndex(), -1);
  Stroke(game, {{2, 0}}, psChecked);
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

TEST(Moves, ReplaceStateRecordsNothing) {
  auto game = GameOf({"##."}, {"#x#"});
  game->ReplaceState(psAllCorrect, psChecked);
  EXPECT_EQ(PlayerOf(*game), (Picture{"#x#"}));
  game->ReplaceState(psChecked, psCorrect);
  EXPECT_EQ(PlayerOf(*game), (Picture{"oxo"}));
  EXPECT_TRUE(game->History().empty());
  EXPECT_TRUE(game->PendingGroup().empty());
}
