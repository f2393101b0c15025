#include "solver/line_solver.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <limits>
#include <stdexcept>
#include <string>

#include "model/nono_game.h"

Line::Line(const TCounterArr& clue) {
  SetClue(clue);
}

void Line::SetClue(const TCounterArr& clue) {
  FClue.clear();
  for (const std::int32_t value : clue)
    if (value > 0) FClue.push_back(value);
  ClueChanged();
}

void Line::ClueChanged() {
  FBlockCount = static_cast<std::int32_t>(FClue.size());
  // Summed wide and capped, so that an absurd clue simply fits nowhere.
  FMinimal.resize(FClue.size());
  std::int64_t need = -1;
  for (std::size_t k = FClue.size(); k-- > 0;) {
    need = std::min<std::int64_t>(need + 1 + FClue[k], std::numeric_limits<std::int32_t>::max());
    FMinimal[k] = static_cast<std::int32_t>(need);
  }
}

namespace {

// A set of positions 0 .. 64 W - 1, bit i of word i / 64 standing for i.
template <int W>
struct TBits {
  // Left unset by default: the tables of a solve are filled level by level.
  std::array<std::uint64_t, W> Words;

  static TBits Below(int count) {  // positions 0 .. count - 1
    TBits b{};
    for (int k = 0; k < W; ++k) {
      const int inWord = std::clamp(count - 64 * k, 0, 64);
      b.Words[k] = inWord == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << inWord) - 1;
    }
    return b;
  }
  void Set(int i) { Words[i / 64] |= std::uint64_t{1} << (i % 64); }
  bool Has(int i) const { return (Words[i / 64] >> (i % 64)) & 1u; }

  TBits operator&(const TBits& o) const {
    TBits r{};
    for (int k = 0; k < W; ++k) r.Words[k] = Words[k] & o.Words[k];
    return r;
  }
  TBits operator|(const TBits& o) const {
    TBits r{};
    for (int k = 0; k < W; ++k) r.Words[k] = Words[k] | o.Words[k];
    return r;
  }
  TBits operator^(const TBits& o) const {
    TBits r{};
    for (int k = 0; k < W; ++k) r.Words[k] = Words[k] ^ o.Words[k];
    return r;
  }
  TBits operator~() const {
    TBits r{};
    for (int k = 0; k < W; ++k) r.Words[k] = ~Words[k];
    return r;
  }
  // Every position moved up (Up) or down (Down) by s, 0 <= s < 64 W.
  TBits Up(int s) const {
    TBits r{};
    const int words = s / 64;
    const int bits = s % 64;
    for (int k = W - 1; k >= words; --k) {
      r.Words[k] = Words[k - words] << bits;
      if (bits > 0 && k - words > 0) r.Words[k] |= Words[k - words - 1] >> (64 - bits);
    }
    return r;
  }
  TBits Down(int s) const {
    TBits r{};
    const int words = s / 64;
    const int bits = s % 64;
    for (int k = 0; k + words < W; ++k) {
      r.Words[k] = Words[k + words] >> bits;
      if (bits > 0 && k + words + 1 < W) r.Words[k] |= Words[k + words + 1] << (64 - bits);
    }
    return r;
  }
  // The sum as one wide number.
  TBits operator+(const TBits& o) const {
    TBits r{};
    std::uint64_t carry = 0;
    for (int k = 0; k < W; ++k) {
      const std::uint64_t sum = Words[k] + o.Words[k];
      r.Words[k] = sum + carry;
      carry = (sum < Words[k] ? 1u : 0u) | (r.Words[k] < sum ? 1u : 0u);
    }
    return r;
  }
};

// Seeds and every position reached from one of them by steps i -> i + 1
// through positions in `through`: a sum carries a seed up to the end of its
// run of `through`, and one past it.
template <int W>
TBits<W> SpreadUp(const TBits<W>& seeds, const TBits<W>& through) {
  return (((seeds & through) + through) ^ through) | seeds;
}

// Seeds and every position reached from one of them by steps i + 1 -> i onto
// positions in `through`, in doubling strides.
template <int W>
TBits<W> SpreadDown(TBits<W> seeds, TBits<W> through) {
  for (int stride = 1; stride < 64 * W; stride *= 2) {
    seeds = seeds | (seeds.Down(stride) & through);
    through = through & through.Down(stride);
  }
  return seeds;
}

// Each position s and the length - 1 positions above it.
template <int W>
TBits<W> Widen(TBits<W> starts, int length) {
  int covered = 1;
  for (; 2 * covered <= length; covered *= 2) starts = starts | starts.Up(covered);
  return covered < length ? starts | starts.Up(length - covered) : starts;
}

