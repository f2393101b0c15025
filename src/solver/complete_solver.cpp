#include "solver/complete_solver.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "solver/line_solver.h"

namespace {

// A bound ran out; unwinds the search.
struct TOutOfBudget {};

// How the search chooses where to branch.
enum class TStrategy {
  // Probing every other step; the cell whose row and column most agree on one
  // value, that value first. Settles tight puzzles in few steps.
  Likeliest,
  // The same, but the cell likeliest to be filled, filled first: on sparse
  // pictures an empty cell settles little and the dive gets no deeper.
  FilledFirst,
  // Line logic only below the start; the row with the fewest unknown cells.
  // Shows puzzles with many pictures to have two far sooner.
  PlainDive,
};

using TClock = std::chrono::steady_clock;

// For each cell of a line, the share of the clue's placements that fit the
// known cells and fill it (0.5 when none fits). `cells` are read with the
// given stride.
void FillShares(const TCounterArr& runs, const std::int32_t* cells, int stride, int n,
                double* share) {
  const int k = static_cast<int>(runs.size());
  const int w = n + 2;
  // after[j * w + i]: placements of runs j..last in cells i..n-1 (i = n + 1
  // past the end after a run that ends the line). before[j * w + i]: of runs
  // 0..j-1 in cells 0..i-1 with cell i-1 left empty, or i = 0.
  thread_local std::vector<double> after, before, change;
  thread_local std::vector<int> empties;
  after.assign(static_cast<std::size_t>(k + 1) * w, 0.0);
  before.assign(static_cast<std::size_t>(k + 1) * w, 0.0);
  change.assign(n + 1, 0.0);
  empties.assign(n + 1, 0);
  const auto cell = [&](int i) { return cells[static_cast<std::ptrdiff_t>(i) * stride]; };
  for (int i = 0; i < n; ++i) empties[i + 1] = empties[i] + (cell(i) == -1 ? 1 : 0);
  // Run j may start at s: no empty cell under it, no filled cell beside it.
  const auto fits = [&](int j, int s) {
    const int e = s + runs[j];
    return e <= n && empties[e] == empties[s] && (e == n || cell(e) != 1) &&
           (s == 0 || cell(s - 1) != 1);
  };
  const auto A = [&](int j, int i) -> double& {
    return after[static_cast<std::size_t>(j) * w + i];
  };
  const auto B = [&](int j, int i) -> double& {
    return before[static_cast<std::size_t>(j) * w + i];
  };
  A(k, n) = A(k, n + 1) = 1;
  for (int i = n - 1; i >= 0; --i) A(k, i) = cell(i) == 1 ? 0 : A(k, i + 1);
  for (int j = k - 1; j >= 0; --j)
    for (int i = n - 1; i >= 0; --i)
      A(j, i) = (cell(i) == 1 ? 0 : A(j, i + 1)) +
                (fits(j, i) ? A(j + 1, std::min(n + 1, i + runs[j] + 1)) : 0);
  B(0, 0) = 1;
  for (int i = 1; i <= n; ++i) B(0, i) = cell(i - 1) == 1 ? 0 : B(0, i - 1);
  for (int j = 1; j <= k; ++j) {
    for (int i = 1; i <= n; ++i) {
      const int s = i - 1 - runs[j - 1];
      B(j, i) = (cell(i - 1) == 1 ? 0 : B(j, i - 1)) + (s >= 0 && fits(j - 1, s) ? B(j - 1, s) : 0);
    }
  }
  const double total = A(0, 0);
  for (int j = 0; j < k; ++j) {
    for (int s = 0; s + runs[j] <= n; ++s) {
      if (!fits(j, s)) continue;
      const double ways = B(j, s) * A(j + 1, std::min(n + 1, s + runs[j] + 1));
      change[s] += ways;
      change[s + runs[j]] -= ways;
    }
  }
  double covering = 0;
  for (int i = 0; i < n; ++i) {
    covering += change[i];
    share[i] = total > 0 ? covering / total : 0.5;
  }
}

class TCompleteSolver {
 public:
  TCompleteSolver(const TCountersArr& rowClues, const TCountersArr& columnClues,
                  const TAnalysisLimits& limits)
      : FWidth(static_cast<int>(columnClues.size())),
        FHeight(static_cast<int>(rowClues.size())),
        FBudget(limits.Work),
        FCancel(limits.Cancel),
        FStart(TClock::now()) {
    if (limits.Seconds > 0)
      FDeadline = FStart + std::chrono::duration_cast<TClock::duration>(
                               std::chrono::duration<double>(limits.Seconds));
    for (const TCounterArr& clue : rowClues) {
      FRows.emplace_back(clue);
      for (const std::int32_t run : FRows.back().Clue()) FFilledCells += run;
    }
    for (const TCounterArr& clue : columnClues) FColumns.emplace_back(clue);
    FBuffer.resize(std::max(FWidth, FHeight));
    FRowDirty.resize(FHeight);
    FColumnDirty.resize(FWidth);
  }

