// TframeGrid: pointer events of the board paint box, from the paint box to
// the puzzle's pointer logic and on to the host.
#include "model/nono_game.h"
#include "model/process_flags.h"
#include "view/frame_grid.h"

void TframeGrid::Dispatch(Qt::MouseButtons buttons, int x, int y, TBoardMouseFlags kind) {
  if (AppPhase == apClosing || AppBusy || !FGame || !FBoardGrid || !FInputEnabled) return;
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
  FGame->HandleMouse(hit.Col, hit.Row, flags);
  RepaintAll();
  if (FOnBoardMouse) FOnBoardMouse(hit.Row, hit.Col, flags);
}

void TframeGrid::pbBoardMouseLeave() {
  if (AppBusy || AppPhase == apClosing) return;
  Dispatch(Qt::NoButton, 0, 0, mfLeave);
  FpBoard->repaint();
}