// Positions s whose run of `length` positions s .. s + length - 1 lies in
// `allowed`.
template <int W>
TBits<W> RunsOf(TBits<W> allowed, int length) {
  int checked = 1;
  for (; 2 * checked <= length; checked *= 2) allowed = allowed & allowed.Down(checked);
  return checked < length ? allowed & allowed.Down(length - checked) : allowed;
}

// The two passes over the blocks of one line of n cells, given as the
// positions that are not known filled and not known empty (both within
// 0 .. n - 1). False when no placement fits. Otherwise, if covered is given,
// covered gets the cells some fitting placement fills and uncovered those
// some fitting placement leaves empty.
template <int W>
bool SolveBits(const TCounterArr& clue, const TCounterArr& minimal, int n,
               const TBits<W>& notFilled, const TBits<W>& notEmpty, TBits<W>* coveredOut,
               TBits<W>* uncoveredOut) {
  const int k = static_cast<int>(clue.size());
  // Too long a clue fits nowhere; the passes need not look.
  if (k > 0 && minimal[0] > n) return false;
  // Blocks are at most (n + 1) / 2, so the tables hold every level.
  constexpr int kLevels = 32 * W + 1;
  // fits[j]: where block j may start (no empty cell under it).
  // prefix[j]: positions i where cells 0 .. i - 1 can hold blocks 0 .. j - 1
  // with cell i - 1 left empty (or i = 0), so that block j may start at i.
  // ended[j]: the same, but the last block may also end right before i.
  std::array<TBits<W>, kLevels> fits;
  std::array<TBits<W>, kLevels> prefix;
  std::array<TBits<W>, kLevels> ended;
  TBits<W> origin{};
  origin.Set(0);
  for (int j = 0; j <= k; ++j) {
    TBits<W> seeds = origin;
    if (j > 0) seeds = (prefix[j - 1] & fits[j - 1]).Up(clue[j - 1]);
    if (j < k) fits[j] = RunsOf(notEmpty, clue[j]);
    ended[j] = SpreadUp(seeds, notFilled);
    prefix[j] = (ended[j] & notFilled).Up(1) | (j == 0 ? origin : TBits<W>{});
  }
  if (!ended[k].Has(n)) return false;
  if (coveredOut == nullptr) return true;
  // suffix[j]: positions i where cells i + 1 .. n - 1 can hold blocks j .. last
  // with cell i left empty (or i = n). Walking down from the last block, the
  // blocks that may start at each position are combined with the prefixes
  // into the cells some placement covers, and the suffixes with the endings
  // into the cells some placement leaves empty.
  TBits<W> end{};
  end.Set(n);
  TBits<W> suffix = SpreadDown(end, notFilled);
  TBits<W> covered{};
  TBits<W> uncovered = ended[k] & suffix;
  for (int j = k - 1; j >= 0; --j) {
    const TBits<W> starts = fits[j] & suffix.Down(clue[j]);
    covered = covered | Widen(prefix[j] & starts, clue[j]);
    suffix = SpreadDown(starts.Down(1) & notFilled, notFilled);
    uncovered = uncovered | (ended[j] & suffix);
  }
  *coveredOut = covered;
  *uncoveredOut = uncovered;
  return true;
}

// Solves one line of n cells on the bit sets of its known cells (filled and
// empty, W words each), adds what it deduces to them and tells found(i,
// value) of each newly known cell. False when no placement fits.
template <int W, typename Found>
bool SolveKnown(const Line& line, int n, std::uint64_t* filled, std::uint64_t* empty, Found found) {
  TBits<W> knownFilled;
  TBits<W> knownEmpty;
  for (int k = 0; k < W; ++k) {
    knownFilled.Words[k] = filled[k];
    knownEmpty.Words[k] = empty[k];
  }
  const TBits<W> inside = TBits<W>::Below(n);
  TBits<W> covered;
  TBits<W> uncovered;
  if (!SolveBits(line.Clue(), line.Minimal(), n, inside & ~knownFilled, inside & ~knownEmpty,
                 &covered, &uncovered))
    return false;
  const TBits<W> newFilled = covered & ~uncovered & inside & ~knownFilled;
  const TBits<W> newEmpty = uncovered & ~covered & inside & ~knownEmpty;
  for (int k = 0; k < W; ++k) {
    filled[k] |= newFilled.Words[k];
    empty[k] |= newEmpty.Words[k];
    for (std::uint64_t bits = newFilled.Words[k]; bits != 0; bits &= bits - 1)
      found(64 * k + std::countr_zero(bits), 1);
    for (std::uint64_t bits = newEmpty.Words[k]; bits != 0; bits &= bits - 1)
      found(64 * k + std::countr_zero(bits), -1);
  }
  return true;
}

