#include "generation/mask_balance.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "generation/candidate_checks.h"
#include "generation/rnd.h"

namespace {

constexpr std::uint32_t Below(int n) {
  return n >= 32 ? ~0u : (1u << n) - 1u;
}

// The eight cells of a byte of a row mask, lowest first, as letters.
constexpr auto kByteLetters = [] {
  std::array<std::array<std::uint8_t, 8>, 256> letters{};
  for (int byte = 0; byte < 256; ++byte)
    for (int i = 0; i < 8; ++i) letters[byte][i] = (byte >> i) & 1 ? kLetterFilled : kLetterEmpty;
  return letters;
}();

constexpr auto kReversedBytes = [] {
  std::array<std::uint8_t, 256> reversed{};
  for (int byte = 0; byte < 256; ++byte)
    for (int i = 0; i < 8; ++i)
      if ((byte >> i) & 1) reversed[byte] |= static_cast<std::uint8_t>(0x80u >> i);
  return reversed;
}();

std::uint32_t ReversedBits(std::uint32_t bits) {
  return std::uint32_t{kReversedBytes[bits & 0xFFu]} << 24 |
         std::uint32_t{kReversedBytes[(bits >> 8) & 0xFFu]} << 16 |
         std::uint32_t{kReversedBytes[(bits >> 16) & 0xFFu]} << 8 |
         std::uint32_t{kReversedBytes[bits >> 24]};
}

// Lines grouped by filled count: the first line with the most filled cells
// (removing) or the fewest (adding), as PickLine chooses it. Counts only move
// the way balancing goes, so the extreme count moves one step at a time.
class TLineGroups {
 public:
  // Lines of `length` cells.
  TLineGroups(const std::vector<int>& counts, int direction, int length) : FDirection(direction) {
    std::fill_n(FByCount.begin(), length + 1, 0u);
    for (std::size_t i = 0; i < counts.size(); ++i) FByCount[counts[i]] |= 1u << i;
    FExtreme = direction < 0 ? length : 0;
    while (FByCount[FExtreme] == 0) FExtreme += direction;
  }
  int Pick() const { return std::countr_zero(FByCount[FExtreme]); }
  // Line i had count `from` and now has from + direction.
  void Move(int i, int from) {
    FByCount[from] &= ~(1u << i);
    FByCount[from + FDirection] |= 1u << i;
    if (FByCount[FExtreme] == 0) FExtreme += FDirection;
  }

