// Rendering the board and its clue strips, a full repaint of the shown view,
// and a complete pointer dispatch on the board paint box. Runs headless unless
// QT_QPA_PLATFORM names another platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "model/nono_game.h"
#include "model/process_flags.h"
#include "support/board_pictures.h"
#include "util/app_environment.h"
#include "view/frame_grid.h"
#include "view/paint_box.h"

namespace {

// A reproducible picture of about half filled cells, and a player board with
// filled, crossed and empty cells.
struct Boards {
  test_support::Picture solution;
  test_support::Picture player;
};

Boards MakeBoards(int side) {
  std::uint32_t state = 12345;
  const auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return state >> 24;
  };
  Boards b;
  for (int y = 0; y < side; ++y) {
    std::string s, p;
    for (int x = 0; x < side; ++x) {
      const bool filled = next() % 2 == 0;
      s += filled ? '#' : '.';
      const std::uint32_t r = next() % 4;
      p += r == 0 ? '#' : r == 1 ? 'x' : '.';
    }
    b.solution.push_back(s);
    b.player.push_back(p);
  }
  return b;
}

// A shown board view of a side x side puzzle in a host of the given size.
struct View {
  View(int side, QSize hostSize, TLayoutFlags flags) {
    const Boards b = MakeBoards(side);
    game = test_support::GameOf(b.solution, b.player);
    host = std::make_unique<QWidget>();
    host->resize(hostSize);
    frame = new TframeGrid(host.get());
    frame->SetPalette(LightBoardPalette());
    frame->SetUp(game.get());
    frame->SetHotTrackCounters(true);
    frame->SetHotTrackBoard(true);
    frame->ShowBoard();
    host->show();
    frame->FitToParent();
    frame->Layout(flags, 0);
    QApplication::processEvents();
  }

  std::unique_ptr<TNonoGame> game;
  std::unique_ptr<QWidget> host;
  TframeGrid* frame = nullptr;
};

void BM_RenderBoard(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  View v(side, QSize(800, 600), lfKeep);
  v.frame->SetHotTrack(side / 2, side / 2);
  for (auto _ : state) v.frame->BoardGrid()->Render();
  state.counters["px"] = v.frame->BoardGrid()->BitmapWidth();
}
BENCHMARK(BM_RenderBoard)->Arg(20)->Arg(128)->Unit(benchmark::kMillisecond);

// Board and both strips rendered, at 20-px cells (128 x 128: 2899 px square).
void BM_RenderAllGrids(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  View v(side, QSize(800, 600), lfKeep);
  for (auto _ : state) {
    benchmark::DoNotOptimize(v.frame->BoardGrid()->RenderedBitmap().constBits());
    benchmark::DoNotOptimize(v.frame->LeftGrid()->RenderedBitmap().constBits());
    benchmark::DoNotOptimize(v.frame->TopGrid()->RenderedBitmap().constBits());
  }
}
BENCHMARK(BM_RenderAllGrids)->Arg(20)->Arg(128)->Unit(benchmark::kMillisecond);

// RepaintAll of a view fitted into a panel (side, panel width, height): three
// paint events, each rendering its grid, and the event round that follows.
// The fitted composite is the largest the view ever shows.
void BM_RepaintAllFitted(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  View v(side, QSize(static_cast<int>(state.range(1)), static_cast<int>(state.range(2))), lfFit);
  for (auto _ : state) v.frame->RepaintAll();
  state.counters["cell"] = v.frame->BoardGrid()->CellWidth();
}
BENCHMARK(BM_RepaintAllFitted)
    ->Args({20, 1600, 1000})
    ->Args({128, 1600, 1000})
    ->Args({128, 3840, 2160})
    ->Unit(benchmark::kMillisecond);

// One pointer move onto another cell of a 20 x 20 board with a button held:
// hit test, hot tracking, the puzzle's drag logic, RepaintAll, host event.
void BM_DispatchDrag20(benchmark::State& state) {
  View v(20, QSize(800, 600), lfKeep);
  int heard = 0;
  v.frame->SetOnBoardMouse([&heard](int, int, TBoardMouseFlags) { ++heard; });
  TPaintBox* board = v.frame->pbBoard();
  const auto send = [board](QEvent::Type type, QPoint at, Qt::MouseButton button,
                            Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(at), QPointF(board->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(board, &e);
  };
  const QPoint a(15, 15);
  const QPoint b(37, 15);
  send(QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
  bool atA = true;
  for (auto _ : state) {
    atA = !atA;
    send(QEvent::MouseMove, atA ? a : b, Qt::NoButton, Qt::LeftButton);
  }
  send(QEvent::MouseButtonRelease, a, Qt::LeftButton, Qt::NoButton);
  benchmark::DoNotOptimize(heard);
}
BENCHMARK(BM_DispatchDrag20)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  AppPhase = apRunning;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
