// The built-in pictures handed out on the very first run: three for each of
// the sizes 3x3, 5x5, 10x10, 15x15, 20x20, 25x25, 30x30 and 3x21, in this
// order. Each is line-solvable and has exactly the filled count a new puzzle
// of its size gets.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/cell_types.h"

struct TTemplateRec {
  int Width = 0;
  int Height = 0;
  // Row by row, top row first: 1 empty, 2 filled (psEmpty, psFilled).
  std::array<std::vector<std::int32_t>, 3> Pictures;
};

const std::vector<TTemplateRec>& Templates();

// A template picture as a working board: "#" filled, "E" empty.
TInternalArrArr TemplateBoard(const TTemplateRec& rec, int variant);