  TAnalysis Run() {
    TAnalysis result;
    TCounterArr grid(static_cast<std::size_t>(FWidth) * FHeight, 0);
    try {
      std::fill(FRowDirty.begin(), FRowDirty.end(), 1);
      std::fill(FColumnDirty.begin(), FColumnDirty.end(), 1);
      if (!Propagate(grid)) {
        result.Verdict = TVerdict::None;
        result.BadLine = FBadLine;
        result.BadLineIsColumn = FBadLineIsColumn;
      } else if (Complete(grid)) {
        result.Verdict = TVerdict::LineSolvable;
        FSolutions.push_back(grid);
      } else {
        FUndecided = static_cast<int>(std::count(grid.begin(), grid.end(), 0));
        // Each way of searching is quick on some puzzles and hopeless on
        // others, so each gets its share of the bounds in turn: a third,
        // then the next third, then the rest. Filled first goes first on
        // sparse pictures (less than a third of the cells filled).
        const std::int64_t budget = FBudget;
        const TClock::time_point deadline = FDeadline;
        const bool sparse = 3 * FFilledCells < static_cast<std::int64_t>(grid.size());
        const TStrategy order[] = {sparse ? TStrategy::FilledFirst : TStrategy::Likeliest,
                                   sparse ? TStrategy::Likeliest : TStrategy::FilledFirst,
                                   TStrategy::PlainDive};
        for (int turn = 1; turn <= 3; ++turn) {
          FStrategy = order[turn - 1];
          FBudget = turn == 3 ? budget : budget / 3 * turn;
          if (deadline != TClock::time_point::max() && turn < 3)
            FDeadline = FStart + (deadline - FStart) / 3 * turn;
          else
            FDeadline = deadline;
          try {
            TCounterArr start = grid;
            Search(start);
            break;
          } catch (const TOutOfBudget&) {
            if (FCancelled || turn == 3) throw;
            FSolutions.clear();
          }
        }
        result.Verdict = FSolutions.empty()      ? TVerdict::None
                         : FSolutions.size() > 1 ? TVerdict::Multiple
                                                 : TVerdict::Unique;
      }
      result.Solutions = std::move(FSolutions);
    } catch (const TOutOfBudget&) {
      result.Verdict = TVerdict::Undecided;
      result.Cancelled = FCancelled;
    }
    result.Work = FWork;
    result.UndecidedCells = FUndecided;
    return result;
  }

 private:
  static bool Complete(const TCounterArr& grid) {
    return std::find(grid.begin(), grid.end(), 0) == grid.end();
  }

  std::int32_t& At(TCounterArr& grid, int x, int y) const {
    return grid[static_cast<std::size_t>(y) * FWidth + x];
  }

