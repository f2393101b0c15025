// Speed of the explained hint on a 20 x 20 puzzle: on an empty board, where
// every line is looked at, and on a board half solved by the hint's own steps.
// The player presses H and waits for it: it should stay well under 1 ms.
#include <benchmark/benchmark.h>

#include "generation/new_random.h"
#include "generation/rnd.h"
#include "model/nono_game.h"
#include "solver/hint.h"

namespace {

void BM_Hint20x20(benchmark::State& state) {
  TRnd::UseSeed(11);
  TNonoGame game(20, 20);
  NewRandom(game, 20, 20, DefaultFillPct(20, 20, TDifficulty::Normal));
  // Follow the hints for the asked number of steps.
  for (int i = 0; i < state.range(0); ++i) {
    const THint hint = FindHint(game);
    if (hint.Kind != THintKind::Step) break;
    for (const TSettledCell& c : hint.Cells)
      game.SetPlayerState(c.X, c.Y, c.Value == 1 ? psFilled : psCrossed);
  }
  for (auto _ : state) benchmark::DoNotOptimize(FindHint(game));
}
BENCHMARK(BM_Hint20x20)->Arg(0)->Arg(20)->Unit(benchmark::kMicrosecond);

}  // namespace