 private:
  int FDirection;
  int FExtreme = 0;
  std::array<std::uint32_t, TBoardMasks::kMaxSide + 1> FByCount;  // [count]
};

// The cell-by-cell scan of a line of n cells: a coin for the direction, then
// a coin per cell up to the last but one, stopping at the first heads on a
// cell that may change (bit i of `may`). Returns the cell, or -1 after n
// coins.
__attribute__((always_inline)) inline int ScanLine(TRnd::TBitCursor& pool, int n,
                                                   std::uint32_t may) {
  const bool forward = pool.Peek(1) != 0;
  pool.Skip(1);
  if (n <= 1) return -1;
  const int steps = n - 1;
  const std::uint32_t coins = pool.Peek(steps) & Below(steps);
  if (forward) {
    const std::uint32_t hits = coins & may;
    if (hits == 0) {
      pool.Skip(steps);
      return -1;
    }
    const int cell = std::countr_zero(hits);
    pool.Skip(cell + 1);
    return cell;
  }
  // Backwards the coin of step s falls on cell n - 1 - s: the coins reversed
  // onto cells 1 to n - 1, and the first step the highest cell.
  const std::uint32_t hits = ReversedBits(coins) >> (32 - n) & may;
  if (hits == 0) {
    pool.Skip(steps);
    return -1;
  }
  const int cell = 31 - std::countl_zero(hits);
  pool.Skip(n - cell);
  return cell;
}

// The line TLineGroups picks first, from the counts alone.
int FirstPick(const std::vector<int>& counts, int direction) {
  int picked = 0;
  for (int i = 1; i < static_cast<int>(counts.size()); ++i)
    if (direction < 0 ? counts[i] > counts[picked] : counts[i] < counts[picked]) picked = i;
  return picked;
}

#if defined(__SSE2__)
// Columns from rows with the byte sign masks of SSE2: sixteen rows' bytes
// side by side, each column of a byte the sign bits after moving it up. Rows
// past the height are masked off, whatever the array holds there.
void ColumnsOfRows(const std::array<std::uint32_t, TBoardMasks::kMaxSide>& rows, int width,
                   int height, std::array<std::uint32_t, TBoardMasks::kMaxSide>& columns) {
  const __m128i lowByte = _mm_set1_epi32(0xFF);
  const __m128i lanes = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  const bool twoBlocks = height > 16;
  const auto bytesOf = [&](int first, __m128i shift) {
    const auto* const quads = reinterpret_cast<const __m128i*>(rows.data() + first);
    const auto quad = [&](int i) {
      return _mm_and_si128(_mm_srl_epi32(_mm_loadu_si128(quads + i), shift), lowByte);
    };
    const __m128i bytes =
        _mm_packus_epi16(_mm_packs_epi32(quad(0), quad(1)), _mm_packs_epi32(quad(2), quad(3)));
    return _mm_and_si128(bytes,
                         _mm_cmplt_epi8(lanes, _mm_set1_epi8(static_cast<char>(height - first))));
  };
  for (int group = 0; group < (width + 7) / 8; ++group) {
    const __m128i shift = _mm_cvtsi32_si128(8 * group);
    __m128i low = bytesOf(0, shift);
    __m128i high = twoBlocks ? bytesOf(16, shift) : _mm_setzero_si128();
    for (int bit = 7; bit >= 0; --bit) {
      columns[8 * group + bit] = static_cast<std::uint32_t>(_mm_movemask_epi8(low)) |
                                 static_cast<std::uint32_t>(_mm_movemask_epi8(high)) << 16;
      low = _mm_add_epi8(low, low);
      high = _mm_add_epi8(high, high);
    }
  }
}
#else
// The bit matrix of a square of `Side` lines transposed in place: each round
// swaps the upper-right and lower-left quarters of every block twice the
// round's size.
template <int Side>
void Transpose(std::array<std::uint32_t, TBoardMasks::kMaxSide>& lines) {
  static constexpr std::uint32_t kKeep[] = {0x55555555u, 0x33333333u, 0x0F0F0F0Fu, 0x00FF00FFu,
                                            0x0000FFFFu};
#pragma GCC unroll 5
  for (int half = Side / 2, round = std::countr_zero(static_cast<unsigned>(Side)) - 1; half != 0;
       half >>= 1, --round) {
#pragma GCC unroll 16
    for (int k = 0; k < Side; k = (k + half + 1) & ~half) {
      const std::uint32_t swapped = ((lines[k] >> half) ^ lines[k + half]) & kKeep[round];
      lines[k] ^= swapped << half;
      lines[k + half] ^= swapped;
    }
  }
}

#endif

// A line's block count and the sum of excesses after one changed cell, from
// the cells on either side of it.
inline __attribute__((always_inline)) void UpdateBlocks(int direction, int& blocks, int limit,
                                                        int& excess, bool before, bool after) {
  if (limit <= 0) return;
  const int changed = blocks + direction * (1 - (before ? 1 : 0) - (after ? 1 : 0));
  excess += std::max(changed - limit, 0) - std::max(blocks - limit, 0);
  blocks = changed;
}

}  // namespace

void TBoardMasks::Read(const TInternalArrArr& board) {
  Width = board.empty() ? 0 : static_cast<int>(board[0].size());
  Height = static_cast<int>(board.size());
  for (int y = 0; y < Height; ++y) {
    Rows[y] = 0;
    for (int x = 0; x < Width; ++x)
      if (IsFilledLetter(board[y][x])) Rows[y] |= 1u << x;
  }
  CompleteFromRows();
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) {
      RowAdded[y] |= board[y][x] == kLetterRowAdded ? 1u << x : 0u;
      ColumnAdded[y] |= board[y][x] == kLetterColumnAdded ? 1u << x : 0u;
    }
}

void TBoardMasks::WriteLetters(TInternalArrArr& board) const {
  for (int y = 0; y < Height; ++y) {
    std::array<std::uint8_t, kMaxSide> letters;
    for (int b = 0; b < kMaxSide / 8; ++b)
      std::memcpy(letters.data() + 8 * b, kByteLetters[(Rows[y] >> (8 * b)) & 0xFFu].data(), 8);
    for (std::uint32_t added = RowAdded[y] | ColumnAdded[y]; added != 0; added &= added - 1) {
      const int x = std::countr_zero(added);
      letters[x] = (RowAdded[y] >> x) & 1u ? kLetterRowAdded : kLetterColumnAdded;
    }
    std::copy_n(letters.begin(), Width, board[y].begin());
  }
}

