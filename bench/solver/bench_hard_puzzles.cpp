// Hard puzzles of our own (bench/solver/data: pictures drawn with lines and
// type from 40 x 60 to 80 x 70, a fractal, a weave, and random pictures up to
// 99 x 59), judged by the complete solver in this process and, where it is
// installed, by Jan Wolter's pbnsolve ("pbnsolve -b -u FILE", the program on
// PATH or the one PBNSOLVE names, at most 20 s of CPU a puzzle) as a child
// process. The Time column is CPU time on both sides (the child's own,
// start-up included), so that a loaded machine does not blur the comparison.
// The label gives the complete solver's verdict; "undecided" means its
// default bound of 3 s of wall time ran out.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "persistence/puzzle.h"
#include "solver/complete_solver.h"

namespace {

const std::filesystem::path kData = TAVELO_BENCH_DATA;

TPuzzle ReadPuzzleFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  return ReadPuzzles(text).front();
}

// The CPU time this process has used, in seconds.
double ProcessSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

void BM_Tavelo(benchmark::State& state, const std::filesystem::path& path) {
  const TPuzzle puzzle = ReadPuzzleFile(path);
  TVerdict verdict = TVerdict::Undecided;
  for (auto _ : state) {
    const double start = ProcessSeconds();
    verdict = AnalysePuzzle(puzzle.Rows, puzzle.Columns).Verdict;
    state.SetIterationTime(ProcessSeconds() - start);
  }
  state.SetLabel(VerdictName(verdict));
}

// The pbnsolve to run, or empty when there is none.
std::string Pbnsolve() {
  if (const char* named = std::getenv("PBNSOLVE")) return named;
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "";
  for (std::size_t start = 0; start <= dirs.size();) {
    const std::size_t end = std::min(dirs.find(':', start), dirs.size());
    const std::filesystem::path candidate =
        std::filesystem::path(dirs.substr(start, end - start)) / "pbnsolve";
    if (access(candidate.c_str(), X_OK) == 0) return candidate.string();
    start = end + 1;
  }
  return {};
}

// CPU seconds pbnsolve may take on one puzzle; it may never end otherwise.
constexpr rlim_t kPbnsolveSeconds = 20;

// Runs pbnsolve on the file with its output thrown away; the child's CPU time
// in seconds, or -1 when it could not run and -2 when it ran out of time.
double RunPbnsolve(const std::string& program, const std::filesystem::path& path) {
  const pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    const rlimit limit{kPbnsolveSeconds, kPbnsolveSeconds + 5};
    if (setrlimit(RLIMIT_CPU, &limit) != 0 || !std::freopen("/dev/null", "w", stdout)) _exit(127);
    execl(program.c_str(), program.c_str(), "-b", "-u", path.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) return -1;
  if (WIFSIGNALED(status) && WTERMSIG(status) == SIGXCPU) return -2;
  if (!WIFEXITED(status) || WEXITSTATUS(status) == 127) return -1;
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_Pbnsolve(benchmark::State& state, const std::filesystem::path& path) {
  const std::string program = Pbnsolve();
  if (program.empty()) return state.SkipWithError("pbnsolve is not installed");
  for (auto _ : state) {
    const double seconds = RunPbnsolve(program, path);
    if (seconds == -2) return state.SkipWithError("pbnsolve ran out of its 20 s");
    if (seconds < 0) return state.SkipWithError("pbnsolve did not run");
    state.SetIterationTime(seconds);
  }
}

// One pair of benchmarks per puzzle file, in name order.
const bool kRegistered = [] {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(kData))
    if (entry.path().extension() == ".non") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const std::filesystem::path& file : files) {
    const std::string name = file.stem().string();
    benchmark::RegisterBenchmark(("BM_Tavelo/" + name).c_str(), BM_Tavelo, file)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
    benchmark::RegisterBenchmark(("BM_Pbnsolve/" + name).c_str(), BM_Pbnsolve, file)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
  }
  return true;
}();

}  // namespace
