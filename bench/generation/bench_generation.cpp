// Speed of puzzle generation: one whole puzzle per size as a new-puzzle
// request makes it (the tabled sizes rejecting candidates, the others
// repairing them, up to 128 x 128), the line solver on candidates it accepts
// and rejects, the grade of a puzzle, and one draw of the random source, a
// whole word or from the bit pool.
#include <benchmark/benchmark.h>

#include <stdexcept>
#include <vector>

#include "generation/candidate_checks.h"
#include "generation/generation_flow.h"
#include "generation/new_random.h"
#include "generation/rnd.h"
#include "model/nono_game.h"
#include "solver/line_solver.h"
#include "solver/step_analysis.h"

namespace {

void BM_GeneratePuzzle(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  TRnd::ResetForTest();  // the system source, as the program uses it
  TNonoGame game(side, side);
  const int percentage = DefaultFillPct(side, side, TDifficulty::Normal);
  for (auto _ : state) {
    NewRandom(game, side, side, percentage);
    benchmark::DoNotOptimize(game.SolutionFilled());
  }
}
BENCHMARK(BM_GeneratePuzzle)
    ->Arg(3)
    ->Arg(5)
    ->Arg(10)
    ->Arg(15)
    ->Arg(20)
    ->Arg(25)
    ->Arg(30)
    ->Unit(benchmark::kMillisecond);
// Sizes without tabled parameters, repaired until line logic solves them.
BENCHMARK(BM_GeneratePuzzle)
    ->Arg(40)
    ->Arg(50)
    ->Arg(80)
    ->Arg(100)
    ->Arg(128)
    ->Unit(benchmark::kMillisecond);

struct TCandidateClues {
  TCountersArr Rows;
  TCountersArr Columns;
};

// Candidates that passed every check before the solver, split by whether the
// solver determines them completely; the same ones on every run.
std::vector<TCandidateClues> Candidates(int side, bool solvable, std::size_t count) {
  TRnd::UseSeed(static_cast<std::uint64_t>(side) * 1000 + (solvable ? 1 : 0));
  TPuzzleGenerator generator;
  const TGenerationParams params =
      GenerationParams(side, side, DefaultFillPct(side, side, TDifficulty::Normal));
  std::vector<TCandidateClues> found;
  NonogramSolver solver;
  while (found.size() < count) {
    if (!generator.MakeCandidate(params)) continue;
    TCandidateClues clues;
    BoardRowClues(generator.Board(), clues.Rows);
    BoardColumnClues(generator.Board(), clues.Columns);
    solver.Reset(clues.Rows, clues.Columns);
    if ((solver.Solve() == 2) == solvable) found.push_back(std::move(clues));
  }
  TRnd::ResetForTest();
  return found;
}

void SolveCandidates(benchmark::State& state, bool solvable) {
  const std::vector<TCandidateClues> candidates =
      Candidates(static_cast<int>(state.range(0)), solvable, 20);
  NonogramSolver solver;
  std::size_t next = 0;
  for (auto _ : state) {
    const TCandidateClues& clues = candidates[next];
    next = (next + 1) % candidates.size();
    solver.Reset(clues.Rows, clues.Columns);
    if ((solver.Solve() == 2) != solvable) throw std::logic_error("solver result changed");
  }
}

void BM_SolveAccepted(benchmark::State& state) {
  SolveCandidates(state, true);
}
void BM_SolveRejected(benchmark::State& state) {
  SolveCandidates(state, false);
}
BENCHMARK(BM_SolveAccepted)->Arg(10)->Arg(20)->Arg(30)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SolveRejected)->Arg(10)->Arg(20)->Arg(30)->Unit(benchmark::kMicrosecond);

// A whole puzzle of a repaired size solved from its clues.
void BM_SolveLarge(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  TRnd::UseSeed(static_cast<std::uint64_t>(side));
  TPuzzleGenerator generator;
  TCandidateClues clues;
  const TInternalArrArr& board = generator.Generate(
      GenerationParams(side, side, DefaultFillPct(side, side, TDifficulty::Normal)));
  BoardRowClues(board, clues.Rows);
  BoardColumnClues(board, clues.Columns);
  TRnd::ResetForTest();
  NonogramSolver solver;
  for (auto _ : state) {
    solver.Reset(clues.Rows, clues.Columns);
    if (solver.Solve() != 2) throw std::logic_error("solver result changed");
  }
}
BENCHMARK(BM_SolveLarge)->Arg(50)->Arg(100)->Arg(128)->Unit(benchmark::kMicrosecond);

// The grade of a new puzzle, measured once when it is first shown: the step
// analysis and the line solver's sweeps, on generated puzzles of the size.
void BM_GradePuzzle(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  const std::vector<TCandidateClues> puzzles = Candidates(side, true, 8);
  std::size_t i = 0;
  for (auto _ : state) {
    const TCandidateClues& clues = puzzles[i++ % puzzles.size()];
    benchmark::DoNotOptimize(GradePuzzle(clues.Rows, clues.Columns).Stars);
  }
}
BENCHMARK(BM_GradePuzzle)->Arg(10)->Arg(20)->Arg(30)->Unit(benchmark::kMillisecond);

void BM_RandomRange(benchmark::State& state) {
  TRnd::ResetForTest();
  for (auto _ : state) benchmark::DoNotOptimize(TRnd::RandomRange(1, 10));
}
BENCHMARK(BM_RandomRange);

// The draws of the run fill and of balancing, from the bit pool.
void BM_RandomRangeFromBits(benchmark::State& state) {
  TRnd::ResetForTest();
  for (auto _ : state) benchmark::DoNotOptimize(TRnd::RandomRangeFromBits(1, 10));
}
BENCHMARK(BM_RandomRangeFromBits);

void BM_RandomBit(benchmark::State& state) {
  TRnd::ResetForTest();
  for (auto _ : state) benchmark::DoNotOptimize(TRnd::RandomBit());
}
BENCHMARK(BM_RandomBit);

}  // namespace
