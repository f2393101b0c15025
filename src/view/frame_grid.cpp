// TframeGrid: components, setup, geometry and layout.
#include "view/frame_grid.h"

#include <QEvent>
#include <QNativeGestureEvent>
#include <QPalette>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

#include "model/nono_game.h"
#include "view/board_accessible.h"
#include "view/half_even.h"
#include "view/paint_box.h"
#include "view/view_colors.h"

namespace {

constexpr int kInitialCellSize = 20;

void SetUpGrid(TNonoGrid& grid, const TBoardPalette& palette, bool linesX, bool linesY) {
  grid.SetFillPercent(100);
  grid.SetBackgroundColor(palette[prGridBackground]);
  grid.SetCellColor(palette[prBoardArea]);
  grid.SetGroupLineColor(palette[prGroupLine]);
  grid.SetBorderWidth(3);
  grid.SetGroupCols(5);
  grid.SetGroupRows(5);
  grid.SetGroupLineWidth(1);
  grid.SetGroupLinesX(linesX);
  grid.SetGroupLinesY(linesY);
  grid.SetLineWidth(2);
  grid.SetCellSize(kInitialCellSize, kInitialCellSize);
}

}  // namespace

TframeGrid::TframeGrid(QWidget* parent) : QWidget(parent) {
  InstallBoardAccessible();
  FsbBoard = new QScrollArea(this);
  FsbBoard->setObjectName("sbBoard");
  FsbBoard->setFrameShape(QFrame::NoFrame);
  FsbBoard->setWidgetResizable(false);
  FsbBoard->setFocusPolicy(Qt::NoFocus);
  FsbBoard->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  FsbBoard->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Ctrl with the wheel zooms: the window sees it, the scroll area does not.
  // A pinch zooms too, wherever on the board area it lands.
  FsbBoard->viewport()->installEventFilter(this);
  FpBoard = new QWidget;
  FsbBoard->setWidget(FpBoard);
  FpBoard->setAutoFillBackground(true);
  FpBoard->hide();
  // In stacking order: the board, the covers behind the pinned strips, the
  // strips, the cover of the corner where they meet.
  FpbBoard = new TPaintBox(FpBoard);
  FpTopBand = new QWidget(FpBoard);
  FpLeftBand = new QWidget(FpBoard);
  FpbLeft = new TPaintBox(FpBoard);
  FpbTop = new TPaintBox(FpBoard);
  FpCorner = new QWidget(FpBoard);
  for (QWidget* cover : {FpTopBand, FpLeftBand, FpCorner}) cover->setAutoFillBackground(true);
  for (QWidget* w : {static_cast<QWidget*>(FpBoard), static_cast<QWidget*>(FpbBoard),
                     static_cast<QWidget*>(FpbLeft), static_cast<QWidget*>(FpbTop)})
    w->installEventFilter(this);
  for (QScrollBar* bar : {FsbBoard->horizontalScrollBar(), FsbBoard->verticalScrollBar()}) {
    connect(bar, &QScrollBar::valueChanged, this, [this] {
      if (FPinning) return;
      // Only the player's scrolling is kept, not a layout's.
      if (isVisible() && !FLayingOut) FKeptScroll = ScrollPos();
      PinStrips();
    });
    connect(bar, &QScrollBar::rangeChanged, this, [this] { PinStrips(); });
  }
  FpBoard->setObjectName("pBoard");
  FpbLeft->setObjectName("pbLeft");
  FpbTop->setObjectName("pbTop");
  FpbBoard->setObjectName("pbBoard");
  for (TPaintBox* box : {FpbLeft, FpbTop, FpbBoard}) box->hide();

  FpbLeft->OnPaint = [this](QPainter& p) { return PaintGrid(FLeftGrid.get(), p); };
  FpbTop->OnPaint = [this](QPainter& p) { return PaintGrid(FTopGrid.get(), p); };
  FpbBoard->OnPaint = [this](QPainter& p) { return PaintGrid(FBoardGrid.get(), p); };
  FpbBoard->OnMouseDown = [this](Qt::MouseButton, Qt::MouseButtons held, int x, int y) {
    Dispatch(held, x, y, mfDown);
  };
  FpbBoard->OnMouseMove = [this](Qt::MouseButton, Qt::MouseButtons held, int x, int y) {
    Dispatch(held, x, y, mfMove);
    // A stroke that reaches the edge of the visible part of a large board
    // takes the view along, up to the board's edge.
    if (held != Qt::NoButton) DragAlong(QPoint(x, y));
  };
  FpbBoard->OnMouseUp = [this](Qt::MouseButton, Qt::MouseButtons held, int x, int y) {
    Dispatch(held, x, y, mfUp);
  };
  FpbBoard->OnMouseEnter = [this] { Dispatch(Qt::NoButton, 0, 0, mfEnter); };
  FpbBoard->OnMouseLeave = [this] { pbBoardMouseLeave(); };

  if (parent) {
    FWatchedParent = parent;
    parent->installEventFilter(this);
  }
}

