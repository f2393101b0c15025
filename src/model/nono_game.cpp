#include "model/nono_game.h"

#include <algorithm>
#include <stdexcept>

namespace {

std::size_t CellCount(int width, int height) {
  return static_cast<std::size_t>(std::max(width, 0)) *
         static_cast<std::size_t>(std::max(height, 0));
}

}  // namespace

TNonoGame::TNonoGame(int width, int height) : FWidth(width), FHeight(height), FStride(width) {
  AllocateBoard(FSolution);
  AllocateBoard(FPlayer);
}

void TNonoGame::SetSize(int width, int height) {
  if (width != FStride || CellCount(width, height) != FSolution.size()) {
    RelayBoard(FSolution, width, height);
    RelayBoard(FPlayer, width, height);
    FStride = width;
  }
  FWidth = width;
  FHeight = height;
}

void TNonoGame::RelayBoard(std::vector<TPiece>& board, int width, int height) const {
  std::vector<TPiece> laid(CellCount(width, height));
  const int rows = FStride > 0 ? static_cast<int>(board.size()) / FStride : 0;
  for (int y = 0; y < std::min(rows, height); ++y)
    for (int x = 0; x < std::min(FStride, width); ++x)
      laid[static_cast<std::size_t>(y) * width + x] = board[Slot(x, y)];
  board = std::move(laid);
}

void TNonoGame::AllocateBoard(std::vector<TPiece>& board) {
  FStride = FWidth;
  board.assign(CellCount(FWidth, FHeight), TPiece{});
  board.shrink_to_fit();
  FPointer.PositionCounters.assign(FHeight, TCounterArr(FWidth, 0));
}

void TNonoGame::LoadSolutionGrid(const TInternalArrArr& grid) {
  // A board beyond the storage or with ragged rows would write outside it.
  if (grid.empty() || grid.size() > MaxBoardSide || grid[0].empty() ||
      grid[0].size() > MaxBoardSide)
    throw std::invalid_argument("Board size out of range");
  for (const TInternalArr& row : grid)
    if (row.size() != grid[0].size()) throw std::invalid_argument("Board rows differ in length");
  FWidth = static_cast<int>(grid[0].size());
  FHeight = static_cast<int>(grid.size());
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
          state = psEmpty;
          break;
        case kLetterFilled:
          state = psFilled;
          break;
        case kLetterRowAdded:
          state = psFilled;
          mark = psDeltaCheckedRow;
          break;
        case kLetterColumnAdded:
          state = psFilled;
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
  if (state == psFilled) ++FSolutionFilled;
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
  if (FView.GameState & vfZoomed) return lfKeep | lfNoGrow | lfZoomed;
  return FView.AutoFit ? lfFit : lfKeep;
}

std::string SlotName(int width, int height) {
  return std::to_string(width) + "x" + std::to_string(height);
}
