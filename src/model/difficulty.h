// The difficulty of a puzzle and the share of filled cells it asks for.
#pragma once

#include <array>
#include <cstdint>

// The levels a new puzzle is made at. Their numbers are what app.ini, state
// codes, record keys and the command line store, so they never change. A
// stored number that names no level is kept as it is (and written back the
// same); it reads as no level of its own.
enum class TDifficulty : std::uint8_t { Normal = 0, Medium = 1, Easy = 2 };
inline constexpr int kDifficultyCount = 3;
// Indexed by the stored number.
inline constexpr std::array<const char*, kDifficultyCount> kDifficultyNames = {"Normal", "Medium",
                                                                               "Easy"};

// The stored number of a difficulty, and the difficulty a stored number
// reads as (one byte of it, as it was always kept).
constexpr int StoredDifficulty(TDifficulty difficulty) {
  return static_cast<int>(difficulty);
}
constexpr TDifficulty DifficultyFromStored(int stored) {
  return static_cast<TDifficulty>(static_cast<std::uint8_t>(stored));
}

// Fill percentage for a new puzzle of the given size and difficulty.
int DefaultFillPct(int width, int height, TDifficulty difficulty);
