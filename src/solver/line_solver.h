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

#include "model/cell_types.h"

class TNonoGame;

// One row or column: its clue, and the working state of one solve of it.
// Clue values are positive; a 0 stands for no block, so the clue {0} of an
// empty line and the empty clue both mean a line without blocks.
//
// Rather than trying placements one by one, a line is solved by two passes
// over the blocks, each working on bit sets of cell positions: forward, where
// the first j blocks can end; backward, where the last ones can start. A cell
// can be empty when some split of the blocks around it fits on both sides,
// and filled when some block can cover it with fitting blocks before and
// after. That finds exactly the values common to all fitting placements.
class Line {
 public:
  // Longest line the solver takes: more than the largest board.
  static constexpr int MaxLength = 191;

  explicit Line(const TCounterArr& clue);
  // Gives the line a new clue.
  void SetClue(const TCounterArr& clue);

  // Makes `cells` the line's cells (the line works on them in place). Throws
  // std::invalid_argument for more than MaxLength cells.
  void LoadLine(std::span<std::int32_t> cells);
  // False when no placement of the clue fits the cells, which then stay as
  // they were. Otherwise writes every cell that has the same value in all
  // fitting placements, 0 for the others.
  bool SolveLine();
  // Does some placement of the clue fit the cells?
  bool HasPlacement();

  // The block lengths, without zeros.
  const TCounterArr& Clue() const { return FClue; }
  // Minimal()[k]: the fewest cells blocks k..last need, gaps included.
  const TCounterArr& Minimal() const { return FMinimal; }

 private:
  // Derives the block count and the minimal lengths from the clue.
  void ClueChanged();
  // SolveLine, or with deduce false HasPlacement, for the line's length.
  bool SolveLine(bool deduce);
  // Both operations for lines whose positions 0..length fit in W words.
  template <int W>
  bool Solve(bool deduce);

  TCounterArr FClue;
  std::int32_t FBlockCount = 0;
  TCounterArr FMinimal;
  std::span<std::int32_t> FCells;
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
  // Returns 2 when every cell is known, 1 otherwise. Called again, it goes on
  // from the grid as it is, looking only at lines changed since.
  int Solve();

  // For a caller that changes the picture while solving: a new clue for one
  // row (column), and a cell set to a value. The grid keeps what it knows;
  // the lines concerned are looked at again by the next Solve.
  void SetRowClue(int r, const TCounterArr& clue);
  void SetColumnClue(int c, const TCounterArr& clue);
  void SetCell(int x, int y, std::int32_t value);

  std::int32_t Width() const { return FWidth; }
  std::int32_t Height() const { return FHeight; }
  std::int32_t Cell(int x, int y) const { return FGrid[static_cast<std::size_t>(y) * FWidth + x]; }
  // The grid, [row][column].
  TCountersArr Grid() const;
  // True when, during the last Solve, some line admitted no placement at all:
  // the clues contradict each other and the grid proves nothing.
  bool FoundContradiction() const { return FFoundContradiction; }
  // The first line found without a placement during the last Solve (a
  // column when ContradictionInColumn()), -1 when none.
  int ContradictionLine() const { return FContradictionLine; }
  bool ContradictionInColumn() const { return FContradictionInColumn; }

 private:
  // Solves row r (or column c) on the bit sets of its known cells and writes
  // the new values to the grid and the crossing lines; false when it admits
  // no placement.
  bool SolveRow(int r);
  bool SolveColumn(int c);
  // Records cell (x, y) as known to be value (1 or -1) in both lines' sets.
  void SetKnown(int x, int y, std::int32_t value);

  std::int32_t FWidth = 0;
  std::int32_t FHeight = 0;
  std::vector<Line> FRows;
  std::vector<Line> FColumns;
  TCounterArr FGrid;  // flat, row by row
  // The known cells of every row (column) as bit sets of kMaskWords words,
  // filled and empty: a line is solved on them without looking at its cells.
  static constexpr int kMaskWords = 3;
  std::vector<std::uint64_t> FRowFilled;
  std::vector<std::uint64_t> FRowEmpty;
  std::vector<std::uint64_t> FColumnFilled;
  std::vector<std::uint64_t> FColumnEmpty;
  bool FChanged = false;
  bool FFoundContradiction = false;
  int FContradictionLine = -1;
  bool FContradictionInColumn = false;
  // A line whose cells did not change since it was last solved is at its
  // fixed point; solving it again would deduce nothing.
  std::vector<std::uint8_t> FRowDirty;
  std::vector<std::uint8_t> FColumnDirty;
};

// The puzzle's solvability test: do the clues of its current solution let the
// line solver determine every cell?
bool IsLineSolvable(const TNonoGame& game);
