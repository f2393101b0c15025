// TNonoGrid: the geometry and off-screen image of one rectangular grid of the
// board view (the board itself or one of the two clue strips).
//
// A grid is a frame of BorderWidth 1-px rings, cells of CellWidth x CellHeight
// pixels LineWidth apart, and group separators (GroupLineWidth 1-px lines)
// after every GroupCols-th column and GroupRows-th row. Render() paints the
// whole grid into Bitmap, asking OnDrawCell for the content of every cell in
// column-major order, and rebuilds the cell cache that HitTest maps pointer
// positions with. Setting a geometry field that changes the size renders at
// once; the other setters only store.
#pragma once

#include <QImage>
#include <QRect>
#include <functional>
#include <string>
#include <vector>

#include "util/color.h"

class QPainter;

// A cell rectangle; Right and Bottom are exclusive.
struct TCellRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  QRect ToQRect() const { return QRect(Left, Top, Width(), Height()); }
};

struct TCellCacheRec {
  int Col = 0;
  int Row = 0;
  TCellRect Rect;
};

// The cell under a point; both -1 when the point lies on no cell.
struct TCellHit {
  int Row = -1;
  int Col = -1;
};

// A snapshot of the fields that decide a grid's size.
struct TGridGeometry {
  int RowCount = 0;
  int ColCount = 0;
  int BorderWidth = 0;
  int LineWidth = 0;
  int CellWidth = 0;
  int CellHeight = 0;
  int GroupCols = 0;
  int GroupRows = 0;
  int GroupLineWidth = 0;
  bool GroupLinesX = false;
  bool GroupLinesY = false;
};

// What MeasureSize finds; Empty (and all zero) when a count is 0.
struct TGridMeasure {
  bool Empty = true;
  int Width = 0;
  int Height = 0;
  int ColSeparators = 0;
  int RowSeparators = 0;
};

class TNonoGrid;

// Draws the content of cell (col, row) into rect on the grid's canvas.
using TDrawCellEvent =
    std::function<void(TNonoGrid& grid, QPainter& canvas, int col, int row, const TCellRect& rect)>;

class TNonoGrid {
 public:
  TNonoGrid();
  TNonoGrid(const TNonoGrid&) = delete;
  TNonoGrid& operator=(const TNonoGrid&) = delete;

  static TGridMeasure MeasureSize(const TGridGeometry& geometry);
  TGridGeometry Geometry() const;

  // Paints the whole grid into Bitmap and rebuilds CellCache; nothing happens
  // while a count is 0.
  void Render();
  const QImage& RenderedBitmap();
  const QImage& Bitmap() const { return FBitmap; }
  const std::vector<TCellCacheRec>& CellCache() const { return FCellCache; }

  // False and no change for a size <= 0; otherwise sets both and renders.
  bool SetCellSize(int w, int h);
  // False and no change when a resulting size would be <= 0.
  bool ZoomCells(int dw, int dh);
  // The cell whose rectangle of the last render contains the point.
  TCellHit HitTest(int x, int y) const;

  // Cell texts, addressed (column, row); positions outside the grid are refused
  // with std::out_of_range.
  void SetText(int col, int row, const std::string& s);
  const std::string& GetText(int col, int row) const;
  void ClearTexts();

  int GroupCols() const { return FGroupCols; }
  void SetGroupCols(int v) { FGroupCols = v; }
  int GroupLineWidth() const { return FGroupLineWidth; }
  void SetGroupLineWidth(int v);
  int GroupRows() const { return FGroupRows; }
  void SetGroupRows(int v);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int v) { FBorderWidth = v; }
  int RowCount() const { return FRowCount; }
  void SetRowCount(int v);
  int ColCount() const { return FColCount; }
  void SetColCount(int v);
  int CellWidth() const { return FCellWidth; }
  void SetCellWidth(int v);
  int CellHeight() const { return FCellHeight; }
  void SetCellHeight(int v);
  bool GroupLinesY() const { return FGroupLinesY; }
  void SetGroupLinesY(bool v);
  bool GroupLinesX() const { return FGroupLinesX; }
  void SetGroupLinesX(bool v) { FGroupLinesX = v; }
  int LineWidth() const { return FLineWidth; }
  void SetLineWidth(int v);
  int BitmapWidth() const { return FBitmapWidth; }
  int BitmapHeight() const { return FBitmapHeight; }
  TColor BackgroundColor() const { return FBackgroundColor; }
  void SetBackgroundColor(TColor v) { FBackgroundColor = v; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor v) { FBorderColor = v; }
  TColor GroupLineColor() const { return FGroupLineColor; }
  void SetGroupLineColor(TColor v) { FGroupLineColor = v; }
  TColor CellColor() const { return FCellColor; }
  void SetCellColor(TColor v) { FCellColor = v; }
  int OffsetX() const { return FOffsetX; }
  void SetOffsetX(int v) { FOffsetX = v; }
  int OffsetY() const { return FOffsetY; }
  void SetOffsetY(int v) { FOffsetY = v; }
  const TDrawCellEvent& OnDrawCell() const { return FOnDrawCell; }
  void SetOnDrawCell(TDrawCellEvent v) { FOnDrawCell = std::move(v); }
  int FillPercent() const { return FFillPercent; }
  void SetFillPercent(int v) { FFillPercent = v; }
  const std::string& GridName() const { return FGridName; }
  void SetGridName(const std::string& v) { FGridName = v; }
  int HotCol() const { return FHotCol; }
  void SetHotCol(int v) { FHotCol = v; }
  int HotRow() const { return FHotRow; }
  void SetHotRow(int v) { FHotRow = v; }
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool v) { FHotTrack = v; }
  bool DrawCellsPos() const { return FDrawCellsPos; }
  void SetDrawCellsPos(bool v) { FDrawCellsPos = v; }

 private:
  void ResizeTexts();

  QImage FBitmap;
  std::vector<TCellCacheRec> FCellCache;
  std::vector<std::vector<std::string>> FCellTexts;  // [column][row]
  int FGroupCols = 0;
  int FGroupLineWidth = 0;
  int FGroupRows = 0;
  int FBorderWidth = 0;
  int FRowCount = 0;
  int FColCount = 0;
  int FCellWidth = 0;
  bool FGroupLinesY = false;
  int FLineWidth = 0;
  int FCellHeight = 0;
  int FBitmapWidth = 0;
  int FBitmapHeight = 0;
  TColor FBackgroundColor = 0;
  TColor FBorderColor = 0;
  TColor FGroupLineColor = 0;
  TColor FCellColor = 0;
  int FOffsetY = 0;
  int FOffsetX = 0;
  TDrawCellEvent FOnDrawCell;
  bool FGroupLinesX = false;
  int FFillPercent = 100;
  std::string FGridName;
  int FHotCol = -1;
  int FHotRow = -1;
  bool FHotTrack = false;
  bool FDrawCellsPos = false;
};
