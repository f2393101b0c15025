// The survey behind the grading scale: generates puzzles of every size and
// difficulty the game offers from fixed seeds and prints, per size and
// difficulty, the spread of what the step analysis counts and the stars it
// gives. docs/grading.md shows its output and how the scale was chosen.
//   grade_survey [puzzles per size and difficulty, default 100]
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "generation/new_random.h"
#include "generation/rnd.h"
#include "model/nono_game.h"
#include "solver/step_analysis.h"

namespace {

// The value at fraction q of the sorted values.
int Quantile(std::vector<int> values, double q) {
  std::sort(values.begin(), values.end());
  const auto at = static_cast<std::size_t>(q * static_cast<double>(values.size() - 1) + 0.5);
  return values[at];
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
  std::printf("%-7s %-6s %5s | %-17s | %-17s | %-17s | %-19s | %s\n", "size", "diff", "fill",
              "sweeps 10/50/90%", "hard steps", "score", "stars 1..5 (counts)",
              "puzzles with hard steps");
  for (const int side : {3, 5, 10, 15, 20, 25, 30, 40, 50}) {
    for (const TDifficulty difficulty :
         {TDifficulty::Easy, TDifficulty::Medium, TDifficulty::Normal}) {
      TRnd::UseSeed(static_cast<std::uint64_t>(side) * 10 + StoredDifficulty(difficulty));
      TNonoGame game(side, side);
      const int pct = DefaultFillPct(side, side, difficulty);
      std::vector<int> sweeps, steps, scores;
      std::array<int, 6> stars{};
      int hard = 0;  // puzzles with at least one step beyond the overlap
      for (int i = 0; i < count; ++i) {
        NewRandom(game, side, side, pct);
        const TPuzzleGrade g = GradeGame(game);
        sweeps.push_back(g.Sweeps);
        steps.push_back(g.LogicSteps);
        scores.push_back(GradeScore(g.Sweeps, g.LogicSteps));
        ++stars[g.Stars];
        hard += g.LogicSteps > 0 ? 1 : 0;
      }
      const auto spread = [](const std::vector<int>& v) {
        static char text[32];
        std::snprintf(text, sizeof text, "%3d /%4d /%4d", Quantile(v, 0.1), Quantile(v, 0.5),
                      Quantile(v, 0.9));
        return std::string(text);
      };
      std::printf("%3dx%-3d %-6s %4d%% | %-17s | %-17s | %-17s | %3d %3d %3d %3d %3d | %d\n", side,
                  side, kDifficultyNames[StoredDifficulty(difficulty)], pct, spread(sweeps).c_str(),
                  spread(steps).c_str(), spread(scores).c_str(), stars[1], stars[2], stars[3],
                  stars[4], stars[5], hard);
      std::fflush(stdout);
    }
  }
  return 0;
}
