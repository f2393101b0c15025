// TfrmMain: the explained hint. H (or the game menu) looks at the player's
// board, outlines what line logic proves next on one line and says why in a
// sentence along the bottom of the board area; the next change of the board
// takes both away. The hints asked for are counted with the puzzle.
#include <QAction>
#include <QLabel>
#include <QTimer>

#include "app/f_main.h"
#include "app/hint_sentence.h"
#include "slots/game.h"
#include "solver/hint.h"
#include "view/frame_grid.h"

void TfrmMain::aHintExecute() {
  if (!FCurrentGame || FCelebrating || FtCongrats->isActive()) return;
  const THint hint = FindHint(FCurrentGame->Puzzle());
  TframeGrid& view = FCurrentGame->View();
  const bool onBoard = hint.Kind == THintKind::Step || hint.Kind == THintKind::Mistake;
  // Without a line (nothing to advance) the sentence alone is shown, and
  // goes away with the next change all the same.
  TBoardHint shown{hint.Column, onBoard ? hint.Index : -1, {}};
  for (const TSettledCell& c : hint.Cells) shown.Cells.push_back({c.X, c.Y, c.Value});
  view.ShowHint(shown);
  if (onBoard) FCurrentGame->CountHint();
  FlHint->setText(QString::fromStdString(HintSentence(hint)));
  FlHint->show();
  Announce(FlHint->text().toStdString());
  PlaceHintLabel();
  RefreshBoard();
}

void TfrmMain::UpdateHint() {
  if (!FlHint || FlHint->isHidden()) return;
  if (!FCurrentGame || !FCurrentGame->View().HintShown()) FlHint->hide();
}

void TfrmMain::PlaceHintLabel() {
  if (!FlHint) return;
  const int width = FpBoard->width() * 9 / 10;
  FlHint->setFixedWidth(std::max(1, width));
  FlHint->adjustSize();
  FlHint->move((FpBoard->width() - FlHint->width()) / 2, FpBoard->height() - FlHint->height() - 4);
  FlHint->raise();
}