TframeGrid::~TframeGrid() {
  // The paint boxes outlive this body (Qt deletes children later); they must
  // not call back into a half-destroyed frame.
  for (TPaintBox* box : {FpbLeft, FpbTop, FpbBoard}) {
    box->OnPaint = nullptr;
    box->OnMouseDown = box->OnMouseMove = box->OnMouseUp = nullptr;
    box->OnMouseEnter = box->OnMouseLeave = nullptr;
  }
  if (FWatchedParent) FWatchedParent->removeEventFilter(this);
}

void TframeGrid::SetHotTrackCounters(bool on) {
  if (FLeftGrid) FLeftGrid->SetHotTrack(on);
  if (FTopGrid) FTopGrid->SetHotTrack(on);
}

void TframeGrid::SetDrawCellsPos(bool on) {
  if (FLeftGrid) FLeftGrid->SetDrawCellsPos(on);
  if (FTopGrid) FTopGrid->SetDrawCellsPos(on);
}

void TframeGrid::SetPanelColor(TColor colour) {
  QPalette palette = FpBoard->palette();
  palette.setColor(QPalette::Window, ToQColor(colour));
  FpBoard->setPalette(palette);
}

void TframeGrid::ShowBoard() {
  FpBoard->show();
  for (TPaintBox* box : {FpbLeft, FpbTop, FpbBoard}) box->show();
}

void TframeGrid::FitToParent() {
  if (QWidget* parent = parentWidget()) setGeometry(parent->rect());
}

bool TframeGrid::event(QEvent* e) {
  if (e->type() == QEvent::ParentChange) {
    if (FWatchedParent) FWatchedParent->removeEventFilter(this);
    FWatchedParent = parentWidget();
    if (FWatchedParent) {
      FWatchedParent->installEventFilter(this);
      FitToParent();
    }
  }
  return QWidget::event(e);
}

bool TframeGrid::eventFilter(QObject* watched, QEvent* e) {
  if (watched == FWatchedParent && e->type() == QEvent::Resize) FitToParent();
  if (e->type() == QEvent::NativeGesture) {
    auto* gesture = static_cast<QNativeGestureEvent*>(e);
    if (gesture->gestureType() != Qt::ZoomNativeGesture) return false;
    const QPoint at = FsbBoard->viewport()->mapFromGlobal(gesture->globalPosition().toPoint());
    Pinch(gesture->value(), at);
    e->accept();
    return true;
  }
  if (watched == FsbBoard->viewport() && e->type() == QEvent::Wheel) {
    auto* wheel = static_cast<QWheelEvent*>(e);
    if (wheel->modifiers() & Qt::ControlModifier) {
      // Passed on unhandled, so it reaches the window's zoom.
      e->ignore();
      return true;
    }
    if ((wheel->modifiers() & Qt::ShiftModifier) && wheel->angleDelta().x() == 0) {
      // Shift turns the wheel sideways, as in most programs that scroll.
      QScrollBar* across = FsbBoard->horizontalScrollBar();
      across->setValue(across->value() - wheel->angleDelta().y() * 3 * across->singleStep() / 120);
      e->accept();
      return true;
    }
  }
  return QWidget::eventFilter(watched, e);
}

void TframeGrid::resizeEvent(QResizeEvent*) {
  FrameResize();
}

