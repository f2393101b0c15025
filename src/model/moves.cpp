// Recorded player moves, the undo history, Start Over and Show solution. The history is a list of
// steps as in any editor: Undo and Redo move one step back or forth along it, and a new step after
// some Undo replaces the steps undone.
#include "model/nono_game.h"

void TNonoGame::ApplyMove(int x, int y, TBoardMouseFlags flags, TPieceState newState) {
  // A stroke whose release never arrived becomes a step of its own: were its
  // changes dropped, Undo could no longer reach the board before them.
  if ((flags & mfDown) && !FUndo.PendingGroup.empty()) CommitGroup();
  if (newState != psNone) {
    TPiece& cell = PlayerCell(x, y);
    if (cell.State != newState || (flags & mfForce)) {
      FUndo.PendingGroup.push_back(TUndoRec{x, y, cell.State, newState});
      cell.State = newState;
    }
  }
  if (flags & mfUp) CommitGroup();
}

int TNonoGame::CommitGroup() {
  FUndo.Groups.resize(FUndo.Done);
  FUndo.Groups.push_back(std::move(FUndo.PendingGroup));
  FUndo.PendingGroup.clear();
  FUndo.Done = static_cast<int>(FUndo.Groups.size());
  return FUndo.Done - 1;
}

void TNonoGame::Undo() {
  // Undo during a stroke takes back what the stroke has changed so far.
  if (!FUndo.PendingGroup.empty()) CommitGroup();
  if (!CanUndo()) return;
  const std::vector<TUndoRec>& group = FUndo.Groups[--FUndo.Done];
  // Last to first, so a cell changed twice in one stroke returns to its state
  // before the stroke.
  for (auto rec = group.rbegin(); rec != group.rend(); ++rec)
    PlayerCell(rec->X, rec->Y).State = rec->OldState;
}

void TNonoGame::Redo() {
  if (!FUndo.PendingGroup.empty()) CommitGroup();
  if (!CanRedo()) return;
  for (const TUndoRec& rec : FUndo.Groups[FUndo.Done++])
    PlayerCell(rec.X, rec.Y).State = rec.NewState;
}

void TNonoGame::ClearHistory() {
  FUndo.Groups.clear();
  FUndo.PendingGroup.clear();
  FUndo.Done = 0;
}

void TNonoGame::StartOver() {
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) PlayerCell(x, y).State = psEmpty;
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
