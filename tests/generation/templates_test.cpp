#include "generation/templates.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "generation/generation_flow.h"
#include "solver/line_solver.h"
#include "support/board_pictures.h"

TEST(Templates, ThreeSolvablePicturesWithTheTargetCountPerSize) {
  const std::vector<std::pair<int, int>> sizes = {{3, 3},   {5, 5},   {10, 10}, {15, 15},
                                                  {20, 20}, {25, 25}, {30, 30}, {3, 21}};
  ASSERT_EQ(Templates().size(), sizes.size());
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const TTemplateRec& rec = Templates()[i];
    const auto [w, h] = sizes[i];
    ASSERT_EQ(rec.Width, w);
    ASSERT_EQ(rec.Height, h);
    const int target = TargetCount(w, h, DefaultFillPct(w, h, TDifficulty::Normal));
    for (int variant = 0; variant < 3; ++variant) {
      const std::string name =
          std::to_string(w) + "x" + std::to_string(h) + " #" + std::to_string(variant);
      const std::vector<std::int32_t>& picture = rec.Pictures[variant];
      ASSERT_EQ(picture.size(), static_cast<std::size_t>(w * h)) << name;
      int filled = 0;
      for (const std::int32_t value : picture) {
        EXPECT_TRUE(value == psEmpty || value == psFilled) << name;
        filled += value == psFilled ? 1 : 0;
      }
      EXPECT_EQ(filled, target) << name;
      TNonoGame game(w, h);
      game.LoadSolutionGrid(TemplateBoard(rec, variant));
      EXPECT_EQ(game.SolutionFilled(), target) << name;
      EXPECT_TRUE(IsLineSolvable(game)) << name;
      // Row y, column x is the value at y * width + x.
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          ASSERT_EQ(game.SolutionState(x, y), picture[static_cast<std::size_t>(y) * w + x]);
    }
  }
}
