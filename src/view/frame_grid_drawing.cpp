// TframeGrid: what goes into the cells (board states, clue numbers, hot
// tracking, position counters), the check animations and the board image.
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "model/nono_game.h"
#include "model/process_flags.h"
#include "view/board_accessible.h"
#include "view/board_look.h"
#include "view/clue_strip_accessible.h"
#include "view/frame_grid.h"
#include "view/grid_canvas.h"
#include "view/half_even.h"
#include "view/paint_box.h"
#include "view/view_colors.h"

namespace {

// Small enough for two digits in the smallest cells.
constexpr int kSmallestClueFont = 4;
// Room kept free beside a clue's text, so that neighbouring clues never run
// together (the grid's own gap adds to it).
constexpr int kClueMargin = 2;
// Ends the clue font search for absurdly large cells.
constexpr int kLargestClueFont = 1000;
// Digits shorter than this are hard to read; narrower ones are read easily.
constexpr int kLegibleDigitHeight = 8;
// The narrowest the digits are drawn, in percent of their width.
constexpr int kNarrowestClueStretch = 50;
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

// A frame of pen pixels just inside box; dashed, it has gaps of its own
// length.
void FrameInside(QPainter& canvas, const QRect& box, int pen, QRgb colour, bool dashed = false) {
  const QColor c = QColor::fromRgb(colour);
  if (!dashed) {
    canvas.fillRect(QRect(box.left(), box.top(), box.width(), pen), c);
    canvas.fillRect(QRect(box.left(), box.bottom() - pen + 1, box.width(), pen), c);
    canvas.fillRect(QRect(box.left(), box.top(), pen, box.height()), c);
    canvas.fillRect(QRect(box.right() - pen + 1, box.top(), pen, box.height()), c);
    return;
  }
  const int dash = std::max(2, pen * 3 / 2);
  for (int x = box.left(); x <= box.right(); x += 2 * dash) {
    const int w = std::min(dash, box.right() - x + 1);
    canvas.fillRect(QRect(x, box.top(), w, pen), c);
    canvas.fillRect(QRect(x, box.bottom() - pen + 1, w, pen), c);
  }
  for (int y = box.top(); y <= box.bottom(); y += 2 * dash) {
    const int h = std::min(dash, box.bottom() - y + 1);
    canvas.fillRect(QRect(box.left(), y, pen, h), c);
    canvas.fillRect(QRect(box.right() - pen + 1, y, pen, h), c);
  }
}

void Wait(int ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace

bool TframeGrid::PaintGrid(TNonoGrid* grid, QPainter& painter) {
  if (!grid || !FPaintEnabled || AppPhase == apClosing) return false;
  // Every paint renders the grid again from the puzzle as it stands.
  RefreshClueMarks(grid);
  HintShown();  // forgets a hint the board has moved on from
  const QImage& image = grid->RenderedBitmap();
  if (image.isNull()) return false;
  const QRect box(0, 0, painter.device()->width(), painter.device()->height());
  if (!image.rect().contains(box))
    painter.fillRect(box, FpBoard->palette().color(QPalette::Window));
  painter.drawImage(0, 0, image);
  if (grid == FBoardGrid.get()) BoardCellsPainted(FpbBoard);
  if (grid == FLeftGrid.get()) ClueStripPainted(FpbLeft);
  if (grid == FTopGrid.get()) ClueStripPainted(FpbTop);
  return true;
}

void TframeGrid::RepaintAll() {
  if (Busy()) return;
  FpbBoard->repaint();
  FpbTop->repaint();
  FpbLeft->repaint();
}

void TframeGrid::changeEvent(QEvent* e) {
  if (e->type() == QEvent::FontChange) {
    FClueFontSizeMade = 0;
    for (TClueSprites& sprites : FClueSprites) sprites.Clear();
  }
  QWidget::changeEvent(e);
}

void TframeGrid::SetPalette(const TBoardPalette& palette) {
  FPalette = palette;
  if (!FGame) return;
  for (TNonoGrid* grid : {FBoardGrid.get(), FLeftGrid.get(), FTopGrid.get()}) {
    if (!grid) continue;
    grid->SetBackgroundColor(palette[prGridBackground]);
    grid->SetCellColor(palette[prBoardArea]);
    grid->SetGroupLineColor(palette[prGroupLine]);
  }
  SetPanelColor(palette[prBoardArea]);
}

QRgb TframeGrid::PaletteColor(TPaletteRole role) {
  // Converted once per palette: the board painter asks for every cell.
  const TBoardPalette& palette = FPalette;
  if (!FPaletteConverted || palette != FConvertedPalette) {
    for (int i = 0; i < kBoardPaletteSize; ++i) FPaletteColors[i] = ToQRgb(palette.Colors[i]);
    FConvertedPalette = palette;
    FPaletteConverted = true;
  }
  return FPaletteColors[role];
}

TPieceState TframeGrid::ShownState(int col, int row) const {
  return FDisplay.Shown(FGame->PlayerState(col, row));
}

void TframeGrid::DrawBoardCell(TNonoGrid& grid, QPainter& canvas, int col, int row,
                               const TCellRect& r) {
  if (!FGame) return;
  const TPieceState s = ShownState(col, row);
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
           ToQRgb(FDisplay.CelebrationColor()));
      break;
    case psCrossed:
      mark(FSprites[kSpriteCrossed], TCellMark::Cross, PaletteColor(prCrossedCell),
           PaletteColor(prCrossPen));
      break;
    case psIncorrect:
      DrawWrongCell(canvas, r, a);
      break;
    default: {
      const TCellRect fill = grid.FillPercent() != 100 ? ShrinkToPercent(r, grid.FillPercent()) : r;
      FillSolid(canvas, fill.ToQRect(), PaletteColor(s == psFilled ? prFilledCell : prEmptyCell));
      const bool hotDot =
          s == psEmpty && FHotTrackBoard && (row == grid.HotRow() || col == grid.HotCol());
      if (hotDot) DrawHotDot(canvas, r);
      break;
    }
  }
  const TLookInks inks = LookInks(FLook, FPalette);
  if (inks.HeavyLines) FrameInside(canvas, r.ToQRect(), 1, PaletteColor(prGridBackground));
  if (grid.GridName() != "board") return;
  const std::size_t cell = static_cast<std::size_t>(row) * FGame->Width() + col;
  if (cell < FTints.size() && FTints[cell] != 0)
    canvas.fillRect(r.ToQRect(), QColor(255, 150, 0, s == psFilled ? 120 : 90));
  DrawCellCounter(grid, canvas, col, row, r);
  if (const std::int32_t proven = HintValueAt(col, row)) DrawHintMark(canvas, r, proven);
  if (FCursor.Shown() && col == FCursor.Col() && row == FCursor.Row()) DrawCursor(canvas, r);
}

