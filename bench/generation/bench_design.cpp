// Speed of the designer's background work: the verdict of a drawn picture
// (the live answer after every stroke, to be well under 0.2 s at 30 x 30)
// and make-unique (to end within about 2 s at 30 x 30), on random pictures
// half filled, as a careless drawing is: rarely line-solvable, often with
// several pictures.
#include <benchmark/benchmark.h>

#include <random>

#include "generation/design_verdict.h"
#include "generation/make_unique.h"

namespace {

TDesignPicture RandomPicture(int side, unsigned seed) {
  std::mt19937 random(seed);
  TDesignPicture picture{side, side, std::string(static_cast<std::size_t>(side) * side, '.')};
  for (char& c : picture.Cells)
    if (random() % 2 == 0) c = '#';
  return picture;
}

void BM_DesignVerdict(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  unsigned seed = 1;
  for (auto _ : state) {
    state.PauseTiming();
    const TDesignPicture picture = RandomPicture(side, seed++ % 8);
    state.ResumeTiming();
    benchmark::DoNotOptimize(JudgeDesign(picture));
  }
}
BENCHMARK(BM_DesignVerdict)->Arg(10)->Arg(30)->Arg(60)->Unit(benchmark::kMillisecond);

void BM_MakeUnique(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  unsigned seed = 1;
  for (auto _ : state) {
    state.PauseTiming();
    const TDesignPicture picture = RandomPicture(side, seed++ % 4);
    state.ResumeTiming();
    benchmark::DoNotOptimize(MakeUnique(picture));
  }
}
BENCHMARK(BM_MakeUnique)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond)->Iterations(4);

}  // namespace
