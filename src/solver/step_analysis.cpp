#include "solver/step_analysis.h"

#include <algorithm>
#include <array>

#include "model/nono_game.h"

namespace {

TCounterArr Runs(const TCounterArr& clue) {
  TCounterArr runs;
  for (const std::int32_t v : clue)
    if (v > 0) runs.push_back(v);
  return runs;
}

// The starts of the leftmost placement of the runs that fits the cells, or
// nothing when none fits.
std::optional<std::vector<int>> LeftmostStarts(const TCounterArr& runs,
                                               std::span<const std::int32_t> cells) {
  const int n = static_cast<int>(cells.size());
  const int k = static_cast<int>(runs.size());
  // fits[j * (n + 1) + i]: runs j..last fit into cells i..n-1. Kept between
  // calls: a whole analysis asks thousands of times.
  thread_local std::vector<std::uint8_t> fits;
  thread_local std::vector<int> empties;
  fits.assign(static_cast<std::size_t>(k + 1) * (n + 1), 0);
  const auto fit = [n](int j, int i) -> std::uint8_t& {
    return fits[static_cast<std::size_t>(j) * (n + 1) + i];
  };
  fit(k, n) = 1;
  for (int i = n - 1; i >= 0; --i) fit(k, i) = fit(k, i + 1) && cells[i] != 1;
  // empties[i]: known empty cells before i, so a run is tested in one step.
  empties.assign(n + 1, 0);
  for (int i = 0; i < n; ++i) empties[i + 1] = empties[i] + (cells[i] == -1 ? 1 : 0);
  const auto runFits = [&](int j, int s) {
    const int end = s + runs[j];
    if (end > n || empties[end] != empties[s]) return false;
    if (end == n) return static_cast<bool>(fit(j + 1, n));
    return cells[end] != 1 && fit(j + 1, end + 1);
  };
  for (int j = k - 1; j >= 0; --j)
    for (int i = n - 1; i >= 0; --i) fit(j, i) = (cells[i] != 1 && fit(j, i + 1)) || runFits(j, i);
  if (!fit(0, 0)) return std::nullopt;
  std::vector<int> starts(k);
  int pos = 0;
  for (int j = 0; j < k; ++j) {
    int s = pos;
    // fits(j, pos) holds, so some start before the next filled cell works.
    while (!runFits(j, s)) ++s;
    starts[j] = s;
    pos = s + runs[j] + 1;
  }
  return starts;
}

}  // namespace

bool OverlapLine(const TCounterArr& clue, std::span<std::int32_t> cells) {
  const TCounterArr runs = Runs(clue);
  const int n = static_cast<int>(cells.size());
  const int k = static_cast<int>(runs.size());
  const auto left = LeftmostStarts(runs, cells);
  if (!left) return false;
  // The rightmost placement is the leftmost one of the mirrored line.
  TCounterArr mirroredRuns(runs.rbegin(), runs.rend());
  TCounterArr mirroredCells(cells.rbegin(), cells.rend());
  const auto mirrored = LeftmostStarts(mirroredRuns, mirroredCells);
  std::vector<int> right(k);
  for (int j = 0; j < k; ++j) right[j] = n - (*mirrored)[k - 1 - j] - runs[j];

  // Per cell: the run covering it in each placement, or -(runs before it) - 1.
  const auto where = [&](const std::vector<int>& starts) {
    std::vector<int> at(n);
    int j = 0;
    for (int i = 0; i < n; ++i) {
      while (j < k && starts[j] + runs[j] <= i) ++j;
      at[i] = j < k && starts[j] <= i ? j : -j - 1;
    }
    return at;
  };
  const std::vector<int> inLeft = where(*left);
  const std::vector<int> inRight = where(right);
  for (int i = 0; i < n; ++i) {
    if (cells[i] != 0 || inLeft[i] != inRight[i]) continue;
    cells[i] = inLeft[i] >= 0 ? 1 : -1;
  }
  return true;
}

TStepFinder::TLine::TLine(const TCounterArr& clue) : Clue(Runs(clue)), Logic(Clue) {}

TStepFinder::TStepFinder(const TCountersArr& rowClues, const TCountersArr& columnClues)
    : FWidth(static_cast<int>(columnClues.size())),
      FHeight(static_cast<int>(rowClues.size())),
      FGrid(static_cast<std::size_t>(FWidth) * FHeight, 0) {
  for (const TCounterArr& clue : rowClues) FRows.emplace_back(clue);
  for (const TCounterArr& clue : columnClues) FColumns.emplace_back(clue);
}

void TStepFinder::SetCell(int x, int y, std::int32_t value) {
  if (FGrid[Index(x, y)] == value) return;
  FGrid[Index(x, y)] = value;
  Touched(x, y);
}

void TStepFinder::Touched(int x, int y) {
  FRows[y].OverlapDone = FRows[y].LogicDone = false;
  FColumns[x].OverlapDone = FColumns[x].LogicDone = false;
}

int TStepFinder::UnknownCells() const {
  return static_cast<int>(std::count(FGrid.begin(), FGrid.end(), 0));
}

void TStepFinder::Load(bool column, int index) {
  if (column) {
    FCells.resize(FHeight);
    for (int y = 0; y < FHeight; ++y) FCells[y] = Cell(index, y);
  } else {
    FCells.assign(FGrid.begin() + static_cast<std::ptrdiff_t>(Index(0, index)),
                  FGrid.begin() + static_cast<std::ptrdiff_t>(Index(0, index)) + FWidth);
  }
}

