// Speed of the complete solver: how long a verdict takes on random pictures
// (thin, half and dense) and on a few designs made to be hard for line logic,
// up to 30 x 30. Each benchmark cycles through a fixed set of puzzles; the
// counters give the share of each verdict over the set.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "solver/complete_solver.h"
#include "support/board_pictures.h"

namespace {

using test_support::CluesOfPicture;
using test_support::Picture;
using test_support::PictureClues;

Picture RandomPicture(int side, int percent, std::mt19937& random) {
  Picture picture(side, std::string(side, '.'));
  for (std::string& row : picture)
    for (char& c : row) c = static_cast<int>(random() % 100) < percent ? '#' : '.';
  return picture;
}

// Designs that line logic alone cannot finish: rings and diagonals leave
// many lines with loose clues.
Picture Design(int which, int side) {
  Picture picture(side, std::string(side, '.'));
  const double centre = (side - 1) / 2.0;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const double dx = x - centre, dy = y - centre;
      bool on = false;
      switch (which) {
        case 0:  // concentric rings, one cell thick
          on = static_cast<int>(std::lround(std::sqrt(dx * dx + dy * dy))) % 3 == 0;
          break;
        case 1:  // a lattice of diagonals, both ways
          on = (x + y) % 7 == 0 || (x - y + 70) % 7 == 0;
          break;
        case 2:  // a spiral arm
          on = static_cast<int>(std::lround(std::atan2(dy, dx) * 3 + std::hypot(dx, dy))) % 4 == 0;
          break;
        default:  // a weave: checks broken along diagonals
          on = ((x / 2 + y / 2) % 2 == 0) != ((x + 2 * y) % 9 == 0);
      }
      picture[y][x] = on ? '#' : '.';
    }
  }
  return picture;
}

// Runs the analysis over the set round robin and counts the verdicts.
void RunSet(benchmark::State& state, const std::vector<PictureClues>& set) {
  std::size_t next = 0;
  std::int64_t counts[5] = {};
  std::int64_t runs = 0;
  for (auto _ : state) {
    const PictureClues& clues = set[next++ % set.size()];
    const TAnalysis analysis = AnalysePuzzle(clues.Rows, clues.Columns);
    ++counts[static_cast<int>(analysis.Verdict)];
    ++runs;
    benchmark::DoNotOptimize(analysis.Work);
  }
  const char* names[5] = {"none", "multiple", "line", "unique", "undecided"};
  for (int v = 0; v < 5; ++v)
    state.counters[names[v]] = static_cast<double>(counts[v]) / static_cast<double>(runs);
}

// Random pictures: side, fill percentage.
void BM_RandomPicture(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  const int percent = static_cast<int>(state.range(1));
  std::mt19937 random(static_cast<unsigned>(side * 1000 + percent));
  std::vector<PictureClues> set;
  for (int i = 0; i < 20; ++i) set.push_back(CluesOfPicture(RandomPicture(side, percent, random)));
  RunSet(state, set);
}
BENCHMARK(BM_RandomPicture)
    ->ArgsProduct({{10, 20, 25, 30}, {30, 50, 70}})
    ->Unit(benchmark::kMillisecond);

// Random pictures with one solution that line logic alone does not find:
// the case a player's puzzle must be judged in quickly. Side, fill.
void BM_UniqueNeedingSearch(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  const int percent = static_cast<int>(state.range(1));
  std::mt19937 random(static_cast<unsigned>(side * 7 + percent));
  std::vector<PictureClues> set;
  for (int tries = 0; set.size() < 10 && tries < 400; ++tries) {
    PictureClues clues = CluesOfPicture(RandomPicture(side, percent, random));
    if (AnalysePuzzle(clues.Rows, clues.Columns, 1000000).Verdict == TVerdict::Unique)
      set.push_back(clues);
  }
  if (set.empty()) return state.SkipWithError("no such picture found");
  RunSet(state, set);
}
BENCHMARK(BM_UniqueNeedingSearch)
    ->ArgsProduct({{20, 30}, {45, 55, 60}})
    ->Unit(benchmark::kMillisecond);

void BM_Design(benchmark::State& state) {
  RunSet(
      state,
      {CluesOfPicture(Design(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))))});
}
BENCHMARK(BM_Design)->ArgsProduct({{0, 1, 2, 3}, {20, 30}})->Unit(benchmark::kMillisecond);

}  // namespace
