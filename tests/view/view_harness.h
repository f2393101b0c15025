// A board view set up the way a game slot sets it up, inside a shown host
// widget, with helpers that send real pointer events to the board paint box.
#pragma once

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "model/nono_game.h"
#include "model/process_flags.h"
#include "support/board_pictures.h"
#include "util/app_environment.h"
#include "view/frame_grid.h"
#include "view/paint_box.h"

namespace test_support {

// 10 x 10; rows and columns 0, 1, 3, 4, 6, 7 hold the clue 2 2 2, the others
// are empty, so both strips have three clue positions.
inline Picture TriplePairs() {
  const std::string full = "##.##.##..";
  const std::string none = "..........";
  return {full, full, none, full, full, none, full, full, none, none};
}

// Left (and top) pixel of column (row) i of a board with 20-px cells, gaps of
// 2, a frame of 3 and a 1-px separator after every fifth line.
constexpr int CellOrigin20(int i) {
  return 5 + i * 22 + (i / 5) * 3;
}

// The puzzle and its view, laid out without fitting (20-px cells).
class ViewHarness {
 public:
  explicit ViewHarness(const Picture& solution, const Picture& player = {},
                       QSize hostSize = QSize(500, 500))
      : Game(GameOf(solution, player)) {
    host = std::make_unique<QWidget>();
    host->resize(hostSize);
    Frame = new TframeGrid(host.get());
    Frame->SetPalette(LightBoardPalette());
    Frame->SetUp(Game.get());
    Frame->SetHotTrackCounters(true);
    Frame->ShowBoard();
    host->show();
    // Painting waits for the window to be on screen, as the player's does.
    EXPECT_TRUE(QTest::qWaitForWindowExposed(host.get()));
    Frame->FitToParent();
    Frame->Layout(lfKeep, 0);
  }

  QWidget* Host() const { return host.get(); }
  TPaintBox* Board() const { return Frame->pbBoard(); }

  // A point inside cell (col, row) of the 20-px board, (dx, dy) from its corner.
  static QPoint Cell(int col, int row, int dx = 10, int dy = 10) {
    return QPoint(CellOrigin20(col) + dx, CellOrigin20(row) + dy);
  }

  void Press(QPoint at, Qt::MouseButton button) const {
    Send(QEvent::MouseButtonPress, at, button, button);
  }
  void Move(QPoint at, Qt::MouseButtons held) const {
    Send(QEvent::MouseMove, at, Qt::NoButton, held);
  }
  // A release with no button held afterwards.
  void Release(QPoint at, Qt::MouseButton button) const {
    Send(QEvent::MouseButtonRelease, at, button, Qt::NoButton);
  }
  void Enter() const {
    QEnterEvent e(QPointF(0, 0), QPointF(0, 0), QPointF(0, 0));
    QApplication::sendEvent(Board(), &e);
  }
  void Leave() const {
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(Board(), &e);
  }
  // Press, moves through the cells after the first, release at the last.
  void Stroke(const std::vector<QPoint>& cells, Qt::MouseButton button) const {
    Press(cells.front(), button);
    for (std::size_t i = 1; i < cells.size(); ++i) Move(cells[i], button);
    Release(cells.back(), button);
  }

  std::unique_ptr<TNonoGame> Game;
  TframeGrid* Frame = nullptr;

 private:
  void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) const {
    QMouseEvent e(type, QPointF(at), QPointF(Board()->mapToGlobal(at)), button, held,
                  Qt::NoModifier);
    QApplication::sendEvent(Board(), &e);
  }

  std::unique_ptr<QWidget> host;  // owns the frame; destroyed before Game
};

// A running program around every test (the test main's guard resets the
// rest of the process-wide flags).
class ViewTest : public ::testing::Test {
 protected:
  void SetUp() override { AppPhase = apRunning; }
};

}  // namespace test_support