// Words of a bit set that holds positions 0 .. n.
constexpr int WordsFor(int n) {
  return n < 64 ? 1 : n < 128 ? 2 : 3;
}

}  // namespace

void Line::LoadLine(std::span<std::int32_t> cells) {
  if (cells.size() > static_cast<std::size_t>(MaxLength))
    throw std::invalid_argument("The line solver takes lines of up to " +
                                std::to_string(MaxLength) + " cells");
  FCells = cells;
}

template <int W>
bool Line::Solve(bool deduce) {
  const int n = static_cast<int>(FCells.size());
  // Word by word and without branches: this and the writing back below cost
  // more than the solve itself on short lines.
  TBits<W> filled{};
  TBits<W> empty{};
  for (int i = 0; i < n; ++i) {
    filled.Words[i / 64] |= std::uint64_t{FCells[i] == 1} << (i % 64);
    empty.Words[i / 64] |= std::uint64_t{FCells[i] == -1} << (i % 64);
  }
  const TBits<W> inside = TBits<W>::Below(n);
  TBits<W> covered{};
  TBits<W> uncovered{};
  if (!SolveBits(FClue, FMinimal, n, inside & ~filled, inside & ~empty, deduce ? &covered : nullptr,
                 &uncovered))
    return false;
  if (!deduce) return true;
  for (int i = 0; i < n; ++i) {
    const auto bit = [i](const TBits<W>& b) {
      return static_cast<std::int32_t>((b.Words[i / 64] >> (i % 64)) & 1);
    };
    // Covered and uncovered: unknown; covered only: filled; else empty.
    FCells[i] = bit(covered) ? 1 - bit(uncovered) : -1;
  }
  return true;
}

bool Line::HasPlacement() {
  return SolveLine(false);
}

bool Line::SolveLine() {
  return SolveLine(true);
}

bool Line::SolveLine(bool deduce) {
  switch (WordsFor(static_cast<int>(FCells.size()))) {
    case 1:
      return Solve<1>(deduce);
    case 2:
      return Solve<2>(deduce);
    default:
      return Solve<3>(deduce);
  }
}

NonogramSolver::NonogramSolver(const TCountersArr& rowClues, const TCountersArr& columnClues) {
  Reset(rowClues, columnClues);
}

void NonogramSolver::Reset(const TCountersArr& rowClues, const TCountersArr& columnClues) {
  FWidth = static_cast<std::int32_t>(columnClues.size());
  FHeight = static_cast<std::int32_t>(rowClues.size());
  if (std::max(FWidth, FHeight) > Line::MaxLength)
    throw std::invalid_argument("The line solver takes lines of up to " +
                                std::to_string(Line::MaxLength) + " cells");
  FGrid.assign(static_cast<std::size_t>(FWidth) * FHeight, 0);
  FRowFilled.assign(rowClues.size() * kMaskWords, 0);
  FRowEmpty.assign(rowClues.size() * kMaskWords, 0);
  FColumnFilled.assign(columnClues.size() * kMaskWords, 0);
  FColumnEmpty.assign(columnClues.size() * kMaskWords, 0);
  FRowDirty.assign(rowClues.size(), 1);
  FColumnDirty.assign(columnClues.size(), 1);
  FChanged = false;
  FFoundContradiction = false;
  const auto setClues = [](std::vector<Line>& lines, const TCountersArr& clues) {
    for (std::size_t i = 0; i < clues.size(); ++i) {
      if (i < lines.size())
        lines[i].SetClue(clues[i]);
      else
        lines.emplace_back(clues[i]);
    }
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(clues.size()), lines.end());
  };
  setClues(FRows, rowClues);
  setClues(FColumns, columnClues);
}

void NonogramSolver::SetKnown(int x, int y, std::int32_t value) {
  FGrid[static_cast<std::size_t>(y) * FWidth + x] = value;
  const std::uint64_t rowBit = std::uint64_t{1} << (x % 64);
  const std::uint64_t columnBit = std::uint64_t{1} << (y % 64);
  std::uint64_t& rowFilled = FRowFilled[y * kMaskWords + x / 64];
  std::uint64_t& rowEmpty = FRowEmpty[y * kMaskWords + x / 64];
  std::uint64_t& columnFilled = FColumnFilled[x * kMaskWords + y / 64];
  std::uint64_t& columnEmpty = FColumnEmpty[x * kMaskWords + y / 64];
  rowFilled = value == 1 ? rowFilled | rowBit : rowFilled & ~rowBit;
  rowEmpty = value == -1 ? rowEmpty | rowBit : rowEmpty & ~rowBit;
  columnFilled = value == 1 ? columnFilled | columnBit : columnFilled & ~columnBit;
  columnEmpty = value == -1 ? columnEmpty | columnBit : columnEmpty & ~columnBit;
}

