#include "solver/hint.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <span>
#include <utility>

#include "model/clue_marks.h"
#include "model/nono_game.h"
#include "solver/solver2.h"

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

// Line logic over the whole board, from the player's cells: every line is
// solved again whenever a crossing line settled one of its cells, rows top to
// bottom and then columns left to right, until nothing more follows. The
// first line that no placement fits, if any.
std::optional<std::pair<bool, int>> FirstContradiction(const TNonoGame& game) {
  const int width = game.Width();
  const int height = game.Height();
  TCounterArr grid(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      grid[static_cast<std::size_t>(y) * width + x] = PlayerCellValue(game.PlayerState(x, y));
  std::vector<Line> rows, columns;
  for (int y = 0; y < height; ++y) rows.emplace_back(game.RowClue(y));
  for (int x = 0; x < width; ++x) columns.emplace_back(game.ColumnClue(x));
  std::vector<std::uint8_t> rowDirty(height, 1), columnDirty(width, 1);
  TCounterArr cells(std::max(width, height));
  // Solves one line; marks the crossing lines of each cell it settles.
  const auto solve = [&](bool column, int index) {
    const int length = column ? height : width;
    const auto at = [&](int i) -> std::int32_t& {
      return grid[column ? static_cast<std::size_t>(i) * width + index
                         : static_cast<std::size_t>(index) * width + i];
    };
    for (int i = 0; i < length; ++i) cells[i] = at(i);
    Line& line = column ? columns[index] : rows[index];
    line.LoadLine(std::span<std::int32_t>(cells.data(), length));
    if (!line.SolveLine()) return false;
    for (int i = 0; i < length; ++i) {
      if (at(i) != 0 || cells[i] == 0) continue;
      at(i) = cells[i];
      (column ? rowDirty : columnDirty)[i] = 1;
    }
    return true;
  };
  for (bool again = true; again;) {
    again = false;
    for (int y = 0; y < height; ++y) {
      if (!rowDirty[y]) continue;
      rowDirty[y] = 0;
      if (!solve(false, y)) return std::pair{false, y};
    }
    for (int x = 0; x < width; ++x) {
      if (!columnDirty[x]) continue;
      columnDirty[x] = 0;
      if (!solve(true, x)) return std::pair{true, x};
    }
    again = std::find(rowDirty.begin(), rowDirty.end(), 1) != rowDirty.end();
  }
  return std::nullopt;
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
  if (const auto line = FirstContradiction(game)) {
    hint.Kind = THintKind::Mistake;
    hint.FromBoard = true;
    hint.Column = line->first;
    hint.Index = line->second;
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
