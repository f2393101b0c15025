// Time from creating the main window to the first paint of the board, for the
// three ways a start can find its settings folder: stored games, an empty
// folder (first run, built-in pictures) and settings without games (five
// generated puzzles). Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/f_main.h"
#include "app/message_box.h"
#include "model/process_flags.h"
#include "util/app_environment.h"

namespace {

// Notes the first paint of the board paint box of the shown slot.
class BoardPaintWatch : public QObject {
 public:
  bool Painted = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Paint && watched->objectName() == "pbBoard") Painted = true;
    return false;
  }
};

std::filesystem::path IniPath() {
  return std::filesystem::path(GetSettingsFolder(true)) / "app.ini";
}

// One start, entered with the timer paused; the window is closed afterwards
// (outside the timing), which writes app.ini.
void StartOnce(benchmark::State& state) {
  BoardPaintWatch watch;
  qApp->installEventFilter(&watch);
  AppPhase = apNone;
  state.ResumeTiming();
  auto window = std::make_unique<TfrmMain>();
  if (!window->FormCreate()) state.SkipWithError("start-up failed");
  window->show();
  while (!watch.Painted) QApplication::processEvents(QEventLoop::AllEvents, 5);
  state.PauseTiming();
  qApp->removeEventFilter(&watch);
  window->close();
  state.ResumeTiming();
}

void UseFreshFolder() {
  static int n = 0;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("tavelo-bench-" + std::to_string(++n));
  std::filesystem::remove_all(folder);
  setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
}

void BM_StartWithStoredGames(benchmark::State& state) {
  UseFreshFolder();
  for (auto _ : state) {
    state.PauseTiming();
    StartOnce(state);  // the first start stores five games for the next ones
  }
}

void BM_FirstStart(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    UseFreshFolder();
    StartOnce(state);
  }
}

void BM_StartGeneratingTheDefaults(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    UseFreshFolder();
    std::filesystem::create_directories(IniPath().parent_path());
    // An empty file: not a first run, and no games to restore.
    std::fclose(std::fopen(IniPath().c_str(), "wb"));
    StartOnce(state);
  }
}

BENCHMARK(BM_StartWithStoredGames)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_FirstStart)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_StartGeneratingTheDefaults)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  SetMessageBoxHandler([](const TMessageBoxRequest&) { return maOk; });
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