void TframeGrid::DrawHintMark(QPainter& canvas, const TCellRect& r, std::int32_t value) {
  // Inside the cell, so the cursor's frame stays visible around it.
  const int inset = std::max(1, r.Width() / 10);
  const int pen = std::max(2, r.Width() / 10);
  const QRect box = r.ToQRect().adjusted(inset, inset, -inset, -inset);
  const TLookInks inks = LookInks(FLook, FPalette);
  const QRgb colour = value == 1 ? inks.HintFilled : inks.HintEmpty;
  // With shapes: a cell to fill gets a solid frame and a square in its
  // middle, a cell to leave empty a dashed frame.
  FrameInside(canvas, box, pen, colour, inks.Shapes && value != 1);
  if (inks.Shapes && value == 1) {
    const int side = std::max(2, r.Width() / 4);
    const QPoint c = r.ToQRect().center();
    canvas.fillRect(QRect(c.x() - side / 2, c.y() - side / 2, side, side), QColor::fromRgb(colour));
  }
}

void TframeGrid::DrawCursor(QPainter& canvas, const TCellRect& r) {
  const TLookInks inks = LookInks(FLook, FPalette);
  if (inks.RoundCursor) {
    // A wide ring of the one ink with a narrow one of the other in it: it
    // shows on filled and on empty cells alike.
    const int pen = std::max(3, r.Width() / 6);
    const QRect box = r.ToQRect().adjusted(pen, pen, -pen, -pen);
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, true);
    canvas.setBrush(Qt::NoBrush);
    canvas.setPen(QPen(QColor::fromRgb(inks.CursorInner), pen));
    canvas.drawEllipse(box);
    canvas.setPen(QPen(QColor::fromRgb(inks.Cursor), std::max(1, pen / 2)));
    canvas.drawEllipse(box);
    canvas.restore();
    return;
  }
  // Frames of the two inks in turn, the outer one the widest.
  int pen = std::max(2, r.Width() / 8);
  QRect ring = r.ToQRect();
  for (int i = 0; i < inks.CursorRings && ring.width() > 2 * pen; ++i) {
    FrameInside(canvas, ring, pen, i % 2 == 0 ? inks.Cursor : inks.CursorInner);
    ring.adjust(pen, pen, -pen, -pen);
    pen = std::max(1, pen * 2 / 3);
  }
}

