// The line solver: decides how much of a picture its clues determine by line
// logic alone. It looks at one row or column at a time, with its clue and the
// cells already known, and settles every cell that has the same value in all
// placements of the clue's blocks that fit (exact per line); it repeats over
// all rows and columns until nothing more follows. It never guesses across
// lines.
//
// Cell values everywhere: 1 filled, -1 empty, 0 unknown.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "model/mytypes.h"

class TNonoGame;

// One row or column: its clue, and the working state of one solve of it.
// Clue values are positive; a 0 stands for no block, so the clue {0} of an
// empty line and the empty clue both mean a line without blocks.
class Line {
 public:
  explicit Line(const TCounterArr& clue);

  // Makes `cells` the line's cells (the line works on them in place) and
  // resets the per-solve state: cells already known need no probing.
  void LoadLine(std::span<std::int32_t> cells);
  // False when no placement of the clue fits the cells. Otherwise writes every
  // cell that has the same value in all fitting placements, 0 for the others.
  bool SolveLine();
  // Does some placement of the clue fit the cells? Records the leftmost one.
  bool HasPlacement();
  // Does some placement fit when cell i is forced to value (1 or -1)?
  bool CanBe(int i, std::int32_t value);
  // Tries block k at start position `start`, then the later blocks after it;
  // stops once a complete placement has been recorded.
  void PlaceBlock(int k, int start);
  // Records the placement being built, whose last block ends before `end`,
  // unless a filled cell lies after it.
  void RecordPlacement(int end);

  const TCounterArr& Clue() const { return FClue; }
  std::int32_t BlockCount() const { return FBlockCount; }
  const TCounterArr& Minimal() const { return FMinimal; }
  std::int32_t Length() const { return FLength; }
  std::span<const std::int32_t> Cells() const { return FCells; }
  const TCounterArr& Seen() const { return FSeen; }
  std::int32_t Found() const { return FFound; }

 private:
  TCounterArr FClue;
  std::int32_t FBlockCount = 0;
  // Minimal[k]: the fewest cells blocks k..last need, gaps included.
  TCounterArr FMinimal;
  std::int32_t FLength = 0;
  std::span<std::int32_t> FCells;
  TCounterArr FDone;
  TCounterArr FPlacement;
  // 0 until a recorded placement covers the cell, then 1; 2 once a placement
  // recorded later leaves it uncovered (the cell is then undetermined).
  TCounterArr FSeen;
  std::int32_t FFound = 0;
  // Block k at start a leads to no complete placement for the cells of the
  // current enumeration when FDeadAt[k * length + a] == FEpoch. A new
  // enumeration starts a new epoch, so the table is never cleared.
  std::vector<std::uint32_t> FDeadAt;
  std::uint32_t FEpoch = 0;
};

class NonogramSolver {
 public:
  // Row clues top to bottom, column clues left to right; the grid starts with
  // every cell unknown.
  NonogramSolver(const TCountersArr& rowClues, const TCountersArr& columnClues);

  // Sweeps rows, then columns, until a column pass writes nothing new.
  // Returns 2 when every cell is known, 1 otherwise.
  int Solve();

  std::int32_t Width() const { return FWidth; }
  std::int32_t Height() const { return FHeight; }
  std::int32_t Cell(int x, int y) const { return FGrid[static_cast<std::size_t>(y) * FWidth + x]; }
  // The grid, [row][column].
  TCountersArr Grid() const;
  // True when, during the last Solve, some line admitted no placement at all:
  // the clues contradict each other and the grid proves nothing.
  bool FoundContradiction() const { return FFoundContradiction; }

 private:
  // Solves row r (or column c) on a copy of its cells and writes the new
  // values back; false when it admits no placement.
  bool SolveRow(int r);
  bool SolveColumn(int c);

  std::int32_t FWidth;
  std::int32_t FHeight;
  std::vector<Line> FRows;
  std::vector<Line> FColumns;
  TCounterArr FGrid;  // flat, row by row
  bool FChanged = false;
  bool FFoundContradiction = false;
  // A line whose cells did not change since it was last solved is at its
  // fixed point; solving it again would deduce nothing.
  std::vector<std::uint8_t> FRowDirty;
  std::vector<std::uint8_t> FColumnDirty;
  TCounterArr FBuffer;
};

// The puzzle's solvability test: do the clues of its current solution let the
// line solver determine every cell?
bool IsLineSolvable(const TNonoGame& game);
