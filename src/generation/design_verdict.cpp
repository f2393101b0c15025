#include "generation/design_verdict.h"

#include <algorithm>

#include "model/line_clue.h"
#include "solver/line_solver.h"
#include "solver/step_analysis.h"

namespace {

TClueCell KindOf(char c) {
  return c == '#' ? TClueCell::Filled : TClueCell::Empty;
}

TDesignPicture PictureOfGrid(int width, int height, const TCounterArr& grid) {
  TDesignPicture picture{width, height, std::string(grid.size(), '.')};
  for (std::size_t i = 0; i < grid.size(); ++i)
    if (grid[i] == 1) picture.Cells[i] = '#';
  return picture;
}

bool Cancelled(const std::atomic<bool>* cancel) {
  return cancel != nullptr && cancel->load(std::memory_order_relaxed);
}

}  // namespace

TCountersArr RowCluesOf(const TDesignPicture& picture) {
  TCountersArr clues(picture.Height);
  for (int y = 0; y < picture.Height; ++y) {
    const std::size_t start = static_cast<std::size_t>(y) * picture.Width;
    LineRunsOf(
        picture.Width, [&](int i) { return KindOf(picture.Cells[start + i]); }, clues[y]);
  }
  return clues;
}

TCountersArr ColumnCluesOf(const TDesignPicture& picture) {
  TCountersArr clues(picture.Width);
  for (int x = 0; x < picture.Width; ++x)
    LineRunsOf(
        picture.Height,
        [&](int i) {
          return KindOf(picture.Cells[static_cast<std::size_t>(i) * picture.Width + x]);
        },
        clues[x]);
  return clues;
}

TAnalysis AnalyseDesignClues(const TCountersArr& rows, const TCountersArr& columns,
                             std::int64_t budget, const std::atomic<bool>* cancel) {
  TAnalysisLimits limits;
  limits.Work = budget;
  // A stroke that changes the picture stops a search still running for the
  // old one at once.
  limits.Cancel = cancel;
  return AnalysePuzzle(rows, columns, limits);
}

std::vector<std::uint8_t> OpenCellsOf(const TDesignPicture& picture, NonogramSolver& solver) {
  solver.Reset(RowCluesOf(picture), ColumnCluesOf(picture));
  solver.Solve();
  std::vector<std::uint8_t> open(picture.Cells.size(), 0);
  for (int y = 0; y < picture.Height; ++y)
    for (int x = 0; x < picture.Width; ++x)
      open[static_cast<std::size_t>(y) * picture.Width + x] = solver.Cell(x, y) == 0 ? 1 : 0;
  return open;
}

TDesignVerdict JudgeDesign(const TDesignPicture& picture, std::int64_t budget,
                           const std::atomic<bool>* cancel) {
  TDesignVerdict verdict;
  const TCountersArr rows = RowCluesOf(picture);
  const TCountersArr columns = ColumnCluesOf(picture);
  NonogramSolver solver;
  verdict.Open = OpenCellsOf(picture, solver);
  verdict.OpenCount = static_cast<int>(std::count(verdict.Open.begin(), verdict.Open.end(), 1));
  if (Cancelled(cancel)) return verdict;
  if (verdict.OpenCount == 0) {
    verdict.Kind = TDesignVerdictKind::LineSolvable;
    verdict.Stars = GradePuzzle(rows, columns).Stars;
    return verdict;
  }
  const TAnalysis analysis = AnalyseDesignClues(rows, columns, budget, cancel);
  if (Cancelled(cancel)) return verdict;
  switch (analysis.Verdict) {
    case TVerdict::Unique:
      verdict.Kind = TDesignVerdictKind::NeedsGuessing;
      break;
    case TVerdict::Multiple:
      verdict.Kind = TDesignVerdictKind::Several;
      verdict.First = PictureOfGrid(picture.Width, picture.Height, analysis.Solutions[0]);
      verdict.Second = PictureOfGrid(picture.Width, picture.Height, analysis.Solutions[1]);
      break;
    default:
      // The clues come from a picture, so None cannot happen; LineSolvable
      // was answered above.
      verdict.Kind = TDesignVerdictKind::Undecided;
      break;
  }
  return verdict;
}
