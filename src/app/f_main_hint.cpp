// TfrmMain: the explained hint. H (or the game menu) looks at the player's
// board, outlines what line logic proves next on one line and says why in a
// sentence along the bottom of the board area; the next change of the board
// takes both away. The hints asked for are counted with the puzzle.
#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <functional>
#include <utility>

#include "app/f_main.h"
#include "app/hint_sentence.h"
#include "slots/game.h"
#include "solver/hint.h"
#include "view/frame_grid.h"
#include "view/paint_box.h"

namespace {

// Calls back whenever the watched widget moves or changes size.
class TPlacementWatch : public QObject {
 public:
  TPlacementWatch(QObject* watched, std::function<void()> moved)
      : QObject(watched), FMoved(std::move(moved)) {
    setObjectName("hintPlacementWatch");
    watched->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Move || e->type() == QEvent::Resize) FMoved();
    return false;
  }

 private:
  std::function<void()> FMoved;
};

}  // namespace

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
  // The sentence keeps clear of the board when a later layout moves it.
  if (!view.pbBoard()->findChild<QObject*>("hintPlacementWatch", Qt::FindDirectChildrenOnly))
    new TPlacementWatch(view.pbBoard(), [this] {
      if (FlHint && !FlHint->isHidden()) PlaceHintLabel();
    });
  Announce(FlHint->text().toStdString());
  PlaceHintLabel();
  RefreshBoard();
}

void TfrmMain::UpdateHint() {
  if (!FlHint || FlHint->isHidden()) return;
  if (!FCurrentGame || !FCurrentGame->View().HintShown()) FlHint->hide();
}

void TfrmMain::PlaceHintLabel() {
  if (!FlHint || FlHint->isHidden()) return;
  const QRect area = FpBoard->rect();
  // Along the bottom of the board area, unless it would cover the board
  // there (a small window, or large text) and a side has room for it.
  // Wrapped sentences take the height their width needs.
  // (The label measures within its size limits: they go first.)
  const auto fitTo = [this](int width) {
    FlHint->setMinimumSize(0, 0);
    FlHint->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const int height = FlHint->heightForWidth(width);
    FlHint->setFixedSize(width, height > 0 ? height : FlHint->sizeHint().height());
  };
  fitTo(std::max(1, area.width() * 9 / 10));
  QRect board;
  if (FCurrentGame && FCurrentGame->View().pbBoard()->isVisible()) {
    const TframeGrid& view = FCurrentGame->View();
    for (const QWidget* box :
         {static_cast<const QWidget*>(view.pbLeft()), static_cast<const QWidget*>(view.pbTop()),
          static_cast<const QWidget*>(view.pbBoard())})
      board |= QRect(box->mapTo(FpBoard, QPoint(0, 0)), box->size());
  }
  // Above the board's scroll bar, when it has one.
  int bottom = area.height();
  if (FCurrentGame && FCurrentGame->View().sbBoard()->horizontalScrollBar()->isVisible())
    bottom -= FCurrentGame->View().sbBoard()->horizontalScrollBar()->height();
  const int bottomTop = bottom - FlHint->height() - 4;
  const int left = board.isNull() ? 0 : board.left();
  const int right = board.isNull() ? 0 : area.width() - board.right() - 1;
  const int side = std::max(left, right) - 16;
  // A side narrower than this would wrap the sentence into a tall column.
  const int narrowest = FlHint->fontMetrics().averageCharWidth() * 16;
  if (!board.isNull() && bottomTop < board.bottom() + 4 && side >= narrowest) {
    fitTo(side);
    const int x = left >= right ? 8 : board.right() + 9;
    FlHint->move(x, std::max(0, board.center().y() - FlHint->height() / 2));
  } else {
    FlHint->move((area.width() - FlHint->width()) / 2, bottomTop);
  }
  FlHint->raise();
}
