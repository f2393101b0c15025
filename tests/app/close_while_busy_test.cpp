// A close (close box, Alt+F4, a termination signal) can be queued while a
// command is still running: a check's flash or shake, a board press, a slot
// switch or a resize. The command ends first (none of them lets queued events
// run in its middle), then the games are saved at once, and nothing the
// command used is freed before the window itself goes.
#include <QApplication>
#include <QPushButton>

#include "main_window_harness.h"
#include "util/text_reading.h"

using namespace test_support;

namespace {

std::pair<int, int> CellWhere(const TNonoGame& p, TPieceState solution) {
  for (int y = 0; y < p.Height(); ++y)
    for (int x = 0; x < p.Width(); ++x)
      if (p.SolutionState(x, y) == solution) return {x, y};
  return {-1, -1};
}

}  // namespace

using CloseWhileBusy = MainWindowTest;

TEST_F(CloseWhileBusy, EveryGameIsSavedAndTheRunningCommandEndsSafely) {
  struct Case {
    const char* name;
    std::function<void()> prepare;  // before the close is queued
    std::function<void()> command;  // the close is queued while this runs
  };
  const Case cases[] = {
      {"check of a wrong cell (shake)",
       [this] {
         const auto [x, y] = CellWhere(Puzzle(), psEmpty);
         Stroke({{x, y}});
       },
       [this] { Action("aCheck")->trigger(); }},
      {"check of a right cell (flash)",
       [this] {
         const auto [x, y] = CellWhere(Puzzle(), psFilled);
         Stroke({{x, y}});
       },
       [this] { Action("aCheck")->trigger(); }},
      {"press on the board", [] {},
       [this] {
         SendMouse(QEvent::MouseButtonPress, CellCentre(1, 1), Qt::LeftButton, Qt::LeftButton);
       }},
      {"switch of the slot", [] {}, [this] { MenuItem("5x5")->trigger(); }},
      {"resize of the board", [] {},
       [this] { Window->pBoard()->resize(Window->pBoard()->size() - QSize(40, 30)); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartWindow();
    c.prepare();
    QMetaObject::invokeMethod(
        Window.get(), [this] { Window->close(); }, Qt::QueuedConnection);
    c.command();
    // The close comes once the command has ended.
    QApplication::processEvents();
    ASSERT_EQ(AppPhase, apClosing);
    EXPECT_FALSE(Window->isVisible());
    ASSERT_NE(Window->CurrentGame(), nullptr);
    EXPECT_EQ(Window->Shelf().Count(), 5);

    // app.ini is whole: five games that decode, filled cells as filled cells
    // even when the close came in the middle of the flash.
    const std::vector<std::string> lines = IniLines();
    const auto state = std::find_if(lines.begin(), lines.end(),
                                    [](const std::string& l) { return KeyOf(l) == "state"; });
    ASSERT_NE(state, lines.end());
    const std::vector<std::string> codes = SplitText(state->substr(6), "|");
    ASSERT_EQ(codes.size(), 5u);
    for (const std::string& code : codes) {
      const TGameStateRec rec = ParseGameState(code);
      EXPECT_EQ(rec.PlayerState.find('o'), std::string::npos) << rec.name;
    }
    Window.reset();
    QApplication::processEvents();
  }
}
