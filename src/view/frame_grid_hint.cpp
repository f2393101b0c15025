// TframeGrid: the hint shown over the board until the board changes.
#include "model/nono_game.h"
#include "view/frame_grid.h"

std::vector<TPieceState> TframeGrid::BoardStates() const {
  std::vector<TPieceState> states;
  if (!FGame) return states;
  states.reserve(static_cast<std::size_t>(FGame->Width()) * FGame->Height());
  for (int y = 0; y < FGame->Height(); ++y)
    for (int x = 0; x < FGame->Width(); ++x) states.push_back(FGame->PlayerState(x, y));
  return states;
}

void TframeGrid::ShowHint(const TBoardHint& hint) {
  FHint = hint;
  FHintBoard = BoardStates();
  FHintShown = true;
  // On a board that scrolls, the cells the hint proves come into view.
  if (!hint.Cells.empty()) ScrollToCell(hint.Cells.front().X, hint.Cells.front().Y);
}

void TframeGrid::ClearHint() {
  FHintShown = false;
  FHint = TBoardHint{};
  FHintBoard.clear();
}

bool TframeGrid::HintShown() {
  if (FHintShown && BoardStates() != FHintBoard) ClearHint();
  return FHintShown;
}

std::int32_t TframeGrid::HintValueAt(int col, int row) const {
  if (!FHintShown) return 0;
  for (const TBoardHint::TCell& c : FHint.Cells)
    if (c.X == col && c.Y == row) return c.Value;
  return 0;
}

bool TframeGrid::OnHintLine(const TNonoGrid& grid, int col, int row) const {
  if (!FHintShown) return false;
  if (&grid == FLeftGrid.get()) return !FHint.Column && row == FHint.Index;
  if (&grid == FTopGrid.get()) return FHint.Column && col == FHint.Index;
  return false;
}
