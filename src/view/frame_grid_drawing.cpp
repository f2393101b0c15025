// TframeGrid: what goes into the cells (board states, clue numbers, hot
// tracking, position counters), the check animations and the board image.
#include <QClipboard>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "model/nono_game.h"
#include "model/process_flags.h"
#include "view/board_accessible.h"
#include "view/frame_grid.h"
#include "view/grid_canvas.h"
#include "view/half_even.h"
#include "view/paint_box.h"
#include "view/view_colors.h"

namespace {

constexpr int kSmallestClueFont = 8;
// Ends the clue font search for absurdly large cells.
constexpr int kLargestClueFont = 1000;
constexpr int kSmallestHotDotPercent = 45;
constexpr int kSmallestHotDot = 3;

// Clue font sizes are measured at the resolution of the grid images.
const QImage& MeasuringDevice() {
  static const QImage device = NewGridImage(1, 1);
  return device;
}

// r shrunk on each side by the part of its size that percent leaves out.
TCellRect ShrinkToPercent(const TCellRect& r, int percent) {
  const int sx = DivRoundHalfEven(std::int64_t{r.Width()} * (100 - percent), 100);
  const int sy = DivRoundHalfEven(std::int64_t{r.Height()} * (100 - percent), 100);
  return TCellRect{r.Left + sx, r.Top + sy, r.Right - sx, r.Bottom - sy};
}

void Wait(int ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace

bool TframeGrid::PaintGrid(TNonoGrid* grid, QPainter& painter) {
  if (!grid || !FPaintEnabled || AppPhase == apClosing) return false;
  // Every paint renders the grid again from the puzzle as it stands.
  const QImage& image = grid->RenderedBitmap();
  if (image.isNull()) return false;
  const QRect box(0, 0, painter.device()->width(), painter.device()->height());
  if (!image.rect().contains(box))
    painter.fillRect(box, FpBoard->palette().color(QPalette::Window));
  painter.drawImage(0, 0, image);
  if (grid == FBoardGrid.get()) BoardCellsPainted(FpbBoard);
  return true;
}

void TframeGrid::RepaintAll() {
  if (AppBusy) return;
  FpbBoard->repaint();
  FpbTop->repaint();
  FpbLeft->repaint();
  QCoreApplication::processEvents();
}

void TframeGrid::changeEvent(QEvent* e) {
  if (e->type() == QEvent::FontChange) {
    FClueFontSizeMade = 0;
    FClueSprites.Clear();
  }
  QWidget::changeEvent(e);
}

QRgb TframeGrid::PaletteColor(TPaletteRole role) {
  // Converted once per palette: the board painter asks for every cell.
  const TBoardPalette& palette = FGame->Palette();
  if (!FPaletteConverted || palette != FConvertedPalette) {
    for (int i = 0; i < kBoardPaletteSize; ++i) FPaletteColors[i] = ToQRgb(palette.Colors[i]);
    FConvertedPalette = palette;
    FPaletteConverted = true;
  }
  return FPaletteColors[role];
}

void TframeGrid::DrawBoardCell(TNonoGrid& grid, QPainter& canvas, int col, int row,
                               const TCellRect& r) {
  if (!FGame) return;
  const TPieceState s = FGame->PlayerState(col, row);
  const int w = r.Width();
  const int h = r.Height();
  // Ticks and crosses: pen width a = 0.175 of the board's cell width.
  const int a = DivRoundHalfEven(std::int64_t{FBoardGrid->CellWidth()} * 7, 40);
  const auto mark = [&](TCellSprite& sprite, TCellMark kind, QRgb background, QRgb pen) {
    CopyImage(canvas, r.Left, r.Top, sprite.Get(kind, w, h, a, background, pen));
  };

  // A marked cell's image covers the whole cell, so only the others are
  // filled first.
  switch (s) {
    case psCorrect:
      mark(FSprites[kSpriteCorrect], TCellMark::Tick, PaletteColor(prTickBackground),
           PaletteColor(prTickPen));
      break;
    case psAllCorrect:
      mark(FSprites[kSpriteAllCorrect], TCellMark::Tick, PaletteColor(prTickBackground),
           ToQRgb(FGame->AllCorrectColor()));
      break;
    case psCrossed:
      mark(FSprites[kSpriteCrossed], TCellMark::Cross, PaletteColor(prCrossedCell),
           PaletteColor(prCrossPen));
      break;
    case psIncorrect:
      mark(FSprites[kSpriteIncorrect], TCellMark::Cross, PaletteColor(prFilledCell),
           PaletteColor(prCrossPen));
      break;
    default: {
      const TCellRect fill = grid.FillPercent() != 100 ? ShrinkToPercent(r, grid.FillPercent()) : r;
      FillSolid(canvas, fill.ToQRect(), PaletteColor(s == psChecked ? prFilledCell : prEmptyCell));
      const bool hotDot =
          s == psUnchecked && FHotTrackBoard && (row == grid.HotRow() || col == grid.HotCol());
      if (hotDot) DrawHotDot(canvas, r);
      break;
    }
  }
  if (grid.GridName() == "board") DrawCellCounter(grid, canvas, col, row, r);
}

void TframeGrid::DrawHotDot(QPainter& canvas, const TCellRect& r) {
  if (FHotDotPercent == -1) {
    // The smallest dot of at least 3 x 3 pixels; a cell too small for that
    // gets the whole cell.
    int p = kSmallestHotDotPercent;
    for (; p < 100; ++p) {
      const TCellRect d = ShrinkToPercent(r, p);
      if (d.Width() >= kSmallestHotDot && d.Height() >= kSmallestHotDot) break;
    }
    FHotDotPercent = p;
  }
  const TCellRect dot = ShrinkToPercent(r, FHotDotPercent);
  if (dot.Width() > 0 && dot.Height() > 0) FillSolid(canvas, dot.ToQRect(), PaletteColor(prHotDot));
}

void TframeGrid::DrawCellCounter(TNonoGrid&, QPainter& canvas, int col, int row,
                                 const TCellRect& r) {
  const TCountersArr& counters = FGame->PositionCounters();
  if (row < 0 || row >= static_cast<int>(counters.size()) || col < 0 ||
      col >= static_cast<int>(counters[row].size()))
    throw std::runtime_error("Internal error in DrawCellCounter");
  const int n = counters[row][col];
  if (n == 0) return;
  const int w = r.Width();
  const int h = r.Height();
  QFont counterFont = font();
  counterFont.setPointSize(std::max(1, DivRoundHalfEven(std::int64_t{w} * 2, 7)));
  canvas.setFont(counterFont);
  canvas.setPen(ToQColor(FGame->Palette()[prCounterText]));
  const QString text = QString::number(n);
  const QFontMetrics metrics = canvas.fontMetrics();
  const int x = r.Left + (w - metrics.horizontalAdvance(text)) / 2;
  const int y = r.Top + (h - metrics.height()) / 2;
  canvas.drawText(x, y + metrics.ascent(), text);
}

const QFont& TframeGrid::ClueFont(int size) {
  if (size != FClueFontSizeMade) {
    FClueFont = font();
    FClueFont.setBold(true);
    FClueFont.setPointSize(size);
    FClueFontSizeMade = size;
  }
  return FClueFont;
}

int TframeGrid::ClueFontSize(const TCellRect& r) {
  if (!FGame) return kSmallestClueFont;
  if (r.Width() != FGame->ClueFontWidth()) {
    FHotDotPercent = -1;
    FGame->SetClueFontSize(0);
    FGame->SetClueFontWidth(r.Width());
  }
  if (FGame->ClueFontSize() != 0) return FGame->ClueFontSize();
  // One step past the last size at which " 99 " still fits the cell.
  QFont trial = font();
  trial.setBold(true);
  const QString sample = QStringLiteral(" 99 ");
  int size = kSmallestClueFont;
  for (; size < kLargestClueFont; ++size) {
    trial.setPointSize(size);
    const QFontMetrics metrics(trial, &MeasuringDevice());
    if (metrics.horizontalAdvance(sample) >= r.Width() || metrics.height() >= r.Height()) break;
  }
  FGame->SetClueFontSize(size);
  return size;
}

void TframeGrid::DrawClueCell(TNonoGrid& grid, QPainter& canvas, int col, int row,
                              const TCellRect& r) {
  if (!FGame) return;
  const QFont& clueFont = ClueFont(ClueFontSize(r));
  const bool hot = grid.HotTrack() && (col == grid.HotCol() || row == grid.HotRow());
  const QRgb background = PaletteColor(hot ? prHotClue : prClueBackground);
  CopyImage(canvas, r.Left, r.Top,
            FClueSprites.Get(grid.GetText(col, row), r.Width(), r.Height(), clueFont, background,
                             PaletteColor(prClueText)));
}

void TframeGrid::Flash(int count, int ms) {
  if (!FGame) return;
  for (int i = 0; i < count; ++i) {
    FGame->ReplaceState(psChecked, psCorrect);
    RepaintAll();
    Wait(ms);
    FGame->ReplaceState(psCorrect, psChecked);
    RepaintAll();
    if (i < count - 1) Wait(ms);
  }
}

void TframeGrid::Shake(TLayoutFlags flags, int n, int amplitude, int ms) {
  const int m = 2 * n;
  if (m > 1) {
    int d = amplitude;
    for (int i = 0; i < m; ++i) {
      Layout(flags, d);
      Wait(ms);
      RepaintAll();
      d = -d;
    }
  }
  Layout(flags, 0);
}

QImage TframeGrid::BoardImage() {
  if (!FGame || !FBoardGrid) return QImage();
  const int gap = FBoardGrid->CellWidth() / 8;
  int w = FBoardGrid->CellWidth();
  int h = FBoardGrid->CellHeight();
  const QSize size = TotalSize(0, gap, w, h);
  QImage image = NewGridImage(size.width(), size.height());
  image.fill(FpBoard->palette().color(QPalette::Window));
  QPainter painter(&image);
  const QImage& left = FLeftGrid->RenderedBitmap();
  const QImage& top = FTopGrid->RenderedBitmap();
  const QImage& board = FBoardGrid->RenderedBitmap();
  painter.drawImage(0, gap + FTopGrid->BitmapHeight(), left);
  painter.drawImage(gap + FLeftGrid->BitmapWidth(), 0, top);
  painter.drawImage(gap + FLeftGrid->BitmapWidth(), gap + FTopGrid->BitmapHeight(), board);
  return image;
}

void TframeGrid::CopyBoardImageToClipboard() {
  const QImage image = BoardImage();
  if (!image.isNull()) QGuiApplication::clipboard()->setImage(image);
}
