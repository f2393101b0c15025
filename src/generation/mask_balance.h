// Balancing on a board of at most 32 x 32 cells that is also kept as bit
// masks: the same coin tosses and the same changes as BalanceFillCount, with
// the block limits the generator applies, but each step found by bit
// operations. The line to correct comes from lines grouped by filled count
// (kept up to date with every change), and the cell to change from one look at
// as many coins as the line has cells: the first coin that falls heads on a
// cell that may change is the one the cell-by-cell scan stops at.
#pragma once

#include <array>
#include <cstdint>

#include "generation/random_fill.h"
#include "model/cell_types.h"

// A board's filled cells ("#", "d", "c") as bit masks, row y's cell x as
// bit x of Rows[y] and bit y of Columns[x].
struct TBoardMasks {
  static constexpr int kMaxSide = 32;
  int Width = 0;
  int Height = 0;
  std::array<std::uint32_t, kMaxSide> Rows{};
  std::array<std::uint32_t, kMaxSide> Columns{};
  // Cells filled by balancing, "d" (by rows) and "c" (by columns), by rows.
  std::array<std::uint32_t, kMaxSide> RowAdded{};
  std::array<std::uint32_t, kMaxSide> ColumnAdded{};

  // From the letters of a board of at most kMaxSide x kMaxSide cells.
  void Read(const TInternalArrArr& board);
  // Columns from Rows, Width and Height; no cell added by balancing.
  void CompleteFromRows();
  // The letters of the board: "E", "#", "d" and "c".
  void WriteLetters(TInternalArrArr& board) const;
  // BreakFullLines on the masks and on board, its letters: the same draws
  // and the same cells emptied.
  void BreakFullLines(TInternalArrArr& board);
  // The clues of every row and column, as BoardRowClues and
  // BoardColumnClues give them for the board.
  void Clues(TCountersArr& rows, TCountersArr& columns) const;
};

// The filled cells and blocks of every column into cells[x] and blocks[x];
// returns the fewest filled cells of a column.
int CountColumns(const TBoardMasks& masks, int* cells, int* blocks);

// Two different columns of the board have equal clues.
bool HasDuplicateColumnClues(const TBoardMasks& masks);

// Block limits while balancing: a line's blocks above its limit are its
// excess; a limit of 0 or less means none.
struct TBlockLimits {
  int Rows = 0;
  int Columns = 0;
};

// BalanceFillCount on a board's masks and filled counts, both kept in step,
// and the block counts of every line: true when the target is reached with no
// line over its block limit. Ends early (false) as soon as the excess of the
// rows or of the columns outnumbers the changes still to come, each of which
// can take at most one surplus block from a row and one from a column.
bool BalanceOnMasks(TBoardMasks& masks, TLineCounts& counts, TLineCounts& blocks,
                    TBalanceOptions options, int target, int difference, TBlockLimits limits);