  // Solves one line of the grid in FBuffer and writes back what it settles,
  // marking the crossing lines of every new value. False on a contradiction.
  bool SolveLine(TCounterArr& grid, bool column, int index) {
    if (++FWork > FBudget) throw TOutOfBudget();
    if (FCancel != nullptr && FCancel->load(std::memory_order_relaxed)) {
      FCancelled = true;
      throw TOutOfBudget();
    }
    // A line solve takes well under a microsecond; the clock is read every
    // 64 of them.
    if ((FWork & 63) == 0 && TClock::now() > FDeadline) throw TOutOfBudget();
    const int length = column ? FHeight : FWidth;
    std::int32_t* const first = column ? &At(grid, index, 0) : &At(grid, 0, index);
    const std::ptrdiff_t stride = column ? FWidth : 1;
    for (int i = 0; i < length; ++i) FBuffer[i] = first[i * stride];
    Line& line = column ? FColumns[index] : FRows[index];
    line.LoadLine(std::span<std::int32_t>(FBuffer.data(), length));
    if (!line.SolveLine()) {
      FBadLine = index;
      FBadLineIsColumn = column;
      return false;
    }
    std::vector<std::uint8_t>& crossing = column ? FRowDirty : FColumnDirty;
    for (int i = 0; i < length; ++i) {
      std::int32_t& cell = first[i * stride];
      if (cell != 0 || FBuffer[i] == 0) continue;
      cell = FBuffer[i];
      crossing[i] = 1;
    }
    return true;
  }

  // Line logic until every dirty line is at its fixed point. The dirty marks
  // are left clear either way.
  bool Propagate(TCounterArr& grid) {
    bool ok = true;
    for (bool again = true; again && ok;) {
      again = false;
      for (int r = 0; r < FHeight && ok; ++r) {
        if (!FRowDirty[r]) continue;
        FRowDirty[r] = 0;
        ok = SolveLine(grid, false, r);
      }
      for (int c = 0; c < FWidth && ok; ++c) {
        if (!FColumnDirty[c]) continue;
        FColumnDirty[c] = 0;
        ok = SolveLine(grid, true, c);
        again = true;
      }
      if (ok) again = again && std::find(FRowDirty.begin(), FRowDirty.end(), 1) != FRowDirty.end();
    }
    std::fill(FRowDirty.begin(), FRowDirty.end(), 0);
    std::fill(FColumnDirty.begin(), FColumnDirty.end(), 0);
    return ok;
  }

  // The grid with one more cell set, carried through line logic.
  bool Assume(const TCounterArr& grid, int cell, std::int32_t value, TCounterArr& out) {
    out = grid;
    out[cell] = value;
    FRowDirty[cell / FWidth] = 1;
    FColumnDirty[cell % FWidth] = 1;
    return Propagate(out);
  }

  // Is the cell on the edge of the board or beside a known cell? Only there
  // does a probe tend to settle anything; probing the open middle of a board
  // costs much and gives little.
  bool NextToKnown(const TCounterArr& grid, int cell) const {
    const int x = cell % FWidth;
    const int y = cell / FWidth;
    if (x == 0 || y == 0 || x == FWidth - 1 || y == FHeight - 1) return true;
    return grid[cell - 1] != 0 || grid[cell + 1] != 0 || grid[cell - FWidth] != 0 ||
           grid[cell + FWidth] != 0;
  }

