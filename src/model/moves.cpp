// Recorded player moves, the undo history, Start Over, Show solution and the
// unrecorded whole-board state replacement.
#include "model/nono_game.h"

void TNonoGame::ApplyMove(int x, int y, TBoardMouseFlags flags, TPieceState newState) {
  if (flags & mfDown) FUndo.PendingGroup.clear();
  if (newState != psNone) {
    TPiece& cell = PlayerCell(x, y);
    if (cell.State != newState || (flags & mfForce)) {
      FUndo.PendingGroup.push_back(TUndoRec{x, y, cell.State, newState});
      cell.State = newState;
    }
  }
  if (flags & mfUp) {
    FUndo.UndoIndex = CommitGroup();
    FUndo.UndoAvailable = true;
  }
}

int TNonoGame::CommitGroup() {
  FUndo.Groups.push_back(std::move(FUndo.PendingGroup));
  FUndo.PendingGroup.clear();
  return static_cast<int>(FUndo.Groups.size()) - 1;
}

bool TNonoGame::UndoGroup() {
  const std::vector<TUndoRec>& group = FUndo.Groups[FUndo.UndoIndex];
  bool allChanged = true;
  // Last to first, so a cell changed twice in one stroke returns to its state
  // before the stroke.
  for (auto rec = group.rbegin(); rec != group.rend(); ++rec) {
    TPiece& cell = PlayerCell(rec->X, rec->Y);
    if (cell.State == rec->OldState) allChanged = false;
    cell.State = rec->OldState;
  }
  FUndo.RedoAvailable = true;
  FUndo.RedoIndex = FUndo.UndoIndex;
  if (FUndo.UndoIndex == 0) {
    FUndo.UndoAvailable = false;
  } else {
    --FUndo.UndoIndex;
    FUndo.UndoAvailable = true;
  }
  return allChanged;
}

void TNonoGame::Undo() {
  if (!CanUndo()) return;
  if (!UndoGroup() && CanUndo()) UndoGroup();
}

void TNonoGame::Redo() {
  if (!CanRedo()) return;
  for (const TUndoRec& rec : FUndo.Groups[FUndo.RedoIndex]) PlayerCell(rec.X, rec.Y).State = rec.NewState;
  FUndo.UndoAvailable = true;
  FUndo.UndoIndex = FUndo.RedoIndex;
  if (FUndo.RedoIndex == static_cast<int>(FUndo.Groups.size()) - 1) {
    FUndo.RedoAvailable = false;
  } else {
    ++FUndo.RedoIndex;
    FUndo.RedoAvailable = true;
  }
}

void TNonoGame::ClearHistory() {
  FUndo.Groups.clear();
  FUndo.UndoIndex = -1;
  FUndo.RedoIndex = -1;
  FUndo.UndoAvailable = false;
  FUndo.RedoAvailable = false;
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
