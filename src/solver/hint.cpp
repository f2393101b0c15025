#include "solver/hint.h"

#include <algorithm>
#include <numeric>

#include "model/clue_marks.h"
#include "model/nono_game.h"
#include "solver/line_solver.h"

namespace {

struct TLineView {
  bool Column;
  int Index;
  TCounterArr Clue;
  std::vector<std::int32_t> Cells;
  int Unknown = 0;
};

TLineView LineOf(const TNonoGame& game, bool column, int index) {
  TLineView line{column, index, column ? game.ColumnClue(index) : game.RowClue(index), {}, 0};
  const int length = column ? game.Height() : game.Width();
  line.Cells.resize(length);
  for (int i = 0; i < length; ++i) {
    line.Cells[i] =
        PlayerCellValue(column ? game.PlayerState(index, i) : game.PlayerState(i, index));
    if (line.Cells[i] == 0) ++line.Unknown;
  }
  return line;
}

TCounterArr RunsOf(const TCounterArr& clue) {
  TCounterArr runs;
  for (std::int32_t n : clue)
    if (n > 0) runs.push_back(n);
  return runs;
}

THintReason ReasonFor(const TLineView& line, const TCounterArr& runs,
                      const std::vector<std::int32_t>& proven) {
  const int filled = static_cast<int>(std::count(line.Cells.begin(), line.Cells.end(), 1));
  bool onlyEmpty = true;
  for (std::size_t i = 0; i < proven.size(); ++i)
    if (line.Cells[i] == 0 && proven[i] == 1) onlyEmpty = false;
  if (onlyEmpty && filled == std::accumulate(runs.begin(), runs.end(), 0))
    return THintReason::AllPlaced;
  std::vector<std::int32_t> overlap = line.Cells;
  if (OverlapLine(runs, overlap) && overlap == proven) return THintReason::Overlap;
  return THintReason::LineLogic;
}

}  // namespace

THint FindHint(const TNonoGame& game) {
  std::vector<TLineView> lines;
  for (int y = 0; y < game.Height(); ++y) lines.push_back(LineOf(game, false, y));
  for (int x = 0; x < game.Width(); ++x) lines.push_back(LineOf(game, true, x));

  THint hint;
  for (const TLineView& line : lines) {
    if (LineFits(line.Clue, line.Cells)) continue;
    hint.Kind = THintKind::Mistake;
    hint.Column = line.Column;
    hint.Index = line.Index;
    hint.Clue = line.Clue;
    hint.Length = static_cast<int>(line.Cells.size());
    return hint;
  }
  // Line logic over the whole board from the player's cells, rows before
  // columns as the line solver sweeps.
  NonogramSolver board(game.RowClues(true), game.ColumnClues(true));
  for (int y = 0; y < game.Height(); ++y)
    for (int x = 0; x < game.Width(); ++x)
      if (const std::int32_t value = PlayerCellValue(game.PlayerState(x, y)); value != 0)
        board.SetCell(x, y, value);
  board.Solve();
  if (board.FoundContradiction()) {
    hint.Kind = THintKind::Mistake;
    hint.FromBoard = true;
    hint.Column = board.ContradictionInColumn();
    hint.Index = board.ContradictionLine();
    hint.Clue = hint.Column ? game.ColumnClue(hint.Index) : game.RowClue(hint.Index);
    hint.Length = hint.Column ? game.Height() : game.Width();
    return hint;
  }

  // Fewest unknown cells first; the sort is stable, so rows stay before
  // columns and lower numbers before higher among equals.
  std::stable_sort(lines.begin(), lines.end(),
                   [](const TLineView& a, const TLineView& b) { return a.Unknown < b.Unknown; });
  for (const TLineView& line : lines) {
    if (line.Unknown == 0) continue;
    const TCounterArr runs = RunsOf(line.Clue);
    std::vector<std::int32_t> proven = line.Cells;
    Line logic(runs);
    logic.LoadLine(proven);
    if (!logic.SolveLine() || proven == line.Cells) continue;
    hint.Kind = THintKind::Step;
    hint.Column = line.Column;
    hint.Index = line.Index;
    hint.Clue = line.Clue;
    hint.Length = static_cast<int>(line.Cells.size());
    hint.Reason = ReasonFor(line, runs, proven);
    for (int i = 0; i < hint.Length; ++i) {
      if (line.Cells[i] != 0 || proven[i] == 0) continue;
      hint.Cells.push_back({line.Column ? line.Index : i, line.Column ? i : line.Index, proven[i]});
    }
    return hint;
  }
  if (std::all_of(lines.begin(), lines.end(), [](const TLineView& l) { return l.Unknown == 0; }))
    hint.Kind = THintKind::Complete;
  return hint;
}
