// TframeGrid: the board view of one game slot. It shows a puzzle as three
// grids - the board, the row clues to its left and the column clues above it -
// each drawn by a paint box (pbBoard, pbLeft, pbTop) inside the panel pBoard,
// and turns pointer events on pbBoard into moves of the puzzle.
//
// The frame reads the puzzle and writes only its player cells (through the
// puzzle's pointer logic) and its view-related values (vfZoomed); the board
// colours and the clue font it measured are its own. It does nothing with
// input or layout while its owner says it is busy, nor with input or painting
// while AppPhase is apClosing. The frame fills its parent widget, and so does the
// panel while the composite fits; a composite larger than the frame (a large
// or zoomed board) scrolls, the panel then as large as the composite with a
// small margin. While it scrolls the clue strips stay in view like frozen
// headers: the column clues at the top, the row clues at the left, each at
// most a third of the view (a longer strip scrolls along with the board
// until only that third is left).
#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/cell_types.h"
#include "model/clue_marks.h"
#include "model/keyboard_cursor.h"
#include "model/layout_flags.h"
#include "model/pointer_flags.h"
#include "util/color.h"
#include "view/cell_sprite.h"
#include "view/display_states.h"
#include "view/nono_grid.h"
#include "view/stroke_path.h"

class TNonoGame;
class TPaintBox;

// What a hint shows on the board: its line and the cells it proves (value 1
// filled, -1 empty).
struct TBoardHint {
  struct TCell {
    int X = 0;
    int Y = 0;
    std::int32_t Value = 0;
  };
  bool Column = false;
  int Index = 0;
  std::vector<TCell> Cells;
};
class QPainter;
class QScrollArea;

class TframeGrid : public QWidget {
  Q_OBJECT

 public:
  // Raised after every pointer event that reached the puzzle: the cell hit
  // (-1, -1 off the cells) and the flags handed to the puzzle.
  using TBoardMouseEvent = std::function<void(int row, int col, TBoardMouseFlags flags)>;

  explicit TframeGrid(QWidget* parent = nullptr);
  ~TframeGrid() override;

  // --- Setup by the slot ---
  // Sets the view up for game (not owned): margins of 5 %, a smallest cell
  // of 10 px, the grids for its size, the panel in its board-area colour,
  // input enabled. The one set-up every owner of a view uses.
  void SetUp(TNonoGame* game);
  TNonoGame* Game() const { return FGame; }
  void SetGame(TNonoGame* game);
  // Whether the owner is busy (start-up, shutdown, long work): input, layout
  // and repaints wait then. Asked each time, never copied; without a query
  // the view is never busy.
  void SetBusyQuery(std::function<bool()> query) { FBusyQuery = std::move(query); }
  bool Busy() const { return FBusyQuery && FBusyQuery(); }
  // The board colours. Setting them also colours the grids and the panel.
  const TBoardPalette& Palette() const { return FPalette; }
  void SetPalette(const TBoardPalette& palette);
  int MarginXPercent() const { return FMarginXPercent; }
  void SetMarginXPercent(int v) { FMarginXPercent = v; }
  int MarginYPercent() const { return FMarginYPercent; }
  void SetMarginYPercent(int v) { FMarginYPercent = v; }
  int MinCellSize() const { return FMinCellSize; }
  void SetMinCellSize(int v) { FMinCellSize = v; }
  bool PaintEnabled() const { return FPaintEnabled; }
  void SetPaintEnabled(bool v) { FPaintEnabled = v; }
  bool InputEnabled() const { return FInputEnabled; }
  void SetInputEnabled(bool v) { FInputEnabled = v; }
  bool HotTrackBoard() const { return FHotTrackBoard; }
  void SetHotTrackBoard(bool v) { FHotTrackBoard = v; }
  int HotDotPercent() const { return FHotDotPercent; }
  void SetHotDotPercent(int v) { FHotDotPercent = v; }
  // The clue highlight of the strips (drawhottrackcounters).
  void SetHotTrackCounters(bool on);
  // Keep a stroke on the row or column it first moved along.
  void SetKeepStrokeStraight(bool on) { FStroke.SetKeepStraight(on); }
  bool KeepStrokeStraight() const { return FStroke.KeepStraight(); }
  // The drawcellspos setting, kept by the strips.
  void SetDrawCellsPos(bool on);
  // Clue numbers whose runs stand complete on the board are drawn muted
  // (completedclues); the numbers of a line that contradicts its clue are
  // drawn red (mistakelines).
  bool ShowCompletedClues() const { return FShowCompletedClues; }
  void SetShowCompletedClues(bool on) { FShowCompletedClues = on; }
  bool ShowMistakeLines() const { return FShowMistakeLines; }
  void SetShowMistakeLines(bool on) { FShowMistakeLines = on; }
  // The board look: shapes and mark colours beside the palette.
  TBoardLook Look() const { return FLook; }
  void SetLook(TBoardLook look) { FLook = look; }
  const TBoardMouseEvent& OnBoardMouse() const { return FOnBoardMouse; }
  void SetOnBoardMouse(TBoardMouseEvent v) { FOnBoardMouse = std::move(v); }
  // The colour of pBoard, also the background of the board image.
  void SetPanelColor(TColor colour);
  // Makes pBoard and the three paint boxes visible.
  void ShowBoard();
  // Takes the parent's whole area (the frame follows its parent's size).
  void FitToParent();

