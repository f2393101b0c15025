// TfrmMain: the explained hint. H (or the game menu) looks at the player's
// board, outlines what line logic proves next on one line and says why in a
// sentence (THintPanel); the next change of the board takes both away. The
// hints asked for are counted with the puzzle.
#include <QAction>
#include <QTimer>

#include "app/f_main.h"
#include "app/hint_panel.h"
#include "app/hint_sentence.h"
#include "slots/slot.h"
#include "solver/hint.h"
#include "view/frame_grid.h"

void TfrmMain::aHintExecute() {
  TSlot* const game = CurrentGame();
  if (!game || Celebrating() || tCongrats()->isActive()) return;
  const THint hint = FindHint(game->Puzzle());
  TframeGrid& view = game->View();
  const bool onBoard = hint.Kind == THintKind::Step || hint.Kind == THintKind::Mistake;
  // Without a line (nothing to advance) the sentence alone is shown, and
  // goes away with the next change all the same.
  TBoardHint shown{hint.Column, onBoard ? hint.Index : -1, {}};
  for (const TSettledCell& c : hint.Cells) shown.Cells.push_back({c.X, c.Y, c.Value});
  view.ShowHint(shown);
  if (onBoard) game->CountHint();
  FlHint->Tell(HintSentence(hint));
  Announce(FlHint->text().toStdString());
  RefreshBoard();
}

QLabel* TfrmMain::lHint() const {
  return FlHint;
}
