// Clue strips, layout, fitting and zooming of the board view.
#include <gtest/gtest.h>

#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

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

TEST_F(FrameLayout, ALargeBoardAtTheSmallestCellScrollsAndEveryCellStaysPlayable) {
  // 60 x 60 with busy clues, in a small panel.
  test_support::Picture picture;
  for (int y = 0; y < 60; ++y) {
    std::string row;
    for (int x = 0; x < 60; ++x) row += (x / 2 + y) % 3 == 0 ? '#' : '.';
    picture.push_back(row);
  }
  ViewHarness v(picture, {}, QSize(400, 300));
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
  EXPECT_EQ(v.Game->PlayerState(59, 59), psChecked);

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

TEST_F(FrameLayout, TheWheelScrollsTheBoardButCtrlWithTheWheelIsLeftToTheWindow) {
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

TEST_F(FrameLayout, ZoomTakesOneStepOnlyStrictlyInsideTheRoom) {
  const ZoomCase cases[] = {
      {"in", 338, 20, 1, true, 21},                 // room 321; 21 px needs 320
      {"in, exactly full", 337, 20, 1, false, 20},  // room 320
      {"in, too large", 300, 20, 1, false, 20},
      {"out", 410, 27, -1, true, 26},  // room 390; 26 px needs 385
      {"out, still too large", 410, 30, -1, false, 30},
      {"out at the smallest cell", 1000, 10, -1, false, 10},
      {"a whole wheel turn is one step", 1000, 20, 120, true, 21},
      {"no turn", 1000, 20, 0, false, 20},
  };
  for (const ZoomCase& c : cases) {
    ViewHarness v(TriplePairs(), {}, QSize(c.panel, c.panel));
    ASSERT_TRUE(v.Frame->BoardGrid()->SetCellSize(c.cell, c.cell));
    EXPECT_EQ(v.Frame->Zoom(c.delta), c.zooms) << c.name;
    EXPECT_EQ(v.Frame->BoardGrid()->CellWidth(), c.expected) << c.name;
    EXPECT_EQ(v.Frame->LeftGrid()->CellWidth(), c.zooms ? c.expected : 20) << c.name;
    EXPECT_EQ((v.Game->GameState() & gsZoomed) != 0, c.zooms) << c.name;
  }
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
  AppBusy = true;
  v.Frame->Relayout(lfKeep);
  EXPECT_EQ(v.Frame->pbLeft()->pos(), QPoint(46, 122));
  AppBusy = false;
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
