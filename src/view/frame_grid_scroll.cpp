// TframeGrid: the scrolled view of a board larger than the room - the panel's
// size and scroll bars, the clue strips pinned like frozen headers, keeping a
// cell in view, and zooming about a point.
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <cmath>

#include "model/nono_game.h"
#include "view/frame_grid.h"
#include "view/paint_box.h"

namespace {

// The margin around a composite that scrolls.
constexpr int kScrollMargin = 8;

}  // namespace

QWidget* TframeGrid::Viewport() const {
  return FsbBoard->viewport();
}

QPoint TframeGrid::ScrollPos() const {
  return QPoint(FsbBoard->horizontalScrollBar()->value(), FsbBoard->verticalScrollBar()->value());
}

void TframeGrid::SetScrollPos(QPoint at) {
  FsbBoard->horizontalScrollBar()->setValue(at.x());
  FsbBoard->verticalScrollBar()->setValue(at.y());
}

void TframeGrid::FitPanel(QSize composite) {
  const QSize full = FsbBoard->size();
  const int bar = FsbBoard->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, FsbBoard);
  // A scroll bar takes room from the other direction, which may then need
  // one too.
  bool across = composite.width() > full.width();
  bool down = composite.height() > full.height();
  if (across && !down) down = composite.height() > full.height() - bar;
  if (down && !across) across = composite.width() > full.width() - bar;
  const QSize view(std::max(0, full.width() - (down ? bar : 0)),
                   std::max(0, full.height() - (across ? bar : 0)));
  FsbBoard->setHorizontalScrollBarPolicy(across ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  FsbBoard->setVerticalScrollBarPolicy(down ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  // A composite that scrolls keeps a margin at its ends.
  FpBoard->resize(across ? composite.width() + 2 * kScrollMargin : view.width(),
                  down ? composite.height() + 2 * kScrollMargin : view.height());
}

void TframeGrid::PinStrips() {
  if (!FBoardGrid || FPinning) return;
  FPinning = true;
  const QPoint origin = ScrollPos();
  const QSize view = FsbBoard->viewport()->size();
  const int gap = FBoardGrid->CellWidth() / 8;
  const int topOver = StripsOverflow().height();
  const int leftOver = StripsOverflow().width();
  const int topY = std::max(FSavedTopPos.y(), origin.y() - topOver);
  const int leftX = std::max(FSavedLeftPos.x(), origin.x() - leftOver);
  FpbTop->move(FSavedTopPos.x(), topY);
  FpbLeft->move(leftX, FSavedLeftPos.y());
  const int topEnd = std::max(0, topY + FpbTop->height() + gap - origin.y());
  const int leftEnd = std::max(0, leftX + FpbLeft->width() + gap - origin.x());
  FpTopBand->setGeometry(origin.x(), origin.y(), view.width(), topEnd);
  FpLeftBand->setGeometry(origin.x(), origin.y(), leftEnd, view.height());
  FpCorner->setGeometry(origin.x(), origin.y(), leftEnd, topEnd);
  FPinning = false;
}

QSize TframeGrid::StripsOverflow() const {
  if (!FBoardGrid) return {};
  const QSize view = FsbBoard->viewport()->size();
  const int gap = FBoardGrid->CellWidth() / 8;
  // A strip deeper than a third of the view gives up its far end first, so
  // the numbers next to the board stay.
  return QSize(std::max(0, FpbLeft->width() + gap - view.width() / 3),
               std::max(0, FpbTop->height() + gap - view.height() / 3));
}

QSize TframeGrid::PinnedStripsExtent() const {
  if (!FBoardGrid) return {};
  const QPoint origin = ScrollPos();
  const int gap = FBoardGrid->CellWidth() / 8;
  return QSize(std::max(0, FpbLeft->x() + FpbLeft->width() + gap - origin.x()),
               std::max(0, FpbTop->y() + FpbTop->height() + gap - origin.y()));
}

void TframeGrid::ScrollToCell(int col, int row) {
  if (!FBoardGrid) return;
  for (const TCellCacheRec& rec : FBoardGrid->CellCache())
    if (rec.Col == col && rec.Row == row) {
      KeepInView(rec.Rect.ToQRect().translated(FpbBoard->pos()));
      return;
    }
}

void TframeGrid::ScrollToFirst(TPieceState state) {
  if (!FGame) return;
  for (int y = 0; y < FGame->Height(); ++y)
    for (int x = 0; x < FGame->Width(); ++x)
      if (FGame->PlayerState(x, y) == state) {
        ScrollToCell(x, y);
        return;
      }
}

void TframeGrid::KeepInView(const QRect& area) {
  if (!FBoardGrid) return;
  const int cellW = FBoardGrid->CellWidth();
  const int cellH = FBoardGrid->CellHeight();
  const QSize view = FsbBoard->viewport()->size();
  // The strips stay pinned once scrolled, so the part they cover is left
  // out of the view the area must be in.
  const int gap = cellW / 8;
  const int coverX = std::max(0, std::min(FpbLeft->width(), view.width() / 3 - gap) + gap);
  const int coverY = std::max(0, std::min(FpbTop->height(), view.height() / 3 - gap) + gap);
  const auto keep = [](QScrollBar* bar, int low, int high, int cover, int size, int margin) {
    // A view too small for the area and its margins shows the area's start.
    const int first = high + margin - size;
    const int last = low - margin - cover;
    int value = bar->value();
    if (value < first) value = first;
    if (value > last) value = last;
    bar->setValue(value);
  };
  keep(FsbBoard->horizontalScrollBar(), area.left(), area.right() + 1, coverX, view.width(),
       cellW + cellW / 2);
  keep(FsbBoard->verticalScrollBar(), area.top(), area.bottom() + 1, coverY, view.height(),
       cellH + cellH / 2);
}

void TframeGrid::DragAlong(QPoint point) {
  if (!FBoardGrid) return;
  const QPoint at(std::clamp(point.x(), 0, FpbBoard->width() - 1),
                  std::clamp(point.y(), 0, FpbBoard->height() - 1));
  const QPoint inView = FpbBoard->pos() + at - ScrollPos();
  const QSize view = FsbBoard->viewport()->size();
  const QSize cover = PinnedStripsExtent();
  // Only at the edge: a stroke well inside the view must not move the cells
  // under a pointer that hardly moved.
  const int edge = std::max(2, FBoardGrid->CellWidth() / 4);
  const QRect inside(cover.width() + edge, cover.height() + edge,
                     view.width() - cover.width() - 2 * edge,
                     view.height() - cover.height() - 2 * edge);
  if (!inside.contains(inView)) KeepInView(QRect(FpbBoard->pos() + at, QSize(1, 1)));
}

bool TframeGrid::Zoom(int delta, std::optional<QPoint> at) {
  if (!FGame || !FBoardGrid) return false;
  if (delta == 0) return false;
  // One step per call, whatever the size of the wheel turn.
  const int step = delta > 0 ? 1 : -1;
  int w = FBoardGrid->CellWidth();
  int h = FBoardGrid->CellHeight();
  const int wanted = w + step;
  if (step < 0 && wanted < std::max(1, FMinCellSize)) return false;
  // Beyond the largest zoom cell only while the composite still fits.
  if (step > 0 && wanted > kLargestZoomCell && FitStep(0, step, w, h, true) == 0) return false;
  // The board is drawn whole at every paint: on the largest boards the
  // image it takes bounds the zoom before the cell size does.
  if (step > 0) {
    TGridGeometry g = FBoardGrid->Geometry();
    g.CellWidth = g.CellHeight = wanted;
    const TGridMeasure board = TNonoGrid::MeasureSize(g);
    if (std::max(board.Width, board.Height) > kLargestBoardImage) return false;
  }
  if (!FBoardGrid->ZoomCells(step, step)) return false;

  // The point that stays: in the viewport, and on the board before the step.
  const QSize view = FsbBoard->viewport()->size();
  QPoint anchor(view.width() / 2, view.height() / 2);
  if (at) {
    anchor = *at;
  } else if (FCursor.Shown()) {
    for (const TCellCacheRec& rec : FBoardGrid->CellCache())
      if (rec.Col == FCursor.Col() && rec.Row == FCursor.Row())
        anchor = rec.Rect.ToQRect().center() + FpbBoard->pos() - ScrollPos();
  }
  const QPoint onBoard = anchor + ScrollPos() - FpbBoard->pos();
  const QSize before = FpbBoard->size();

  SizeStrips();
  FGame->SetGameState(FGame->GameState() | vfZoomed);
  Relayout(lfKeep);

  const QSize after = FpbBoard->size();
  const auto scale = [](int v, int from, int to) {
    return from > 0 ? static_cast<int>(static_cast<std::int64_t>(v) * to / from) : v;
  };
  const QPoint moved(scale(onBoard.x(), before.width(), after.width()),
                     scale(onBoard.y(), before.height(), after.height()));
  SetScrollPos(FpbBoard->pos() + moved - anchor);
  return true;
}

void TframeGrid::Pinch(double scale, QPoint at) {
  if (!FGame) return;
  // A pinch reports small changes of scale; a cell size step is taken for
  // every tenth.
  constexpr double kStep = 0.1;
  FPinch += scale;
  // (With a little slack for the sums of tenths that fall just short.)
  while (std::abs(FPinch) >= kStep - 1e-9) {
    const int step = FPinch > 0 ? 1 : -1;
    FPinch -= step * kStep;
    if (!Zoom(step, at)) {
      FPinch = 0;
      break;
    }
    FGame->SetAutoFit(true);
  }
}
