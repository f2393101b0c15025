// The path of a stroke over the board: the cells a pointer passes on its
// straight way from one cell to another, and the optional lock that keeps a
// stroke on the row or column it started along. Pure cell arithmetic; the
// frame turns pointer positions into cells and hands each cell to the puzzle.
#pragma once

#include <vector>

#include "view/nono_grid.h"

// The cells on the straight line from `from` to `to`, without `from` and
// ending with `to`, each a side neighbour of the one before (a pointer cannot
// skip a cell, so a diagonal step goes through one of the two side cells).
// Empty when both are the same cell.
std::vector<TCellHit> CellsAlongPath(TCellHit from, TCellHit to);

// Follows one stroke from the press to the release.
class TStrokePath {
 public:
  // Keep the stroke on the row or column it first moved along.
  void SetKeepStraight(bool on) { FKeepStraight = on; }
  bool KeepStraight() const { return FKeepStraight; }

  // A press on cell `at` starts a stroke there.
  void Start(TCellHit at);
  // Ends the stroke; moves until the next press start afresh.
  void End() { FActive = false; }
  bool Active() const { return FActive; }
  // The cells to paint, in order, for a move onto cell `at` (Row/Col -1 off
  // the cells): the path from the last cell reached, held on the stroke's
  // line when the lock is on. A move off the cells yields nothing.
  std::vector<TCellHit> MoveTo(TCellHit at);

 private:
  enum TAxis { axNone, axRow, axColumn };
  bool FKeepStraight = false;
  bool FActive = false;
  TCellHit FStart;
  TCellHit FLast;
  TAxis FAxis = axNone;
};
