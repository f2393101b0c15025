// Clue strips, layout, fitting and zooming of the board view.
#include <gtest/gtest.h>

#include <QNativeGestureEvent>
#include <QPointingDevice>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <cstdlib>

#include "view_harness.h"

namespace {

using test_support::TriplePairs;
using test_support::ViewHarness;
using test_support::ViewTest;

// For TriplePairs (both strips three clue positions wide) with w-px cells the
// composite is gap + 45 + 13w pixels each way: the board 31 + 10w, a strip
// 14 + 3w, and the gap the current cell width div 8. The room is 95 % of the
// panel, rounded halves to even.

using FrameLayout = ViewTest;

TEST_F(FrameLayout, StripsHoldTheRightAlignedCluesWithBlankZeros) {
  ViewHarness v({"#.##.", ".....", "#.#.#", "####.", "...#."});
  TNonoGrid& left = *v.Frame->LeftGrid();
  TNonoGrid& top = *v.Frame->TopGrid();
  EXPECT_EQ(left.ColCount(), 3);
  EXPECT_EQ(left.RowCount(), 5);
  EXPECT_EQ(top.ColCount(), 5);
  EXPECT_EQ(top.RowCount(), 2);
  const auto row = [&](int r) {
    return left.GetText(0, r) + "|" + left.GetText(1, r) + "|" + left.GetText(2, r);
  };
  EXPECT_EQ(row(0), "|1|2");
  EXPECT_EQ(row(1), "||");  // the empty row's clue 0 shows blank
  EXPECT_EQ(row(2), "1|1|1");
  EXPECT_EQ(row(3), "||4");
  const auto column = [&](int c) { return top.GetText(c, 0) + "|" + top.GetText(c, 1); };
  EXPECT_EQ(column(0), "1|2");
  EXPECT_EQ(column(1), "|1");
  EXPECT_EQ(column(3), "1|2");
  EXPECT_EQ(column(4), "|1");
}

TEST_F(FrameLayout, CentresTheCompositeWithTheGapBetweenParts) {
  ViewHarness v(TriplePairs(), {}, QSize(400, 400));
  const TframeGrid& f = *v.Frame;
  EXPECT_EQ(f.pBoard()->size(), QSize(400, 400));
  EXPECT_EQ(f.pbLeft()->size(), QSize(74, 231));
  EXPECT_EQ(f.pbTop()->size(), QSize(231, 74));
  EXPECT_EQ(f.pbBoard()->size(), QSize(231, 231));
  // (400 - 307) / 2 = 46; the board sits 74 + 2 further on.
  EXPECT_EQ(f.pbLeft()->pos(), QPoint(46, 122));
  EXPECT_EQ(f.pbTop()->pos(), QPoint(122, 46));
  EXPECT_EQ(f.pbBoard()->pos(), QPoint(122, 122));
  EXPECT_EQ(f.SavedBoardPos(), QPoint(122, 122));
}

// Whether each scroll bar of the board area shows.
std::pair<bool, bool> ScrollBars(const TframeGrid& f) {
  return {f.sbBoard()->horizontalScrollBar()->isVisible(),
          f.sbBoard()->verticalScrollBar()->isVisible()};
}

// The cell's centre lies in the visible part of the board area.
bool CellInView(const TframeGrid& f, int col, int row) {
  for (const TCellCacheRec& rec : f.BoardGrid()->CellCache())
    if (rec.Col == col && rec.Row == row) {
      const QPoint centre((rec.Rect.Left + rec.Rect.Right) / 2,
                          (rec.Rect.Top + rec.Rect.Bottom) / 2);
      const QWidget* viewport = f.sbBoard()->viewport();
      return viewport->rect().contains(f.pbBoard()->mapTo(viewport, centre));
    }
  return false;
}

TEST_F(FrameLayout, ACompositeThatDoesNotFitScrollsInsteadOfBeingCut) {
  // The composite of TriplePairs at 20-px cells is 307 px each way, 323 with
  // the margin a scrolling composite keeps.
  struct Case {
    const char* name;
    QSize host;
    bool across, down;
  };
  const Case cases[] = {
      {"fits", {400, 400}, false, false},
      {"fits exactly", {307, 307}, false, false},
      {"neither way", {200, 300}, true, true},
      {"too low", {350, 250}, false, true},
      {"too narrow", {250, 350}, true, false},
      // A vertical bar takes the room the width needed.
      {"a bar makes it too narrow", {316, 250}, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ViewHarness v(TriplePairs(), {}, c.host);
    const TframeGrid& f = *v.Frame;
    QApplication::processEvents();
    EXPECT_EQ(ScrollBars(f), std::pair(c.across, c.down));
    const QSize view = f.sbBoard()->viewport()->size();
    EXPECT_EQ(f.pBoard()->width(), c.across ? 323 : view.width());
    EXPECT_EQ(f.pBoard()->height(), c.down ? 323 : view.height());
    // Nothing is cut: the composite lies inside the panel, and every corner
    // cell can be scrolled into view.
    for (const QWidget* box : {f.pbLeft(), f.pbTop(), f.pbBoard()})
      EXPECT_TRUE(f.pBoard()->rect().contains(box->geometry()));
    for (const auto& [col, row] : {std::pair{0, 0}, {9, 0}, {0, 9}, {9, 9}}) {
      v.Frame->ScrollToCell(col, row);
      EXPECT_TRUE(CellInView(f, col, row)) << col << "," << row;
    }
  }
}

// n x n with busy clues: runs of two and one, about n / 3 numbers a line.
test_support::Picture BusyPicture(int n) {
  test_support::Picture picture;
  for (int y = 0; y < n; ++y) {
    std::string row;
    for (int x = 0; x < n; ++x) row += (x / 2 + y) % 3 == 0 ? '#' : '.';
    picture.push_back(row);
  }
  return picture;
}

// Where a widget's top-left corner shows in the board area's viewport.
QPoint InView(const TframeGrid& f, const QWidget* w) {
  return w->mapTo(f.sbBoard()->viewport(), QPoint(0, 0));
}

TEST_F(FrameLayout, ALargeBoardAtTheSmallestCellScrollsAndEveryCellStaysPlayable) {
  // 60 x 60 with busy clues, in a small panel.
  ViewHarness v(BusyPicture(60), {}, QSize(400, 300));
  v.Game->SetAutoFit(true);
  v.Frame->Relayout(lfResized);
  QApplication::processEvents();
  TframeGrid& f = *v.Frame;
  EXPECT_EQ(f.BoardGrid()->CellWidth(), f.MinCellSize());
  EXPECT_EQ(ScrollBars(f), std::pair(true, true));

  // The far corner scrolled into view takes a click.
  f.ScrollToCell(59, 59);
  ASSERT_TRUE(CellInView(f, 59, 59));
  const TCellCacheRec corner = f.BoardGrid()->CellCache().back();
  ASSERT_EQ(std::pair(corner.Col, corner.Row), std::pair(59, 59));
  const QPoint at((corner.Rect.Left + corner.Rect.Right) / 2,
                  (corner.Rect.Top + corner.Rect.Bottom) / 2);
  v.Stroke({at}, Qt::LeftButton);
  EXPECT_EQ(v.Game->PlayerState(59, 59), psFilled);

  // The keyboard cursor drags the view along.
  f.ScrollToCell(0, 0);
  ASSERT_FALSE(CellInView(f, 59, 30));
  f.BoardKeyPress(Qt::Key_Down, Qt::NoModifier);  // shows the cursor at (0, 0)
  for (int i = 0; i < 30; ++i) f.BoardKeyPress(Qt::Key_Down, Qt::NoModifier);
  f.BoardKeyPress(Qt::Key_End, Qt::NoModifier);
  ASSERT_EQ(std::pair(f.Cursor().Col(), f.Cursor().Row()), std::pair(59, 30));
  EXPECT_TRUE(CellInView(f, 59, 30));

  // So does a hint, to the first cell it proves.
  f.ScrollToCell(59, 59);
  f.ShowHint({false, 2, {{0, 2, 1}}});
  EXPECT_TRUE(CellInView(f, 0, 2));
}

// A stroke dragged past the edge of the visible part of a large board takes
// the view along, so a long run can be painted in one stroke.
TEST_F(FrameLayout, AStrokeDraggedPastTheViewScrollsTheBoardAlong) {
  test_support::Picture picture(60, std::string(60, '#'));
  ViewHarness v(picture, {}, QSize(400, 300));
  v.Game->SetAutoFit(true);
  v.Frame->Relayout(lfResized);
  QApplication::processEvents();
  TframeGrid& f = *v.Frame;
  f.ScrollToCell(0, 0);
  QScrollBar* across = f.sbBoard()->horizontalScrollBar();
  const int before = across->value();
  const TCellCacheRec first = f.BoardGrid()->CellCache().front();
  const QPoint start((first.Rect.Left + first.Rect.Right) / 2,
                     (first.Rect.Top + first.Rect.Bottom) / 2);
  // The pointer well beyond the viewport's right edge, on the same row.
  const int beyond =
      f.pbBoard()
          ->mapFrom(f.sbBoard()->viewport(), QPoint(f.sbBoard()->viewport()->width() + 40, 0))
          .x();
  v.Stroke({start, QPoint(beyond, start.y())}, Qt::LeftButton);
  EXPECT_GT(across->value(), before);
}

TEST_F(FrameLayout, TheWheelScrollsTheBoardShiftSidewaysAndCtrlIsLeftToTheWindow) {
  ViewHarness v(TriplePairs(), {}, QSize(200, 200));
  QApplication::processEvents();
  QWidget* viewport = v.Frame->sbBoard()->viewport();
  // As the pointer's wheel event reaches the scroll area; one it leaves
  // unaccepted goes on to the window, whose Ctrl+wheel zooms.
  const auto wheel = [&](Qt::KeyboardModifiers modifiers) {
    const QPoint at(5, 5);
    QWheelEvent e(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, modifiers,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &e);
    return e.isAccepted();
  };
  QScrollBar* down = v.Frame->sbBoard()->verticalScrollBar();
  EXPECT_TRUE(wheel(Qt::NoModifier));
  EXPECT_GT(down->value(), 0);
  const int scrolled = down->value();
  EXPECT_FALSE(wheel(Qt::ControlModifier));
  EXPECT_EQ(down->value(), scrolled);
  // Shift turns it sideways.
  QScrollBar* across = v.Frame->sbBoard()->horizontalScrollBar();
  EXPECT_TRUE(wheel(Qt::ShiftModifier));
  EXPECT_GT(across->value(), 0);
  EXPECT_EQ(down->value(), scrolled);
}

// The cell of the board under a point of the viewport.
TCellHit CellAt(const TframeGrid& f, QPoint inView) {
  const QPoint onBoard = f.pbBoard()->mapFrom(f.sbBoard()->viewport(), inView);
  return f.BoardGrid()->HitTest(onBoard.x(), onBoard.y());
}

TEST_F(FrameLayout, A60x60ZoomsInPastTheFitAboutThePointerAndOutAgain) {
  ViewHarness v(BusyPicture(60), {}, QSize(1400, 1100));
  v.Game->SetAutoFit(true);
  v.Frame->Relayout(lfResized);
  TframeGrid& f = *v.Frame;
  const int fitted = f.BoardGrid()->CellWidth();
  ASSERT_LT(fitted, 16);
  ASSERT_EQ(ScrollBars(f), std::pair(false, false));

  // Past the fit: the board scrolls both ways.
  const QPoint pointer = InView(f, f.pbBoard()) + QPoint(200, 150);
  for (int cell = fitted; cell < 20; ++cell) ASSERT_TRUE(f.Zoom(1, pointer)) << cell;
  ASSERT_EQ(ScrollBars(f), std::pair(true, true));
  // (Large cells cost a render each; the steps between are the same.)
  ASSERT_TRUE(f.BoardGrid()->SetCellSize(TframeGrid::kLargestZoomCell - 5,
                                         TframeGrid::kLargestZoomCell - 5));
  f.Relayout(lfKeep);
  // The cell under the pointer stays under it while the board grows.
  const TCellHit held = CellAt(f, pointer);
  ASSERT_GE(held.Col, 0);
  int steps = 0;
  while (f.Zoom(1, pointer)) {
    ++steps;
    const TCellHit now = CellAt(f, pointer);
    if (now.Col < 0) continue;  // a gap between cells
    EXPECT_LE(std::abs(now.Col - held.Col), 1) << f.BoardGrid()->CellWidth();
    EXPECT_LE(std::abs(now.Row - held.Row), 1) << f.BoardGrid()->CellWidth();
  }
  EXPECT_EQ(steps, 5);
  EXPECT_EQ(f.BoardGrid()->CellWidth(), TframeGrid::kLargestZoomCell);
  // At any zoom the column clues stand over their columns.
  EXPECT_EQ(f.TopGrid()->CellWidth(), TframeGrid::kLargestZoomCell);
  // A layout after a resize keeps the zoomed size.
  f.Relayout(lfResized | v.Game->LayoutFlags());
  EXPECT_EQ(f.BoardGrid()->CellWidth(), TframeGrid::kLargestZoomCell);

  // Without a pointer the keyboard cursor's cell stays in view.
  f.BoardKeyPress(Qt::Key_Space, Qt::NoModifier);
  ASSERT_TRUE(f.Cursor().Shown());
  f.Zoom(-1);
  EXPECT_TRUE(CellInView(f, f.Cursor().Col(), f.Cursor().Row()));

  // Out again: back inside the view at the fitted size, then on to the
  // smallest cells.
  ASSERT_TRUE(f.BoardGrid()->SetCellSize(fitted + 2, fitted + 2));
  f.Relayout(lfKeep);
  ASSERT_TRUE(f.Zoom(-1));
  ASSERT_TRUE(f.Zoom(-1));
  EXPECT_EQ(ScrollBars(f), std::pair(false, false));
  while (f.Zoom(-1)) {
  }
  EXPECT_EQ(f.BoardGrid()->CellWidth(), f.MinCellSize());
}

TEST_F(FrameLayout, TheClueStripsStayInViewWhileTheBoardScrolls) {
  ViewHarness v(BusyPicture(60), {}, QSize(700, 500));
  TframeGrid& f = *v.Frame;
  ASSERT_TRUE(f.BoardGrid()->SetCellSize(30, 30));
  f.Relayout(lfKeep);
  QApplication::processEvents();
  QScrollBar* across = f.sbBoard()->horizontalScrollBar();
  QScrollBar* down = f.sbBoard()->verticalScrollBar();
  ASSERT_EQ(ScrollBars(f), std::pair(true, true));
  const int topDepth = f.pbTop()->height();
  const int leftDepth = f.pbLeft()->width();
  const QSize view = f.sbBoard()->viewport()->size();

  struct Case {
    const char* name;
    int x, y;
  };
  const Case cases[] = {
      {"down", 0, down->maximum()},
      {"across", across->maximum(), 0},
      {"both ways", across->maximum() / 2, down->maximum()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    across->setValue(c.x);
    down->setValue(c.y);
    const QPoint board = InView(f, f.pbBoard());
    const QPoint top = InView(f, f.pbTop());
    const QPoint left = InView(f, f.pbLeft());
    // Each strip scrolls along the board in one direction only: the column
    // clues stand above their columns, the row clues beside their rows.
    EXPECT_EQ(top.x(), board.x());
    EXPECT_EQ(left.y(), board.y());
    // In the other direction a scrolled strip stays at the view's edge, as
    // deep as a third of the view allows (this one's far end gives way).
    if (c.y > 0) {
      EXPECT_LE(top.y(), 0);
      EXPECT_EQ(top.y() + topDepth, std::min(topDepth, view.height() / 3 - 30 / 8));
    }
    if (c.x > 0) {
      EXPECT_LE(left.x(), 0);
      EXPECT_EQ(left.x() + leftDepth, std::min(leftDepth, view.width() / 3 - 30 / 8));
    }
    // Nothing of the board shows over the strips' corner.
    const QWidget* corner =
        f.pBoard()->childAt(f.pBoard()->mapFrom(f.sbBoard()->viewport(), QPoint(1, 1)));
    EXPECT_NE(corner, f.pbBoard());
  }

  // The pointer's lines light up in both strips while they are pinned.
  const QPoint middle(view.width() / 2, view.height() / 2);
  const QPoint onBoard = f.pbBoard()->mapFrom(f.sbBoard()->viewport(), middle);
  v.Move(onBoard, Qt::NoButton);
  const TCellHit hit = CellAt(f, middle);
  EXPECT_EQ(f.TopGrid()->HotCol(), hit.Col);
  EXPECT_EQ(f.LeftGrid()->HotRow(), hit.Row);

  // The keyboard's cursor is kept clear of the pinned strips with a margin.
  f.BoardKeyPress(Qt::Key_Space, Qt::NoModifier);
  for (int i = 0; i < 40; ++i) f.BoardKeyPress(Qt::Key_Down, Qt::NoModifier);
  for (int i = 0; i < 20; ++i) f.BoardKeyPress(Qt::Key_Up, Qt::NoModifier);
  ASSERT_EQ(f.Cursor().Row(), 20);
  ASSERT_GT(down->value(), 0);
  for (const TCellCacheRec& rec : f.BoardGrid()->CellCache())
    if (rec.Col == f.Cursor().Col() && rec.Row == f.Cursor().Row()) {
      const QPoint cell =
          f.pbBoard()->mapTo(f.sbBoard()->viewport(), QPoint(rec.Rect.Left, rec.Rect.Top));
      EXPECT_GE(cell.y(), InView(f, f.pbTop()).y() + topDepth + 30);
    }
}

TEST_F(FrameLayout, TheStripsOfA128x128TakeAboutAThirdOfTheViewWithReadableNumbers) {
  ViewHarness v(BusyPicture(128), {}, QSize(1366, 700));
  v.Game->SetAutoFit(true);
  v.Frame->Relayout(lfResized);
  TframeGrid& f = *v.Frame;
  const QSize view = f.sbBoard()->viewport()->size();
  // Shown first with the far end of the column clues given way, so the
  // board is seen at once.
  EXPECT_LE(InView(f, f.pbTop()).y() + f.pbTop()->height(), view.height() / 3);
  // More clue positions than a third of the view holds at board cells.
  ASSERT_GT(3 * f.TopGrid()->RowCount() * (f.BoardGrid()->CellWidth() + 2), view.height());
  const int fitted = f.BoardGrid()->CellWidth();
  EXPECT_LE(f.TopGrid()->CellHeight(), std::max(fitted, TframeGrid::kTightClueDepth));
  EXPECT_LE(f.pbLeft()->width(), view.width() / 3);
  // Zoomed in, the strips keep the tight depth across the board.
  ASSERT_TRUE(f.Zoom(1));
  while (f.BoardGrid()->CellWidth() < 20) ASSERT_TRUE(f.Zoom(1));
  EXPECT_EQ(f.TopGrid()->CellHeight(), TframeGrid::kTightClueDepth);
  EXPECT_EQ(f.LeftGrid()->CellWidth(), TframeGrid::kTightClueDepth);
  EXPECT_EQ(f.TopGrid()->CellWidth(), 20);
  EXPECT_EQ(f.LeftGrid()->CellHeight(), 20);
  // The largest boards stop zooming in where the board's image would pass
  // its bound, before the largest zoom cell.
  // (29-px cells make a 4051-px board.)
  ASSERT_TRUE(f.BoardGrid()->SetCellSize(29, 29));
  EXPECT_FALSE(f.Zoom(1));
  EXPECT_EQ(f.BoardGrid()->CellWidth(), 29);
  // Pinned, the column clues keep to a third of the view.
  f.sbBoard()->verticalScrollBar()->setValue(f.sbBoard()->verticalScrollBar()->maximum());
  EXPECT_LE(InView(f, f.pbTop()).y() + f.pbTop()->height(), f.sbBoard()->viewport()->height() / 3);

  // Two-digit numbers stay at least 8 px high at the smallest cells.
  ASSERT_TRUE(f.BoardGrid()->SetCellSize(f.MinCellSize(), f.MinCellSize()));
  f.Relayout(lfKeep);
  const TCellRect cell{0, 0, f.TopGrid()->CellWidth(), f.LeftGrid()->CellHeight()};
  const QFont font = f.ClueFontFor(cell);
  QImage device = QImage(1, 1, QImage::Format_RGB32);
  device.setDotsPerMeterX(3780);
  device.setDotsPerMeterY(3780);
  const QFontMetrics metrics(font, &device);
  EXPECT_GE(metrics.tightBoundingRect("42").height(), 8);
  // The widest clue fits the cell all the same, drawn narrower.
  EXPECT_LE(metrics.horizontalAdvance("42") + 2, cell.Width());
}

TEST_F(FrameLayout, FrameFollowsItsParent) {
  ViewHarness v(TriplePairs(), {}, QSize(400, 400));
  v.Host()->resize(600, 450);
  EXPECT_EQ(v.Frame->size(), QSize(600, 450));
  EXPECT_EQ(v.Frame->pBoard()->size(), QSize(600, 450));
  v.Frame->Relayout(lfKeep);
  EXPECT_EQ(v.Frame->pbLeft()->pos(), QPoint(146, 147));
}

struct FitCase {
  const char* name;
  int panel;      // square panel side
  int startCell;  // cell size before fitting
  TLayoutFlags flags;
  int expected;
};

TEST_F(FrameLayout, FitToRoomGrowsAndShrinksInSteps) {
  const FitCase cases[] = {
      // Room 350: 23 px (346) fits, 24 (359) does not; growing from 20 ends at 22.
      {"grow", 368, 20, lfFit, 22},
      // Room 390 (389.5 -> 390, halves to even), gap 3: 28 px (412) is too
      // large and 26 (386) fits; shrinking from 30 ends on the first trial
      // that fits, 26, so the whole board is in view.
      {"shrink", 410, 30, lfFit, 26},
      // Same room, but from 31 the trials are 29, 27 (399, too large) and 25
      // (fits), so the result is 25.
      {"shrink odd", 410, 31, lfFit, 25},
      // No growing with lfNoGrow, nor for a zoomed view unless resized.
      {"no grow", 368, 20, lfFit | lfNoGrow, 20},
      {"zoomed", 368, 20, lfZoomed, 20},
      {"zoomed and resized", 368, 20, lfZoomed | lfResized, 22},
      // A zoomed view that no longer fits still shrinks.
      {"zoomed shrink", 410, 30, lfKeep | lfNoGrow | lfZoomed, 26},
  };
  for (const FitCase& c : cases) {
    ViewHarness v(TriplePairs(), {}, QSize(c.panel, c.panel));
    ASSERT_TRUE(v.Frame->BoardGrid()->SetCellSize(c.startCell, c.startCell));
    v.Frame->FitToRoom(c.flags);
    EXPECT_EQ(v.Frame->BoardGrid()->CellWidth(), c.expected) << c.name;
    EXPECT_EQ(v.Frame->LeftGrid()->CellHeight(), c.expected) << c.name;
    EXPECT_EQ(v.Frame->TopGrid()->CellWidth(), c.expected) << c.name;
  }
}

TEST_F(FrameLayout, FittingNeverGoesBelowTheSmallestCell) {
  struct Case {
    const char* name;
    int panel, start, expected;
  };
  const Case cases[] = {
      // Nothing fits a 21-px panel: from 11 the first shrinking step meets 10.
      {"lands on 10", 21, 11, 11},
      // Room 140, gap 1: the trials 10 and 8 (150) are too large, 6 would fit
      // but cannot be read; the board stays at 10 and scrolls.
      {"passes 10", 147, 12, 10},
      // From 20 the trials never meet 10 and run below zero.
      {"runs below zero", 21, 20, 10},
  };
  for (const Case& c : cases) {
    ViewHarness v(TriplePairs(), {}, QSize(c.panel, c.panel));
    ASSERT_TRUE(v.Frame->BoardGrid()->SetCellSize(c.start, c.start));
    v.Frame->FitToRoom(lfFit);
    EXPECT_EQ(v.Frame->BoardGrid()->CellWidth(), c.expected) << c.name;
  }
}

TEST_F(FrameLayout, LayoutFitsOnlyWhenAskedAndAutoFitIsOn) {
  ViewHarness v(TriplePairs(), {}, QSize(368, 368));
  v.Frame->Layout(lfKeep, 0);
  EXPECT_EQ(v.Frame->BoardGrid()->CellWidth(), 20);
  v.Game->SetAutoFit(false);
  v.Frame->Layout(lfFit, 0);
  EXPECT_EQ(v.Frame->BoardGrid()->CellWidth(), 20);
  v.Game->SetAutoFit(true);
  v.Frame->Layout(lfFit, 0);
  EXPECT_EQ(v.Frame->BoardGrid()->CellWidth(), 22);
  EXPECT_EQ(v.Frame->pbBoard()->size(), QSize(6 + 10 * 24 + 2 + 3, 6 + 10 * 24 + 2 + 3));
  // The gap follows the cell size: 22 / 8 = 2.
  EXPECT_EQ(v.Frame->pbBoard()->x() - (v.Frame->pbLeft()->x() + v.Frame->pbLeft()->width()), 2);
}

struct ZoomCase {
  const char* name;
  int panel;
  int cell;
  int delta;
  bool zooms;
  int expected;
};

TEST_F(FrameLayout, ZoomTakesOneStepBetweenTheSmallestAndTheLargestZoomCell) {
  const ZoomCase cases[] = {
      {"in", 338, 20, 1, true, 21},
      // Past the room: the board then scrolls.
      {"in, past the room", 300, 20, 1, true, 21},
      {"in to the largest zoom cell", 300, 47, 1, true, 48},
      {"in past the largest zoom cell", 300, 48, 1, false, 48},
      // A small board whose fitted cells are larger still grows while it fits.
      {"in past the largest zoom cell, still fitting", 1000, 48, 1, true, 49},
      {"out", 410, 27, -1, true, 26},
      {"out, still too large", 410, 30, -1, true, 29},
      {"out at the smallest cell", 1000, 10, -1, false, 10},
      {"a whole wheel turn is one step", 1000, 20, 120, true, 21},
      {"no turn", 1000, 20, 0, false, 20},
  };
  for (const ZoomCase& c : cases) {
    ViewHarness v(TriplePairs(), {}, QSize(c.panel, c.panel));
    ASSERT_TRUE(v.Frame->BoardGrid()->SetCellSize(c.cell, c.cell));
    EXPECT_EQ(v.Frame->Zoom(c.delta), c.zooms) << c.name;
    EXPECT_EQ(v.Frame->BoardGrid()->CellWidth(), c.expected) << c.name;
    EXPECT_EQ(v.Frame->TopGrid()->CellWidth(), c.zooms ? c.expected : 20) << c.name;
    EXPECT_EQ((v.Game->GameState() & vfZoomed) != 0, c.zooms) << c.name;
  }
}

// A pinch on a touchpad zooms a step for every tenth of scale it reports,
// wherever on the board area it lands.
TEST_F(FrameLayout, APinchZoomsInAndOut) {
  ViewHarness v(TriplePairs(), {}, QSize(400, 400));
  TframeGrid& f = *v.Frame;
  const auto pinch = [&](QWidget* target, double scale) {
    const QPointF at(10, 10);
    QNativeGestureEvent e(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(), 2, at,
                          at, target->mapToGlobal(at), scale, QPointF());
    QApplication::sendEvent(target, &e);
    return e.isAccepted();
  };
  EXPECT_TRUE(pinch(f.pbBoard(), 0.25));  // two steps, half a step kept
  EXPECT_EQ(f.BoardGrid()->CellWidth(), 22);
  EXPECT_TRUE(pinch(f.sbBoard()->viewport(), 0.05));
  EXPECT_EQ(f.BoardGrid()->CellWidth(), 23);
  EXPECT_TRUE(pinch(f.pbTop(), 0.05));  // half a step, kept
  EXPECT_TRUE(pinch(f.pbLeft(), -0.3));
  EXPECT_EQ(f.BoardGrid()->CellWidth(), 21);
  EXPECT_TRUE(v.Game->GameState() & vfZoomed);
}

TEST_F(FrameLayout, AZoomedPuzzleAsksNotToGrow) {
  ViewHarness v(TriplePairs(), {}, QSize(1000, 1000));
  ASSERT_TRUE(v.Frame->Zoom(1));
  EXPECT_EQ(v.Game->LayoutFlags(), lfKeep | lfNoGrow | lfZoomed);
  EXPECT_EQ(v.Frame->pbBoard()->size(), QSize(6 + 10 * 23 + 2 + 3, 6 + 10 * 23 + 2 + 3));
  v.Frame->Relayout(v.Game->LayoutFlags());
  EXPECT_EQ(v.Frame->BoardGrid()->CellWidth(), 21);
}

TEST_F(FrameLayout, RelayoutWaitsWhileBusy) {
  ViewHarness v(TriplePairs(), {}, QSize(400, 400));
  v.Host()->resize(600, 600);
  bool busy = true;
  v.Frame->SetBusyQuery([&busy] { return busy; });
  v.Frame->Relayout(lfKeep);
  EXPECT_EQ(v.Frame->pbLeft()->pos(), QPoint(46, 122));
  busy = false;
  v.Frame->Relayout(lfKeep);
  EXPECT_EQ(v.Frame->pbLeft()->pos(), QPoint(146, 222));
  EXPECT_TRUE(v.Frame->pbBoard()->isVisible());
}

TEST_F(FrameLayout, ShakeEndsCentredAgain) {
  ViewHarness v(TriplePairs(), {}, QSize(400, 400));
  v.Frame->Shake(lfKeep, 3, 5, 0);
  EXPECT_EQ(v.Frame->pbLeft()->pos(), QPoint(46, 122));
  EXPECT_EQ(v.Frame->pbBoard()->pos(), QPoint(122, 122));
}

}  // namespace
