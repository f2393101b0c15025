// Clues of the solution, runs of player lines and agreement tests.
#include <algorithm>

#include "model/line_clue.h"
#include "model/nono_game.h"

namespace {

// The clue of one solution line: psFilled extends a run, psEmpty ends
// it, any other state neither extends nor ends it.
template <typename StateAt>
TCounterArr ClueOf(int length, StateAt stateAt) {
  TCounterArr clue;
  LineClueOf(
      length,
      [&](int i) {
        const TPieceState s = stateAt(i);
        return s == psFilled  ? TClueCell::Filled
               : s == psEmpty ? TClueCell::Empty
                              : TClueCell::Neither;
      },
      clue);
  return clue;
}

TCountersArr Align(TCountersArr clues) {
  std::size_t longest = 0;
  for (const TCounterArr& c : clues) longest = std::max(longest, c.size());
  for (TCounterArr& c : clues) c.insert(c.begin(), longest - c.size(), 0);
  return clues;
}

}  // namespace

TCounterArr TNonoGame::ColumnClue(int x) const {
  return ClueOf(FHeight, [&](int y) { return SolutionState(x, y); });
}

TCounterArr TNonoGame::RowClue(int y) const {
  return ClueOf(FWidth, [&](int x) { return SolutionState(x, y); });
}

TCountersArr TNonoGame::ColumnClues(bool ragged) const {
  TCountersArr clues(FWidth);
  for (int x = 0; x < FWidth; ++x) clues[x] = ColumnClue(x);
  return ragged ? clues : Align(std::move(clues));
}

TCountersArr TNonoGame::RowClues(bool ragged) const {
  TCountersArr clues(FHeight);
  for (int y = 0; y < FHeight; ++y) clues[y] = RowClue(y);
  return ragged ? clues : Align(std::move(clues));
}

TCounterArr TNonoGame::LineRuns(const TPiecesArr& line) {
  TCounterArr runs;
  LineRunsOf(
      static_cast<int>(line.size()),
      [&line](int i) { return line[i]->State == psFilled ? TClueCell::Filled : TClueCell::Empty; },
      runs);
  return runs;
}

bool TNonoGame::LineAgrees(const TCounterArr& clue, const TPiecesArr& line, bool lenient) {
  if (clue.empty() && CountState(line, psFilled) > 0) return false;
  const TCounterArr runs = LineRuns(line);
  if (runs.size() != clue.size()) return false;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    if (lenient ? runs[i] > clue[i] : runs[i] != clue[i]) return false;
  }
  return true;
}

bool TNonoGame::AllLinesAgree(bool lenient) {
  for (int x = 0; x < FWidth; ++x)
    if (!LineAgrees(ColumnClue(x), PlayerColumn(x), lenient)) return false;
  for (int y = 0; y < FHeight; ++y)
    if (!LineAgrees(RowClue(y), PlayerRow(y), lenient)) return false;
  return true;
}
