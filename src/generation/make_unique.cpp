#include "generation/make_unique.h"

#include <algorithm>

#include "model/line_clue.h"
#include "solver/line_solver.h"

namespace {

// A picture with its clues kept up to date cell by cell, and the line solver
// that judges it.
class TWorkPicture {
 public:
  explicit TWorkPicture(const TDesignPicture& picture)
      : FPicture(picture), FRows(RowCluesOf(picture)), FColumns(ColumnCluesOf(picture)) {}

  const TDesignPicture& Picture() const { return FPicture; }
  int Cells() const { return static_cast<int>(FPicture.Cells.size()); }

  void Flip(int cell) {
    char& c = FPicture.Cells[cell];
    c = c == '#' ? '.' : '#';
    const int x = cell % FPicture.Width;
    const int y = cell / FPicture.Width;
    const std::size_t row = static_cast<std::size_t>(y) * FPicture.Width;
    LineRunsOf(
        FPicture.Width,
        [&](int i) {
          return FPicture.Cells[row + i] == '#' ? TClueCell::Filled : TClueCell::Empty;
        },
        FRows[y]);
    LineRunsOf(
        FPicture.Height,
        [&](int i) {
          return FPicture.Cells[static_cast<std::size_t>(i) * FPicture.Width + x] == '#'
                     ? TClueCell::Filled
                     : TClueCell::Empty;
        },
        FColumns[x]);
  }

  // The cells line logic leaves open, counted; the solver's grid tells which.
  int OpenCount() {
    FSolves += Cells();
    FSolver.Reset(FRows, FColumns);
    if (FSolver.Solve() == 2) return 0;
    int open = 0;
    for (int y = 0; y < FPicture.Height; ++y)
      for (int x = 0; x < FPicture.Width; ++x) open += FSolver.Cell(x, y) == 0 ? 1 : 0;
    return open;
  }
  bool Solvable() {
    FSolves += Cells();
    FSolver.Reset(FRows, FColumns);
    return FSolver.Solve() == 2;
  }
  // The open cells of the last OpenCount.
  std::vector<int> OpenCells() const {
    std::vector<int> open;
    for (int y = 0; y < FPicture.Height; ++y)
      for (int x = 0; x < FPicture.Width; ++x)
        if (FSolver.Cell(x, y) == 0) open.push_back(y * FPicture.Width + x);
    return open;
  }
  // The work so far: the cells of every solve, a measure that grows with the
  // time taken whatever the board's size.
  std::int64_t Work() const { return FSolves; }

 private:
  TDesignPicture FPicture;
  TCountersArr FRows;
  TCountersArr FColumns;
  NonogramSolver FSolver;
  std::int64_t FSolves = 0;
};

bool Cancelled(const std::atomic<bool>* cancel) {
  return cancel != nullptr && cancel->load(std::memory_order_relaxed);
}

// Tries every set of `left` more cells from `first` on; true (with the cells
// in `chosen` and the picture changed) when one makes the picture
// line-solvable. Gives up once the budget is spent.
class TExhaustiveSearch {
 public:
  TExhaustiveSearch(TWorkPicture& work, std::int64_t budget, const std::atomic<bool>* cancel)
      : FWork(work), FBudget(budget), FCancel(cancel) {}

  bool TrySize(int size) {
    FChosen.clear();
    return Try(0, size);
  }
  bool OutOfBudget() const { return FOut; }
  const std::vector<int>& Chosen() const { return FChosen; }

 private:
  bool Try(int first, int left) {
    if (left == 0) {
      if (FWork.Work() >= FBudget || Cancelled(FCancel)) {
        FOut = true;
        return false;
      }
      return FWork.Solvable();
    }
    for (int cell = first; cell <= FWork.Cells() - left && !FOut; ++cell) {
      FWork.Flip(cell);
      FChosen.push_back(cell);
      if (Try(cell + 1, left - 1)) return true;
      FChosen.pop_back();
      FWork.Flip(cell);
    }
    return false;
  }

  TWorkPicture& FWork;
  std::int64_t FBudget;
  const std::atomic<bool>* FCancel;
  std::vector<int> FChosen;
  bool FOut = false;
};

// Sets of a few cells are cheap to try on small boards; the number of sets of
// `size` cells out of n, or more than limit.
std::int64_t SetsOf(int n, int size, std::int64_t limit) {
  std::int64_t sets = 1;
  for (int i = 0; i < size; ++i) {
    sets = sets * (n - i) / (i + 1);
    if (sets > limit) return limit + 1;
  }
  return sets;
}

void Report(const TMakeUniqueProgress& progress, int percent) {
  if (progress) progress(std::clamp(percent, 0, 100));
}

}  // namespace

