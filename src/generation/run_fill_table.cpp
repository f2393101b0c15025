#include "generation/run_fill_table.h"

#include <bit>
#include <stdexcept>

#include "generation/rnd.h"

namespace {

std::uint32_t CellsBetween(int from, int to) {
  const auto below = [](int n) { return n >= 32 ? ~0u : (1u << n) - 1u; };
  return below(to) & ~below(from);
}

}  // namespace

TRunFillTable::TRunFillTable(int width, int divisor) : FWidth(width), FDivisor(divisor) {
  if (width < 1 || width > kMaxWidth || divisor < 1 || width / divisor < 1)
    throw std::invalid_argument("The run table needs a row of 1 to 32 cells and a first run");
  FSteps.resize(static_cast<std::size_t>(End()) << kLookupBits);
  for (int first = 0; first < End(); ++first) {
    for (std::uint32_t bits = 0; bits < (1u << kLookupBits); ++bits) {
      // Decode as RandomRangeFromBits does until a draw runs out of bits; a
      // draw above its range uses its bits and leaves the state as it was.
      TStep step;
      int state = first;
      int at = 0;
      if (state == Start()) {
        state = static_cast<int>(bits & 1u);
        at = 1;
      }
      while (state != End()) {
        const int j = state / 2;
        const bool filled = state % 2 == 1;
        const auto span = static_cast<std::uint32_t>((j == 0 ? width / divisor : width - j) - 1);
        const int need = std::bit_width(span);
        if (at + need > kLookupBits) break;
        const std::uint32_t value = (bits >> at) & ((1u << need) - 1u);
        at += need;
        if (value > span) continue;
        const int run = static_cast<int>(value) + 1;
        if (filled) {
          step.Cells |= CellsBetween(j, j + run);
          step.Filled = static_cast<std::uint8_t>(step.Filled + run);
          ++step.Blocks;
        }
        state = j + run == width ? End() : 2 * (j + run) + (filled ? 0 : 1);
      }
      step.Used = static_cast<std::uint8_t>(at);
      step.Next = static_cast<std::uint8_t>(state);
      FSteps[(static_cast<std::size_t>(first) << kLookupBits) | bits] = step;
    }
  }
}

// Inlined where the cursor is a local, so its bits stay in registers.
inline TRunFillTable::TRow TRunFillTable::DrawRow(TRnd::TBitCursor& pool) const {
  TRow row;
  const int end = End();
  int state = Start();
  while (state != end) {
    const TStep& step =
        FSteps[(static_cast<std::size_t>(state) << kLookupBits) | pool.Peek(kLookupBits)];
    pool.Skip(step.Used);
    row.Cells |= step.Cells;
    row.Filled += step.Filled;
    row.Blocks += step.Blocks;
    state = step.Next;
  }
  return row;
}

TRunFillTable::TRow TRunFillTable::DrawRow() const {
  TRnd::TBitCursor pool;
  return DrawRow(pool);
}

int TRunFillTable::DrawRows(int rows, int fewest, std::uint32_t* cells, int* filled,
                            int* blocks) const {
  TRnd::TBitCursor pool;
  for (int y = 0; y < rows; ++y) {
    const TRow row = DrawRow(pool);
    cells[y] = row.Cells;
    filled[y] = row.Filled;
    blocks[y] = row.Blocks;
    if (row.Filled <= fewest) return y + 1;
  }
  return rows;
}
