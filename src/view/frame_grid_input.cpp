// TframeGrid: pointer events of the board paint box, from the paint box to
// the puzzle's pointer logic and on to the host.
#include "model/nono_game.h"
#include "model/process_flags.h"
#include "view/frame_grid.h"
#include "view/paint_box.h"

#include <vector>

void TframeGrid::Dispatch(Qt::MouseButtons buttons, int x, int y, TBoardMouseFlags kind) {
  if (AppPhase == apClosing || Busy() || !FGame || !FBoardGrid || !FInputEnabled) return;
  const TCellHit hit = FBoardGrid->HitTest(x, y);
  // The pointer takes over from the keyboard.
  if (kind != mfLeave && FCursor.Shown()) {
    FCursor.EndStroke(*FGame);
    FCursor.Hide();
  }
  SetHotTrack(hit.Row, hit.Col);
  TBoardMouseFlags flags = 0;
  if (buttons & Qt::LeftButton)
    flags = mfLeft;
  else if (buttons & Qt::RightButton)
    flags = mfRight;
  flags |= kind;
  if (kind == mfDown) FStroke.Start(hit);
  if (kind == mfMove && (flags & (mfLeft | mfRight))) {
    // Every cell between two pointer positions is painted, as if the
    // pointer had passed through each, however fast it moved.
    // No path: the pointer is off the cells or has not left the last cell.
    const std::vector<TCellHit> path = FStroke.MoveTo(hit);
    if (path.empty()) FGame->HandleMouse(-1, -1, flags);
    for (const TCellHit& cell : path) FGame->HandleMouse(cell.Col, cell.Row, flags);
  } else {
    FGame->HandleMouse(hit.Col, hit.Row, flags);
  }
  if (kind == mfUp || kind == mfLeave) FStroke.End();
  RepaintAll();
  if (FOnBoardMouse) FOnBoardMouse(hit.Row, hit.Col, flags);
}

void TframeGrid::pbBoardMouseLeave() {
  if (AppPhase == apClosing) return;
  // Whatever else has the window (a question, a puzzle being made), a
  // highlight left behind would point at a line the player no longer looks
  // at.
  if (!Busy()) Dispatch(Qt::NoButton, 0, 0, mfLeave);
  PointerGone();
}

void TframeGrid::PointerGone() {
  ClearHotTrack();
  for (TPaintBox* box : {FpbBoard, FpbLeft, FpbTop}) box->update();
}
