// Pointer input on the board paint box, driven with real mouse events, checked
// on the puzzle: toggles, drags, undo steps, hot tracking, counters, refusals.
#include <gtest/gtest.h>

#include "view_harness.h"

namespace {

using test_support::Picture;
using test_support::PlayerOf;
using test_support::TriplePairs;
using test_support::ViewHarness;
using test_support::ViewTest;

using BoardInput = ViewTest;

Picture Board(const std::string& row0, const std::string& row1 = "..........") {
  Picture p(10, "..........");
  p[0] = row0;
  p[1] = row1;
  return p;
}

TEST_F(BoardInput, PressTogglesThePressedCell) {
  struct Case {
    char before;
    Qt::MouseButton button;
    char after;
  };
  const Case cases[] = {
      {'.', Qt::LeftButton, '#'},  {'#', Qt::LeftButton, '.'},  {'x', Qt::LeftButton, '#'},
      {'o', Qt::LeftButton, '.'},  {'.', Qt::RightButton, 'x'}, {'#', Qt::RightButton, '.'},
      {'x', Qt::RightButton, '.'},
  };
  for (const Case& c : cases) {
    ViewHarness v(TriplePairs(), Board(std::string(1, c.before) + "........."));
    v.Stroke({ViewHarness::Cell(0, 0)}, c.button);
    EXPECT_EQ(v.Game->PlayerState(0, 0), test_support::StateOfChar(c.after))
        << c.before << " " << c.button;
    v.Game->Undo();
    EXPECT_EQ(v.Game->PlayerState(0, 0), test_support::StateOfChar(c.before)) << c.before;
  }
}

TEST_F(BoardInput, BothButtonsCountAsLeft) {
  ViewHarness v(TriplePairs());
  v.Press(ViewHarness::Cell(2, 0), Qt::LeftButton);
  QMouseEvent e(QEvent::MouseButtonPress, QPointF(ViewHarness::Cell(3, 0)),
                QPointF(v.Board()->mapToGlobal(ViewHarness::Cell(3, 0))), Qt::RightButton,
                Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(v.Board(), &e);
  EXPECT_EQ(PlayerOf(*v.Game)[0], "..##......");
}

TEST_F(BoardInput, DragPaintsWhatTheFirstNewCellDecides) {
  // Empty A, drag over empty B and filled C: A, B filled, C left alone.
  ViewHarness fill(TriplePairs(), Board("...#......"));
  fill.Stroke({ViewHarness::Cell(1, 0), ViewHarness::Cell(2, 0), ViewHarness::Cell(3, 0)},
              Qt::LeftButton);
  EXPECT_EQ(PlayerOf(*fill.Game)[0], ".###......");
  ASSERT_EQ(fill.Game->History().size(), 1u);
  EXPECT_EQ(fill.Game->History()[0].size(), 2u);
  fill.Game->Undo();
  EXPECT_EQ(PlayerOf(*fill.Game)[0], "...#......");

  // Filled A, drag onto empty B: A emptied by the press, B filled by the drag.
  ViewHarness fromB(TriplePairs(), Board("#.#......."));
  fromB.Stroke({ViewHarness::Cell(0, 0), ViewHarness::Cell(1, 0), ViewHarness::Cell(2, 0)},
               Qt::LeftButton);
  EXPECT_EQ(PlayerOf(*fromB.Game)[0], ".##.......");

  // Right drag from a crossed cell over empty ones onto a filled one: the
  // pressed cell is emptied (crossed -> empty on the press), the first empty
  // cell decides "cross", and every cell after it is crossed.
  ViewHarness right(TriplePairs(), Board("x...#....."));
  right.Stroke({ViewHarness::Cell(0, 0), ViewHarness::Cell(1, 0), ViewHarness::Cell(4, 0)},
               Qt::RightButton);
  EXPECT_EQ(PlayerOf(*right.Game)[0], ".xxxx.....");

  // A left drag that meets a ticked cell first stays undecided until a cell
  // it can decide from.
  ViewHarness undecided(TriplePairs(), Board(".o........"));
  undecided.Stroke({ViewHarness::Cell(0, 0), ViewHarness::Cell(1, 0), ViewHarness::Cell(2, 0)},
                   Qt::LeftButton);
  EXPECT_EQ(PlayerOf(*undecided.Game)[0], "#o#.......");
}

TEST_F(BoardInput, MovingWithinOneCellChangesNothingAndReleaseThereCommits) {
  ViewHarness v(TriplePairs());
  v.Press(ViewHarness::Cell(0, 0, 3, 3), Qt::LeftButton);
  v.Move(ViewHarness::Cell(0, 0, 15, 15), Qt::LeftButton);
  v.Move(ViewHarness::Cell(0, 0, 8, 4), Qt::LeftButton);
  EXPECT_EQ(v.Game->PendingGroup().size(), 1u);
  v.Release(ViewHarness::Cell(0, 0, 8, 4), Qt::LeftButton);
  EXPECT_TRUE(v.Game->PendingGroup().empty());
  EXPECT_EQ(v.Game->History().size(), 1u);
  EXPECT_EQ(PlayerOf(*v.Game)[0], "#.........");
}

// Where a stroke's release arrives. Each must close the stroke into one undo
// step, so Undo takes back this stroke and leaves the one before.
enum class ReleaseAt { LastCell, Gap, OutsidePaintBox, AfterLeaving, OtherCell };

TEST_F(BoardInput, EveryReleaseClosesTheStrokeIntoOneUndoStep) {
  const std::pair<ReleaseAt, const char*> cases[] = {
      {ReleaseAt::LastCell, "last cell"},
      {ReleaseAt::Gap, "gap"},
      {ReleaseAt::OutsidePaintBox, "outside the paint box"},
      {ReleaseAt::AfterLeaving, "after leaving"},
      {ReleaseAt::OtherCell, "another cell"},
  };
  for (const auto& [where, name] : cases) {
    ViewHarness v(TriplePairs());
    v.Stroke({ViewHarness::Cell(0, 1)}, Qt::LeftButton);  // the stroke before
    v.Press(ViewHarness::Cell(1, 0), Qt::LeftButton);
    v.Move(ViewHarness::Cell(2, 0), Qt::LeftButton);
    v.Move(ViewHarness::Cell(3, 0), Qt::LeftButton);
    switch (where) {
      case ReleaseAt::LastCell:
        v.Release(ViewHarness::Cell(3, 0), Qt::LeftButton);
        break;
      case ReleaseAt::Gap:
        v.Move(ViewHarness::Cell(3, 0, 21, 10), Qt::LeftButton);
        v.Release(ViewHarness::Cell(3, 0, 21, 10), Qt::LeftButton);
        break;
      case ReleaseAt::OutsidePaintBox:
        v.Move(QPoint(100, -30), Qt::LeftButton);
        v.Release(QPoint(100, -30), Qt::LeftButton);
        break;
      case ReleaseAt::AfterLeaving:
        v.Move(QPoint(100, -30), Qt::LeftButton);
        v.Leave();
        v.Release(QPoint(100, -30), Qt::LeftButton);
        v.Enter();
        break;
      case ReleaseAt::OtherCell:
        v.Release(ViewHarness::Cell(5, 0), Qt::LeftButton);
        break;
    }
    EXPECT_EQ(PlayerOf(*v.Game)[0], ".###......") << name;
    EXPECT_EQ(v.Game->History().size(), 2u) << name;
    EXPECT_TRUE(v.Game->PendingGroup().empty()) << name;
    EXPECT_EQ(v.Game->DragState(), psNone) << name;
    v.Game->Undo();
    EXPECT_EQ(PlayerOf(*v.Game)[0], "..........") << name;
    EXPECT_EQ(PlayerOf(*v.Game)[1], "#.........") << name;
    // The next stroke starts afresh.
    v.Stroke({ViewHarness::Cell(6, 0), ViewHarness::Cell(7, 0)}, Qt::RightButton);
    EXPECT_EQ(PlayerOf(*v.Game)[0], "......xx..") << name;
  }
}

TEST_F(BoardInput, AReleaseWithoutAStrokeAddsNoUndoStep) {
  ViewHarness v(TriplePairs());
  v.Press(ViewHarness::Cell(0, 0, 21, 10), Qt::LeftButton);  // on a gap
  v.Release(ViewHarness::Cell(0, 0, 21, 10), Qt::LeftButton);
  v.Release(QPoint(-5, -5), Qt::LeftButton);
  EXPECT_TRUE(v.Game->History().empty());
  EXPECT_FALSE(v.Game->CanUndo());
}

TEST_F(BoardInput, HotTrackingFollowsCellsUntilThePointerLeaves) {
  ViewHarness v(TriplePairs());
  const auto hot = [&] {
    const TframeGrid& f = *v.Frame;
    return std::vector<int>{f.BoardGrid()->HotRow(), f.BoardGrid()->HotCol(),
                            f.LeftGrid()->HotRow(),  f.LeftGrid()->HotCol(),
                            f.TopGrid()->HotRow(),   f.TopGrid()->HotCol()};
  };
  EXPECT_EQ(hot(), (std::vector<int>{-1, -1, -1, -1, -1, -1}));
  v.Move(ViewHarness::Cell(3, 2), Qt::NoButton);
  EXPECT_EQ(hot(), (std::vector<int>{2, 3, 2, -1, -1, 3}));
  v.Move(ViewHarness::Cell(3, 2, 21, 10), Qt::NoButton);  // gap
  EXPECT_EQ(hot(), (std::vector<int>{2, 3, 2, -1, -1, 3}));
  v.Move(QPoint(1, 1), Qt::NoButton);  // frame
  EXPECT_EQ(hot(), (std::vector<int>{2, 3, 2, -1, -1, 3}));
  v.Leave();
  EXPECT_EQ(hot(), (std::vector<int>{-1, -1, -1, -1, -1, -1}));
  v.Enter();
  v.Move(ViewHarness::Cell(7, 9), Qt::NoButton);
  EXPECT_EQ(hot(), (std::vector<int>{9, 7, 9, -1, -1, 7}));
}

TEST_F(BoardInput, CountersWhileCtrlIsHeld) {
  Picture player(10, "..........");
  player[0] = "####..#...";
  player[1] = "#.........";
  player[2] = "#.........";
  ViewHarness v(TriplePairs(), player);
  CtrlHeld = true;
  const auto counters = [&](int row) {
    std::string s;
    for (int n : v.Game->PositionCounters()[row]) s += char('0' + n);
    return s;
  };
  const auto column0 = [&] {
    return std::string{char('0' + v.Game->PositionCounters()[0][0]),
                       char('0' + v.Game->PositionCounters()[1][0]),
                       char('0' + v.Game->PositionCounters()[2][0])};
  };

  // The left end of a row run that is also the top end of a column run.
  v.Move(ViewHarness::Cell(0, 0), Qt::NoButton);
  EXPECT_EQ(counters(0), "1234000000");
  EXPECT_EQ(column0(), "123");
  // The right end numbers from the right.
  v.Move(ViewHarness::Cell(3, 0), Qt::NoButton);
  EXPECT_EQ(counters(0), "4321000000");
  // Inside a run, on a single cell, with a button held or without Ctrl: none.
  for (const QPoint cell : {ViewHarness::Cell(1, 0), ViewHarness::Cell(6, 0)}) {
    v.Move(cell, Qt::NoButton);
    EXPECT_EQ(counters(0), "0000000000");
  }
  v.Move(ViewHarness::Cell(0, 2), Qt::NoButton);  // bottom end of the column run
  EXPECT_EQ(column0(), "321");
  v.Game->UpdatePositionCounters(0, 2, mfRight);  // a held button shows none
  EXPECT_EQ(column0(), "000");
  v.Move(ViewHarness::Cell(0, 2, 5, 5), Qt::NoButton);
  EXPECT_EQ(column0(), "321");
  v.Leave();
  EXPECT_EQ(column0(), "000");
  v.Enter();
  CtrlHeld = false;
  v.Move(ViewHarness::Cell(0, 0), Qt::NoButton);
  EXPECT_EQ(counters(0), "0000000000");
  // The main window's Ctrl handling repeats the last event.
  CtrlHeld = true;
  v.Game->RepeatMouse(0);
  EXPECT_EQ(counters(0), "1234000000");
}

TEST_F(BoardInput, InputIgnoredWhileBusyClosingDisabledOrWithoutPuzzle) {
  struct Case {
    const char* name;
    std::function<void(ViewHarness&)> set;
  };
  const Case cases[] = {
      {"busy", [](ViewHarness& v) { v.Frame->SetBusyQuery([] { return true; }); }},
      {"closing", [](ViewHarness&) { AppPhase = apClosing; }},
      {"input disabled", [](ViewHarness& v) { v.Frame->SetInputEnabled(false); }},
      {"no puzzle", [](ViewHarness& v) { v.Frame->SetGame(nullptr); }},
  };
  for (const Case& c : cases) {
    AppPhase = apRunning;
    ViewHarness v(TriplePairs());
    int raised = 0;
    v.Frame->SetOnBoardMouse([&](int, int, TBoardMouseFlags) { ++raised; });
    c.set(v);
    v.Stroke({ViewHarness::Cell(0, 0), ViewHarness::Cell(1, 0)}, Qt::LeftButton);
    v.Leave();
    EXPECT_EQ(PlayerOf(*v.Game)[0], "..........") << c.name;
    EXPECT_FALSE(v.Game->CanUndo()) << c.name;
    EXPECT_FALSE(v.Game->PointerOutside()) << c.name;
    EXPECT_EQ(v.Frame->BoardGrid()->HotRow(), -1) << c.name;
    EXPECT_EQ(raised, 0) << c.name;
  }
}

TEST_F(BoardInput, APressAfterAnEnterMissedWhileBusyStillWorks) {
  ViewHarness v(TriplePairs());
  v.Leave();
  ASSERT_TRUE(v.Game->PointerOutside());
  bool busy = true;  // the pointer comes back while a new puzzle is made
  v.Frame->SetBusyQuery([&busy] { return busy; });
  v.Enter();
  busy = false;
  v.Stroke({ViewHarness::Cell(0, 0)}, Qt::LeftButton);
  EXPECT_EQ(PlayerOf(*v.Game)[0], "#.........");
  EXPECT_TRUE(v.Game->CanUndo());
}

TEST_F(BoardInput, HostHearsOfEveryEventWithCellAndFlags) {
  ViewHarness v(TriplePairs());
  std::vector<std::tuple<int, int, TBoardMouseFlags>> heard;
  v.Frame->SetOnBoardMouse(
      [&](int row, int col, TBoardMouseFlags flags) { heard.emplace_back(row, col, flags); });
  v.Enter();
  v.Press(ViewHarness::Cell(2, 1), Qt::RightButton);
  v.Move(ViewHarness::Cell(2, 1, 21, 5), Qt::RightButton);
  v.Release(ViewHarness::Cell(2, 1, 21, 5), Qt::RightButton);
  v.Leave();
  const std::vector<std::tuple<int, int, TBoardMouseFlags>> expected = {
      {-1, -1, mfEnter},
      {1, 2, TBoardMouseFlags(mfRight | mfDown)},
      {-1, -1, TBoardMouseFlags(mfRight | mfMove)},
      {-1, -1, mfUp},
      {-1, -1, mfLeave},
  };
  EXPECT_EQ(heard, expected);
  EXPECT_TRUE(v.Game->PointerOutside());
  EXPECT_EQ(PlayerOf(*v.Game)[1], "..x.......");
  EXPECT_EQ(v.Game->History().size(), 1u);
}

}  // namespace

// Move events arrive only at the cells given, as a fast hand makes them.
TEST_F(BoardInput, AFastStrokePaintsEveryCellOnItsPath) {
  ViewHarness row(TriplePairs());
  row.Stroke({ViewHarness::Cell(0, 0), ViewHarness::Cell(6, 0), ViewHarness::Cell(9, 0)},
             Qt::LeftButton);
  EXPECT_EQ(PlayerOf(*row.Game)[0], "##########");
  ASSERT_EQ(row.Game->History().size(), 1u);
  row.Game->Undo();
  EXPECT_EQ(PlayerOf(*row.Game)[0], "..........");

  // The drag rules hold for each cell in order: the first new cell decides,
  // cells already in the drag's state stay.
  ViewHarness decided(TriplePairs(), Board("#..x#....."));
  decided.Stroke({ViewHarness::Cell(0, 0), ViewHarness::Cell(5, 0)}, Qt::RightButton);
  EXPECT_EQ(PlayerOf(*decided.Game)[0], ".xxxxx....");

  // A diagonal passes through side cells, without gaps in the line.
  ViewHarness diagonal(TriplePairs());
  diagonal.Stroke({ViewHarness::Cell(0, 0), ViewHarness::Cell(2, 2)}, Qt::LeftButton);
  EXPECT_EQ(PlayerOf(*diagonal.Game)[0], "##........");
  EXPECT_EQ(PlayerOf(*diagonal.Game)[1], ".##.......");
  EXPECT_EQ(PlayerOf(*diagonal.Game)[2], "..#.......");

  // Over a gap the path waits and picks up from the last cell reached.
  ViewHarness gap(TriplePairs());
  gap.Press(ViewHarness::Cell(0, 3), Qt::LeftButton);
  gap.Move(ViewHarness::Cell(4, 3, 21, 10), Qt::LeftButton);  // the gap after column 4
  gap.Move(ViewHarness::Cell(7, 3), Qt::LeftButton);
  gap.Release(ViewHarness::Cell(7, 3), Qt::LeftButton);
  EXPECT_EQ(PlayerOf(*gap.Game)[3], "########..");
}

TEST_F(BoardInput, AStrokeKeptStraightStaysOnItsRowOrColumn) {
  ViewHarness free(TriplePairs());
  free.Stroke({ViewHarness::Cell(1, 1), ViewHarness::Cell(3, 1), ViewHarness::Cell(3, 2)},
              Qt::LeftButton);
  EXPECT_EQ(PlayerOf(*free.Game)[2], "...#......");

  ViewHarness row(TriplePairs());
  row.Frame->SetKeepStrokeStraight(true);
  row.Stroke({ViewHarness::Cell(1, 1), ViewHarness::Cell(3, 1), ViewHarness::Cell(3, 2),
              ViewHarness::Cell(5, 3)},
             Qt::LeftButton);
  EXPECT_EQ(PlayerOf(*row.Game)[1], ".#####....");
  EXPECT_EQ(PlayerOf(*row.Game)[2], "..........");
  EXPECT_EQ(PlayerOf(*row.Game)[3], "..........");

  ViewHarness column(TriplePairs());
  column.Frame->SetKeepStrokeStraight(true);
  column.Stroke({ViewHarness::Cell(2, 0), ViewHarness::Cell(3, 2), ViewHarness::Cell(0, 3)},
                Qt::LeftButton);
  for (int r = 0; r < 4; ++r) EXPECT_EQ(PlayerOf(*column.Game)[r], "..#.......") << r;
}
