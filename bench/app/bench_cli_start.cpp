// Whole processes of the command line against /bin/true, the least a process
// can cost: tavelo --version, tavelo --analyse of a 5x5 puzzle, and the same
// through the window program, which loads Qt (what every command paid before
// tavelo started without it). Wall time per process, and the CPU time of the
// child process as the counter "child_cpu_us".
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

double ChildCpuMicroseconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  const long long micro = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000LL +
                          usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
  return static_cast<double>(micro);
}

// Runs the program with the arguments once, its output thrown away.
void RunOnce(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) std::abort();
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::abort();
}

const std::string& Puzzle5x5() {
  static const std::string path = [] {
    const std::string file =
        (std::filesystem::temp_directory_path() / "bench_cli_5x5.non").string();
    std::ofstream(file) << "width 5\nheight 5\ngoal \"1000111100001010011001101\"\n";
    return file;
  }();
  return path;
}

void Spawn(benchmark::State& state, const std::vector<std::string>& args) {
  const double before = ChildCpuMicroseconds();
  for (auto _ : state) RunOnce(args);
  state.counters["child_cpu_us"] =
      benchmark::Counter(ChildCpuMicroseconds() - before, benchmark::Counter::kAvgIterations);
}

void BM_BinTrue(benchmark::State& state) {
  Spawn(state, {"/bin/true"});
}
void BM_TaveloVersion(benchmark::State& state) {
  Spawn(state, {TAVELO_BINARY, "--version"});
}
void BM_TaveloAnalyse5x5(benchmark::State& state) {
  Spawn(state, {TAVELO_BINARY, "--analyse", Puzzle5x5()});
}
void BM_WindowProgramAnalyse5x5(benchmark::State& state) {
  Spawn(state, {TAVELO_WINDOW_BINARY, "--analyse", Puzzle5x5()});
}

BENCHMARK(BM_BinTrue)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TaveloVersion)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TaveloAnalyse5x5)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowProgramAnalyse5x5)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