void TframeGrid::FrameResize() {
  QWidget* parent = parentWidget();
  if (!parent) return;
  FsbBoard->setGeometry(0, 0, parent->width(), parent->height());
  FitPanel(FNeed);
  PinStrips();
  RepaintAll();
}

void TframeGrid::SetGame(TNonoGame* game) {
  FGame = game;
  // The clue font was measured for the clues of the puzzle shown before.
  FClueFontSize = 0;
  FClueFontWidth = 0;
}

void TframeGrid::SetUp(TNonoGame* game) {
  SetGame(game);
  SetMarginXPercent(5);
  SetMarginYPercent(5);
  SetMinCellSize(10);
  CreateGrids();
  SetPanelColor(FPalette[prBoardArea]);
  SetInputEnabled(true);
}

void TframeGrid::CreateGrids() {
  if (!FGame) return;
  const TBoardPalette& palette = FPalette;
  FBoardGrid = std::make_unique<TNonoGrid>();
  FLeftGrid = std::make_unique<TNonoGrid>();
  FTopGrid = std::make_unique<TNonoGrid>();
  FBoardGrid->SetGridName("board");
  FBoardGrid->SetOnDrawCell([this](TNonoGrid& g, QPainter& c, int col, int row,
                                   const TCellRect& r) { DrawBoardCell(g, c, col, row, r); });
  const TDrawCellEvent clue = [this](TNonoGrid& g, QPainter& c, int col, int row,
                                     const TCellRect& r) { DrawClueCell(g, c, col, row, r); };
  FLeftGrid->SetOnDrawCell(clue);
  FTopGrid->SetOnDrawCell(clue);
  SetUpGrid(*FBoardGrid, palette, true, true);
  SetUpGrid(*FLeftGrid, palette, false, true);
  SetUpGrid(*FTopGrid, palette, true, false);
  FBoardGrid->SetRowCount(FGame->Height());
  FBoardGrid->SetColCount(FGame->Width());
}

void TframeGrid::LoadClues() {
  if (!FGame || !FBoardGrid) return;
  // The board follows the puzzle should a restored game bring another size.
  if (FBoardGrid->RowCount() != FGame->Height()) FBoardGrid->SetRowCount(FGame->Height());
  if (FBoardGrid->ColCount() != FGame->Width()) FBoardGrid->SetColCount(FGame->Width());

  const TCountersArr columns = FGame->ColumnClues(false);
  const TCountersArr rows = FGame->RowClues(false);
  const int rowNumbers = rows.empty() ? 0 : static_cast<int>(rows[0].size());
  const int colNumbers = columns.empty() ? 0 : static_cast<int>(columns[0].size());
  // Blank positions in front make up the least depth asked for.
  const int rowPositions = std::max(rowNumbers, FMinRowClueDepth);
  const int colPositions = std::max(colNumbers, FMinColumnClueDepth);
  FLeftGrid->SetColCount(rowPositions);
  FLeftGrid->SetRowCount(FGame->Height());
  FTopGrid->SetColCount(FGame->Width());
  FTopGrid->SetRowCount(colPositions);
  FLeftGrid->ClearTexts();
  FTopGrid->ClearTexts();
  // Padding zeros and the clue of an empty line both show as blank cells.
  const auto text = [](int value) { return value == 0 ? std::string() : std::to_string(value); };
  for (int c = 0; c < static_cast<int>(columns.size()); ++c)
    for (int k = 0; k < colNumbers; ++k)
      FTopGrid->SetText(c, k + colPositions - colNumbers, text(columns[c][k]));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r)
    for (int k = 0; k < rowNumbers; ++k)
      FLeftGrid->SetText(k + rowPositions - rowNumbers, r, text(rows[r][k]));

  std::string widest;
  for (const TCountersArr* clues : {&columns, &rows})
    for (const auto& line : *clues)
      for (const int value : line)
        if (text(value).size() > widest.size()) widest = text(value);
  // Another puzzle may need another font even at the same cell width.
  if (widest != FWidestClue) {
    FWidestClue = widest;
    FClueFontSize = 0;
  }
}

