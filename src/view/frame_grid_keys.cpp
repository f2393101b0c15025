// TframeGrid: the keyboard cursor, from the window's key events to the
// puzzle's moves.
#include "model/nono_game.h"
#include "model/process_flags.h"
#include "view/board_accessible.h"
#include "view/frame_grid.h"
#include "view/paint_box.h"

bool TframeGrid::BoardKeyPress(int key, Qt::KeyboardModifiers modifiers) {
  if (AppPhase == apClosing || Busy() || !FGame || !FBoardGrid || !FInputEnabled) return false;
  if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const bool stroke = modifiers & Qt::ShiftModifier;
  const bool wasShown = FCursor.Shown();
  const int wasCol = FCursor.Col(), wasRow = FCursor.Row();
  switch (key) {
    case Qt::Key_Left:
      FCursor.Move(*FGame, -1, 0, stroke);
      break;
    case Qt::Key_Right:
      FCursor.Move(*FGame, 1, 0, stroke);
      break;
    case Qt::Key_Up:
      FCursor.Move(*FGame, 0, -1, stroke);
      break;
    case Qt::Key_Down:
      FCursor.Move(*FGame, 0, 1, stroke);
      break;
    case Qt::Key_Home:
      FCursor.ToLineEnd(*FGame, false, stroke);
      break;
    case Qt::Key_End:
      FCursor.ToLineEnd(*FGame, true, stroke);
      break;
    case Qt::Key_Space:
      if (!FCursor.Shown())
        FCursor.Move(*FGame, 0, 0, false);
      else
        FCursor.Fill(*FGame);
      break;
    case Qt::Key_X:
    case Qt::Key_Delete:
      if (!FCursor.Shown())
        FCursor.Move(*FGame, 0, 0, false);
      else
        FCursor.Cross(*FGame);
      break;
    default:
      return false;
  }
  // The clue highlight follows the cursor as it follows the pointer, and a
  // board that scrolls keeps the cursor in view.
  SetHotTrack(FCursor.Row(), FCursor.Col());
  ScrollToCell(FCursor.Col(), FCursor.Row());
  RepaintAll();
  if (!wasShown || wasCol != FCursor.Col() || wasRow != FCursor.Row()) BoardCursorMoved(FpbBoard);
  if (FOnBoardMouse && !FCursor.Stroking()) FOnBoardMouse(FCursor.Row(), FCursor.Col(), 0);
  return true;
}

void TframeGrid::BoardKeyRelease(int key) {
  if (key != Qt::Key_Shift || !FGame || !FCursor.Stroking()) return;
  FCursor.EndStroke(*FGame);
  RepaintAll();
  if (FOnBoardMouse) FOnBoardMouse(FCursor.Row(), FCursor.Col(), 0);
}