  // --- Components ---
  QWidget* pBoard() const { return FpBoard; }
  // Holds pBoard; its scroll bars show only while the composite does not fit.
  QScrollArea* sbBoard() const { return FsbBoard; }
  TPaintBox* pbLeft() const { return FpbLeft; }
  TPaintBox* pbTop() const { return FpbTop; }
  TPaintBox* pbBoard() const { return FpbBoard; }
  TNonoGrid* BoardGrid() const { return FBoardGrid.get(); }
  TNonoGrid* LeftGrid() const { return FLeftGrid.get(); }
  TNonoGrid* TopGrid() const { return FTopGrid.get(); }

  // --- Geometry and layout ---
  // Creates the three grids for the puzzle's size at 20 x 20 px cells.
  void CreateGrids();
  // Sizes the strips to the puzzle's clues and fills in their numbers.
  void LoadClues();
  // The strips are at least this many numbers deep (row clues across,
  // column clues down), so a board whose clues change as it is drawn need
  // not move; 0 for just the clues' depth.
  void SetMinClueDepth(int rowClues, int columnClues) {
    FMinRowClueDepth = rowClues;
    FMinColumnClueDepth = columnClues;
  }
  // Clues, cell size (fitting when asked) and the centred positions of the
  // paint boxes, shifted right by dx.
  void Layout(TLayoutFlags flags, int dx);
  // Layout and repaint; nothing while busy.
  void Relayout(TLayoutFlags flags);
  // The part of the frame that fitting and zooming may use.
  QSize AvailableRoom() const;
  // Scrolls the board cell into view (with one and a half cells of margin),
  // clear of the pinned clue strips.
  void ScrollToCell(int col, int row);
  // The same for the first cell (row by row) in state, if any.
  void ScrollToFirst(TPieceState state);
  // Adds delta to w and h; the composite's size with w x h cells and the
  // given gap between the board and the strips.
  QSize TotalSize(int delta, int gap, int& w, int& h) const;
  // The composite's size with w x h board cells, the gap, and strip cells
  // depthW wide (row clues) and depthH high (column clues).
  QSize CompositeSize(int w, int h, int gap, int depthW, int depthH) const;
  // One step of fitting or zooming: the next delta (0 ends).
  int FitStep(TLayoutFlags flags, int delta, int& w, int& h, bool zoomMode) const;
  // Sets the cell size of all three grids to fit the room.
  void FitToRoom(TLayoutFlags flags);
  // The depth of the strips' cells (the row clues' width, the column clues'
  // height) at board cells of cell pixels: the cell itself, or a tighter
  // kTightClueDepth when the strips would take more than a third of the view.
  int StripDepth(int cell) const;
  static constexpr int kTightClueDepth = 12;
  // The size pBoard needs for the composite at cells of cell x cell pixels,
  // margins included.
  QSize RoomFor(int cell);
  // One zoom step in the sign of delta; false when refused. Zooming goes
  // from the smallest cell size up to kLargestZoomCell (further while the
  // whole composite still fits), whatever the room. The board point under
  // at (a point of the scroll area's viewport) stays where it is; without
  // it, the keyboard cursor's cell or the view's centre does.
  bool Zoom(int delta, std::optional<QPoint> at = std::nullopt);
  static constexpr int kLargestZoomCell = 48;
  // The widest or highest the board's image may grow by zooming, in pixels.
  static constexpr int kLargestBoardImage = 4096;
  // The scroll area's viewport, where the visible part of the board shows.
  QWidget* Viewport() const;
  // Where the visible part of the panel starts; kept while the view is
  // detached, so a slot shown again shows the part the player left.
  QPoint ScrollPos() const;
  void SetScrollPos(QPoint at);
  // Hot row and column of the three grids from the cell under the pointer.
  void SetHotTrack(int row, int col);
  // No row or column highlighted: the pointer left, or the board starts anew.
  void ClearHotTrack();
  // The pointer has left the board (or a dialog took it): no line is
  // highlighted, and the board and the clue strips are drawn so.
  void PointerGone();
  // Where the last layout left the paint boxes.
  QPoint SavedLeftPos() const { return FSavedLeftPos; }
  QPoint SavedTopPos() const { return FSavedTopPos; }
  QPoint SavedBoardPos() const { return FSavedBoardPos; }