// A wrong cell the Nightmare rule shows must not pass for a cross of the
// player's own, also to eyes that cannot tell the colours apart: a frame
// around the cell, hatched across, in place of a cross.
void TframeGrid::DrawWrongCell(QPainter& canvas, const TCellRect& r, int pen) {
  const QRect cell = r.ToQRect();
  FillSolid(canvas, cell, PaletteColor(prEmptyCell));
  const QRgb red = PaletteColor(prCrossPen);
  const int frame = std::max(1, pen / 2);
  canvas.save();
  canvas.setClipRect(cell);
  canvas.setPen(QPen(QColor(red), 1));
  for (int d = -cell.height(); d < cell.width(); d += 4)
    canvas.drawLine(cell.left() + d, cell.bottom(), cell.left() + d + cell.height(), cell.top());
  canvas.restore();
  FillSolid(canvas, QRect(cell.left(), cell.top(), cell.width(), frame), red);
  FillSolid(canvas, QRect(cell.left(), cell.bottom() - frame + 1, cell.width(), frame), red);
  FillSolid(canvas, QRect(cell.left(), cell.top(), frame, cell.height()), red);
  FillSolid(canvas, QRect(cell.right() - frame + 1, cell.top(), frame, cell.height()), red);
}

void TframeGrid::DrawHotDot(QPainter& canvas, const TCellRect& r) {
  if (FHotDotPercent == -1 || r.Width() != FHotDotWidth) {
    FHotDotWidth = r.Width();
    // The smallest dot of two fifths of the cell, and at least 3 x 3 pixels,
    // so it is seen at a glance; a cell too small for that gets the whole cell.
    const int least = std::max(kSmallestHotDot, r.Width() * 2 / 5);
    int p = kSmallestHotDotPercent;
    for (; p < 100; ++p) {
      const TCellRect d = ShrinkToPercent(r, p);
      if (d.Width() >= least && d.Height() >= least) break;
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
  canvas.setPen(ToQColor(FPalette[prCounterText]));
  const QString text = QString::number(n);
  const QFontMetrics metrics = canvas.fontMetrics();
  const int x = r.Left + (w - metrics.horizontalAdvance(text)) / 2;
  const int y = r.Top + (h - metrics.height()) / 2;
  canvas.drawText(x, y + metrics.ascent(), text);
}

const QFont& TframeGrid::ClueFont(int size) {
  if (size != FClueFontSizeMade || FClueStretch != FClueFont.stretch()) {
    FClueFont = font();
    FClueFont.setBold(true);
    FClueFont.setPointSize(size);
    if (FClueStretch > 0) FClueFont.setStretch(FClueStretch);
    FClueFontSizeMade = size;
  }
  return FClueFont;
}

int TframeGrid::ClueFontSize(const TCellRect& r) {
  if (!FGame) return kSmallestClueFont;
  if (r.Width() != FClueFontWidth || r.Height() != FClueFontHeight) {
    FHotDotPercent = -1;
    FClueFontSize = 0;
    FClueFontWidth = r.Width();
    FClueFontHeight = r.Height();
  }
  if (FClueFontSize != 0 && FClueStretch != 0) return FClueFontSize;
  // The largest size at which the widest clue of the board, and the digits'
  // height, fit the cell with a margin: every clue stays whole and apart.
  QFont trial = font();
  trial.setBold(true);
  // Boards of one-digit clues are measured as two digits all the same, so
  // the numbers keep one size from board to board instead of filling the cell.
  const QString sample =
      QString::fromStdString(FWidestClue.size() < 2 ? std::string("99") : FWidestClue);
  const auto fits = [&](int size, int stretch) {
    trial.setPointSize(size);
    trial.setStretch(stretch);
    const QFontMetrics metrics(trial, &MeasuringDevice());
    return metrics.horizontalAdvance(sample) + kClueMargin <= r.Width() &&
           metrics.tightBoundingRect(sample).height() + kClueMargin <= r.Height();
  };
  const auto digitHeight = [&](int size) {
    trial.setPointSize(size);
    trial.setStretch(100);
    return QFontMetrics(trial, &MeasuringDevice()).tightBoundingRect(sample).height();
  };
  int size = kSmallestClueFont;
  while (size < kLargestClueFont && fits(size + 1, 100)) ++size;
  int stretch = 100;
  // Digits too short to read are drawn narrower instead, as tall as the cell
  // lets them be, up to a legible height.
  for (int taller = size + 1; digitHeight(size) < kLegibleDigitHeight && taller < kLargestClueFont;
       ++taller) {
    int narrower = 100;
    while (narrower > kNarrowestClueStretch && !fits(taller, narrower)) narrower -= 5;
    if (!fits(taller, narrower)) break;
    size = taller;
    stretch = narrower;
  }
  FClueStretch = stretch;
  FClueFontSize = size;
  return size;
}

void TframeGrid::RefreshClueMarks(const TNonoGrid* grid) {
  if (!FGame) return;
  const bool any = FShowCompletedClues || FShowMistakeLines;
  if (grid == FLeftGrid.get())
    FRowMarks = any ? RowClueMarks(*FGame, FShowMistakeLines) : std::vector<TClueMarks>{};
  else if (grid == FTopGrid.get())
    FColumnMarks = any ? ColumnClueMarks(*FGame, FShowMistakeLines) : std::vector<TClueMarks>{};
}

TClueMark TframeGrid::ClueMarkAt(const TNonoGrid& grid, int col, int row) const {
  // The strips are aligned to the far end: a line's numbers fill the last
  // positions of its strip row or column.
  const bool left = &grid == FLeftGrid.get();
  const std::vector<TClueMarks>& all = left ? FRowMarks : FColumnMarks;
  const int line = left ? row : col;
  const int position = left ? col : row;
  const int positions = left ? grid.ColCount() : grid.RowCount();
  if (line < 0 || line >= static_cast<int>(all.size())) return TClueMark::Open;
  const TClueMarks& marks = all[line];
  const int index = position - (positions - static_cast<int>(marks.size()));
  if (index < 0 || index >= static_cast<int>(marks.size())) return TClueMark::Open;
  const TClueMark mark = marks[index];
  return mark == TClueMark::Done && !FShowCompletedClues ? TClueMark::Open : mark;
}

void TframeGrid::DrawClueCell(TNonoGrid& grid, QPainter& canvas, int col, int row,
                              const TCellRect& r) {
  if (!FGame) return;
  // Both strips share one font, measured for the smaller of their cells.
  const TCellRect fontCell{0, 0, std::min(FLeftGrid->CellWidth(), FTopGrid->CellWidth()),
                           std::min(FLeftGrid->CellHeight(), FTopGrid->CellHeight())};
  const QFont& clueFont = ClueFont(ClueFontSize(fontCell));
  const bool pointed = grid.HotTrack() && (col == grid.HotCol() || row == grid.HotRow());
  const bool hinted = OnHintLine(grid, col, row);
  const TLookInks inks = LookInks(FLook, FPalette);
  // Where shapes tell the marks apart, the hint's line has a shape of its own
  // (a bar along the head), apart from the lines under the pointer and the
  // cursor.
  const bool hot = pointed || (hinted && !inks.Shapes);
  const QRgb background = hinted && !pointed && inks.HintLine
                              ? inks.HintLine
                              : PaletteColor(hot ? prHotClue : prClueBackground);
  QRgb pen = PaletteColor(hot && inks.InvertHotClues ? prClueBackground : prClueText);
  const TClueMark mark = ClueMarkAt(grid, col, row);
  switch (mark) {
    case TClueMark::Done:
      // Muted: a third of the way from the background to the text colour.
      if (inks.MuteDoneClues)
        pen =
            qRgb((qRed(pen) + 2 * qRed(background)) / 3, (qGreen(pen) + 2 * qGreen(background)) / 3,
                 (qBlue(pen) + 2 * qBlue(background)) / 3);
      break;
    case TClueMark::Wrong:
      // On an inverted hot clue the text keeps its colour, which shows there.
      if (!(hot && inks.InvertHotClues)) pen = inks.MistakeClueText;
      break;
    case TClueMark::Open:
      break;
  }
  CopyImage(canvas, r.Left, r.Top,
            FClueSprites[&grid == FLeftGrid.get() ? 0 : 1].Get(
                grid.GetText(col, row), r.Width(), r.Height(), clueFont, background, pen));
  // A blank position (a clue of 0) has no number to mark.
  if (!inks.Shapes) return;
  DrawClueShapes(canvas, r, grid.GetText(col, row).empty() ? TClueMark::Open : mark,
                 hot && !inks.InvertHotClues, pen);
  if (hinted) {
    const QRect cell = r.ToQRect();
    const int bar = std::max(2, r.Height() / 6);
    canvas.fillRect(QRect(cell.left(), cell.top(), cell.width(), bar),
                    QColor::fromRgb(hot && inks.InvertHotClues ? pen : PaletteColor(prClueText)));
  }
}

void TframeGrid::DrawClueShapes(QPainter& canvas, const TCellRect& r, TClueMark mark, bool hot,
                                QRgb pen) {
  const QRect cell = r.ToQRect();
  const int line = std::max(2, r.Width() / 10);
  if (hot) {
    // A bar along the foot of the cell.
    const int bar = std::max(2, r.Height() / 8);
    canvas.fillRect(QRect(cell.left(), cell.bottom() - bar + 1, cell.width(), bar),
                    QColor::fromRgb(PaletteColor(prClueText)));
  }
  if (mark == TClueMark::Done) {
    // Struck through, corner to corner.
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setPen(QPen(QColor::fromRgb(pen), line));
    canvas.drawLine(cell.left() + line, cell.bottom() - line, cell.right() - line,
                    cell.top() + line);
    canvas.restore();
  } else if (mark == TClueMark::Wrong) {
    FrameInside(canvas, cell, std::max(2, line), pen);
  }
}

void TframeGrid::Flash(int count, int ms) {
  if (!FGame) return;
  for (int i = 0; i < count; ++i) {
    FDisplay.SetFlashing(true);
    RepaintAll();
    Wait(ms);
    FDisplay.SetFlashing(false);
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
  // The picture shows the puzzle, not where the pointer happened to be.
  ClearHotTrack();
  RepaintAll();
  const int gap = FBoardGrid->CellWidth() / 8;
  int w = FBoardGrid->CellWidth();
  int h = FBoardGrid->CellHeight();
  const QSize size = TotalSize(0, gap, w, h);
  QImage image = NewGridImage(size.width(), size.height());
  image.fill(FpBoard->palette().color(QPalette::Window));
  QPainter painter(&image);
  RefreshClueMarks(FLeftGrid.get());
  RefreshClueMarks(FTopGrid.get());
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
