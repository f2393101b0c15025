// The play aids of the main window: the keyboard cursor and the celebration
// that starts as soon as the board is solved.
#include <QLabel>
#include <QTimer>
#include <algorithm>

#include "app/hint_sentence.h"
#include "main_window_harness.h"
#include "persistence/game_settings.h"

using namespace test_support;

namespace {

class PlayAids : public MainWindowTest {
 protected:
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    QTest::keyClick(Window.get(), key, modifiers);
    QApplication::processEvents();
  }

  // One key event as it arrives while the player holds Shift down.
  void HeldShift(QEvent::Type type, Qt::Key key) {
    QKeyEvent e(type, key, Qt::ShiftModifier);
    QApplication::sendEvent(Window.get(), &e);
    QApplication::processEvents();
  }

  // Walks the cursor from the top left corner to (col, row).
  void CursorTo(int col, int row) {
    Key(Qt::Key_Home);
    for (int i = 0; i < Puzzle().Height(); ++i) Key(Qt::Key_Up);
    for (int i = 0; i < col; ++i) Key(Qt::Key_Right);
    for (int i = 0; i < row; ++i) Key(Qt::Key_Down);
  }

  // Fills every filled solution cell but the last one with Space.
  std::pair<int, int> FillAllButOneByKeyboard() {
    std::pair<int, int> last{-1, -1};
    for (int y = 0; y < Puzzle().Height(); ++y)
      for (int x = 0; x < Puzzle().Width(); ++x)
        if (Puzzle().SolutionState(x, y) == psFilled) {
          if (last.first >= 0) {
            CursorTo(last.first, last.second);
            Key(Qt::Key_Space);
          }
          last = {x, y};
        }
    return last;
  }
};

// In a window short for its board (a small screen, or text at twice the
// size) the sentence moves beside the board instead of covering its last
// rows; with room enough it stays along the bottom.
TEST_F(PlayAids, TheHintsSentenceNeverCoversTheBoard) {
  StartWindow();
  SwitchTo("10x10");
  Current().StartOver();
  const auto covered = [&] {
    const TframeGrid& view = Current().View();
    const QRect sentence = Window->lHint()->geometry();
    for (const QWidget* box :
         {static_cast<const QWidget*>(view.pbLeft()), static_cast<const QWidget*>(view.pbTop()),
          static_cast<const QWidget*>(view.pbBoard())})
      if (sentence.intersects(QRect(box->mapTo(Window->pBoard(), QPoint(0, 0)), box->size())))
        return true;
    return false;
  };
  for (const QSize size : {QSize(1000, 700), QSize(1000, 300)}) {
    SCOPED_TRACE(size.height());
    Window->resize(size);
    QApplication::processEvents();
    Key(Qt::Key_H);
    ASSERT_TRUE(Window->lHint()->isVisible());
    EXPECT_FALSE(covered());
    EXPECT_TRUE(Window->pBoard()->rect().contains(Window->lHint()->geometry()));
    // All of it shows.
    EXPECT_GE(Window->lHint()->height(), Window->lHint()->heightForWidth(Window->lHint()->width()));
  }
}

}  // namespace

TEST_F(PlayAids, ArrowsShowAndMoveTheCursorSpaceAndXActOnItsCell) {
  StartWindow();
  SwitchTo("5x5");
  const TframeGrid& view = Current().View();
  EXPECT_FALSE(view.Cursor().Shown());
  Key(Qt::Key_Right);
  EXPECT_TRUE(view.Cursor().Shown());
  Key(Qt::Key_Right);
  Key(Qt::Key_Down);
  EXPECT_EQ(view.Cursor().Col(), 1);
  EXPECT_EQ(view.Cursor().Row(), 1);
  // The clue highlight follows the cursor.
  EXPECT_EQ(view.LeftGrid()->HotRow(), 1);
  EXPECT_EQ(view.TopGrid()->HotCol(), 1);
  Key(Qt::Key_End);
  EXPECT_EQ(view.Cursor().Col(), 4);

  const TPieceState before = Puzzle().PlayerState(4, 1);
  Key(Qt::Key_Space);
  EXPECT_NE(Puzzle().PlayerState(4, 1), before);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Puzzle().PlayerState(4, 1), before);
  Key(Qt::Key_Home);
  Key(Qt::Key_X);
  EXPECT_EQ(Puzzle().PlayerState(0, 1), psCrossed);
  Key(Qt::Key_Delete);
  EXPECT_EQ(Puzzle().PlayerState(0, 1), psEmpty);

  // The pointer hides the cursor again.
  MoveTo(2, 2);
  EXPECT_FALSE(view.Cursor().Shown());

  // F10 opens the game menu, which holds every command of the bar.
  Key(Qt::Key_F10);
  EXPECT_TRUE(Window->pmGame()->isVisible());
  Window->pmGame()->close();
}