bool TStepFinder::TryLine(bool column, int index, TStepReason reason,
                          std::optional<TLineStep>& step) {
  TLine& line = LineOf(column, index);
  bool& done = reason == TStepReason::Overlap ? line.OverlapDone : line.LogicDone;
  if (done) return true;
  Load(column, index);
  const TCounterArr before = FCells;
  // Line logic settles all the overlap does and more, and the line solver is
  // much quicker than the overlap: a line it settles nothing on is done for
  // both reasons without the overlap's look.
  line.Logic.LoadLine(FCells);
  if (!line.Logic.SolveLine()) return false;
  if (FCells == before) {
    line.OverlapDone = line.LogicDone = true;
    return true;
  }
  if (reason == TStepReason::Overlap) {
    FCells = before;
    if (!OverlapLine(line.Clue, FCells)) return false;
  }
  TLineStep found{column, index, reason, {}};
  for (int i = 0; i < static_cast<int>(FCells.size()); ++i) {
    if (before[i] != 0 || FCells[i] == 0) continue;
    found.Cells.push_back({column ? index : i, column ? i : index, FCells[i]});
  }
  // A line with a step stays on offer until the step is applied.
  if (found.Cells.empty())
    done = true;
  else
    step = std::move(found);
  return true;
}

std::optional<TLineStep> TStepFinder::NextStep() {
  FContradiction = false;
  std::optional<TLineStep> step;
  for (const TStepReason reason : {TStepReason::Overlap, TStepReason::LineLogic}) {
    for (const bool column : {false, true}) {
      const int count = column ? FWidth : FHeight;
      for (int i = 0; i < count; ++i) {
        if (!TryLine(column, i, reason, step)) {
          FContradiction = true;
          return std::nullopt;
        }
        if (step) return step;
      }
    }
  }
  return std::nullopt;
}

std::vector<TLineStep> TStepFinder::AllSteps(TStepReason reason) {
  FContradiction = false;
  std::vector<TLineStep> steps;
  for (const bool column : {false, true}) {
    const int count = column ? FWidth : FHeight;
    for (int i = 0; i < count; ++i) {
      std::optional<TLineStep> step;
      if (!TryLine(column, i, reason, step)) {
        FContradiction = true;
        return {};
      }
      if (step) steps.push_back(std::move(*step));
    }
  }
  return steps;
}

void TStepFinder::Apply(const TLineStep& step) {
  for (const TSettledCell& c : step.Cells) SetCell(c.X, c.Y, c.Value);
}

namespace {

// The sweeps until line logic settles nothing more: all rows, then all
// columns (or the other way round with columnsFirst), again while the second
// pass settles something new.
int CountSweeps(const TCountersArr& rowClues, const TCountersArr& columnClues, bool columnsFirst) {
  const int w = static_cast<int>(columnClues.size());
  const int h = static_cast<int>(rowClues.size());
  TCounterArr grid(static_cast<std::size_t>(w) * h, 0);
  TCounterArr cells;
  // One pass over every row (or column); true when it settles something new.
  const auto pass = [&](bool columns) {
    const int count = columns ? w : h;
    const int length = columns ? h : w;
    bool changed = false;
    for (int i = 0; i < count; ++i) {
      const auto at = [&](int j) -> std::int32_t& {
        return grid[columns ? static_cast<std::size_t>(j) * w + i
                            : static_cast<std::size_t>(i) * w + j];
      };
      cells.resize(length);
      for (int j = 0; j < length; ++j) cells[j] = at(j);
      Line line(columns ? columnClues[i] : rowClues[i]);
      line.LoadLine(cells);
      if (!line.SolveLine()) break;
      for (int j = 0; j < length; ++j) {
        if (at(j) == 0 && cells[j] != 0) {
          at(j) = cells[j];
          changed = true;
        }
      }
    }
    return changed;
  };
  int sweeps = 0;
  bool changed = true;
  while (changed) {
    ++sweeps;
    pass(columnsFirst);
    changed = pass(!columnsFirst);
  }
  return sweeps;
}

}  // namespace

int GradeScore(int sweeps, int logicSteps) {
  return sweeps + 2 * logicSteps;
}

int StarsFor(int sweeps, int logicSteps) {
  // The least score of 2, 3, 4 and 5 stars (docs/grading.md).
  constexpr std::array<int, 4> kLeastScore = {4, 6, 8, 11};
  const int score = GradeScore(sweeps, logicSteps);
  int stars = 1;
  for (const int least : kLeastScore)
    if (score >= least) ++stars;
  return stars;
}

TPuzzleGrade GradePuzzle(const TCountersArr& rowClues, const TCountersArr& columnClues) {
  TPuzzleGrade grade;
  TStepFinder finder(rowClues, columnClues);
  // The overlap steps reach the same grid in any order. When they are spent,
  // every line that line logic advances takes its step at once, so that no
  // order of the lines (rows before columns, top before bottom) decides
  // which hard steps are counted.
  while (const std::optional<TLineStep> step = finder.NextStep()) {
    if (step->Reason == TStepReason::Overlap) {
      ++grade.Steps;
      finder.Apply(*step);
      continue;
    }
    ++grade.LogicSteps;
    const int unknown = finder.UnknownCells();
    for (const TLineStep& hard : finder.AllSteps(TStepReason::LineLogic)) {
      ++grade.Steps;
      finder.Apply(hard);
    }
    grade.LogicCells += unknown - finder.UnknownCells();
  }
  grade.Solvable = !finder.Contradiction() && finder.UnknownCells() == 0;
  if (!grade.Solvable) return grade;
  grade.Sweeps =
      std::min(CountSweeps(rowClues, columnClues, false), CountSweeps(rowClues, columnClues, true));
  grade.Stars = StarsFor(grade.Sweeps, grade.LogicSteps);
  return grade;
}

TPuzzleGrade GradeGame(const TNonoGame& game) {
  return GradePuzzle(game.RowClues(true), game.ColumnClues(true));
}
