// The run fill of one row decoded from the bit pool several runs at a time.
// A row of the run fill is a colour bit and a chain of draws from the pool,
// each taking as many bits as the cells left need, taken again while above
// them. For every place a draw can start and every value of the next few bits
// of the pool, a table holds what those bits decode to: the runs they finish,
// the cells those runs cover and the bits used. A row then costs a few table
// look-ups instead of a branch per bit and per cell, and uses exactly the bits
// FillRandomRow uses, so the same pool gives the same row.
#pragma once

#include <cstdint>
#include <vector>

#include "generation/rnd.h"

class TRunFillTable {
 public:
  // Rows as bit masks: at most this wide.
  static constexpr int kMaxWidth = 32;
  // Bits of the pool one look-up decodes.
  static constexpr int kLookupBits = 10;

  // The table for rows of width cells whose first run is at most
  // width / divisor long; 1 <= width / divisor and width <= kMaxWidth.
  TRunFillTable(int width, int divisor);

  int Width() const { return FWidth; }
  int Divisor() const { return FDivisor; }

  // One row as FillRandomRow draws it: bit x of Cells set where cell x is
  // filled, with the number of filled cells and of runs of them.
  struct TRow {
    std::uint32_t Cells = 0;
    int Filled = 0;
    int Blocks = 0;
  };
  TRow DrawRow() const;
  // Rows one after another, as many DrawRow calls would draw them, into
  // cells[y], filled[y] and blocks[y], up to and including the first row
  // with at most `fewest` filled cells; returns the number of rows drawn.
  int DrawRows(int rows, int fewest, std::uint32_t* cells, int* filled, int* blocks) const;

 private:
  // Where a row's decoding stands: state 2 * j + c when the next run starts
  // at cell j and is filled for c = 1 (j = 0: the first run); Start() before
  // the colour bit, End() once the row is complete.
  int Start() const { return 2 * FWidth; }
  int End() const { return 2 * FWidth + 1; }
  // What kLookupBits bits decode to from one state: the filled cells and
  // blocks of the runs that end within them, the bits of the draws that end
  // within them (taken or rejected) and the state after them.
  struct TStep {
    std::uint32_t Cells = 0;
    std::uint8_t Used = 0;
    std::uint8_t Next = 0;
    std::uint8_t Filled = 0;
    std::uint8_t Blocks = 0;
  };
  // A look-up always ends at least one draw: the widest draw takes five
  // bits, after the colour bit.
  static_assert(kLookupBits >= 6 && kMaxWidth <= 32);
  TRow DrawRow(TRnd::TBitCursor& pool) const;

  int FWidth;
  int FDivisor;
  std::vector<TStep> FSteps;  // [state][next bits]
};
