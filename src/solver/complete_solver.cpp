#include "solver/complete_solver.h"

#include <algorithm>
#include <limits>

#include "solver/solver2.h"

namespace {

// The bound ran out; unwinds the search.
struct TOutOfBudget {};

class TCompleteSolver {
 public:
  TCompleteSolver(const TCountersArr& rowClues, const TCountersArr& columnClues,
                  std::int64_t budget)
      : FWidth(static_cast<int>(columnClues.size())),
        FHeight(static_cast<int>(rowClues.size())),
        FBudget(budget) {
    for (const TCounterArr& clue : rowClues) FRows.emplace_back(clue);
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
        // Probing at every step settles tight puzzles in few steps; puzzles
        // with many pictures are sooner shown to have two by a plain dive
        // that probes only at the start. The first half of the bound goes to
        // the one, the rest to the other.
        const std::int64_t budget = FBudget;
        FBudget = budget / 2;
        try {
          TCounterArr start = grid;
          Search(start);
        } catch (const TOutOfBudget&) {
          FSolutions.clear();
          FBudget = budget;
          FProbeEvery = std::numeric_limits<int>::max();
          Search(grid);
        }
        result.Verdict = FSolutions.empty()      ? TVerdict::None
                         : FSolutions.size() > 1 ? TVerdict::Multiple
                                                 : TVerdict::Unique;
      }
      result.Solutions = std::move(FSolutions);
    } catch (const TOutOfBudget&) {
      result.Verdict = TVerdict::Undecided;
    }
    result.Work = FWork;
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
    const int length = column ? FHeight : FWidth;
    for (int i = 0; i < length; ++i) FBuffer[i] = column ? At(grid, index, i) : At(grid, i, index);
    Line& line = column ? FColumns[index] : FRows[index];
    line.LoadLine(std::span<std::int32_t>(FBuffer.data(), length));
    if (!line.SolveLine()) {
      FBadLine = index;
      FBadLineIsColumn = column;
      return false;
    }
    for (int i = 0; i < length; ++i) {
      std::int32_t& cell = column ? At(grid, index, i) : At(grid, i, index);
      if (cell != 0 || FBuffer[i] == 0) continue;
      cell = FBuffer[i];
      (column ? FRowDirty[i] : FColumnDirty[i]) = 1;
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

  // Probes every unknown cell of a grid at its line fixed point, adopting
  // whatever a refuted value forces, until no probe refutes anything. False
  // when both values of some cell fail. Sets `branch` to the unknown cell
  // whose two values settle the most cells (-1 when the grid is complete).
  bool Probe(TCounterArr& grid, int& branch) {
    TCounterArr filled, empty;
    // Values already seen in the outcome of a successful probe since the
    // grid last changed: probing them cannot fail.
    std::vector<std::uint8_t> safe(grid.size());
    for (bool changed = true; changed;) {
      changed = false;
      branch = -1;
      std::int64_t bestScore = -1;
      std::fill(safe.begin(), safe.end(), 0);
      for (std::size_t i = 0; i < grid.size(); ++i) {
        if (grid[i] != 0) continue;
        const int cell = static_cast<int>(i);
        const bool fillOk = (safe[i] & 1) || Assume(grid, cell, 1, filled);
        const bool emptyOk = (safe[i] & 2) || Assume(grid, cell, -1, empty);
        if (!fillOk && !emptyOk) return false;
        if (!fillOk || !emptyOk) {
          // The other value is forced; its outcome is at hand unless it was
          // skipped as safe.
          TCounterArr& outcome = fillOk ? filled : empty;
          if ((safe[i] & (fillOk ? 1 : 2)) && !Assume(grid, cell, fillOk ? 1 : -1, outcome))
            return false;
          grid = outcome;
          changed = true;
          std::fill(safe.begin(), safe.end(), 0);
          continue;
        }
        if ((safe[i] & 3) != 0) continue;  // not both probed: no score
        std::int64_t known[2] = {0, 0};
        for (const TCounterArr* outcome : {&filled, &empty}) {
          const int side = outcome == &filled ? 0 : 1;
          for (std::size_t j = 0; j < grid.size(); ++j) {
            const std::int32_t v = (*outcome)[j];
            if (v == 0 || grid[j] != 0) continue;
            ++known[side];
            safe[j] |= v == 1 ? 1 : 2;
          }
        }
        const std::int64_t score = std::min(known[0], known[1]) * 4096 + known[0] + known[1];
        if (score > bestScore) {
          bestScore = score;
          branch = cell;
        }
      }
      if (changed) continue;
      // Every cell was safe on both sides (it happens only when cells are
      // so loosely tied that each probe answers the others): take any.
      if (branch < 0) {
        const auto unknown = std::find(grid.begin(), grid.end(), 0);
        if (unknown != grid.end()) branch = static_cast<int>(unknown - grid.begin());
      }
    }
    return true;
  }

  // Depth-first over the branching cell, until two pictures are found.
  void Search(TCounterArr& grid, int depth = 0) {
    int branch = -1;
    if (depth % FProbeEvery == 0) {
      if (!Probe(grid, branch)) return;
    } else {
      branch = CheapBranch(grid);
    }
    if (branch < 0) {
      FSolutions.push_back(grid);
      return;
    }
    for (const std::int32_t value : {1, -1}) {
      TCounterArr next;
      if (Assume(grid, branch, value, next)) Search(next, depth + 1);
      if (FSolutions.size() >= 2) return;
    }
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
  // Search probes at the depths this divides.
  int FProbeEvery = 1;
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
                        std::int64_t budget) {
  return TCompleteSolver(rowClues, columnClues, budget).Run();
}