  // --- Keyboard play ---
  // A key pressed for the board: arrows move the cursor (with Shift they
  // paint a stroke), Home and End go to the row's ends, Space fills like the
  // left button, X and Delete cross like the right one. True when the key was
  // the board's; a move is then reported through OnBoardMouse like a click.
  bool BoardKeyPress(int key, Qt::KeyboardModifiers modifiers);
  // A released Shift ends the stroke.
  void BoardKeyRelease(int key);
  const TKeyboardCursor& Cursor() const { return FCursor; }

  // --- Hint ---
  // Shows a hint over the board as it stands now: its line's clue cells
  // highlighted, the cells it proves outlined (filled and empty ones apart).
  // The board itself is not touched; the hint goes away by itself once any
  // cell of the board changes.
  void ShowHint(const TBoardHint& hint);
  void ClearHint();
  // Whether a hint is still showing (false once the board changed).
  bool HintShown();
  const TBoardHint& Hint() const { return FHint; }

  // --- Cell tints ---
  // Cells washed pale orange (tints[y * width + x] != 0), e.g. the cells line
  // logic leaves open in the designer; empty for none. Set again whenever
  // they change; drawn with the next paint.
  void SetCellTints(std::vector<std::uint8_t> tints) { FTints = std::move(tints); }
  const std::vector<std::uint8_t>& CellTints() const { return FTints; }

  // --- Drawing ---
  // Repaints the three paint boxes at once; nothing while busy. Pending
  // events wait for the event loop, so a click never lands in the middle of
  // a command.
  void RepaintAll();
  // Shows the filled cells as ticked count times, ms milliseconds each.
  void Flash(int count, int ms);
  // What the board shows over the player's cells: the flash and the
  // celebration. Drawn with the next paint.
  TDisplayStates& Display() { return FDisplay; }
  const TDisplayStates& Display() const { return FDisplay; }
  // The state board cell (col, row) is drawn in.
  TPieceState ShownState(int col, int row) const;
  // Moves the composite sideways n times each way by amplitude pixels.
  void Shake(TLayoutFlags flags, int n, int amplitude, int ms);
  // The clue font size for clue cells of rectangle r, measured once per cell
  // width (and again for other clues or another puzzle).
  int ClueFontSize(const TCellRect& r);
  // The cell width the cached size was measured for, 0 before any.
  int ClueFontWidth() const { return FClueFontWidth; }
  // The cached size, 0 when it must be measured again.
  int CachedClueFontSize() const { return FClueFontSize; }
  void SetCachedClueFontSize(int size) { FClueFontSize = size; }
  // The clue font for clue cells of rectangle r: that size, drawn narrower
  // where digits of a readable height would not fit across otherwise.
  QFont ClueFontFor(const TCellRect& r) { return ClueFont(ClueFontSize(r)); }

  // --- Board image ---
  // The board with both clue strips as drawn now, on the panel colour; a null
  // image without a puzzle.
  QImage BoardImage();
  // Puts BoardImage on the system clipboard.
  void CopyBoardImageToClipboard();

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  void FrameResize();
  // The strips take the board's cell size along the board and StripDepth
  // across it.
  void SizeStrips();
  // Keeps the clue strips in view over a scrolled board, with the panel's
  // colour behind them.
  void PinStrips();
  // How far the pinned strips reach into the viewport (width of the row
  // clues, height of the column clues, gaps included); 0 when not pinned.
  QSize PinnedStripsExtent() const;
  // How much of the strips gives way when pinned, to keep them within a
  // third of the view: width of the row clues, height of the column clues.
  QSize StripsOverflow() const;
  // Scrolls so that area (in the panel) shows clear of the pinned strips,
  // with one and a half cells of margin.
  void KeepInView(const QRect& area);
  // A stroke at point (of the board paint box) near or past the edge of the
  // visible part of the board scrolls it into view with that margin.
  void DragAlong(QPoint point);
  // A pinch on a touchpad: scale is the change the gesture reports, at a
  // point of the viewport.
  void Pinch(double scale, QPoint at);
  // Sizes pBoard and the scroll bars for a composite of that size.
  void FitPanel(QSize composite);
  bool PaintGrid(TNonoGrid* grid, QPainter& painter);
  void DrawBoardCell(TNonoGrid& grid, QPainter& canvas, int col, int row, const TCellRect& r);
  void DrawHotDot(QPainter& canvas, const TCellRect& r);
  void DrawCursor(QPainter& canvas, const TCellRect& r);
  void DrawHintMark(QPainter& canvas, const TCellRect& r, std::int32_t value);
  // The value the showing hint proves for a board cell, 0 for none.
  std::int32_t HintValueAt(int col, int row) const;
  bool OnHintLine(const TNonoGrid& grid, int col, int row) const;
  std::vector<TPieceState> BoardStates() const;
  void DrawWrongCell(QPainter& canvas, const TCellRect& r, int pen);
  // The shapes a look gives a clue cell's mark and highlight.
  void DrawClueShapes(QPainter& canvas, const TCellRect& r, TClueMark mark, bool hot, QRgb pen);
  QRgb PaletteColor(TPaletteRole role);
  void DrawCellCounter(TNonoGrid& grid, QPainter& canvas, int col, int row, const TCellRect& r);
  void DrawClueCell(TNonoGrid& grid, QPainter& canvas, int col, int row, const TCellRect& r);
  const QFont& ClueFont(int size);
  // Reads the clue marks of the strip's lines from the board as it stands.
  void RefreshClueMarks(const TNonoGrid* grid);
  // The mark of the clue number a strip cell shows (Open for a blank cell).
  TClueMark ClueMarkAt(const TNonoGrid& grid, int col, int row) const;