void TBoardMasks::CompleteFromRows() {
#if defined(__SSE2__)
  ColumnsOfRows(Rows, Width, Height, Columns);
#else
  const int side = static_cast<int>(std::bit_ceil(static_cast<unsigned>(std::max(Width, Height))));
  std::copy_n(Rows.begin(), Height, Columns.begin());
  std::fill(Columns.begin() + Height, Columns.begin() + std::max(side, Height), 0u);
  switch (side) {
    case 1:
      break;
    case 2:
      Transpose<2>(Columns);
      break;
    case 4:
      Transpose<4>(Columns);
      break;
    case 8:
      Transpose<8>(Columns);
      break;
    case 16:
      Transpose<16>(Columns);
      break;
    default:
      Transpose<32>(Columns);
      break;
  }
#endif
  std::fill_n(RowAdded.begin(), Height, 0u);
  std::fill_n(ColumnAdded.begin(), Height, 0u);
}

void TBoardMasks::BreakFullLines(TInternalArrArr& board) {
  if (Width <= 3 || Height <= 3) return;
  // Lines made of "#" only: cells filled by balancing do not count.
  const auto hashes = [this](int y) { return Rows[y] & ~(RowAdded[y] | ColumnAdded[y]); };
  const auto empty = [&](int x, int y) {
    Rows[y] &= ~(1u << x);
    Columns[x] &= ~(1u << y);
    board[y][x] = kLetterEmpty;
  };
  for (int y = 0; y < Height; ++y)
    if (hashes(y) == Below(Width)) empty(TRnd::RandomRange(0, Width - 1), y);
  std::uint32_t fullColumns = Below(Width);
  for (int y = 0; y < Height; ++y) fullColumns &= hashes(y);
  for (; fullColumns != 0; fullColumns &= fullColumns - 1)
    empty(std::countr_zero(fullColumns), TRnd::RandomRange(0, Height - 1));
}

void TBoardMasks::Clues(TCountersArr& rows, TCountersArr& columns) const {
  const auto clue = [](std::uint64_t cells, TCounterArr& runs) {
    runs.clear();
    while (cells != 0) {
      cells >>= std::countr_zero(cells);
      const int run = std::countr_one(cells);
      runs.push_back(run);
      cells >>= run;
    }
    if (runs.empty()) runs.push_back(0);
  };
  rows.resize(Height);
  columns.resize(Width);
  for (int y = 0; y < Height; ++y) clue(Rows[y], rows[y]);
  for (int x = 0; x < Width; ++x) clue(Columns[x], columns[x]);
}

namespace {

// With the population-count instruction where the processor has one; the
// build targets processors without it. The clones are called from this file
// only: some compilers cannot resolve them from another one.
__attribute__((target_clones("popcnt", "default"))) int CountColumnsCloned(const TBoardMasks& masks,
                                                                           int* cells,
                                                                           int* blocks) {
  int fewest = masks.Height;
  for (int x = 0; x < masks.Width; ++x) {
    // A block of a column starts at every filled cell with none above it.
    const std::uint32_t column = masks.Columns[x];
    cells[x] = std::popcount(column);
    blocks[x] = std::popcount(column & ~(column << 1));
    fewest = std::min(fewest, cells[x]);
  }
  return fewest;
}

}  // namespace

int CountColumns(const TBoardMasks& masks, int* cells, int* blocks) {
  return CountColumnsCloned(masks, cells, blocks);
}

bool HasDuplicateColumnClues(const TBoardMasks& masks) {
  // A line's clue as its runs packed one gap apart from the lowest bit: equal
  // clues give equal keys, and a line without runs the key 0.
  std::array<std::uint32_t, TBoardMasks::kMaxSide> keys;
  for (int x = 0; x < masks.Width; ++x) {
    std::uint64_t cells = masks.Columns[x];
    std::uint32_t key = 0;
    int at = 0;
    while (cells != 0) {
      cells >>= std::countr_zero(cells);
      const int run = std::countr_one(cells);
      key |= static_cast<std::uint32_t>(((std::uint64_t{1} << run) - 1u) << at);
      at += run + 1;
      cells >>= run;
    }
    keys[x] = key;
    for (int other = 0; other < x; ++other)
      if (keys[other] == key) return true;
  }
  return false;
}

