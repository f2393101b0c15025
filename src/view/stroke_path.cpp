#include "view/stroke_path.h"

#include <cstdlib>

std::vector<TCellHit> CellsAlongPath(TCellHit from, TCellHit to) {
  std::vector<TCellHit> cells;
  const int dx = std::abs(to.Col - from.Col);
  const int dy = std::abs(to.Row - from.Row);
  const int sx = to.Col > from.Col ? 1 : -1;
  const int sy = to.Row > from.Row ? 1 : -1;
  // Walk the line between the cell centres one side step at a time, always
  // taking the step whose next crossing of a cell edge comes first.
  // (1 + 2i) * dy against (1 + 2j) * dx compares those crossings exactly.
  int col = from.Col;
  int row = from.Row;
  for (int i = 0, j = 0; i < dx || j < dy;) {
    const long long nextX = static_cast<long long>(1 + 2 * i) * dy;
    const long long nextY = static_cast<long long>(1 + 2 * j) * dx;
    if (j >= dy || (i < dx && nextX <= nextY)) {
      col += sx;
      ++i;
    } else {
      row += sy;
      ++j;
    }
    cells.push_back(TCellHit{row, col});
  }
  return cells;
}

void TStrokePath::Start(TCellHit at) {
  FActive = at.Row >= 0 && at.Col >= 0;
  FStart = at;
  FLast = at;
  FAxis = axNone;
}

std::vector<TCellHit> TStrokePath::MoveTo(TCellHit at) {
  if (!FActive) {
    // Pressed off the cells: the stroke starts at the first cell reached.
    Start(at);
    return FActive ? std::vector<TCellHit>{at} : std::vector<TCellHit>{};
  }
  if (FKeepStraight) {
    if (FAxis == axNone && at.Row >= 0 && at.Col >= 0 &&
        (at.Row != FStart.Row || at.Col != FStart.Col))
      FAxis = std::abs(at.Col - FStart.Col) >= std::abs(at.Row - FStart.Row) ? axRow : axColumn;
  }
  if (at.Row < 0 || at.Col < 0) return {};
  // A locked stroke follows only the pointer's position along its line.
  if (FAxis == axRow) at.Row = FStart.Row;
  if (FAxis == axColumn) at.Col = FStart.Col;
  std::vector<TCellHit> cells = CellsAlongPath(FLast, at);
  FLast = at;
  return cells;
}