  void Dispatch(Qt::MouseButtons buttons, int x, int y, TBoardMouseFlags kind);
  void pbBoardMouseLeave();

  TNonoGame* FGame = nullptr;
  std::function<bool()> FBusyQuery;
  TBoardPalette FPalette{};
  std::unique_ptr<TNonoGrid> FBoardGrid;
  std::unique_ptr<TNonoGrid> FLeftGrid;
  std::unique_ptr<TNonoGrid> FTopGrid;
  int FMarginXPercent = 0;
  int FMarginYPercent = 0;
  int FMinCellSize = 0;
  bool FPaintEnabled = true;
  QPoint FSavedTopPos;
  QPoint FSavedLeftPos;
  QPoint FSavedBoardPos;
  TBoardMouseEvent FOnBoardMouse;
  TStrokePath FStroke;
  bool FInputEnabled = false;
  bool FHotTrackBoard = false;
  int FHotDotPercent = -1;
  int FHotDotWidth = 0;  // the board cell width FHotDotPercent was found for
  TKeyboardCursor FCursor;
  TDisplayStates FDisplay;
  bool FHintShown = false;
  TBoardHint FHint;
  std::vector<TPieceState> FHintBoard;  // the board the hint was found on
  std::vector<std::uint8_t> FTints;
  int FMinRowClueDepth = 0;
  int FMinColumnClueDepth = 0;
  bool FShowCompletedClues = false;
  bool FShowMistakeLines = false;
  TBoardLook FLook = blDefault;
  std::vector<TClueMarks> FRowMarks;     // per row, in clue order
  std::vector<TClueMarks> FColumnMarks;  // per column

  QScrollArea* FsbBoard = nullptr;
  QWidget* FpBoard = nullptr;
  QSize FNeed;  // the size of the composite of the last layout
  // Panel-coloured covers behind the pinned strips and over their corner.
  QWidget* FpTopBand = nullptr;
  QWidget* FpLeftBand = nullptr;
  QWidget* FpCorner = nullptr;
  // The scroll position the player last had; none before the first scroll.
  std::optional<QPoint> FKeptScroll;
  bool FPinning = false;  // PinStrips moves widgets; scroll signals wait
  bool FLayingOut = false;
  double FPinch = 0;  // pinch scale not yet taken as a zoom step
  TPaintBox* FpbLeft = nullptr;
  TPaintBox* FpbTop = nullptr;
  TPaintBox* FpbBoard = nullptr;
  QWidget* FWatchedParent = nullptr;
  // The clue font size measured for cells FClueFontWidth wide (0: measure).
  int FClueFontSize = 0;
  int FClueFontWidth = 0;
  // The bold clue font of the last size asked for.
  int FClueFontSizeMade = 0;
  // The longest clue text of the strips, which the clue font must fit.
  std::string FWidestClue;
  QFont FClueFont;
  // The clue numbers drawn so far, for the row and the column strip.
  std::array<TClueSprites, 2> FClueSprites;
  // The clue font's width in percent (0 until measured) and the cell height
  // it was measured for.
  int FClueStretch = 0;
  int FClueFontHeight = 0;
  bool FPaletteConverted = false;
  TBoardPalette FConvertedPalette{};
  std::array<QRgb, kBoardPaletteSize> FPaletteColors{};
  // One sprite per marked state, so each keeps its colours.
  enum { kSpriteCrossed, kSpriteCorrect, kSpriteAllCorrect, kSpriteCount };
  std::array<TCellSprite, kSpriteCount> FSprites;
};
