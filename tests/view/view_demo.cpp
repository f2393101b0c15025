// A small window with a 10 x 10 puzzle, some cells filled, crossed and ticked
// and the pointer over one cell, for looking at the board by eye. Saves a
// picture of the window to the path given, or stays open without one.
#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include "model/nono_game.h"
#include "model/process_flags.h"
#include "support/board_pictures.h"
#include "util/app_environment.h"
#include "view/frame_grid.h"
#include "view/paint_box.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  AppPhase = apRunning;
  const test_support::Picture solution = {
      "..####....", ".##..##...", "##....##..", "#..##..#..", "#.####.#..",
      "#.####.#..", "#..##..#..", "##....##..", ".##..##.##", "..####..##",
  };
  const test_support::Picture player = {
      "..####....", ".##xx##...", "##xxxx##..", "#..##..#..", "#.oooo.#..",
      "#.oooo.#..", "..........", "xx......x.", "..........", "........##",
  };
  auto game = test_support::GameOf(solution, player);

  QWidget window;
  window.setWindowTitle("Board view");
  window.resize(520, 480);
  auto* frame = new TframeGrid(&window);
  frame->SetPalette(LightBoardPalette());
  frame->SetUp(game.get());
  frame->SetHotTrackCounters(true);
  frame->SetHotTrackBoard(true);
  frame->ShowBoard();
  window.show();
  frame->FitToParent();
  frame->Relayout(game->LayoutFlags());

  // The pointer rests on row 3, column 2, whatever size the cells were fitted to.
  QPoint at;
  for (const TCellCacheRec& rec : frame->BoardGrid()->CellCache())
    if (rec.Col == 2 && rec.Row == 3) at = QPoint(rec.Rect.Left + 2, rec.Rect.Top + 2);
  QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(frame->pbBoard()->mapToGlobal(at)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(frame->pbBoard(), &move);

  if (argc < 2) return QApplication::exec();
  QTimer::singleShot(300, [&] {
    window.grab().save(QString::fromLocal8Bit(argv[1]));
    QApplication::quit();
  });
  return QApplication::exec();
}
