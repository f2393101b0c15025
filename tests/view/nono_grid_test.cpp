#include "view/nono_grid.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <set>
#include <stdexcept>

namespace {

constexpr TColor kBackground = 0xC0C0C0;
constexpr TColor kCell = 0x00FF00;
constexpr TColor kGroupLine = 0xFF0000;

// A grid as the board is set up: frame 3, gaps 2, separators of 1 every 5.
void SetUpBoardLike(TNonoGrid& grid, int rows, int cols, int cell = 20) {
  grid.SetBackgroundColor(kBackground);
  grid.SetCellColor(kCell);
  grid.SetGroupLineColor(kGroupLine);
  grid.SetBorderWidth(3);
  grid.SetGroupCols(5);
  grid.SetGroupRows(5);
  grid.SetGroupLineWidth(1);
  grid.SetGroupLinesX(true);
  grid.SetGroupLinesY(true);
  grid.SetLineWidth(2);
  grid.SetCellSize(cell, cell);
  grid.SetRowCount(rows);
  grid.SetColCount(cols);
}

QRgb Rgb(TColor c) {
  return qRgb(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}

struct MeasureCase {
  int rows, cols;
  bool linesX, linesY;
  int width, height, colSeparators, rowSeparators;
};

TEST(NonoGridMeasure, SizesAndSeparatorCounts) {
  const MeasureCase cases[] = {
      {10, 10, true, true, 231, 231, 1, 1},  // one separator each way
      {15, 15, true, true, 344, 344, 2, 2},  // two each way
      {1, 1, true, true, 30, 30, 0, 0},      // a single cell has none
      {5, 5, true, true, 118, 118, 0, 0},    // a full group needs none
      {6, 6, true, true, 143, 143, 1, 1},    // the sixth line starts a group
      {6, 3, false, true, 74, 143, 0, 1},    // a left clue strip
      {3, 6, true, false, 143, 74, 1, 0},    // a top clue strip
      {128, 128, true, true, 2899, 2899, 25, 25},
  };
  for (const MeasureCase& c : cases) {
    TGridGeometry g;
    g.RowCount = c.rows;
    g.ColCount = c.cols;
    g.BorderWidth = 3;
    g.LineWidth = 2;
    g.CellWidth = g.CellHeight = 20;
    g.GroupCols = g.GroupRows = 5;
    g.GroupLineWidth = 1;
    g.GroupLinesX = c.linesX;
    g.GroupLinesY = c.linesY;
    const TGridMeasure m = TNonoGrid::MeasureSize(g);
    EXPECT_FALSE(m.Empty);
    EXPECT_EQ(m.Width, c.width) << c.rows << "x" << c.cols;
    EXPECT_EQ(m.Height, c.height) << c.rows << "x" << c.cols;
    EXPECT_EQ(m.ColSeparators, c.colSeparators) << c.rows << "x" << c.cols;
    EXPECT_EQ(m.RowSeparators, c.rowSeparators) << c.rows << "x" << c.cols;
  }
}

TEST(NonoGridMeasure, NoCountsNoSizeAndNothingDrawn) {
  TNonoGrid grid;
  SetUpBoardLike(grid, 0, 10);
  EXPECT_TRUE(TNonoGrid::MeasureSize(grid.Geometry()).Empty);
  EXPECT_TRUE(grid.RenderedBitmap().isNull());
  EXPECT_TRUE(grid.CellCache().empty());
}

TEST(NonoGridRender, RendersTheMeasuredSize) {
  TNonoGrid ten;
  SetUpBoardLike(ten, 10, 10);
  EXPECT_EQ(ten.RenderedBitmap().size(), QSize(231, 231));
  EXPECT_EQ(ten.BitmapWidth(), 231);
  TNonoGrid fifteen;
  SetUpBoardLike(fifteen, 15, 15);
  EXPECT_EQ(fifteen.RenderedBitmap().size(), QSize(344, 344));
  EXPECT_EQ(fifteen.BitmapHeight(), 344);
}

TEST(NonoGridRender, FrameGapsAndSeparatorsOnlyAfterEveryFifthLine) {
  TNonoGrid grid;
  SetUpBoardLike(grid, 10, 10);
  const QImage& image = grid.RenderedBitmap();
  // Frame rings 0..2 in black, then the background gap, then the first cell.
  for (int i = 0; i < 3; ++i) EXPECT_EQ(image.pixel(i, 100), qRgb(0, 0, 0)) << i;
  EXPECT_EQ(image.pixel(3, 100), Rgb(kBackground));
  EXPECT_EQ(image.pixel(4, 100), Rgb(kBackground));
  EXPECT_EQ(image.pixel(5, 100), Rgb(kCell));
  EXPECT_EQ(image.pixel(230, 100), qRgb(0, 0, 0));

  // Walking a row of cells and a column of cells: the separator colour shows
  // exactly at x = 115 (and y = 115), nowhere else.
  std::set<int> separatorXs;
  std::set<int> separatorYs;
  for (int x = 3; x < 228; ++x)
    if (image.pixel(x, 10) == Rgb(kGroupLine)) separatorXs.insert(x);
  for (int y = 3; y < 228; ++y)
    if (image.pixel(10, y) == Rgb(kGroupLine)) separatorYs.insert(y);
  EXPECT_EQ(separatorXs, std::set<int>{115});
  EXPECT_EQ(separatorYs, std::set<int>{115});
  // Separators cross the frame; the row separator lies over the column one.
  EXPECT_EQ(image.pixel(115, 0), Rgb(kGroupLine));
  EXPECT_EQ(image.pixel(0, 115), Rgb(kGroupLine));
  EXPECT_EQ(image.pixel(115, 115), Rgb(kGroupLine));
  // Gaps around the separator, and the first cell of the next group.
  EXPECT_EQ(image.pixel(113, 10), Rgb(kBackground));
  EXPECT_EQ(image.pixel(117, 10), Rgb(kBackground));
  EXPECT_EQ(image.pixel(118, 10), Rgb(kCell));
}

TEST(NonoGridRender, CellCacheIsColumnMajorWithExclusiveRectangles) {
  TNonoGrid grid;
  SetUpBoardLike(grid, 10, 10);
  grid.Render();
  const auto& cache = grid.CellCache();
  ASSERT_EQ(cache.size(), 100u);
  EXPECT_EQ(cache[0].Col, 0);
  EXPECT_EQ(cache[0].Row, 0);
  EXPECT_EQ(cache[1].Col, 0);
  EXPECT_EQ(cache[1].Row, 1);
  EXPECT_EQ(cache[0].Rect.Left, 5);
  EXPECT_EQ(cache[0].Rect.Right, 25);
  EXPECT_EQ(cache[55].Col, 5);
  EXPECT_EQ(cache[55].Row, 5);
  EXPECT_EQ(cache[55].Rect.Left, 118);
  EXPECT_EQ(cache[55].Rect.Top, 118);
}

TEST(NonoGridRender, DrawEventGetsEveryCellInRenderOrder) {
  TNonoGrid grid;
  SetUpBoardLike(grid, 2, 3);
  std::vector<std::pair<int, int>> seen;
  grid.SetOnDrawCell([&](TNonoGrid&, QPainter&, int c, int r, const TCellRect& rect) {
    EXPECT_EQ(rect.Width(), 20);
    seen.emplace_back(c, r);
  });
  grid.Render();
  const std::vector<std::pair<int, int>> expected = {{0, 0}, {0, 1}, {1, 0},
                                                     {1, 1}, {2, 0}, {2, 1}};
  EXPECT_EQ(seen, expected);
}

TEST(NonoGridHitTest, CellsGapsSeparatorsAndFrame) {
  TNonoGrid grid;
  SetUpBoardLike(grid, 10, 10);
  grid.Render();
  struct Case {
    int x, y, row, col;
  };
  const Case cases[] = {
      {5, 5, 0, 0},                           // first pixel of the first cell
      {24, 24, 0, 0},                         // last pixel of the first cell
      {25, 10, -1, -1},                       // the 2-px gap after it
      {26, 10, -1, -1},   {27, 10, 0, 1},     // next cell
      {10, 27, 1, 0},     {115, 50, -1, -1},  // column separator
      {50, 115, -1, -1},                      // row separator
      {118, 118, 5, 5},                       // first cell after both separators
      {0, 0, -1, -1},                         // frame
      {2, 100, -1, -1},   {4, 100, -1, -1},   // gap inside the frame
      {230, 230, -1, -1}, {225, 225, 9, 9},   // last pixel of the last cell
      {226, 226, -1, -1},                     // the gap before the frame
      {-1, 10, -1, -1},                       // outside the grid
      {500, 10, -1, -1},
  };
  for (const Case& c : cases) {
    const TCellHit hit = grid.HitTest(c.x, c.y);
    EXPECT_EQ(hit.Row, c.row) << "(" << c.x << ", " << c.y << ")";
    EXPECT_EQ(hit.Col, c.col) << "(" << c.x << ", " << c.y << ")";
  }
}

TEST(NonoGridCells, SizeChangesRefusedAtZeroOrBelow) {
  TNonoGrid grid;
  SetUpBoardLike(grid, 10, 10);
  EXPECT_FALSE(grid.SetCellSize(0, 20));
  EXPECT_FALSE(grid.SetCellSize(20, -1));
  EXPECT_FALSE(grid.ZoomCells(-20, 0));
  EXPECT_FALSE(grid.ZoomCells(0, -25));
  EXPECT_EQ(grid.CellWidth(), 20);
  EXPECT_EQ(grid.CellHeight(), 20);
  EXPECT_EQ(grid.BitmapWidth(), 231);

  EXPECT_TRUE(grid.ZoomCells(-19, 1));
  EXPECT_EQ(grid.CellWidth(), 1);
  EXPECT_EQ(grid.CellHeight(), 21);
  EXPECT_TRUE(grid.SetCellSize(10, 10));
  EXPECT_EQ(grid.BitmapWidth(), 6 + 10 * 12 + 2 + 3);  // rendered at once
}

TEST(NonoGridTexts, FollowTheCountsAndRefuseOutsidePositions) {
  TNonoGrid grid;
  SetUpBoardLike(grid, 2, 3);
  grid.SetText(2, 1, "12");
  EXPECT_EQ(grid.GetText(2, 1), "12");
  EXPECT_EQ(grid.GetText(0, 0), "");
  EXPECT_THROW(grid.SetText(3, 0, "1"), std::out_of_range);
  EXPECT_THROW(grid.GetText(0, 2), std::out_of_range);
  grid.SetColCount(4);
  EXPECT_EQ(grid.GetText(2, 1), "12");
  EXPECT_EQ(grid.GetText(3, 1), "");
  grid.ClearTexts();
  EXPECT_EQ(grid.GetText(2, 1), "");
}

}  // namespace
