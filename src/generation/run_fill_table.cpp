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
  for (int state = 0; state < End(); ++state) {
    for (std::uint32_t bits = 0; bits < (1u << kLookupBits); ++bits) {
      // Decode as RandomRangeFromBits does until a draw runs out of bits.
      TStep step;
      int used = state == Start() ? 1 : 0;
      bool filled = state == Start() ? (bits & 1u) != 0 : state % 2 == 1;
      int j = state == Start() ? 0 : state / 2;
      int max = state == Start() ? width / divisor : width - j;
      for (;;) {
        const auto span = static_cast<std::uint32_t>(max - 1);
        const int need = std::bit_width(span);
        int at = used;
        int run = 0;
        while (at + need <= kLookupBits) {
          const std::uint32_t value = (bits >> at) & ((1u << need) - 1u);
          at += need;
          if (value <= span) {
            run = static_cast<int>(value) + 1;
            break;
          }
        }
        if (run == 0) break;
        if (filled) {
          step.Cells |= CellsBetween(j, j + run);
          step.Filled = static_cast<std::uint8_t>(step.Filled + run);
          ++step.Blocks;
        }
        filled = !filled;
        j += run;
        used = at;
        step.Used = static_cast<std::uint8_t>(used);
        step.Next = static_cast<std::uint8_t>(j == width ? End() : 2 * j + (filled ? 1 : 0));
        if (j == width) break;
        max = width - j;
      }
      FSteps[(static_cast<std::size_t>(state) << kLookupBits) | bits] = step;
    }
  }
}

int TRunFillTable::DrawRun(TRnd::TBitCursor& pool, int state, TRow& row) const {
  bool filled;
  int j;
  int max;
  if (state == Start()) {
    filled = pool.Peek(1) != 0;
    pool.Skip(1);
    j = 0;
    max = FWidth / FDivisor;
  } else {
    filled = state % 2 == 1;
    j = state / 2;
    max = FWidth - j;
  }
  const int run = pool.RangeFromBits(1, max);
  if (filled) {
    row.Cells |= CellsBetween(j, j + run);
    row.Filled += run;
    ++row.Blocks;
  }
  j += run;
  return j == FWidth ? End() : 2 * j + (filled ? 0 : 1);
}

TRunFillTable::TRow TRunFillTable::DrawRow(TRnd::TBitCursor& pool) const {
  TRow row;
  const int end = End();
  int state = Start();
  while (state != end) {
    const TStep& step =
        FSteps[(static_cast<std::size_t>(state) << kLookupBits) | pool.Peek(kLookupBits)];
    if (step.Next == kStuck) {
      // A long streak of draws above the range: one run the slow way.
      state = DrawRun(pool, state, row);
      continue;
    }
    pool.Skip(step.Used);
    row.Cells |= step.Cells;
    row.Filled += step.Filled;
    row.Blocks += step.Blocks;
    state = step.Next;
  }
  return row;
}
