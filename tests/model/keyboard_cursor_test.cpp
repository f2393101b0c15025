#include "model/keyboard_cursor.h"

#include <gtest/gtest.h>

#include "support/board_pictures.h"

using namespace test_support;

namespace {}  // namespace

TEST(KeyboardCursor, FirstKeyShowsThenMovesStopAtTheEdges) {
  auto game = GameOf({"...", "...", "..."});
  TKeyboardCursor cursor;
  EXPECT_FALSE(cursor.Fill(*game));  // hidden: nothing to act on
  cursor.Move(*game, 1, 0, false);
  EXPECT_TRUE(cursor.Shown());
  EXPECT_EQ(cursor.Col(), 0);  // the first key only shows it
  struct Step {
    int dx, dy, col, row;
  } steps[] = {{1, 0, 1, 0}, {1, 0, 2, 0},  {1, 0, 2, 0}, {0, -1, 2, 0},
               {0, 1, 2, 1}, {-1, 0, 1, 1}, {0, 5, 1, 2}};
  for (const Step& s : steps) {
    cursor.Move(*game, s.dx, s.dy, false);
    EXPECT_EQ(cursor.Col(), s.col);
    EXPECT_EQ(cursor.Row(), s.row);
  }
  cursor.ToLineEnd(*game, false, false);
  EXPECT_EQ(cursor.Col(), 0);
  cursor.ToLineEnd(*game, true, false);
  EXPECT_EQ(cursor.Col(), 2);
}

TEST(KeyboardCursor, FillAndCrossActLikeTheButtonsOneStepEach) {
  auto game = GameOf({"..", ".."});
  TKeyboardCursor cursor;
  cursor.Move(*game, 0, 0, false);
  struct Case {
    bool fill;
    char after;
  } cases[] = {{true, '#'},  {true, '.'},  {false, 'x'}, {true, '#'},
               {false, '.'}, {false, 'x'}, {false, '.'}};
  for (const Case& c : cases) {
    ASSERT_TRUE(c.fill ? cursor.Fill(*game) : cursor.Cross(*game));
    EXPECT_EQ(CharOfState(game->PlayerState(0, 0)), c.after);
  }
  EXPECT_EQ(game->History().size(), 7u);
  EXPECT_TRUE(game->PendingGroup().empty());
}

TEST(KeyboardCursor, ShiftStrokePaintsTheStartCellsStateAsOneUndoStep) {
  auto game = GameOf({"....", "....", "...."}, {"#...", "....", "x..."});
  TKeyboardCursor cursor;
  cursor.Move(*game, 0, 0, false);
  cursor.ToLineEnd(*game, true, true);  // a filled start: fills the row
  cursor.Move(*game, 0, 1, true);
  cursor.EndStroke(*game);
  EXPECT_EQ(PlayerOf(*game), (Picture{"####", "...#", "x..."}));
  ASSERT_EQ(game->History().size(), 1u);
  game->Undo();
  EXPECT_EQ(PlayerOf(*game), (Picture{"#...", "....", "x..."}));

  // A crossed start crosses; moving without Shift ends the stroke.
  cursor.Move(*game, -5, 5, false);
  cursor.Move(*game, 1, 0, true);
  cursor.Move(*game, 1, 0, true);
  cursor.Move(*game, 0, -1, false);
  EXPECT_EQ(PlayerOf(*game), (Picture{"#...", "....", "xxx."}));
  EXPECT_FALSE(cursor.Stroking());
  EXPECT_TRUE(game->PendingGroup().empty());
}

TEST(KeyboardCursor, CellKeysLeaveThePointersStrokeAlone) {
  auto game = GameOf({"...."});
  game->HandleMouse(0, 0, mfLeft | mfDown);
  TKeyboardCursor cursor;
  cursor.Move(*game, 0, 0, false);
  cursor.Move(*game, 1, 0, false);
  EXPECT_FALSE(cursor.Fill(*game));
  cursor.Move(*game, 1, 0, true);
  EXPECT_EQ(CharOfState(game->PlayerState(2, 0)), '.');
  game->HandleMouse(0, 0, mfLeft | mfUp);
  EXPECT_EQ(game->History().size(), 1u);
}
