// The cells a stroke passes between two pointer positions, and the lock that
// keeps a stroke on its row or column.
#include "view/stroke_path.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Cells as "row,col row,col ...".
std::string Cells(const std::vector<TCellHit>& cells) {
  std::string s;
  for (const TCellHit& c : cells)
    s += (s.empty() ? "" : " ") + std::to_string(c.Row) + "," + std::to_string(c.Col);
  return s;
}

TEST(StrokePath, CellsAlongAStraightLineAreSideNeighbours) {
  struct Case {
    TCellHit from, to;
    std::string cells;
  };
  const Case cases[] = {
      {{0, 0}, {0, 0}, ""},
      {{0, 0}, {0, 4}, "0,1 0,2 0,3 0,4"},
      {{2, 5}, {2, 2}, "2,4 2,3 2,2"},
      {{4, 1}, {1, 1}, "3,1 2,1 1,1"},
      // A diagonal goes through a side cell at every step.
      {{0, 0}, {2, 2}, "0,1 1,1 1,2 2,2"},
      // A shallow slope stays on the row until the line crosses into the next.
      {{0, 0}, {1, 4}, "0,1 0,2 1,2 1,3 1,4"},
      {{3, 3}, {0, 2}, "2,3 2,2 1,2 0,2"},
  };
  for (const Case& c : cases) EXPECT_EQ(Cells(CellsAlongPath(c.from, c.to)), c.cells) << c.cells;
}

TEST(StrokePath, FollowsThePointerAndSkipsGaps) {
  TStrokePath stroke;
  stroke.Start({1, 1});
  EXPECT_EQ(Cells(stroke.MoveTo({1, 4})), "1,2 1,3 1,4");
  EXPECT_EQ(Cells(stroke.MoveTo({-1, -1})), "");
  EXPECT_EQ(Cells(stroke.MoveTo({3, 4})), "2,4 3,4");
  EXPECT_EQ(Cells(stroke.MoveTo({3, 4})), "");
}

TEST(StrokePath, APressOffTheCellsStartsAtTheFirstCellReached) {
  TStrokePath stroke;
  stroke.Start({-1, -1});
  EXPECT_EQ(Cells(stroke.MoveTo({-1, -1})), "");
  EXPECT_EQ(Cells(stroke.MoveTo({2, 2})), "2,2");
  EXPECT_EQ(Cells(stroke.MoveTo({2, 3})), "2,3");
}

TEST(StrokePath, KeptStraightStaysOnTheLineItFirstMovedAlong) {
  TStrokePath row;
  row.SetKeepStraight(true);
  row.Start({2, 2});
  EXPECT_EQ(Cells(row.MoveTo({2, 2})), "");
  EXPECT_EQ(Cells(row.MoveTo({3, 4})), "2,3 2,4");  // more along the row than down
  EXPECT_EQ(Cells(row.MoveTo({7, 4})), "");         // straying down stays put
  EXPECT_EQ(Cells(row.MoveTo({0, 0})), "2,3 2,2 2,1 2,0");

  TStrokePath column;
  column.SetKeepStraight(true);
  column.Start({2, 2});
  EXPECT_EQ(Cells(column.MoveTo({4, 3})), "3,2 4,2");
  EXPECT_EQ(Cells(column.MoveTo({4, 9})), "");
  // A new press picks its line afresh.
  column.Start({5, 5});
  EXPECT_EQ(Cells(column.MoveTo({5, 6})), "5,6");
}

}  // namespace
