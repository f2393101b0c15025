// Recorded player moves, the undo history, Start Over, Show solution and the
// unrecorded whole-board state replacement.
#include "model/nono_game.h"

void TNonoGame::ApplyMove(int x, int y, TBoardMouseFlags flags, TPieceState newState) {
  if (flags & mfDown) FPendingGroup.clear();
  if (newState != psNone) {
    TPiece& cell = PlayerCell(x, y);
    if (cell.State != newState || (flags & mfForce)) {
      FPendingGroup.push_back(TUndoRec{x, y, cell.State, newState});
      cell.State = newState;
    }
  }
  if (flags & mfUp) {
    FUndoIndex = CommitGroup();
    FUndoAvailable = true;
  }
}

int TNonoGame::CommitGroup() {
  FHistory.push_back(std::move(FPendingGroup));
  FPendingGroup.clear();
  return static_cast<int>(FHistory.size()) - 1;
}

bool TNonoGame::UndoGroup() {
  const std::vector<TUndoRec>& group = FHistory[FUndoIndex];
  bool allChanged = true;
  // Last to first, so a cell changed twice in one stroke returns to its state
  // before the stroke.
  for (auto rec = group.rbegin(); rec != group.rend(); ++rec) {
    TPiece& cell = PlayerCell(rec->X, rec->Y);
    if (cell.State == rec->OldState) allChanged = false;
    cell.State = rec->OldState;
  }
  FRedoAvailable = true;
  FRedoIndex = FUndoIndex;
  if (FUndoIndex == 0) {
    FUndoAvailable = false;
  } else {
    --FUndoIndex;
    FUndoAvailable = true;
  }
  return allChanged;
}

void TNonoGame::Undo() {
  if (!CanUndo()) return;
  if (!UndoGroup() && CanUndo()) UndoGroup();
}

void TNonoGame::Redo() {
  if (!CanRedo()) return;
  for (const TUndoRec& rec : FHistory[FRedoIndex]) PlayerCell(rec.X, rec.Y).State = rec.NewState;
  FUndoAvailable = true;
  FUndoIndex = FRedoIndex;
  if (FRedoIndex == static_cast<int>(FHistory.size()) - 1) {
    FRedoAvailable = false;
  } else {
    ++FRedoIndex;
    FRedoAvailable = true;
  }
}

void TNonoGame::ClearHistory() {
  FHistory.clear();
  FUndoIndex = -1;
  FRedoIndex = -1;
  FUndoAvailable = false;
  FRedoAvailable = false;
}

void TNonoGame::StartOver() {
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) PlayerCell(x, y).State = psUnchecked;
  ClearHistory();
}

void TNonoGame::ShowSolution() {
  TBoardMouseFlags flags = mfDown;
  for (int x = 0; x < FWidth; ++x) {
    for (int y = 0; y < FHeight; ++y) {
      if (PlayerState(x, y) != psIncorrect) ApplyMove(x, y, flags | mfForce, SolutionState(x, y));
      flags = mfMove;
    }
  }
  ApplyMove(-1, -1, mfUp, psNone);
}

void TNonoGame::ReplaceState(TPieceState from, TPieceState to) {
  for (int x = 0; x < FWidth; ++x)
    for (int y = 0; y < FHeight; ++y)
      if (PlayerState(x, y) == from) SetPlayerState(x, y, to);
}
