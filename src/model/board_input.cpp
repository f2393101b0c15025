// The pointer logic of the player board: how a press, a drag and a release
// turn into recorded cell changes, and the run position counters shown while
// Ctrl is held.
#include "model/nono_game.h"
#include "model/process_flags.h"

namespace {

// The state a left press gives to a cell in `state`.
TPieceState LeftToggle(TPieceState state) {
  return state == psUnchecked || state == psCrossed ? psChecked : psUnchecked;
}

// The state a right press gives to a cell in `state`.
TPieceState RightToggle(TPieceState state) {
  return state == psUnchecked ? psCrossed : psUnchecked;
}

}  // namespace

void TNonoGame::HandleMouse(int x, int y, TBoardMouseFlags flags) {
  // A release that stops before the recording step below must still end the
  // stroke: otherwise its changes would stay off the history and the next
  // Undo would take back the stroke before it.
  const auto closeStroke = [this, flags] {
    if (!(flags & mfUp)) return;
    FDragState = psNone;
    if (!FPendingGroup.empty()) ApplyMove(-1, -1, mfUp, psNone);
  };

  UpdatePositionCounters(x, y, flags);
  if (flags & mfLeave) {
    FPointerOutside = true;
    ClearPositionCounters();
  } else if (flags & (mfEnter | mfDown)) {
    // A press comes only from over the board, so an enter that was missed
    // while the program was busy cannot leave the board deaf to the player.
    FPointerOutside = false;
  }
  if (FPointerOutside) {
    ClearPositionCounters();
    closeStroke();
    return;
  }
  if (!InBoard(x, y)) {
    closeStroke();
    return;
  }
  if (flags & mfUp) FDragState = psNone;
  if (!(flags & mfDown) && x == FLastCol && y == FLastRow) {
    // Same cell as before: no cell changes, but a release here commits.
    ApplyMove(x, y, flags, psNone);
    return;
  }
  FLastCol = x;
  FLastRow = y;
  if (flags == mfMove) FDragState = psNone;

  const TPieceState state = PlayerState(x, y);
  if (flags & mfMove) {
    // The first new cell entered after the press decides what the drag paints.
    if (FDragState == psNone) {
      if (flags & mfLeft) {
        if (state == psUnchecked || state == psCrossed)
          FDragState = psChecked;
        else if (state == psChecked)
          FDragState = psUnchecked;
      } else if (flags & mfRight) {
        FDragState = RightToggle(state);
      }
    }
    if (FDragState != psNone) ApplyMove(x, y, flags, FDragState);
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
  if (FPositionCounters.size() != static_cast<std::size_t>(FHeight)) {
    FPositionCounters.assign(FHeight, TCounterArr(FWidth, 0));
    return;
  }
  for (TCounterArr& row : FPositionCounters) row.assign(FWidth, 0);
}

void TNonoGame::UpdatePositionCounters(int x, int y, TBoardMouseFlags flags) {
  ClearPositionCounters();
  if (!CtrlHeld || (flags & (mfLeft | mfRight | mfLeave)) || !InBoard(x, y) ||
      PlayerState(x, y) != psChecked)
    return;
  const auto filled = [this](int cx, int cy) { return StateOrNone(cx, cy) == psChecked; };
  // Numbers the run from (x, y) in direction (dx, dy); a run of one shows nothing.
  const auto numberRun = [&](int dx, int dy) {
    int n = 0;
    for (int cx = x, cy = y; filled(cx, cy); cx += dx, cy += dy) FPositionCounters[cy][cx] = ++n;
    if (n == 1) FPositionCounters[y][x] = 0;
  };
  if (!filled(x - 1, y)) numberRun(1, 0);
  if (!filled(x + 1, y)) numberRun(-1, 0);
  if (!filled(x, y - 1) && filled(x, y + 1)) numberRun(0, 1);
  if (!filled(x, y + 1) && filled(x, y - 1)) numberRun(0, -1);
}
