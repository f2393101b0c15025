#include "model/nono_game.h"

#include <stdexcept>

int DefaultFillPct(int width, int height, int difficulty) {
  static constexpr int kSmall[] = {40, 50, 60};
  static constexpr int kSquare[] = {50, 60, 70};
  if (difficulty < 0 || difficulty > 2) return 50;
  if (width < 5 && height < 5) return kSmall[difficulty];
  if (width == height) return kSquare[difficulty];
  return 50;
}

TNonoGame::TNonoGame(int width, int height)
    : FWidth(width),
      FHeight(height),
      FSolution(MaxBoardSide * MaxBoardSide),
      FPlayer(MaxBoardSide * MaxBoardSide) {
  AllocateBoard(FSolution);
  AllocateBoard(FPlayer);
}

void TNonoGame::SetSize(int width, int height) {
  FWidth = width;
  FHeight = height;
}

void TNonoGame::AllocateBoard(std::vector<TPiece>& board) {
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) board[Slot(x, y)] = TPiece{};
  FPositionCounters.assign(FHeight, TCounterArr(FWidth, 0));
}

void TNonoGame::LoadSolutionGrid(const TInternalArrArr& grid) {
  // A board beyond the storage or with ragged rows would write outside it.
  if (grid.empty() || grid.size() > MaxBoardSide || grid[0].empty() ||
      grid[0].size() > MaxBoardSide)
    throw std::invalid_argument("Board size out of range");
  for (const TInternalArr& row : grid)
    if (row.size() != grid[0].size()) throw std::invalid_argument("Board rows differ in length");
  SetSize(static_cast<int>(grid[0].size()), static_cast<int>(grid.size()));
  AllocateBoard(FSolution);
  AllocateBoard(FPlayer);
  FSolutionFilled = 0;
  for (int y = 0; y < FHeight; ++y) {
    const TInternalArr& row = grid[y];
    for (int x = 0; x < static_cast<int>(row.size()); ++x) {
      TPieceState state = psCrossed;
      TPieceState mark = psNone;
      switch (row[x]) {
        case kLetterEmpty:
          state = psUnchecked;
          break;
        case kLetterFilled:
          state = psChecked;
          break;
        case kLetterRowAdded:
          state = psChecked;
          mark = psDeltaCheckedRow;
          break;
        case kLetterColumnAdded:
          state = psChecked;
          mark = psDeltaCheckedCol;
          break;
        default:
          break;
      }
      SetSolutionState(x, y, state);
      SolutionCell(x, y).Marks = StateBit(mark);
    }
  }
}

void TNonoGame::SetSolutionState(int x, int y, TPieceState state) {
  FSolution[Slot(x, y)].State = state;
  if (state == psChecked) ++FSolutionFilled;
}

TGridArr TNonoGame::BoardToGrid(std::vector<TPiece>& board) {
  TGridArr grid(FHeight, TPiecesArr(FWidth));
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) grid[y][x] = &board[Slot(x, y)];
  return grid;
}

TGridArr TNonoGame::PlayerGrid() {
  return BoardToGrid(FPlayer);
}
TGridArr TNonoGame::SolutionGrid() {
  return BoardToGrid(FSolution);
}

TGridStateArr TNonoGame::SolutionStates() const {
  TGridStateArr states(FHeight, TPieceStateArr(FWidth));
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) states[y][x] = SolutionState(x, y);
  return states;
}

TPiecesArr TNonoGame::PlayerColumn(int x) {
  TPiecesArr line(FHeight);
  for (int y = 0; y < FHeight; ++y) line[y] = &PlayerCell(x, y);
  return line;
}

TPiecesArr TNonoGame::PlayerRow(int y) {
  TPiecesArr line(FWidth);
  for (int x = 0; x < FWidth; ++x) line[x] = &PlayerCell(x, y);
  return line;
}

int TNonoGame::CountState(const TPiecesArr& line, TPieceState state) {
  int n = 0;
  for (const TPiece* cell : line)
    if (cell->State == state) ++n;
  return n;
}

TLayoutFlags TNonoGame::LayoutFlags() const {
  if (FGameState & gsZoomed) return lfKeep | lfNoGrow | lfZoomed;
  return FAutoFit ? lfFit : lfKeep;
}

std::string SlotName(int width, int height) {
  return std::to_string(width) + "x" + std::to_string(height);
}
