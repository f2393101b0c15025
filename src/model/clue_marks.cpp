#include "model/clue_marks.h"

#include <algorithm>

#include "model/line_clue.h"
#include "model/nono_game.h"

namespace {

// The runs of a clue without the {0} of an empty line.
TCounterArr Runs(const TCounterArr& clue) {
  TCounterArr runs;
  for (std::int32_t n : clue)
    if (n > 0) runs.push_back(n);
  return runs;
}

TCounterArr FilledRuns(std::span<const std::int32_t> cells) {
  TCounterArr runs;
  LineRunsOf(
      static_cast<int>(cells.size()),
      [&cells](int i) { return cells[i] == 1 ? TClueCell::Filled : TClueCell::Empty; }, runs);
  return runs;
}

// Walks the settled cells from the start of the line (or from its end,
// backwards) and marks each run closed there that has its number's length.
void MarkFromEnd(const TCounterArr& runs, std::span<const std::int32_t> cells, bool backwards,
                 TClueMarks& marks) {
  const int n = static_cast<int>(cells.size());
  const int k = static_cast<int>(runs.size());
  const auto at = [&](int i) { return cells[backwards ? n - 1 - i : i]; };
  int i = 0;
  int run = 0;  // runs counted from this end
  while (i < n && run < k) {
    if (at(i) == 0) return;
    if (at(i) == -1) {
      ++i;
      continue;
    }
    int len = 0;
    while (i < n && at(i) == 1) ++len, ++i;
    if (i < n && at(i) == 0) return;  // the run may still grow
    const int number = backwards ? k - 1 - run : run;
    if (len != runs[number]) return;
    marks[number] = TClueMark::Done;
    ++run;
  }
}

template <typename CellAt>
std::vector<std::int32_t> LineCells(int length, CellAt cellAt) {
  std::vector<std::int32_t> cells(length);
  for (int i = 0; i < length; ++i) cells[i] = PlayerCellValue(cellAt(i));
  return cells;
}

}  // namespace

std::int32_t PlayerCellValue(TPieceState s) {
  switch (s) {
    case psFilled:
      return 1;
    case psCrossed:
    case psIncorrect:
      return -1;
    default:
      return 0;
  }
}

bool LineFits(const TCounterArr& clue, std::span<const std::int32_t> cells) {
  const TCounterArr runs = Runs(clue);
  const int n = static_cast<int>(cells.size());
  const int k = static_cast<int>(runs.size());
  // fit[j][i]: runs j.. can be placed in cells i.. (i may be n).
  std::vector<std::vector<char>> fit(k + 1, std::vector<char>(n + 2, 0));
  fit[k][n] = fit[k][n + 1] = 1;
  for (int i = n - 1; i >= 0; --i) fit[k][i] = fit[k][i + 1] && cells[i] != 1;
  for (int j = k - 1; j >= 0; --j) {
    const int len = runs[j];
    for (int i = n - 1; i >= 0; --i) {
      bool ok = cells[i] != 1 && fit[j][i + 1];  // cell i left empty
      if (!ok && i + len <= n) {
        bool room = true;
        for (int t = i; t < i + len && room; ++t) room = cells[t] != -1;
        const int after = i + len;
        if (room && (after == n || cells[after] != 1))
          ok = after == n ? j + 1 == k : fit[j + 1][after + 1];
      }
      fit[j][i] = ok;
    }
  }
  return fit[0][0] != 0;
}

TClueMarks LineClueMarks(const TCounterArr& clue, std::span<const std::int32_t> cells,
                         bool withMistakes) {
  const TCounterArr runs = Runs(clue);
  TClueMarks marks(clue.size(), TClueMark::Open);
  if (withMistakes && !LineFits(clue, cells)) {
    std::fill(marks.begin(), marks.end(), TClueMark::Wrong);
    return marks;
  }
  if (FilledRuns(cells) == runs) {
    std::fill(marks.begin(), marks.end(), TClueMark::Done);
    return marks;
  }
  // Marks per run, then spread over the clue's numbers (the {0} of an empty
  // line has no run and stays open).
  TClueMarks runMarks(runs.size(), TClueMark::Open);
  MarkFromEnd(runs, cells, false, runMarks);
  MarkFromEnd(runs, cells, true, runMarks);
  std::size_t r = 0;
  for (std::size_t i = 0; i < clue.size(); ++i)
    if (clue[i] > 0) marks[i] = runMarks[r++];
  return marks;
}

std::vector<TClueMarks> RowClueMarks(const TNonoGame& game, bool withMistakes) {
  std::vector<TClueMarks> marks(game.Height());
  for (int y = 0; y < game.Height(); ++y) {
    const auto cells = LineCells(game.Width(), [&](int x) { return game.PlayerState(x, y); });
    marks[y] = LineClueMarks(game.RowClue(y), cells, withMistakes);
  }
  return marks;
}

std::vector<TClueMarks> ColumnClueMarks(const TNonoGame& game, bool withMistakes) {
  std::vector<TClueMarks> marks(game.Width());
  for (int x = 0; x < game.Width(); ++x) {
    const auto cells = LineCells(game.Height(), [&](int y) { return game.PlayerState(x, y); });
    marks[x] = LineClueMarks(game.ColumnClue(x), cells, withMistakes);
  }
  return marks;
}