  // Probes the unknown cells beside known ones (and on the edge) of a grid at
  // its line fixed point, below the start only in the rows and columns that
  // changed since the last probing above, adopting whatever a refuted
  // value forces and whatever both values agree on, until no probe settles
  // anything. False when both values of some cell fail.
  bool Probe(TCounterArr& grid, const TCounterArr* probed) {
    TCounterArr filled, empty, before;
    // Rows and columns with a cell settled since the last probing above: a
    // cell elsewhere would mostly probe as it did there.
    std::vector<std::uint8_t> rowTouched(FHeight, probed == nullptr ? 1 : 0);
    std::vector<std::uint8_t> columnTouched(FWidth, probed == nullptr ? 1 : 0);
    const auto touch = [&](const TCounterArr& old) {
      for (std::size_t j = 0; j < grid.size(); ++j) {
        if (old[j] != 0 || grid[j] == 0) continue;
        rowTouched[j / FWidth] = 1;
        columnTouched[j % FWidth] = 1;
      }
    };
    if (probed != nullptr) touch(*probed);
    // Values already seen in the outcome of a successful probe since the
    // grid last changed: probing them cannot fail.
    std::vector<std::uint8_t> safe(grid.size());
    for (bool changed = true; changed;) {
      changed = false;
      std::fill(safe.begin(), safe.end(), 0);
      for (std::size_t i = 0; i < grid.size(); ++i) {
        const int cell = static_cast<int>(i);
        if (grid[i] != 0 || !NextToKnown(grid, cell)) continue;
        if (!rowTouched[cell / FWidth] && !columnTouched[cell % FWidth]) continue;
        const bool fillOk = (safe[i] & 1) || Assume(grid, cell, 1, filled);
        const bool emptyOk = (safe[i] & 2) || Assume(grid, cell, -1, empty);
        if (!fillOk && !emptyOk) return false;
        if (!fillOk || !emptyOk) {
          // The other value is forced; its outcome is at hand unless it was
          // skipped as safe.
          TCounterArr& outcome = fillOk ? filled : empty;
          if ((safe[i] & (fillOk ? 1 : 2)) && !Assume(grid, cell, fillOk ? 1 : -1, outcome))
            return false;
          before = grid;
          grid = outcome;
          touch(before);
          changed = true;
          std::fill(safe.begin(), safe.end(), 0);
          continue;
        }
        if ((safe[i] & 3) != 0) continue;  // not both outcomes at hand
        // A cell both values settle alike has that value either way; every
        // other value seen is safe to skip.
        bool agreed = false;
        before = grid;
        for (std::size_t j = 0; j < grid.size(); ++j) {
          if (grid[j] != 0) continue;
          if (filled[j] != 0 && filled[j] == empty[j]) {
            grid[j] = filled[j];
            FRowDirty[j / FWidth] = 1;
            FColumnDirty[j % FWidth] = 1;
            agreed = true;
          }
          for (const std::int32_t v : {filled[j], empty[j]})
            if (v != 0) safe[j] |= v == 1 ? 1 : 2;
        }
        if (agreed) {
          if (!Propagate(grid)) return false;
          touch(before);
          changed = true;
          std::fill(safe.begin(), safe.end(), 0);
        }
      }
    }
    return true;
  }

  // Depth-first over the branching cell, until two pictures are found.
  // `probed` is the grid as the last probing above this step left it.
  void Search(TCounterArr& grid, int depth = 0, const TCounterArr* probed = nullptr) {
    // Probing every other step costs half and misses little: line logic
    // alone carries a branch a long way.
    const bool probe = depth == 0 || (FStrategy != TStrategy::PlainDive && depth % 2 == 0);
    if (probe) {
      if (!Probe(grid, probed)) return;
      if (depth == 0) FUndecided = static_cast<int>(std::count(grid.begin(), grid.end(), 0));
      probed = &grid;
    }
    std::int32_t likely = 1;
    const int branch =
        FStrategy == TStrategy::PlainDive ? CheapBranch(grid) : LikelyBranch(grid, likely);
    if (branch < 0) {
      FSolutions.push_back(grid);
      return;
    }
    // Away from the picture found: a second one differs from it somewhere.
    if (FSolutions.size() == 1) likely = -FSolutions.front()[branch];
    for (const std::int32_t value : {likely, -likely}) {
      TCounterArr next;
      if (Assume(grid, branch, value, next)) Search(next, depth + 1, probed);
      if (FSolutions.size() >= 2) return;
    }
  }

