// The clue of one line, whatever the line is made of: the model's cells, the
// generator's letters. A cell counts as filled, as empty, or as neither; only
// an empty cell ends a run, so a cell that is neither (a display or generator
// state) leaves the run as it is.
#pragma once

#include <cstdint>

#include "model/cell_types.h"

enum class TClueCell : std::uint8_t { Filled, Empty, Neither };

// Writes the run lengths of a line of length cells into runs, kindAt(i)
// telling what cell i counts as; a line without a run has no runs.
template <typename KindAt>
void LineRunsOf(int length, KindAt kindAt, TCounterArr& runs) {
  runs.clear();
  int run = 0;
  for (int i = 0; i < length; ++i) {
    const TClueCell kind = kindAt(i);
    if (kind == TClueCell::Filled) {
      ++run;
    } else if (kind == TClueCell::Empty && run > 0) {
      runs.push_back(run);
      run = 0;
    }
  }
  if (run > 0) runs.push_back(run);
}

// The same as a clue: a line without a run has the clue {0}.
template <typename KindAt>
void LineClueOf(int length, KindAt kindAt, TCounterArr& clue) {
  LineRunsOf(length, kindAt, clue);
  if (clue.empty()) clue.push_back(0);
}
