// Rounding of the view's pixel arithmetic: a quotient to the nearest integer,
// halves to the even neighbour, computed exactly in integers.
#pragma once

#include <cstdint>

// num / den rounded half to even; den must be positive.
constexpr int DivRoundHalfEven(std::int64_t num, std::int64_t den) {
  std::int64_t q = num / den;
  std::int64_t r = num % den;
  if (r < 0) {
    r += den;
    --q;
  }
  if (2 * r > den || (2 * r == den && (q % 2 != 0))) ++q;
  return static_cast<int>(q);
}
