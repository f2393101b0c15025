#include "view/nono_grid.h"

#include <QPainter>
#include <algorithm>
#include <stdexcept>

#include "view/grid_canvas.h"
#include "view/view_colors.h"

namespace {

// Number of separators for count lines in groups of size `group`.
int SeparatorCount(bool enabled, int count, int group) {
  if (!enabled || group <= 0) return 0;
  const int groups = (count + group - 1) / group;
  return groups > 1 ? groups - 1 : 0;
}

}  // namespace

TNonoGrid::TNonoGrid() = default;

TGridMeasure TNonoGrid::MeasureSize(const TGridGeometry& g) {
  TGridMeasure m;
  if (g.RowCount == 0 || g.ColCount == 0) return m;
  m.Empty = false;
  m.ColSeparators = SeparatorCount(g.GroupLinesX, g.ColCount, g.GroupCols);
  m.RowSeparators = SeparatorCount(g.GroupLinesY, g.RowCount, g.GroupRows);
  m.Width = 2 * g.BorderWidth + g.ColCount * (g.LineWidth + g.CellWidth) + g.LineWidth +
            m.ColSeparators * (g.GroupLineWidth + g.LineWidth);
  m.Height = 2 * g.BorderWidth + g.RowCount * (g.LineWidth + g.CellHeight) + g.LineWidth +
             m.RowSeparators * (g.GroupLineWidth + g.LineWidth);
  return m;
}

TGridGeometry TNonoGrid::Geometry() const {
  TGridGeometry g;
  g.RowCount = FRowCount;
  g.ColCount = FColCount;
  g.BorderWidth = FBorderWidth;
  g.LineWidth = FLineWidth;
  g.CellWidth = FCellWidth;
  g.CellHeight = FCellHeight;
  g.GroupCols = FGroupCols;
  g.GroupRows = FGroupRows;
  g.GroupLineWidth = FGroupLineWidth;
  g.GroupLinesX = FGroupLinesX;
  g.GroupLinesY = FGroupLinesY;
  return g;
}

void TNonoGrid::Render() {
  const TGridMeasure m = MeasureSize(Geometry());
  if (m.Empty) return;
  // A geometry that measures to nothing drawable (cell sizes far below zero)
  // leaves the last image as it was.
  if (m.Width <= 0 || m.Height <= 0) return;
  if (FBitmap.width() != m.Width || FBitmap.height() != m.Height) {
    FBitmap = NewGridImage(m.Width, m.Height);
  }
  QPainter canvas(&FBitmap);
  canvas.fillRect(0, 0, m.Width, m.Height, ToQColor(FBackgroundColor));
  // The frame: BorderWidth rings, each 1 px inside the previous one.
  const QColor border = ToQColor(FBorderColor);
  for (int i = 0; i < FBorderWidth; ++i) {
    const int w = m.Width - 2 * i;
    const int h = m.Height - 2 * i;
    if (w <= 0 || h <= 0) break;
    canvas.fillRect(i, i, w, 1, border);
    canvas.fillRect(i, i + h - 1, w, 1, border);
    canvas.fillRect(i, i, 1, h, border);
    canvas.fillRect(i + w - 1, i, 1, h, border);
  }

  const QColor groupLine = ToQColor(FGroupLineColor);
  const QRgb cellColor = ToQRgb(FCellColor);
  int sx = m.ColSeparators;
  int sy = m.RowSeparators;
  int x = FBorderWidth + FLineWidth;
  int y = x;
  FCellCache.clear();
  FCellCache.reserve(static_cast<std::size_t>(FColCount) * static_cast<std::size_t>(FRowCount));
  for (int c = 0; c < FColCount; ++c) {
    const int y0 = y;
    for (int r = 0; r < FRowCount; ++r) {
      const TCellRect rect{x, y, x + FCellWidth, y + FCellHeight};
      if (FOnDrawCell)
        FOnDrawCell(*this, canvas, c, r, rect);
      else
        FillSolid(canvas, rect.ToQRect(), cellColor);
      FCellCache.push_back(TCellCacheRec{c, r, rect});
      y += FCellHeight + FLineWidth;
      if (sy > 0 && r > 0 && (r + 1) % FGroupRows == 0) {
        // Row separators are drawn once, with the last column, over the
        // column separators.
        if (c == FColCount - 1) {
          for (int k = 0; k < FGroupLineWidth; ++k)
            canvas.fillRect(0, y + k, m.Width, 1, groupLine);
          --sy;
        }
        y += FGroupLineWidth + FLineWidth;
      }
    }
    x += FCellWidth + FLineWidth;
    if (sx > 0 && c > 0 && (c + 1) % FGroupCols == 0) {
      for (int k = 0; k < FGroupLineWidth; ++k) canvas.fillRect(x + k, 0, 1, m.Height, groupLine);
      x += FGroupLineWidth + FLineWidth;
      --sx;
    }
    y = y0;
  }
  FBitmapWidth = m.Width;
  FBitmapHeight = m.Height;
}

const QImage& TNonoGrid::RenderedBitmap() {
  Render();
  return FBitmap;
}

bool TNonoGrid::SetCellSize(int w, int h) {
  if (w <= 0 || h <= 0) return false;
  FCellWidth = w;
  FCellHeight = h;
  Render();
  return true;
}

bool TNonoGrid::ZoomCells(int dw, int dh) {
  if (FCellWidth + dw <= 0 || FCellHeight + dh <= 0) return false;
  FCellWidth += dw;
  FCellHeight += dh;
  Render();
  return true;
}

TCellHit TNonoGrid::HitTest(int x, int y) const {
  const int px = x - FOffsetX;
  const int py = y - FOffsetY;
  for (const TCellCacheRec& rec : FCellCache)
    if (rec.Rect.Contains(px, py)) return TCellHit{rec.Row, rec.Col};
  return TCellHit{};
}

void TNonoGrid::SetText(int col, int row, const std::string& s) {
  FCellTexts.at(col).at(row) = s;
}

const std::string& TNonoGrid::GetText(int col, int row) const {
  return FCellTexts.at(col).at(row);
}

void TNonoGrid::ClearTexts() {
  for (auto& column : FCellTexts)
    for (std::string& text : column) text.clear();
}

void TNonoGrid::ResizeTexts() {
  FCellTexts.resize(static_cast<std::size_t>(std::max(FColCount, 0)));
  for (auto& column : FCellTexts) column.resize(static_cast<std::size_t>(std::max(FRowCount, 0)));
}

void TNonoGrid::SetGroupLineWidth(int v) {
  FGroupLineWidth = v;
  Render();
}

void TNonoGrid::SetGroupRows(int v) {
  FGroupRows = v;
  Render();
}

void TNonoGrid::SetRowCount(int v) {
  FRowCount = v;
  ResizeTexts();
  Render();
}

void TNonoGrid::SetColCount(int v) {
  FColCount = v;
  ResizeTexts();
  Render();
}

void TNonoGrid::SetCellWidth(int v) {
  FCellWidth = v;
  Render();
}

void TNonoGrid::SetCellHeight(int v) {
  FCellHeight = v;
  Render();
}

void TNonoGrid::SetGroupLinesY(bool v) {
  FGroupLinesY = v;
  Render();
}

void TNonoGrid::SetLineWidth(int v) {
  FLineWidth = v;
  Render();
}
