// Brute-force references for line logic: a line's fixed point by trying every
// filling of its unknown cells, and whole boards by sweeping it over rows and
// columns. Exponential in the unknown cells of a line: for small boards only.
#pragma once

#include <cstdint>
#include <vector>

#include "model/cell_types.h"

namespace test_support {

// Brute-force reference: the line's fixed point found by trying every filling
// of its unknown cells.
inline bool ReferenceSolveLine(const TCounterArr& clue, TCounterArr& cells) {
  const int n = static_cast<int>(cells.size());
  TCounterArr target;
  for (const std::int32_t v : clue)
    if (v > 0) target.push_back(v);
  std::vector<int> unknown;
  for (int i = 0; i < n; ++i)
    if (cells[i] == 0) unknown.push_back(i);
  std::vector<bool> canFill(n), canEmpty(n);
  bool any = false;
  std::vector<bool> filled(n);
  for (long bits = 0; bits < (1L << unknown.size()); ++bits) {
    for (int i = 0; i < n; ++i) filled[i] = cells[i] == 1;
    for (std::size_t u = 0; u < unknown.size(); ++u) filled[unknown[u]] = (bits >> u) & 1;
    TCounterArr runs;
    int run = 0;
    for (int i = 0; i <= n; ++i) {
      if (i < n && filled[i]) {
        ++run;
      } else if (run > 0) {
        runs.push_back(run);
        run = 0;
      }
    }
    if (runs != target) continue;
    any = true;
    for (int i = 0; i < n; ++i) (filled[i] ? canFill : canEmpty)[i] = true;
  }
  if (!any) return false;
  for (int i = 0; i < n; ++i) cells[i] = canFill[i] && canEmpty[i] ? 0 : canFill[i] ? 1 : -1;
  return true;
}

// Line logic over the whole board by the reference, until nothing changes.
inline TCountersArr ReferenceSolve(const TCountersArr& rows, const TCountersArr& columns) {
  const int h = static_cast<int>(rows.size()), w = static_cast<int>(columns.size());
  TCountersArr grid(h, TCounterArr(w, 0));
  for (bool changed = true; changed;) {
    changed = false;
    for (int y = 0; y < h; ++y) {
      TCounterArr line = grid[y];
      ReferenceSolveLine(rows[y], line);
      if (line != grid[y]) changed = true;
      grid[y] = line;
    }
    for (int x = 0; x < w; ++x) {
      TCounterArr line(h);
      for (int y = 0; y < h; ++y) line[y] = grid[y][x];
      ReferenceSolveLine(columns[x], line);
      for (int y = 0; y < h; ++y) {
        if (grid[y][x] != line[y]) changed = true;
        grid[y][x] = line[y];
      }
    }
  }
  return grid;
}

}  // namespace test_support
