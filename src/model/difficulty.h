// The difficulty of a puzzle and the share of filled cells it asks for.
#pragma once

#include <array>
#include <cstdint>

// Difficulty index: 0 "Normal", 1 "Medium", 2 "Easy".
using TDifficulty = std::uint8_t;
inline constexpr std::array<const char*, 3> kDifficultyNames = {"Normal", "Medium", "Easy"};

// Fill percentage for a new puzzle of the given size and difficulty.
int DefaultFillPct(int width, int height, int difficulty);
