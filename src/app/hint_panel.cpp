#include "app/hint_panel.h"

#include <QEvent>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <utility>

#include "slots/slot.h"
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

THintPanel::THintPanel(QWidget* boardArea, std::function<TSlot*()> shown)
    : QLabel(boardArea), FShown(std::move(shown)) {
  setObjectName("lHint");
  setWordWrap(true);
  setAlignment(Qt::AlignCenter);
  setAutoFillBackground(true);
  setMargin(4);
  hide();
}

void THintPanel::Tell(const std::string& sentence) {
  setText(QString::fromStdString(sentence));
  show();
  // The sentence keeps clear of the board when a later layout moves it.
  TSlot* game = FShown();
  QWidget* board = game ? game->View().pbBoard() : nullptr;
  if (board && !board->findChild<QObject*>("hintPlacementWatch", Qt::FindDirectChildrenOnly))
    new TPlacementWatch(board, [self = QPointer<THintPanel>(this)] {
      if (self && !self->isHidden()) self->Place();
    });
  Place();
}

void THintPanel::Follow() {
  if (isHidden()) return;
  TSlot* game = FShown();
  if (!game || !game->View().HintShown()) hide();
}

void THintPanel::Place() {
  if (isHidden()) return;
  QWidget* const boardArea = parentWidget();
  const QRect area = boardArea->rect();
  TSlot* game = FShown();
  // Along the bottom of the board area, unless it would cover the board
  // there (a small window, or large text) and a side has room for it.
  // Wrapped sentences take the height their width needs.
  // (The label measures within its size limits: they go first.)
  const auto fitTo = [this](int width) {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const int height = heightForWidth(width);
    setFixedSize(width, height > 0 ? height : sizeHint().height());
  };
  fitTo(std::max(1, area.width() * 9 / 10));
  QRect board;
  if (game && game->View().pbBoard()->isVisible()) {
    const TframeGrid& view = game->View();
    for (const QWidget* box :
         {static_cast<const QWidget*>(view.pbLeft()), static_cast<const QWidget*>(view.pbTop()),
          static_cast<const QWidget*>(view.pbBoard())})
      board |= QRect(box->mapTo(boardArea, QPoint(0, 0)), box->size());
  }
  // Above the board's scroll bar, when it has one.
  int bottom = area.height();
  if (game && game->View().sbBoard()->horizontalScrollBar()->isVisible())
    bottom -= game->View().sbBoard()->horizontalScrollBar()->height();
  const int bottomTop = bottom - height() - 4;
  const int left = board.isNull() ? 0 : board.left();
  const int right = board.isNull() ? 0 : area.width() - board.right() - 1;
  const int side = std::max(left, right) - 16;
  // A side narrower than this would wrap the sentence into a tall column.
  const int narrowest = fontMetrics().averageCharWidth() * 16;
  if (!board.isNull() && bottomTop < board.bottom() + 4 && side >= narrowest) {
    fitTo(side);
    const int x = left >= right ? 8 : board.right() + 9;
    move(x, std::max(0, board.center().y() - height() / 2));
  } else {
    move((area.width() - width()) / 2, bottomTop);
  }
  raise();
}