bool NonogramSolver::SolveRow(int r) {
  std::uint64_t* const filled = &FRowFilled[r * kMaskWords];
  std::uint64_t* const empty = &FRowEmpty[r * kMaskWords];
  std::int32_t* const row = FGrid.data() + static_cast<std::size_t>(r) * FWidth;
  const std::size_t word = r / 64;
  const std::uint64_t bit = std::uint64_t{1} << (r % 64);
  const auto found = [&](int x, std::int32_t value) {
    row[x] = value;
    (value == 1 ? FColumnFilled : FColumnEmpty)[x * kMaskWords + word] |= bit;
    FColumnDirty[x] = 1;
  };
  const Line& line = FRows[r];
  bool fits;
  switch (WordsFor(FWidth)) {
    case 1:
      fits = SolveKnown<1>(line, FWidth, filled, empty, found);
      break;
    case 2:
      fits = SolveKnown<2>(line, FWidth, filled, empty, found);
      break;
    default:
      fits = SolveKnown<3>(line, FWidth, filled, empty, found);
  }
  if (fits) FRowDirty[r] = 0;
  return fits;
}

bool NonogramSolver::SolveColumn(int c) {
  std::uint64_t* const filled = &FColumnFilled[c * kMaskWords];
  std::uint64_t* const empty = &FColumnEmpty[c * kMaskWords];
  const std::size_t word = c / 64;
  const std::uint64_t bit = std::uint64_t{1} << (c % 64);
  const auto found = [&](int y, std::int32_t value) {
    FGrid[static_cast<std::size_t>(y) * FWidth + c] = value;
    (value == 1 ? FRowFilled : FRowEmpty)[y * kMaskWords + word] |= bit;
    FRowDirty[y] = 1;
    FChanged = true;
  };
  const Line& line = FColumns[c];
  bool fits;
  switch (WordsFor(FHeight)) {
    case 1:
      fits = SolveKnown<1>(line, FHeight, filled, empty, found);
      break;
    case 2:
      fits = SolveKnown<2>(line, FHeight, filled, empty, found);
      break;
    default:
      fits = SolveKnown<3>(line, FHeight, filled, empty, found);
  }
  if (fits) FColumnDirty[c] = 0;
  return fits;
}

void NonogramSolver::SetRowClue(int r, const TCounterArr& clue) {
  FRows[r].SetClue(clue);
  FRowDirty[r] = 1;
}

void NonogramSolver::SetColumnClue(int c, const TCounterArr& clue) {
  FColumns[c].SetClue(clue);
  FColumnDirty[c] = 1;
}

void NonogramSolver::SetCell(int x, int y, std::int32_t value) {
  SetKnown(x, y, value);
  FRowDirty[y] = 1;
  FColumnDirty[x] = 1;
}

int NonogramSolver::Solve() {
  FFoundContradiction = false;
  FContradictionLine = -1;
  const auto contradiction = [this](bool column, int index) {
    if (!FFoundContradiction) {
      FContradictionLine = index;
      FContradictionInColumn = column;
    }
    FFoundContradiction = true;
  };
  do {
    FChanged = false;
    for (int r = 0; r < FHeight; ++r) {
      if (FRowDirty[r] && !SolveRow(r)) {
        contradiction(false, r);
        break;
      }
    }
    for (int c = 0; c < FWidth; ++c) {
      if (FColumnDirty[c] && !SolveColumn(c)) {
        contradiction(true, c);
        break;
      }
    }
  } while (FChanged);
  return std::find(FGrid.begin(), FGrid.end(), 0) == FGrid.end() ? 2 : 1;
}

TCountersArr NonogramSolver::Grid() const {
  TCountersArr grid(FHeight);
  for (int y = 0; y < FHeight; ++y)
    grid[y].assign(FGrid.begin() + static_cast<std::ptrdiff_t>(y) * FWidth,
                   FGrid.begin() + static_cast<std::ptrdiff_t>(y + 1) * FWidth);
  return grid;
}

bool IsLineSolvable(const TNonoGame& game) {
  NonogramSolver solver(game.RowClues(true), game.ColumnClues(true));
  return solver.Solve() == 2;
}
