// What the board view draws into the cells: states, clues, hot tracking,
// position counters, the flash, and painting only while allowed.
#include <gtest/gtest.h>

#include <QImage>

#include "view_harness.h"

namespace {

using test_support::CellOrigin20;
using test_support::Picture;
using test_support::TriplePairs;
using test_support::ViewHarness;
using test_support::ViewTest;

QRgb Rgb(TColor c) {
  return qRgb(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}

const QRgb kWhite = Rgb(0xFFFFFF);
const QRgb kBlack = Rgb(0x000000);
const QRgb kRed = Rgb(0x0000FF);
const QRgb kGreen = Rgb(0x008000);
const QRgb kCream = Rgb(0xF0FBFF);
const QRgb kYellow = Rgb(0x00FFFF);
const QRgb kDotGrey = Rgb(0x707070);

// Pixel (dx, dy) of board cell (col, row) with 20-px cells.
QRgb At(const QImage& board, int col, int row, int dx, int dy) {
  return board.pixel(CellOrigin20(col) + dx, CellOrigin20(row) + dy);
}

int CountColour(const QImage& image, QRect area, QRgb colour) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixel(x, y) == colour) ++n;
  return n;
}

QRect CellArea(int col, int row) {
  return QRect(CellOrigin20(col), CellOrigin20(row), 20, 20);
}

using BoardDrawing = ViewTest;

TEST_F(BoardDrawing, CellStatesAt20Pixels) {
  // Row 0: empty, filled, crossed, filled (ticked while the check flashes),
  // incorrect.
  std::vector<std::string> player(10, "..........");
  player[0] = ".#x#!.....";
  ViewHarness v(TriplePairs(), player);
  const QImage board = v.Frame->BoardGrid()->RenderedBitmap();
  v.Frame->Display().SetFlashing(true);
  const QImage flashed = v.Frame->BoardGrid()->RenderedBitmap();
  v.Frame->Display().SetFlashing(false);
  EXPECT_EQ(v.Game->PlayerState(3, 0), psFilled);

  EXPECT_EQ(CountColour(board, CellArea(0, 0), kWhite), 400);
  EXPECT_EQ(CountColour(board, CellArea(1, 0), kBlack), 400);

  // The cross of a 20-px cell: pen 4 px, lines (14, 14)-(6, 6) and (6, 14)-(14, 6).
  for (const QPoint p : {QPoint(10, 10), QPoint(6, 6), QPoint(14, 14), QPoint(6, 14), QPoint(14, 6),
                         QPoint(8, 8), QPoint(12, 8)})
    EXPECT_EQ(At(board, 2, 0, p.x(), p.y()), kRed) << p.x() << "," << p.y();
  for (const QPoint p : {QPoint(0, 0), QPoint(1, 1), QPoint(19, 19), QPoint(10, 2), QPoint(2, 10),
                         QPoint(10, 17), QPoint(17, 10)})
    EXPECT_EQ(At(board, 2, 0, p.x(), p.y()), kWhite) << p.x() << "," << p.y();

  // A tick in green on black: (6, 10) -> (10, 14) -> (14, 6).
  EXPECT_EQ(At(flashed, 3, 0, 10, 14), kGreen);
  EXPECT_EQ(At(flashed, 3, 0, 8, 12), kGreen);
  EXPECT_EQ(At(flashed, 3, 0, 1, 1), kBlack);
  EXPECT_EQ(At(flashed, 3, 0, 18, 18), kBlack);
  // The flash over, the cell is drawn filled again.
  EXPECT_EQ(CountColour(v.Frame->BoardGrid()->RenderedBitmap(), CellArea(3, 0), kBlack), 400);

  // An incorrect cell is not a cross: a red frame all round, hatched inside,
  // a shape the player's crosses (white corners) never have.
  for (const QPoint p : {QPoint(0, 0), QPoint(1, 1), QPoint(19, 0), QPoint(0, 19), QPoint(19, 19),
                         QPoint(10, 0), QPoint(0, 10)})
    EXPECT_EQ(At(board, 4, 0, p.x(), p.y()), kRed) << p.x() << "," << p.y();
  const QRect inside(CellOrigin20(4) + 2, CellOrigin20(0) + 2, 16, 16);
  EXPECT_GT(CountColour(board, inside, kRed), 16 * 16 / 8);
  EXPECT_GT(CountColour(board, inside, kWhite), 16 * 16 / 2);
  EXPECT_EQ(CountColour(board, CellArea(4, 0), kBlack), 0);
}

