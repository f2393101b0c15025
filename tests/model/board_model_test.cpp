#include <gtest/gtest.h>

#include "model/nono_game.h"
#include "support/board_pictures.h"

using namespace test_support;

TEST(BoardModel, NewPuzzleHasUntouchedBoardsOfItsSize) {
  TNonoGame game(4, 3);
  EXPECT_EQ(game.Width(), 4);
  EXPECT_EQ(game.Height(), 3);
  EXPECT_EQ(PlayerOf(game), (Picture{"....", "....", "...."}));
  EXPECT_EQ(SolutionOf(game), (Picture{"....", "....", "...."}));
  EXPECT_TRUE(game.AutoFit());
  EXPECT_EQ(game.PositionCounters().size(), 3u);
  EXPECT_EQ(game.PositionCounters()[0].size(), 4u);
}

TEST(BoardModel, LoadSolutionGridMapsLettersAndCountsFilledCells) {
  TNonoGame game(2, 2);
  game.SetPlayerState(0, 0, psFilled);
  game.LoadSolutionGrid({{'#', 'd', 'E'}, {'c', 'x', 'E'}, {'E', 'E', 'E'}});
  EXPECT_EQ(game.Width(), 3);
  EXPECT_EQ(game.Height(), 3);
  EXPECT_EQ(game.SolutionFilled(), 3);
  EXPECT_EQ(game.SolutionState(0, 0), psFilled);
  EXPECT_EQ(game.SolutionState(1, 0), psFilled);
  EXPECT_EQ(game.SolutionState(0, 1), psFilled);
  EXPECT_EQ(game.SolutionState(1, 1), psCrossed);  // unknown letter
  EXPECT_EQ(game.SolutionState(2, 2), psEmpty);
  EXPECT_EQ(game.SolutionCell(0, 0).Marks, StateBit(psNone));
  EXPECT_EQ(game.SolutionCell(1, 0).Marks, StateBit(psDeltaCheckedRow));
  EXPECT_EQ(game.SolutionCell(0, 1).Marks, StateBit(psDeltaCheckedCol));
  // The player board starts over at the new size.
  EXPECT_EQ(PlayerOf(game), (Picture{"...", "...", "..."}));
  // Balanced cells are plain filled cells for the clues.
  EXPECT_EQ(game.RowClue(0), (TCounterArr{2}));
  EXPECT_EQ(game.ColumnClue(0), (TCounterArr{2}));
}

TEST(BoardModel, AllEmptyGridHasNoFilledCells) {
  auto game = GameOf({"...", "..."});
  EXPECT_EQ(game->SolutionFilled(), 0);
}

TEST(BoardModel, LoadSolutionGridRefusesBoardsOutsideTheStorage) {
  TNonoGame game(3, 3);
  const TInternalArrArr tooWide(1, TInternalArr(MaxBoardSide + 1, 'E'));
  const TInternalArrArr tooHigh(MaxBoardSide + 1, TInternalArr(1, 'E'));
  const TInternalArrArr ragged = {{'E', 'E'}, {'E'}};
  EXPECT_THROW(game.LoadSolutionGrid(tooWide), std::invalid_argument);
  EXPECT_THROW(game.LoadSolutionGrid(tooHigh), std::invalid_argument);
  EXPECT_THROW(game.LoadSolutionGrid(ragged), std::invalid_argument);
  EXPECT_THROW(game.LoadSolutionGrid({}), std::invalid_argument);
  EXPECT_EQ(game.Width(), 3);  // refused before anything changed
  const TInternalArrArr largest(MaxBoardSide, TInternalArr(MaxBoardSide, '#'));
  game.LoadSolutionGrid(largest);
  EXPECT_EQ(game.SolutionFilled(), MaxBoardSide * MaxBoardSide);
  EXPECT_EQ(game.PlayerState(MaxBoardSide - 1, MaxBoardSide - 1), psEmpty);
}