TEST_F(PlayAids, ShiftArrowsPaintOneUndoStep) {
  StartWindow();
  SwitchTo("5x5");
  Current().StartOver();
  Key(Qt::Key_Right);  // shows the cursor at the top left cell
  Key(Qt::Key_Space);
  HeldShift(QEvent::KeyPress, Qt::Key_Shift);
  for (int i = 0; i < 3; ++i) {
    HeldShift(QEvent::KeyPress, Qt::Key_Right);
    HeldShift(QEvent::KeyRelease, Qt::Key_Right);
  }
  HeldShift(QEvent::KeyRelease, Qt::Key_Shift);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(Puzzle().PlayerState(x, 0), psFilled) << x;
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Puzzle().PlayerState(0, 0), psFilled);
  for (int x = 1; x < 4; ++x) EXPECT_EQ(Puzzle().PlayerState(x, 0), psEmpty) << x;
}

TEST_F(PlayAids, TheLastKeyOfASolutionStartsTheCelebrationWithoutCheck) {
  StartWindow();
  SwitchTo("5x5");
  Current().StartOver();
  const auto last = FillAllButOneByKeyboard();
  EXPECT_FALSE(Window->tCongrats()->isActive());
  CursorTo(last.first, last.second);
  Key(Qt::Key_Space);
  EXPECT_EQ(Current().Status(), stSolved);
  EXPECT_TRUE(Window->tCongrats()->isActive());
}

TEST_F(PlayAids, WithSolvedAtOnceOffOnlyCheckCelebrates) {
  StartWindow();
  Window->GameSettings().SetSolvedAtOnce(false);
  SwitchTo("5x5");
  Current().StartOver();
  const auto last = FillAllButOneByKeyboard();
  Stroke({last});
  EXPECT_FALSE(Window->tCongrats()->isActive());
  Key(Qt::Key_C);
  EXPECT_TRUE(Window->tCongrats()->isActive());
}

TEST_F(PlayAids, ClueAidSettingsSurviveARestartUnderTheirOwnKeys) {
  StartWindow();
  EXPECT_TRUE(Window->GameSettings().CompletedClues());
  EXPECT_FALSE(Window->GameSettings().MistakeLines());
  EXPECT_TRUE(Window->GameSettings().SolvedAtOnce());
  Window->GameSettings().SetCompletedClues(false);
  Window->GameSettings().SetMistakeLines(true);
  Restart();
  EXPECT_FALSE(Window->GameSettings().CompletedClues());
  EXPECT_TRUE(Window->GameSettings().MistakeLines());
  std::vector<std::string> keys;
  for (const std::string& line : IniLines()) keys.push_back(KeyOf(line));
  EXPECT_NE(std::find(keys.begin(), keys.end(), "completedclues"), keys.end());
  EXPECT_EQ(std::find(keys.begin(), keys.end(), "solvedatonce"), keys.end());
}

TEST_F(PlayAids, HintOutlinesProvenCellsSaysWhyAndGoesWithTheNextMove) {
  StartWindow();
  SwitchTo("5x5");
  Current().StartOver();
  const std::string before = Current().StateText();
  Key(Qt::Key_H);
  const TframeGrid& view = Current().View();
  ASSERT_TRUE(Current().View().HintShown());
  EXPECT_FALSE(view.Hint().Cells.empty());
  EXPECT_EQ(Current().StateText(), before);  // the board is untouched
  EXPECT_TRUE(Window->lHint()->isVisible());
  EXPECT_EQ(Window->lHint()->text().toStdString(), HintSentence(FindHint(Puzzle())));
  EXPECT_EQ(Current().HintsUsed(), 1);

  // The game menu offers it too, and each asking counts.
  Window->BuildGameMenu();
  Action("aHint")->trigger();
  EXPECT_EQ(Current().HintsUsed(), 2);

  const TBoardHint::TCell cell = view.Hint().Cells.front();
  Stroke({{cell.X, cell.Y}}, cell.Value == 1 ? Qt::LeftButton : Qt::RightButton);
  EXPECT_FALSE(Current().View().HintShown());
  EXPECT_FALSE(Window->lHint()->isVisible());
}

TEST_F(PlayAids, ClockRunsForTheShownSlotOnlyAndSurvivesARestart) {
  StartWindow();
  Window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
  TSlot& first = Current();
  EXPECT_TRUE(first.ClockRunning());
  // The bar follows within half a second.
  EXPECT_TRUE(QTest::qWaitFor([&] { return Window->lClock()->text() == "0:01"; }, 2500));
  EXPECT_GE(first.PlayedMs(), 1000);

  SwitchTo("5x5");
  EXPECT_FALSE(first.ClockRunning());
  EXPECT_TRUE(Current().ClockRunning());
  const std::int64_t paused = first.PlayedMs();
  QTest::qWait(200);
  EXPECT_EQ(first.PlayedMs(), paused);

  // Another window active: the clock waits.
  {
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_FALSE(Current().ClockRunning());
  }
  Window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
  EXPECT_TRUE(Current().ClockRunning());

  // Solved: the clock stops and the bar says how long it took.
  FillSolution();
  Key(Qt::Key_C);
  EXPECT_FALSE(Current().ClockRunning());
  EXPECT_EQ(Window->lClock()->text().toStdString().rfind("Solved in\n0:0", 0), 0u);

  Restart();
  std::int64_t restored = -1;
  for (TSlot* game : Window->Shelf().Items())
    if (game->Name() == "10x10") restored = game->PlayedMs();
  EXPECT_GE(restored, 1000);
  EXPECT_LT(restored, paused + 1000);
}