  // The unknown cell whose row and column most agree on one value, taking
  // each line's share of fitting placements that fill the cell as the odds
  // and the two lines as independent; `value` gets the likelier value.
  int LikelyBranch(const TCounterArr& grid, std::int32_t& value) {
    FRowShare.resize(grid.size());
    FColumnShare.resize(grid.size());
    for (int y = 0; y < FHeight; ++y) {
      const std::size_t row = static_cast<std::size_t>(y) * FWidth;
      FillShares(FRows[y].Clue(), &grid[row], 1, FWidth, &FRowShare[row]);
    }
    // Columns are written column by column into a row-major copy.
    FColumnBuffer.resize(FHeight);
    for (int x = 0; x < FWidth; ++x) {
      FillShares(FColumns[x].Clue(), &grid[x], FWidth, FHeight, FColumnBuffer.data());
      for (int y = 0; y < FHeight; ++y)
        FColumnShare[static_cast<std::size_t>(y) * FWidth + x] = FColumnBuffer[y];
    }
    int best = -1;
    double bestLean = -1;
    for (std::size_t i = 0; i < grid.size(); ++i) {
      if (grid[i] != 0) continue;
      const double filled = FRowShare[i] * FColumnShare[i];
      const double empty = (1 - FRowShare[i]) * (1 - FColumnShare[i]);
      const double odds = filled + empty > 0 ? filled / (filled + empty) : 0.5;
      const double lean = FStrategy == TStrategy::FilledFirst ? odds : std::abs(odds - 0.5);
      if (lean > bestLean) {
        bestLean = lean;
        best = static_cast<int>(i);
        value = odds >= 0.5 ? 1 : -1;
      }
    }
    return best;
  }

  // An unknown cell of the row with the fewest unknown cells; -1 when none.
  int CheapBranch(const TCounterArr& grid) const {
    int best = -1, bestUnknown = FWidth + 1;
    for (int y = 0; y < FHeight; ++y) {
      int unknown = 0, first = -1;
      for (int x = 0; x < FWidth; ++x) {
        if (grid[static_cast<std::size_t>(y) * FWidth + x] != 0) continue;
        if (first < 0) first = y * FWidth + x;
        ++unknown;
      }
      if (unknown > 0 && unknown < bestUnknown) {
        bestUnknown = unknown;
        best = first;
      }
    }
    return best;
  }

  int FWidth;
  int FHeight;
  std::int64_t FBudget;
  const std::atomic<bool>* FCancel;
  TClock::time_point FStart;
  TClock::time_point FDeadline = TClock::time_point::max();
  bool FCancelled = false;
  TStrategy FStrategy = TStrategy::Likeliest;
  // The cells the row clues fill.
  std::int64_t FFilledCells = 0;
  int FUndecided = 0;
  std::vector<double> FRowShare;
  std::vector<double> FColumnShare;
  std::vector<double> FColumnBuffer;
  std::int64_t FWork = 0;
  std::vector<Line> FRows;
  std::vector<Line> FColumns;
  TCounterArr FBuffer;
  std::vector<std::uint8_t> FRowDirty;
  std::vector<std::uint8_t> FColumnDirty;
  int FBadLine = -1;
  bool FBadLineIsColumn = false;
  std::vector<TCounterArr> FSolutions;
};

}  // namespace

const char* VerdictName(TVerdict verdict) {
  switch (verdict) {
    case TVerdict::None:
      return "none";
    case TVerdict::Multiple:
      return "multiple";
    case TVerdict::LineSolvable:
      return "line-solvable";
    case TVerdict::Unique:
      return "unique";
    case TVerdict::Undecided:
      break;
  }
  return "undecided";
}

TAnalysis AnalysePuzzle(const TCountersArr& rowClues, const TCountersArr& columnClues,
                        const TAnalysisLimits& limits) {
  return TCompleteSolver(rowClues, columnClues, limits).Run();
}

TAnalysis AnalysePuzzle(const TCountersArr& rowClues, const TCountersArr& columnClues,
                        std::int64_t budget) {
  TAnalysisLimits limits;
  limits.Work = budget;
  return AnalysePuzzle(rowClues, columnClues, limits);
}