TMadeUnique MakeUnique(const TDesignPicture& picture, const std::atomic<bool>* cancel,
                       const TMakeUniqueProgress& progress, std::int64_t exhaustiveBudget) {
  TMadeUnique result;
  TWorkPicture work(picture);
  const int firstOpen = work.OpenCount();
  if (firstOpen == 0) {
    result.Picture = picture;
    result.LineSolvable = true;
    result.Least = true;
    Report(progress, 100);
    return result;
  }

  // Exhaustively, while the sets of the next size fit in what is left of the
  // budget: the first size that works is the least.
  TExhaustiveSearch search(work, exhaustiveBudget, cancel);
  for (int size = 1; size <= work.Cells(); ++size) {
    const std::int64_t left = (exhaustiveBudget - work.Work()) / work.Cells();
    if (SetsOf(work.Cells(), size, left) > left) break;
    if (search.TrySize(size)) {
      result.Picture = work.Picture();
      result.Changed = search.Chosen();
      result.LineSolvable = true;
      result.Least = true;
      Report(progress, 100);
      return result;
    }
    if (search.OutOfBudget()) break;
  }
  if (Cancelled(cancel)) {
    result.Picture = picture;
    return result;
  }

  // One cell at a time: of the open cells (a spread of them on large boards)
  // the one whose change leaves the fewest open. A changed cell is not
  // changed back here, so this ends after at most every cell once.
  std::vector<std::uint8_t> changed(picture.Cells.size(), 0);
  int open = work.OpenCount();
  for (int turn = 0; open > 0; ++turn) {
    if (Cancelled(cancel)) break;
    const int firstOpenOfTurn = open;
    std::vector<int> candidates = work.OpenCells();
    std::erase_if(candidates, [&](int cell) { return changed[cell] != 0; });
    if (candidates.empty()) break;
    if (static_cast<int>(candidates.size()) > kCandidatesPerChange) {
      // Evenly spread, the start moving each turn so no part is left out.
      std::vector<int> spread;
      const double step = static_cast<double>(candidates.size()) / kCandidatesPerChange;
      const double offset = (turn % 7) * step / 7.0;
      for (int i = 0; i < kCandidatesPerChange; ++i)
        spread.push_back(candidates[static_cast<std::size_t>(offset + i * step)]);
      candidates = std::move(spread);
    }
    // Each candidate with the open cells its change leaves, best first.
    std::vector<std::pair<int, int>> tried;
    for (const int cell : candidates) {
      if (Cancelled(cancel)) break;
      work.Flip(cell);
      const int left = work.OpenCount();
      work.Flip(cell);
      tried.emplace_back(left, cell);
      if (left == 0) break;
    }
    if (Cancelled(cancel) || tried.empty()) break;
    std::stable_sort(tried.begin(), tried.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    work.Flip(tried[0].second);
    changed[tried[0].second] = 1;
    open = tried[0].first;
    // On large boards a turn also keeps the next good changes in other rows
    // and columns, each only when it still helps after the ones before:
    // far fewer turns, and the clean-up below drops what proves needless.
    if (picture.Width * picture.Height > kBatchFromCells) {
      std::vector<std::uint8_t> rowUsed(picture.Height, 0), columnUsed(picture.Width, 0);
      rowUsed[tried[0].second / picture.Width] = 1;
      columnUsed[tried[0].second % picture.Width] = 1;
      int kept = 1;
      for (std::size_t i = 1; i < tried.size() && kept < kBatchChanges && open > 0; ++i) {
        const int cell = tried[i].second;
        const int row = cell / picture.Width;
        const int column = cell % picture.Width;
        if (tried[i].first >= firstOpenOfTurn || rowUsed[row] || columnUsed[column] ||
            Cancelled(cancel))
          continue;
        work.Flip(cell);
        const int left = work.OpenCount();
        if (left < open) {
          changed[cell] = 1;
          open = left;
          rowUsed[row] = columnUsed[column] = 1;
          ++kept;
        } else {
          work.Flip(cell);
        }
      }
    }
    Report(progress, 90 - 90 * open / firstOpen);
  }

  // Put back every change the picture can do without, so only needed ones
  // stay; a change put back can make another needless, so until a pass puts
  // back none.
  if (open == 0) {
    for (bool putBack = true; putBack && !Cancelled(cancel);) {
      putBack = false;
      for (std::size_t cell = 0; cell < changed.size(); ++cell) {
        if (changed[cell] == 0 || Cancelled(cancel)) continue;
        work.Flip(static_cast<int>(cell));
        if (work.Solvable()) {
          changed[cell] = 0;
          putBack = true;
        } else {
          work.Flip(static_cast<int>(cell));
        }
      }
    }
    result.LineSolvable = !Cancelled(cancel);
  }
  result.Picture = work.Picture();
  for (std::size_t cell = 0; cell < changed.size(); ++cell)
    if (changed[cell] != 0) result.Changed.push_back(static_cast<int>(cell));
  if (result.LineSolvable) Report(progress, 100);
  return result;
}
