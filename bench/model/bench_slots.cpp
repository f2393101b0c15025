// Restoring stored games: the time to decode and apply one state code, and
// the heap each restored puzzle keeps (counter "heap_per_slot", bytes), for
// the five default sizes and the largest board.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <string>
#include <vector>

#include "model/nono_game.h"
#include "persistence/game_state.h"

namespace {

constexpr int kSlots = 256;

std::string CodeOfSize(int side) {
  TNonoGame puzzle(side, side);
  for (int x = 0; x < side; ++x)
    for (int y = 0; y < side; ++y) {
      puzzle.SetSolutionState(x, y, (x * 7 + y * 3) % 5 < 2 ? psFilled : psEmpty);
      puzzle.SetPlayerState(x, y, (x + y) % 3 == 0 ? psFilled : psEmpty);
    }
  const std::string name = std::to_string(side) + "x" + std::to_string(side);
  return GameStateText(name, puzzle, 20, 20);
}

std::size_t HeapInUse() {
  return mallinfo2().uordblks;
}

void BM_RestoreSlots(benchmark::State& state) {
  const std::string code = CodeOfSize(static_cast<int>(state.range(0)));
  double perSlot = 0;
  for (auto _ : state) {
    std::vector<std::unique_ptr<TNonoGame>> puzzles;
    puzzles.reserve(kSlots);
    const std::size_t before = HeapInUse();
    for (int i = 0; i < kSlots; ++i) {
      const TGameStateRec rec = ParseGameState(code);
      auto puzzle = std::make_unique<TNonoGame>(rec.w, rec.h);
      int cw = 20;
      int ch = 20;
      ApplyGameStateRec(*puzzle, rec, cw, ch);
      puzzles.push_back(std::move(puzzle));
    }
    perSlot = static_cast<double>(HeapInUse() - before) / kSlots;
    benchmark::DoNotOptimize(puzzles.data());
  }
  state.counters["heap_per_slot"] = perSlot;
  state.SetItemsProcessed(state.iterations() * kSlots);
}
BENCHMARK(BM_RestoreSlots)->Arg(3)->Arg(5)->Arg(10)->Arg(15)->Arg(20)->Arg(128);

}  // namespace
