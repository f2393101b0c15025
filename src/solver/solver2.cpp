#include "solver/solver2.h"

#include <algorithm>
#include <cstddef>
#include <limits>

#include "model/nono_game.h"

Line::Line(const TCounterArr& clue) {
  SetClue(clue);
}

void Line::SetClue(const TCounterArr& clue) {
  FClue.clear();
  for (const std::int32_t value : clue)
    if (value > 0) FClue.push_back(value);
  ClueChanged();
  if (FMirror) {
    FMirror->FClue.assign(FClue.rbegin(), FClue.rend());
    FMirror->ClueChanged();
  }
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

void Line::LoadLine(std::span<std::int32_t> cells) {
  FCells = cells;
  FLength = static_cast<std::int32_t>(cells.size());
  FDone.resize(cells.size());
  for (std::size_t i = 0; i < cells.size(); ++i) FDone[i] = cells[i] != 0 ? 1 : 0;
  FStarts.assign(FClue.size(), 0);
  FSeen.assign(cells.size(), 0);
  FUncovered.assign(cells.size(), 0);
  FFound = 0;
  FForced = -1;
  FHasBounds = false;
  FNextEmpty.resize(cells.size() + 1);
  FNextEmpty[FLength] = FLength;
  FLastFilled = -1;
  for (int i = FLength - 1; i >= 0; --i) {
    FNextEmpty[i] = FCells[i] == -1 ? i : FNextEmpty[i + 1];
    if (FLastFilled < 0 && FCells[i] == 1) FLastFilled = i;
  }
  FDeadAt.resize(static_cast<std::size_t>(FBlockCount) * cells.size());
}

void Line::PlaceBlock(int k, int start) {
  if (FFound > 0 || FMinimal[k] > FLength - start) return;
  const std::size_t state = static_cast<std::size_t>(k) * FLength + start;
  if (FDeadAt[state] == FEpoch) return;
  const int end = start + FClue[k];
  // The block covers no empty cell and no filled cell touches its end.
  const bool coversForcedEmpty = start <= FForced && FForced < end && FCells[FForced] == -1;
  if (FNextEmpty[start] >= end && !coversForcedEmpty && (end == FLength || FCells[end] != 1)) {
    FStarts[k] = start;
    if (k == FBlockCount - 1) {
      RecordPlacement(end);
    } else {
      for (int j = end + 1; j < FLength && FFound == 0; ++j) {
        PlaceBlock(k + 1, j);
        // The next block may not leave a filled cell uncovered in the gap.
        if (FCells[j] == 1) break;
      }
    }
  }
  // Whether the later blocks can complete depends only on the cells, which
  // stay fixed during one enumeration; never explore this start again.
  if (FFound == 0) FDeadAt[state] = FEpoch;
}

void Line::RecordPlacement(int end) {
  if (FLastFilled >= end) return;
  // Merged a stretch at a time, covered or not, without a branch per cell.
  const auto uncovered = [this](int from, int to) {
    for (int i = from; i < to; ++i) {
      const std::int32_t seenCovered = FSeen[i] != 0 ? 1 : 0;  // 1 or 2: settled as 2
      FUncovered[i] = 1;
      FSeen[i] = 2 * seenCovered;
      FCells[i] *= 1 - seenCovered;
      FDone[i] |= seenCovered;
    }
  };
  const auto covered = [this](int from, int to) {
    for (int i = from; i < to; ++i) FSeen[i] = std::max(FSeen[i], 1);
  };
  int position = 0;
  for (int k = 0; k < FBlockCount; ++k) {
    uncovered(position, FStarts[k]);
    position = FStarts[k] + FClue[k];
    covered(FStarts[k], position);
  }
  uncovered(position, FLength);
  ++FFound;
}

bool Line::HasPlacement() {
  if (FBlockCount == 0) return std::find(FCells.begin(), FCells.end(), 1) == FCells.end();
  FFound = 0;
  if (++FEpoch == 0) {
    std::fill(FDeadAt.begin(), FDeadAt.end(), 0u);
    FEpoch = 1;
  }
  for (int i = 0; i < FLength && FFound == 0; ++i) {
    PlaceBlock(0, i);
    // The first block may not start after a filled cell it leaves uncovered.
    if (FCells[i] == 1) break;
  }
  return FFound > 0;
}

bool Line::CanBe(int i, std::int32_t value) {
  if (FSeen[i] == 2 || FSeen[i] == value) return true;
  if (value == -1 && FUncovered[i] == 1) return true;
  if (FHasBounds && (value == 1 ? !CouldBeCovered(i) : MustBeCovered(i))) return false;
  const std::int32_t saved = FCells[i];
  const std::int32_t lastFilled = FLastFilled;
  FCells[i] = value;
  FForced = i;
  if (value == 1) FLastFilled = std::max(FLastFilled, i);
  const bool fits = HasPlacement();
  FCells[i] = saved;
  FForced = -1;
  FLastFilled = lastFilled;
  return fits;
}

bool Line::SolveLine() {
  if (!HasPlacement()) return false;
  RecordBounds();
  for (int i = 0; i < FLength; ++i) {
    if (FDone[i] == 1) continue;
    if (!CanBe(i, 1))
      FCells[i] = -1;
    else if (!CanBe(i, -1))
      FCells[i] = 1;
    else
      FCells[i] = 0;
    FDone[i] = 1;
  }
  return true;
}

void Line::RecordBounds() {
  FLeftmost.assign(FStarts.begin(), FStarts.end());
  if (FBlockCount > 0) {
    // The leftmost placement of the mirrored line is the rightmost one here.
    if (!FMirror) FMirror = std::make_unique<Line>(TCounterArr(FClue.rbegin(), FClue.rend()));
    FMirrorCells.assign(FCells.rbegin(), FCells.rend());
    FMirror->LoadLine(FMirrorCells);
    FMirror->HasPlacement();
    FRightmost.resize(FClue.size());
    for (int k = 0; k < FBlockCount; ++k)
      FRightmost[k] = FLength - FMirror->FStarts[FBlockCount - 1 - k] - FClue[k];
    FStarts = FRightmost;
    RecordPlacement(FRightmost.back() + FClue.back());
  }
  FHasBounds = true;
}

bool Line::CouldBeCovered(int i) const {
  for (int k = 0; k < FBlockCount; ++k)
    if (FLeftmost[k] <= i && i < FRightmost[k] + FClue[k]) return true;
  return false;
}

bool Line::MustBeCovered(int i) const {
  for (int k = 0; k < FBlockCount; ++k)
    if (FRightmost[k] <= i && i < FLeftmost[k] + FClue[k]) return true;
  return false;
}

NonogramSolver::NonogramSolver(const TCountersArr& rowClues, const TCountersArr& columnClues) {
  Reset(rowClues, columnClues);
}

void NonogramSolver::Reset(const TCountersArr& rowClues, const TCountersArr& columnClues) {
  FWidth = static_cast<std::int32_t>(columnClues.size());
  FHeight = static_cast<std::int32_t>(rowClues.size());
  FGrid.assign(static_cast<std::size_t>(FWidth) * FHeight, 0);
  FRowDirty.assign(rowClues.size(), 1);
  FColumnDirty.assign(columnClues.size(), 1);
  FBuffer.resize(std::max(FWidth, FHeight));
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

bool NonogramSolver::SolveRow(int r) {
  std::int32_t* const row = FGrid.data() + static_cast<std::size_t>(r) * FWidth;
  std::copy(row, row + FWidth, FBuffer.begin());
  FRows[r].LoadLine(std::span(FBuffer.data(), FWidth));
  if (!FRows[r].SolveLine()) return false;
  FRowDirty[r] = 0;
  for (int x = 0; x < FWidth; ++x) {
    if (row[x] == 0 && FBuffer[x] != 0) {
      row[x] = FBuffer[x];
      FColumnDirty[x] = 1;
    }
  }
  return true;
}

bool NonogramSolver::SolveColumn(int c) {
  for (int y = 0; y < FHeight; ++y) FBuffer[y] = FGrid[static_cast<std::size_t>(y) * FWidth + c];
  FColumns[c].LoadLine(std::span(FBuffer.data(), FHeight));
  if (!FColumns[c].SolveLine()) return false;
  FColumnDirty[c] = 0;
  for (int y = 0; y < FHeight; ++y) {
    std::int32_t& cell = FGrid[static_cast<std::size_t>(y) * FWidth + c];
    if (cell == 0 && FBuffer[y] != 0) {
      cell = FBuffer[y];
      FRowDirty[y] = 1;
      FChanged = true;
    }
  }
  return true;
}

int NonogramSolver::Solve() {
  FFoundContradiction = false;
  do {
    FChanged = false;
    for (int r = 0; r < FHeight; ++r) {
      if (FRowDirty[r] && !SolveRow(r)) {
        FFoundContradiction = true;
        break;
      }
    }
    for (int c = 0; c < FWidth; ++c) {
      if (FColumnDirty[c] && !SolveColumn(c)) {
        FFoundContradiction = true;
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
