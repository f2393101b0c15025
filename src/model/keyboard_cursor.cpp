#include "model/keyboard_cursor.h"

#include <algorithm>

#include "model/nono_game.h"

void TKeyboardCursor::Place(TNonoGame& game, int col, int row, bool stroke) {
  if (game.Width() < 1 || game.Height() < 1) return;
  // A cursor left from a larger puzzle comes back onto the board.
  FCol = std::clamp(FCol, 0, game.Width() - 1);
  FRow = std::clamp(FRow, 0, game.Height() - 1);
  col = std::clamp(col, 0, game.Width() - 1);
  row = std::clamp(row, 0, game.Height() - 1);
  if (!FShown) {
    // The first key only shows where the cursor is.
    FShown = true;
    return;
  }
  if (!stroke) EndStroke(game);
  if (stroke && FStroke == psNone) {
    if (!game.PendingGroup().empty()) return;  // the pointer's stroke runs
    FStroke = game.PlayerState(FCol, FRow);
    game.ApplyMove(FCol, FRow, mfDown, psNone);
  }
  // Every cell between the old and the new position, so End paints the line.
  const int dx = col > FCol ? 1 : col < FCol ? -1 : 0;
  const int dy = row > FRow ? 1 : row < FRow ? -1 : 0;
  while (FCol != col || FRow != row) {
    FCol += FCol != col ? dx : 0;
    FRow += FRow != row ? dy : 0;
    if (FStroke != psNone) game.ApplyMove(FCol, FRow, mfMove, FStroke);
  }
}

void TKeyboardCursor::Move(TNonoGame& game, int dx, int dy, bool stroke) {
  Place(game, FCol + dx, FRow + dy, stroke);
}

void TKeyboardCursor::ToLineEnd(TNonoGame& game, bool last, bool stroke) {
  Place(game, last ? game.Width() - 1 : 0, FRow, stroke);
}

bool TKeyboardCursor::Click(TNonoGame& game, TPieceState newState) {
  EndStroke(game);
  if (!game.PendingGroup().empty()) return false;
  game.ApplyMove(FCol, FRow, mfDown, newState);
  game.ApplyMove(-1, -1, mfUp, psNone);
  return true;
}

bool TKeyboardCursor::Fill(TNonoGame& game) {
  if (!FShown || !game.InBoard(FCol, FRow)) return false;
  const TPieceState s = game.PlayerState(FCol, FRow);
  return Click(game, s == psEmpty || s == psCrossed ? psFilled : psEmpty);
}

bool TKeyboardCursor::Cross(TNonoGame& game) {
  if (!FShown || !game.InBoard(FCol, FRow)) return false;
  const TPieceState s = game.PlayerState(FCol, FRow);
  return Click(game, s == psEmpty ? psCrossed : psEmpty);
}

void TKeyboardCursor::EndStroke(TNonoGame& game) {
  if (FStroke == psNone) return;
  FStroke = psNone;
  // A stroke that changed nothing leaves no step behind.
  if (game.PendingGroup().empty()) return;
  game.ApplyMove(-1, -1, mfUp, psNone);
}