void TframeGrid::Layout(TLayoutFlags flags, int dx) {
  if (!FGame || !FBoardGrid) return;
  FLayingOut = true;
  LoadClues();
  SizeStrips();
  // A board the player zoomed keeps its size, larger than the room or not.
  if ((flags & (lfFit | lfResized)) && !(flags & lfZoomed) && FGame->AutoFit()) FitToRoom(flags);
  const int gap = FBoardGrid->CellWidth() / 8;
  FpbLeft->resize(FLeftGrid->BitmapWidth(), FLeftGrid->BitmapHeight());
  FpbTop->resize(FTopGrid->BitmapWidth(), FTopGrid->BitmapHeight());
  FpbBoard->resize(FBoardGrid->BitmapWidth(), FBoardGrid->BitmapHeight());

  const QSize composite(FpbLeft->width() + gap + FpbBoard->width(),
                        FpbTop->height() + gap + FpbBoard->height());
  FNeed = composite;
  FitPanel(FNeed);
  const int W = FpBoard->width();
  const int H = FpBoard->height();
  const int leftX = dx + (W - composite.width()) / 2;
  const int topY = (H - composite.height()) / 2;
  const int boardY = topY + FpbTop->height() + gap;
  const int boardX = leftX + FpbLeft->width() + gap;
  FpbLeft->move(leftX, boardY);
  FpbTop->move(boardX, topY);
  FpbBoard->move(boardX, boardY);
  FSavedLeftPos = FpbLeft->pos();
  FSavedTopPos = FpbTop->pos();
  FSavedBoardPos = FpbBoard->pos();
  // The place the player had, as far as the new size allows.
  // A board not scrolled yet starts with strips deeper than a third of the
  // view already given way, so the board is seen first.
  const QSize over = StripsOverflow();
  if (FKeptScroll)
    SetScrollPos(*FKeptScroll);
  else
    SetScrollPos(QPoint(over.width() > 0 ? FSavedLeftPos.x() + over.width() : 0,
                        over.height() > 0 ? FSavedTopPos.y() + over.height() : 0));
  FLayingOut = false;
  PinStrips();
}

void TframeGrid::Relayout(TLayoutFlags flags) {
  if (Busy()) return;
  // The strips move with the scrolling; the board's place tells a new layout.
  const bool moved = FpbBoard->pos() != FSavedBoardPos;
  // Hidden while they jump, so no half-moved composite is ever shown; only the
  // ones that were showing come back.
  bool wasShown[3] = {false, false, false};
  TPaintBox* const boxes[3] = {FpbTop, FpbLeft, FpbBoard};
  if (moved)
    for (int i = 0; i < 3; ++i) {
      wasShown[i] = !boxes[i]->isHidden();
      boxes[i]->hide();
    }
  Layout(flags, 0);
  for (TPaintBox* box : boxes) box->repaint();
  if (moved)
    for (int i = 0; i < 3; ++i)
      if (wasShown[i]) boxes[i]->show();
}

QSize TframeGrid::AvailableRoom() const {
  return QSize(DivRoundHalfEven(std::int64_t{FsbBoard->width()} * (100 - FMarginXPercent), 100),
               DivRoundHalfEven(std::int64_t{FsbBoard->height()} * (100 - FMarginYPercent), 100));
}

QSize TframeGrid::TotalSize(int delta, int gap, int& w, int& h) const {
  w += delta;
  h += delta;
  return CompositeSize(w, h, gap, StripDepth(w), StripDepth(h));
}

QSize TframeGrid::CompositeSize(int w, int h, int gap, int depthW, int depthH) const {
  const auto measure = [](const TNonoGrid& grid, int cellW, int cellH) {
    TGridGeometry g = grid.Geometry();
    g.CellWidth = cellW;
    g.CellHeight = cellH;
    return TNonoGrid::MeasureSize(g);
  };
  const TGridMeasure board = measure(*FBoardGrid, w, h);
  const TGridMeasure left = measure(*FLeftGrid, depthW, h);
  const TGridMeasure top = measure(*FTopGrid, w, depthH);
  return QSize(gap + board.Width + left.Width, gap + board.Height + top.Height);
}

