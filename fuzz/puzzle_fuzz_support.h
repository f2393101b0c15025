// What the puzzle reader targets share: a puzzle read must be sound, and
// must come back the same from what a writer makes of it.
#pragma once

#include <cstdlib>
#include <string>

#include "persistence/puzzle.h"

inline void RequireSound(const TPuzzle& puzzle) {
  try {
    CheckPuzzle(puzzle);
  } catch (const EPuzzleInvalid&) {
    std::abort();  // a reader let a bad puzzle through
  }
}

// Titles lose quotes and line breaks in some formats; the rest must stay.
inline void RequireSameButTitle(const TPuzzle& a, const TPuzzle& b) {
  if (a.Width != b.Width || a.Height != b.Height || a.Columns != b.Columns || a.Rows != b.Rows ||
      a.Goal != b.Goal)
    std::abort();
}