TEST(BoardModel, SetSolutionStateAddsAndNeverSubtracts) {
  TNonoGame game(2, 2);
  game.SetSolutionState(0, 0, psFilled);
  game.SetSolutionState(0, 0, psFilled);
  game.SetSolutionState(0, 0, psEmpty);
  EXPECT_EQ(game.SolutionFilled(), 2);
}

TEST(BoardModel, PositionsOutsideTheBoard) {
  auto game = GameOf({"#..", "..."}, {"#..", "..x"});
  EXPECT_EQ(game->StateOrNone(-1, 0), psNone);
  EXPECT_EQ(game->StateOrNone(3, 0), psNone);
  EXPECT_EQ(game->StateOrNone(0, 2), psNone);
  EXPECT_EQ(game->StateOrNone(2, 1), psCrossed);
  EXPECT_TRUE(game->InBoard(2, 1));
  EXPECT_FALSE(game->InBoard(3, 1));
  EXPECT_FALSE(game->InBoard(0, -1));
}

TEST(BoardModel, LinesAndGridsReferenceThePlayerCells) {
  auto game = GameOf({"#.", ".#", "##"}, {"#x", ".#", "#."});
  TPiecesArr column = game->PlayerColumn(0);
  ASSERT_EQ(column.size(), 3u);
  EXPECT_EQ(TNonoGame::CountState(column, psFilled), 2);
  EXPECT_EQ(TNonoGame::CountState(game->PlayerRow(0), psCrossed), 1);
  column[1]->State = psFilled;  // a reference, not a copy
  EXPECT_EQ(game->PlayerState(0, 1), psFilled);
  TGridArr grid = game->PlayerGrid();
  EXPECT_EQ(grid[0][1], &game->PlayerCell(1, 0));
  const TGridStateArr states = game->SolutionStates();
  EXPECT_EQ(states,
            (TGridStateArr{{psFilled, psEmpty}, {psEmpty, psFilled}, {psFilled, psFilled}}));
}

TEST(BoardModel, LayoutFlagsFollowZoomAndAutoFit) {
  TNonoGame game(5, 5);
  EXPECT_EQ(game.LayoutFlags(), lfFit);
  game.SetGameState(vfZoomed);
  EXPECT_EQ(game.LayoutFlags(), 14);
  game.SetGameState(0);
  EXPECT_EQ(game.LayoutFlags(), 1);
  game.SetAutoFit(false);
  EXPECT_EQ(game.LayoutFlags(), lfKeep);
}

TEST(BoardModel, DefaultFillPercentages) {
  struct Case {
    int w, h, difficulty, pct;
  };
  const Case cases[] = {{3, 3, 0, 40},   {3, 3, 1, 50},  {3, 3, 2, 60},  {10, 10, 0, 50},
                        {10, 10, 2, 70}, {5, 5, 1, 60},  {3, 21, 2, 50}, {4, 3, 1, 50},
                        {5, 5, 7, 50},   {4, 4, -1, 50}, {4, 5, 2, 50}};
  for (const Case& c : cases)
    EXPECT_EQ(DefaultFillPct(c.w, c.h, DifficultyFromStored(c.difficulty)), c.pct)
        << c.w << "x" << c.h << " difficulty " << c.difficulty;
}

TEST(BoardModel, SetSizeToAnotherSizeKeepsTheSharedCellsAndEveryCellReadable) {
  auto game = GameOf({"#..", ".#.", "..#"});
  game->SetPlayerState(2, 0, psCrossed);
  game->SetSize(5, 2);
  EXPECT_EQ(SolutionOf(*game), (Picture{"#....", ".#..."}));
  EXPECT_EQ(game->PlayerState(2, 0), psCrossed);
  EXPECT_EQ(game->PlayerState(4, 1), psEmpty);
  game->SetSize(2, 3);
  EXPECT_EQ(SolutionOf(*game), (Picture{"#.", ".#", ".."}));
}
