// The pointer logic of the player board: how a press, a drag and a release
// turn into recorded cell changes, and the run position counters shown while
// Ctrl is held.
#include "model/nono_game.h"
#include "model/process_flags.h"

namespace {

// The state a left press gives to a cell in `state`.
TPieceState LeftToggle(TPieceState state) {
  return state == psEmpty || state == psCrossed ? psFilled : psEmpty;
}

// The state a right press gives to a cell in `state`.
TPieceState RightToggle(TPieceState state) {
  return state == psEmpty ? psCrossed : psEmpty;
}

}  // namespace

void TNonoGame::HandleMouse(int x, int y, TBoardMouseFlags flags) {
  // A release that stops before the recording step below must still end the
  // stroke: otherwise its changes would stay off the history and the next
  // Undo would take back the stroke before it.
  const auto closeStroke = [this, flags] {
    if (!(flags & mfUp)) return;
    FPointer.DragState = psNone;
    if (!FUndo.PendingGroup.empty()) ApplyMove(-1, -1, mfUp, psNone);
  };

  UpdatePositionCounters(x, y, flags);
  if (flags & mfLeave) {
    FPointer.Outside = true;
    ClearPositionCounters();
  } else if (flags & (mfEnter | mfDown)) {
    // A press comes only from over the board, so an enter that was missed
    // while the program was busy cannot leave the board deaf to the player.
    FPointer.Outside = false;
  }
  if (FPointer.Outside) {
    ClearPositionCounters();
    closeStroke();
    return;
  }
  if (!InBoard(x, y)) {
    closeStroke();
    return;
  }
  if (flags & mfUp) FPointer.DragState = psNone;
  if (!(flags & mfDown) && x == FPointer.LastCol && y == FPointer.LastRow) {
    // Same cell as before: no cell changes, but a release here commits.
    ApplyMove(x, y, flags, psNone);
    return;
  }
  FPointer.LastCol = x;
  FPointer.LastRow = y;
  if (flags == mfMove) FPointer.DragState = psNone;

  const TPieceState state = PlayerState(x, y);
  if (flags & mfMove) {
    // The first new cell entered after the press decides what the drag paints.
    if (FPointer.DragState == psNone) {
      if (flags & mfLeft) {
        if (state == psEmpty || state == psCrossed)
          FPointer.DragState = psFilled;
        else if (state == psFilled)
          FPointer.DragState = psEmpty;
      } else if (flags & mfRight) {
        FPointer.DragState = RightToggle(state);
      }
    }
    if (FPointer.DragState != psNone) ApplyMove(x, y, flags, FPointer.DragState);
  } else if (flags & mfLeft) {
    ApplyMove(x, y, flags, LeftToggle(state));
  } else if (flags & mfRight) {
    ApplyMove(x, y, flags, RightToggle(state));
  } else {
    closeStroke();
  }
}

void TNonoGame::ClearPositionCounters() {
  // Also restores the board-sized shape should a restore have changed the size.
  if (FPointer.PositionCounters.size() != static_cast<std::size_t>(FHeight)) {
    FPointer.PositionCounters.assign(FHeight, TCounterArr(FWidth, 0));
    return;
  }
  for (TCounterArr& row : FPointer.PositionCounters) row.assign(FWidth, 0);
}

void TNonoGame::UpdatePositionCounters(int x, int y, TBoardMouseFlags flags) {
  ClearPositionCounters();
  if (!CtrlHeld || (flags & (mfLeft | mfRight | mfLeave)) || !InBoard(x, y) ||
      PlayerState(x, y) != psFilled)
    return;
  const auto filled = [this](int cx, int cy) { return StateOrNone(cx, cy) == psFilled; };
  // Numbers the run from (x, y) in direction (dx, dy); a run of one shows nothing.
  const auto numberRun = [&](int dx, int dy) {
    int n = 0;
    for (int cx = x, cy = y; filled(cx, cy); cx += dx, cy += dy)
      FPointer.PositionCounters[cy][cx] = ++n;
    if (n == 1) FPointer.PositionCounters[y][x] = 0;
  };
  if (!filled(x - 1, y)) numberRun(1, 0);
  if (!filled(x + 1, y)) numberRun(-1, 0);
  if (!filled(x, y - 1) && filled(x, y + 1)) numberRun(0, 1);
  if (!filled(x, y + 1) && filled(x, y - 1)) numberRun(0, -1);
}