TEST_F(BoardDrawing, CelebrationTickUsesTheAllCorrectColour) {
  std::vector<std::string> player(10, "..........");
  player[0] = "#x........";
  ViewHarness v(TriplePairs(), player);
  v.Frame->Display().Celebrate(0x00FF00);
  const QImage board = v.Frame->BoardGrid()->RenderedBitmap();
  EXPECT_EQ(At(board, 0, 0, 10, 14), Rgb(0x00FF00));
  EXPECT_EQ(At(board, 0, 0, 1, 1), kBlack);
  // Only filled cells are ticked; the celebration's end leaves them filled.
  EXPECT_EQ(v.Frame->ShownState(1, 0), psCrossed);
  v.Frame->Display().EndCelebration();
  EXPECT_EQ(CountColour(v.Frame->BoardGrid()->RenderedBitmap(), CellArea(0, 0), kBlack), 400);
}

TEST_F(BoardDrawing, HotClueCellsOfTheRowAndColumnUnderThePointer) {
  ViewHarness v(TriplePairs());
  v.Move(ViewHarness::Cell(3, 2), Qt::NoButton);
  const QImage left = v.Frame->LeftGrid()->RenderedBitmap();
  const QImage top = v.Frame->TopGrid()->RenderedBitmap();
  // Clue cell corners: row 2 of the left strip and column 3 of the top strip.
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(left.pixel(CellOrigin20(k), CellOrigin20(2)), kYellow) << k;
    EXPECT_EQ(left.pixel(CellOrigin20(k), CellOrigin20(1)), kCream) << k;
    EXPECT_EQ(top.pixel(CellOrigin20(3), CellOrigin20(k)), kYellow) << k;
    EXPECT_EQ(top.pixel(CellOrigin20(4), CellOrigin20(k)), kCream) << k;
  }
  // Switched off, no clue cell lights up.
  v.Frame->SetHotTrackCounters(false);
  EXPECT_EQ(v.Frame->LeftGrid()->RenderedBitmap().pixel(CellOrigin20(0), CellOrigin20(2)), kCream);
}

TEST_F(BoardDrawing, ClueNumbersAreDrawnAndZerosLeftBlank) {
  ViewHarness v(TriplePairs());
  const QImage left = v.Frame->LeftGrid()->RenderedBitmap();
  // Row 0 shows "2" three times; row 2 (clue 0) shows nothing.
  for (int k = 0; k < 3; ++k) {
    const QRect cell(CellOrigin20(k), CellOrigin20(0), 20, 20);
    EXPECT_GT(400 - CountColour(left, cell, kCream), 5) << k;
    EXPECT_EQ(CountColour(left, QRect(CellOrigin20(k), CellOrigin20(2), 20, 20), kCream), 400);
  }
}

TEST_F(BoardDrawing, HotDotMarksEmptyCellsOfTheHotLines) {
  std::vector<std::string> player(10, "..........");
  player[2] = "#.........";
  ViewHarness v(TriplePairs(), player);
  v.Frame->SetHotTrackBoard(true);
  v.Move(ViewHarness::Cell(3, 2), Qt::NoButton);
  const QImage board = v.Frame->BoardGrid()->RenderedBitmap();
  EXPECT_EQ(v.Frame->HotDotPercent(), 68);
  // 8 x 8 dark pixels, two fifths of the cell, in the middle of an empty cell
  // of row 2 and of column 3: plain to see on the white cells of either theme.
  for (const QPoint cell : {QPoint(1, 2), QPoint(3, 7)}) {
    const QRect area = CellArea(cell.x(), cell.y());
    EXPECT_EQ(CountColour(board, area, kDotGrey), 64);
    EXPECT_EQ(board.pixel(area.left() + 6, area.top() + 6), kDotGrey);
    EXPECT_EQ(board.pixel(area.left() + 13, area.top() + 13), kDotGrey);
    EXPECT_EQ(board.pixel(area.left() + 14, area.top() + 14), kWhite);
  }
  EXPECT_EQ(CountColour(board, CellArea(0, 2), kDotGrey), 0);  // filled
  EXPECT_EQ(CountColour(board, CellArea(1, 1), kDotGrey), 0);  // not hot

  // A new cell width: the clue painter notices it, the dot is found again.
  v.Frame->BoardGrid()->SetCellSize(30, 30);
  v.Frame->LeftGrid()->SetCellSize(30, 30);
  v.Frame->BoardGrid()->Render();
  EXPECT_EQ(v.Frame->HotDotPercent(), 69);
}

TEST_F(BoardDrawing, HotDotInCellsTooSmallForItTakesTheWholeCell) {
  ViewHarness v(TriplePairs());
  v.Frame->SetHotTrackBoard(true);
  v.Move(ViewHarness::Cell(0, 0), Qt::NoButton);
  v.Frame->LeftGrid()->SetCellSize(2, 2);
  v.Frame->BoardGrid()->SetCellSize(2, 2);
  EXPECT_EQ(v.Frame->HotDotPercent(), 100);
}