int TframeGrid::FitStep(TLayoutFlags, int delta, int& w, int& h, bool zoomMode) const {
  if (FMinCellSize > 0 && delta < 0 && w == FMinCellSize) return 0;
  const QSize room = AvailableRoom();
  const QSize total = TotalSize(delta, FBoardGrid->CellWidth() / 8, w, h);
  if (total.width() > room.width() || total.height() > room.height()) {
    if (zoomMode) return 0;
    return delta == 1 ? 0 : -1;
  }
  if (total.width() == room.width() || total.height() == room.height()) return 0;
  if (zoomMode) return delta;
  return delta == -1 ? 0 : 1;
}

void TframeGrid::FitToRoom(TLayoutFlags flags) {
  if (!FBoardGrid) return;
  int w = FBoardGrid->CellWidth();
  int h = FBoardGrid->CellHeight();
  int w0 = w;
  int h0 = h;
  const int gap = FBoardGrid->CellWidth() / 8;
  int delta = 0;
  int tried = 0;
  do {
    w0 = w;
    h0 = h;
    TotalSize(delta, gap, w, h);
    tried = delta;
    delta = FitStep(flags, delta, w, h, false);
    if ((flags & lfZoomed) && !(flags & lfResized) && delta > 0) delta = 0;
    if ((flags & lfNoGrow) && delta > 0) delta = 0;
  } while (delta != 0);
  // Shrinking ends on the first trial size that fits, so the whole board stays
  // in view; stopping a pass earlier would leave it cut at the panel's edges.
  // (A trial the smallest cell size stopped was never measured.)
  if (tried == -1 && w == w0 - 2) {
    w0 = w;
    h0 = h;
  }
  // Fitting never goes below the smallest cell zooming keeps: smaller cells
  // cannot be read or hit. A board too large for the room then scrolls.
  if (FMinCellSize > 0 && w0 < FMinCellSize) {
    w0 = FMinCellSize;
    h0 = FMinCellSize;
  }
  // A size <= 0 is refused by the grids, which then keep their size.
  FBoardGrid->SetCellSize(w0, h0);
  SizeStrips();
}

int TframeGrid::StripDepth(int cell) const {
  if (!FBoardGrid || cell <= kTightClueDepth) return cell;
  const QSize view = FsbBoard->size();
  const int pitch = cell + FLeftGrid->LineWidth();
  const bool deep = 3 * FLeftGrid->ColCount() * pitch > view.width() ||
                    3 * FTopGrid->RowCount() * pitch > view.height();
  return deep ? kTightClueDepth : cell;
}

void TframeGrid::SizeStrips() {
  const int w = FBoardGrid->CellWidth();
  const int h = FBoardGrid->CellHeight();
  FLeftGrid->SetCellSize(StripDepth(w), h);
  FTopGrid->SetCellSize(w, StripDepth(h));
}

QSize TframeGrid::RoomFor(int cell) {
  if (!FGame || !FBoardGrid) return {};
  LoadClues();
  // Measured with strips as deep as the cells: in the room this asks for,
  // the strips may no longer need the tight layout.
  const QSize total = CompositeSize(cell, cell, cell / 8, cell, cell);
  // The inverse of AvailableRoom, rounded up so that the composite fits.
  const auto grow = [](int size, int margin) {
    return margin >= 100 ? size : (size * 100 + (100 - margin) - 1) / (100 - margin);
  };
  return QSize(grow(total.width(), FMarginXPercent), grow(total.height(), FMarginYPercent));
}

void TframeGrid::ClearHotTrack() {
  for (TNonoGrid* grid : {FBoardGrid.get(), FLeftGrid.get(), FTopGrid.get()}) {
    if (!grid) continue;
    grid->SetHotRow(-1);
    grid->SetHotCol(-1);
  }
}

void TframeGrid::SetHotTrack(int row, int col) {
  if (!FBoardGrid) return;
  if (row >= 0) FLeftGrid->SetHotRow(row);
  FLeftGrid->SetHotCol(-1);
  FTopGrid->SetHotRow(-1);
  if (col >= 0) FTopGrid->SetHotCol(col);
  FBoardGrid->SetHotCol(FTopGrid->HotCol());
  FBoardGrid->SetHotRow(FLeftGrid->HotRow());
}
