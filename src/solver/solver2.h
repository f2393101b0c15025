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
#include <memory>
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
  // Gives the line a new clue, keeping its storage.
  void SetClue(const TCounterArr& clue);

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

  const TCounterArr& Minimal() const { return FMinimal; }
  const TCounterArr& Seen() const { return FSeen; }
  std::int32_t Found() const { return FFound; }

 private:
  // Derives the block count and the minimal lengths from the clue.
  void ClueChanged();
  // Records the rightmost placement besides the leftmost one just found. In
  // every fitting placement block k starts between the two, which answers
  // many probes without enumerating.
  void RecordBounds();
  // Can some block cover cell i; must one?
  bool CouldBeCovered(int i) const;
  bool MustBeCovered(int i) const;

  TCounterArr FClue;
  std::int32_t FBlockCount = 0;
  // Minimal[k]: the fewest cells blocks k..last need, gaps included.
  TCounterArr FMinimal;
  std::int32_t FLength = 0;
  std::span<std::int32_t> FCells;
  TCounterArr FDone;
  // The placement being built: the start of each block placed so far.
  TCounterArr FStarts;
  // 0 until a recorded placement covers the cell, then 1; 2 once a placement
  // recorded later leaves it uncovered (the cell is then undetermined).
  TCounterArr FSeen;
  // 1 once some recorded placement leaves the cell uncovered: it can be empty.
  TCounterArr FUncovered;
  std::int32_t FFound = 0;
  // Tables of the cells as loaded: the first empty cell at or after each
  // position (FLength if none) and the last filled cell (-1 if none; during a
  // probe that forces a cell filled, the later of the two). Values SolveLine
  // deduces later hold in every fitting placement, so they never change which
  // placements fit, and the tables serve the whole load.
  TCounterArr FNextEmpty;
  std::int32_t FLastFilled = -1;
  // The cell a probe forces (-1 outside probes); its value is in the cells.
  std::int32_t FForced = -1;
  // Block starts of the leftmost and the rightmost fitting placement, known
  // during SolveLine (FHasBounds).
  TCounterArr FLeftmost;
  TCounterArr FRightmost;
  bool FHasBounds = false;
  // The line read backwards, with its clue reversed.
  std::unique_ptr<Line> FMirror;
  TCounterArr FMirrorCells;
  // Block k at start a led to no complete placement in the current
  // enumeration when FDeadAt[k * length + a] == FEpoch. A new enumeration
  // starts a new epoch, so the table is never cleared.
  std::vector<std::uint32_t> FDeadAt;
  std::uint32_t FEpoch = 0;
};

class NonogramSolver {
 public:
  // Row clues top to bottom, column clues left to right; the grid starts with
  // every cell unknown.
  NonogramSolver(const TCountersArr& rowClues, const TCountersArr& columnClues);
  // A solver without lines, to be given clues by Reset.
  NonogramSolver() = default;
  // Starts over with new clues and an unknown grid, keeping the storage, so a
  // caller testing many candidates allocates little.
  void Reset(const TCountersArr& rowClues, const TCountersArr& columnClues);

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

  std::int32_t FWidth = 0;
  std::int32_t FHeight = 0;
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