TEST_F(BoardDrawing, ClueFontSizeIsCachedInTheViewPerCellWidth) {
  ViewHarness v(TriplePairs());
  const TCellRect cell20{0, 0, 20, 20};
  const int size = v.Frame->ClueFontSize(cell20);
  EXPECT_EQ(v.Frame->CachedClueFontSize(), size);
  EXPECT_EQ(v.Frame->ClueFontWidth(), 20);

  // The cached size is used while the width stays; a new width measures again.
  v.Frame->SetCachedClueFontSize(77);
  EXPECT_EQ(v.Frame->ClueFontSize(cell20), 77);
  v.Frame->SetHotDotPercent(58);
  const int size40 = v.Frame->ClueFontSize(TCellRect{0, 0, 40, 40});
  EXPECT_NE(size40, 77);
  EXPECT_GT(size40, size);
  EXPECT_EQ(v.Frame->ClueFontWidth(), 40);
  EXPECT_EQ(v.Frame->HotDotPercent(), -1);
}

TEST_F(BoardDrawing, PositionCountersShowOnlyOnTheBoard) {
  std::vector<std::string> player(10, "..........");
  player[4] = "####......";
  ViewHarness v(TriplePairs(), player);
  CtrlHeld = true;
  v.Move(ViewHarness::Cell(0, 4), Qt::NoButton);
  const QImage board = v.Frame->BoardGrid()->RenderedBitmap();
  // Yellow digits on the four black cells (antialiased, so count what is not black).
  for (int c = 0; c < 4; ++c) EXPECT_GT(400 - CountColour(board, CellArea(c, 4), kBlack), 3) << c;
  EXPECT_EQ(CountColour(board, CellArea(4, 4), kWhite), 400);

  CtrlHeld = false;
  v.Game->RepeatMouse(0);
  const QImage plain = v.Frame->BoardGrid()->RenderedBitmap();
  EXPECT_EQ(CountColour(plain, CellArea(0, 4), kYellow), 0);
  EXPECT_EQ(CountColour(plain, CellArea(0, 4), kBlack), 400);
}

TEST_F(BoardDrawing, FlashLeavesNoTickedCellBehind) {
  std::vector<std::string> player(10, "..........");
  player[0] = "##.##.....";
  ViewHarness v(TriplePairs(), player);
  v.Frame->Flash(1, 0);
  EXPECT_EQ(test_support::PlayerOf(*v.Game), player);
}

TEST_F(BoardDrawing, PaintBoxesDrawTheGridsOnlyWhileAllowed) {
  std::vector<std::string> player(10, "##########");
  ViewHarness v(TriplePairs(), player);
  const auto filledPixels = [&] {
    const QImage shot = v.Frame->pbBoard()->grab().toImage();
    return CountColour(shot, QRect(CellOrigin20(0), CellOrigin20(0), 20, 20), kBlack);
  };
  EXPECT_EQ(filledPixels(), 400);
  v.Frame->SetPaintEnabled(false);
  EXPECT_EQ(filledPixels(), 0);
  v.Frame->SetPaintEnabled(true);
  AppPhase = apClosing;
  EXPECT_EQ(filledPixels(), 0);
}

}  // namespace

// The widest clue (two digits at least), with room beside it, fits a clue
// cell of every size the board may take, and one font size more would not;
// in small cells the digits are drawn narrower rather than too short to read.
TEST_F(BoardDrawing, TheClueFontFitsTheWidestClueAtEveryCellSize) {
  struct Case {
    const char* Widest;
    Picture Solution;
  };
  const Case cases[] = {
      {"99", TriplePairs()},  // one-digit clues are measured as two
      {"12", Picture(12, "############")},
  };
  QImage device(1, 1, QImage::Format_RGB32);
  device.setDotsPerMeterX(3780);
  device.setDotsPerMeterY(3780);
  for (const Case& c : cases) {
    ViewHarness v(c.Solution);
    const QString widest = QString::fromLatin1(c.Widest);
    for (const int cell : {10, 12, 15, 20, 40}) {
      QFont font = v.Frame->ClueFontFor(TCellRect{0, 0, cell, cell});
      const QFontMetrics metrics(font, &device);
      EXPECT_LE(metrics.horizontalAdvance(widest) + 2, cell) << c.Widest << " in " << cell;
      EXPECT_LE(metrics.tightBoundingRect(widest).height() + 2, cell) << c.Widest << " " << cell;
      EXPECT_GE(metrics.tightBoundingRect(widest).height(), 8) << c.Widest << " in " << cell;
      if (font.stretch() != 100) continue;
      font.setPointSize(font.pointSize() + 1);
      const QFontMetrics larger(font, &device);
      EXPECT_TRUE(larger.horizontalAdvance(widest) + 2 > cell ||
                  larger.tightBoundingRect(widest).height() + 2 > cell)
          << c.Widest << " in " << cell;
    }
  }
}
