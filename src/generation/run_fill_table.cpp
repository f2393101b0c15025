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
  FSteps.resize(static_cast<std::size_t>(width + 1) << kLookupBits);
  for (int place = 0; place <= width; ++place) {
    for (std::uint32_t bits = 0; bits < (1u << kLookupBits); ++bits) {
      // Decode as RandomRangeFromBits does until a draw runs out of bits.
      TStep step;
      int j = place == width ? 0 : place;
      int max = MaxRun(place);
      int used = 0;
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
        if (step.Runs % 2 == 1) {
          step.OddCells |= CellsBetween(j, j + run);
          step.OddCount = static_cast<std::uint8_t>(step.OddCount + run);
        }
        ++step.Runs;
        used = at;
        j += run;
        if (j == width) break;
        max = width - j;
      }
      step.Used = static_cast<std::uint8_t>(used);
      step.Next = static_cast<std::uint8_t>(j);
      FSteps[(static_cast<std::size_t>(place) << kLookupBits) | bits] = step;
    }
  }
}

int TRunFillTable::MaxRun(int place) const {
  return place == FWidth ? FWidth / FDivisor : FWidth - place;
}

TRunFillTable::TRow TRunFillTable::DrawRow(TRnd::TBitCursor& pool) const {
  TRow row;
  // Whether the next run is filled, and the place where it starts (FWidth
  // before the first one).
  bool filledNext = pool.Peek(1) != 0;
  pool.Skip(1);
  int place = FWidth;
  int start = 0;
  while (start < FWidth) {
    const TStep& step = Step(place, pool.Peek(kLookupBits));
    if (step.Runs == 0) {
      // A long streak of draws above the range: one run the slow way.
      const int run = pool.RangeFromBits(1, MaxRun(place));
      if (filledNext) {
        row.Cells |= CellsBetween(start, start + run);
        row.Filled += run;
        ++row.Blocks;
      }
      filledNext = !filledNext;
      start += run;
      place = start;
      continue;
    }
    pool.Skip(step.Used);
    if (filledNext) {
      row.Cells |= CellsBetween(start, step.Next) & ~step.OddCells;
      row.Filled += step.Next - start - step.OddCount;
      row.Blocks += (step.Runs + 1) / 2;
    } else {
      row.Cells |= step.OddCells;
      row.Filled += step.OddCount;
      row.Blocks += step.Runs / 2;
    }
    filledNext = filledNext != (step.Runs % 2 == 1);
    start = step.Next;
    place = start;
  }
  return row;
}