bool BalanceOnMasks(TBoardMasks& masks, TLineCounts& counts, TLineCounts& blocks,
                    TBalanceOptions options, int target, int difference, TBlockLimits limits) {
  const int direction = (difference > 0) - (difference < 0);
  int columnExcess = BlockExcess(blocks.Columns, limits.Columns);
  int rowExcess = BlockExcess(blocks.Rows, limits.Rows);
  const auto done = [&] { return columnExcess == 0 && rowExcess == 0; };
  // Nothing to change: reached, as long as some lines may be corrected.
  if (direction == 0) return (options.Columns || options.Rows) && done();
  const int w = masks.Width;
  const int h = masks.Height;
  int count = 0;
  for (const int n : counts.Rows) count += n;
  int remaining = std::abs(target - count);
  const std::uint32_t allRow = Below(w);
  const std::uint32_t allColumn = Below(h);
  // Removing may empty a filled cell, adding fill an empty one.
  const std::uint32_t flipRow = direction < 0 ? 0u : allRow;
  const std::uint32_t flipColumn = direction < 0 ? 0u : allColumn;
  const long long cap = 100LL * w * h + 1000;
  TRnd::TBitCursor pool;
  if (std::max(columnExcess, rowExcess) > remaining) {
    // The first change leaves more surplus blocks than changes to come: only
    // the coins up to it are drawn, on the lines picked first.
    const int x = FirstPick(counts.Columns, direction);
    const int y = FirstPick(counts.Rows, direction);
    const bool column = options.Columns && (direction > 0 || counts.Columns[x] > 1);
    const bool row = options.Rows && (direction < 0 ? counts.Rows[y] > 1 : counts.Rows[y] < w - 1);
    if (!column && !row) return false;
    for (long long round = 0; round < cap; ++round) {
      if (column && ScanLine(pool, h, masks.Columns[x] ^ flipColumn) >= 0) return false;
      if (row && ScanLine(pool, w, masks.Rows[y] ^ flipRow) >= 0) return false;
    }
    return false;
  }
  TLineGroups rows(counts.Rows, direction, w);
  TLineGroups columns(counts.Columns, direction, h);
  // Fills (by a row or a column) or empties cell (x, y), with everything kept
  // in step; false when balancing is to end there.
  const auto change = [&](int y, int x, bool byRow) __attribute__((always_inline)) {
    const std::uint32_t rowBit = 1u << x;
    if (direction > 0) {
      (byRow ? masks.RowAdded : masks.ColumnAdded)[y] |= rowBit;
    } else {
      masks.RowAdded[y] &= ~rowBit;
      masks.ColumnAdded[y] &= ~rowBit;
    }
    const std::uint32_t columnBit = 1u << y;
    masks.Rows[y] ^= rowBit;
    masks.Columns[x] ^= columnBit;
    rows.Move(y, counts.Rows[y]);
    columns.Move(x, counts.Columns[x]);
    counts.Rows[y] += direction;
    counts.Columns[x] += direction;
    count += direction;
    const std::uint32_t row = masks.Rows[y];
    const std::uint32_t column = masks.Columns[x];
    UpdateBlocks(direction, blocks.Rows[y], limits.Rows, rowExcess, ((row << 1) & rowBit) != 0,
                 ((row >> 1) & rowBit) != 0);
    UpdateBlocks(direction, blocks.Columns[x], limits.Columns, columnExcess,
                 ((column << 1) & columnBit) != 0, ((column >> 1) & columnBit) != 0);
    --remaining;
    return std::max(columnExcess, rowExcess) <= remaining;
  };
  for (long long round = 0; round < cap; ++round) {
    bool attempted = false;
    if (options.Columns) {
      const int x = columns.Pick();
      if (direction > 0 || counts.Columns[x] > 1) {
        attempted = true;
        const int y = ScanLine(pool, h, masks.Columns[x] ^ flipColumn);
        if (y >= 0) {
          if (!change(y, x, false)) return false;
          if (count == target) return done();
        }
      }
    }
    if (options.Rows) {
      const int y = rows.Pick();
      if (direction < 0 ? counts.Rows[y] > 1 : counts.Rows[y] < w - 1) {
        attempted = true;
        const int x = ScanLine(pool, w, masks.Rows[y] ^ flipRow);
        if (x >= 0) {
          if (!change(y, x, true)) return false;
          if (count == target) return done();
        }
      }
    }
    if (!attempted) return false;
  }
  return false;
}
