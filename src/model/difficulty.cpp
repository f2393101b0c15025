#include "model/difficulty.h"

int DefaultFillPct(int width, int height, TDifficulty difficulty) {
  const int level = StoredDifficulty(difficulty);
  static constexpr int kSmall[] = {40, 50, 60};
  static constexpr int kSquare[] = {50, 60, 70};
  if (level >= kDifficultyCount) return 50;
  if (width < 5 && height < 5) return kSmall[level];
  if (width == height) return kSquare[level];
  return 50;
}
