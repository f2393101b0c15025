// The state of play after the paths that lead to it: every way of completing
// the last cell ends in the one solved state, and every way to a new puzzle
// starts that puzzle's clock.
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>

#include "main_window_harness.h"
#include "persistence/game_settings.h"
#include "persistence/records.h"
#include "text/lang_helper.h"

using namespace test_support;

namespace {

void Key(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  window->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(window));
  QTest::keyClick(window, key, modifiers);
  QApplication::processEvents();
}

// 10 x 10, (0,0) and (1,0) filled, (2,0) empty, (3,3) filled, (9,9) empty.
const Picture kPicture = {
    "##..#.##..", "#..###....", ".#.#..##.#", "#..##...##", "..####.#..",
    "##...#..#.", ".###..#..#", "#..#.##...", ".##...###.", "#.#.##..#.",
};

Picture With(Picture rows, std::initializer_list<std::tuple<int, int, char>> cells) {
  for (auto [x, y, c] : cells) rows[y][x] = c;
  return rows;
}

// The window test with its helpers open to the rows of a table.
class PlayStateTest : public MainWindowTest {
 public:
  using MainWindowTest::Answer;
  using MainWindowTest::Current;
  using MainWindowTest::Folder;
  using MainWindowTest::OnBox;
  using MainWindowTest::Stroke;
  using MainWindowTest::Window;
};

struct SolvePath {
  const char* Name;
  Picture Before;  // the player's board before the last move
  std::function<void(PlayStateTest&, QWidget*)> LastMove;
};

struct NewPuzzlePath {
  const char* Name;
  std::function<void(PlayStateTest&, QWidget*, const std::string& code)> Start;
};

void PrintTo(const SolvePath& path, std::ostream* os) {
  *os << path.Name;
}
void PrintTo(const NewPuzzlePath& path, std::ostream* os) {
  *os << path.Name;
}

}  // namespace

class SolvedStateTest : public PlayStateTest, public ::testing::WithParamInterface<SolvePath> {};

TEST_P(SolvedStateTest, EveryLastMoveEndsInTheOneSolvedState) {
  const SolvePath& path = GetParam();
  StartWindow();
  Current().TakePicture(TDifficulty::Normal, LettersOf(kPicture));
  SetPlayer(Puzzle(), path.Before);
  Window->SyncSlot();
  path.LastMove(*this, Window.get());

  const auto expectSolved = [this](const char* when) {
    SCOPED_TRACE(when);
    EXPECT_EQ(PlayerOf(Puzzle()).size(), 10u);
    EXPECT_EQ(Current().Status(), stSolved);
    EXPECT_FALSE(Action("aUndo")->isEnabled());
    EXPECT_FALSE(Action("aRedo")->isEnabled());
    EXPECT_FALSE(Action("aCheck")->isEnabled());
    EXPECT_FALSE(Current().ClockRunning());
    EXPECT_TRUE(Window->lClock()->text().startsWith(QString::fromStdString(TextFor(ttnSolvedIn))))
        << Window->lClock()->text().toStdString();
    EXPECT_EQ(Window->Records().Of({Current().Name(), Puzzle().Difficulty()}).Solved, 1);
  };
  expectSolved("right after the move");
  // The pointer moves on over the board and the celebration pulses.
  MoveTo(5, 5);
  MoveTo(6, 5);
  QTest::qWait(60);
  expectSolved("after the pointer moved on");
  // Undo's key does nothing on the solved board.
  const Picture solved = PlayerOf(Puzzle());
  Key(Window.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(PlayerOf(Puzzle()), solved);
  expectSolved("after Ctrl+Z");
}

INSTANTIATE_TEST_SUITE_P(
    PlayState, SolvedStateTest,
    ::testing::Values(SolvePath{"LeftClick", With(kPicture, {{3, 3, '.'}}),
                                [](PlayStateTest& test, QWidget*) {
                                  test.Stroke({{3, 3}});
                                }},
                      SolvePath{"RightClick", With(kPicture, {{9, 9, '#'}}),
                                [](PlayStateTest& test, QWidget*) {
                                  test.Stroke({{9, 9}}, Qt::RightButton);
                                }},
                      SolvePath{"Drag", With(kPicture, {{0, 0, '.'}, {1, 0, '.'}}),
                                [](PlayStateTest& test, QWidget*) {
                                  test.Stroke({{0, 0}, {1, 0}});
                                }},
                      SolvePath{"Space", With(kPicture, {{0, 0, '.'}}),
                                [](PlayStateTest&, QWidget* w) {
                                  Key(w, Qt::Key_Space);  // shows the cursor on (0,0)
                                  Key(w, Qt::Key_Space);
                                }},
                      SolvePath{"X", With(kPicture, {{2, 0, '#'}}),
                                [](PlayStateTest&, QWidget* w) {
                                  Key(w, Qt::Key_X);
                                  Key(w, Qt::Key_Right);
                                  Key(w, Qt::Key_Right);
                                  Key(w, Qt::Key_X);
                                }},
                      SolvePath{"Redo", With(kPicture, {{3, 3, '.'}, {9, 9, '#'}}),
                                [](PlayStateTest& test, QWidget* w) {
                                  test.Stroke({{3, 3}});
                                  Key(w, Qt::Key_Z, Qt::ControlModifier);
                                  // The wrong cell goes outside the history, so that Redo
                                  // makes the last move.
                                  test.Current().Puzzle().SetPlayerState(9, 9, psEmpty);
                                  Key(w, Qt::Key_Y, Qt::ControlModifier);
                                }},
                      SolvePath{"Paste", With(kPicture, {{3, 3, '.'}}),
                                [](PlayStateTest& test, QWidget* w) {
                                  TNonoGame& puzzle = test.Current().Puzzle();
                                  SetPlayer(puzzle, kPicture);
                                  const std::string code = test.Current().StateText();
                                  SetPlayer(puzzle, With(kPicture, {{3, 3, '.'}}));
                                  QApplication::clipboard()->setText(QString::fromStdString(code));
                                  Key(w, Qt::Key_V, Qt::ControlModifier);
                                }}),
    [](const ::testing::TestParamInfo<SolvePath>& info) { return info.param.Name; });

// --- A new puzzle's clock ---

class NewPuzzleClockTest : public PlayStateTest,
                           public ::testing::WithParamInterface<NewPuzzlePath> {};

TEST_P(NewPuzzleClockTest, TheNewPuzzlesClockRunsFromZero) {
  StartWindow();
  Window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
  // A code of the current size to open, then the current puzzle solved.
  const std::string code = Current().StateText();
  FillSolution();
  Key(Window.get(), Qt::Key_C);
  ASSERT_EQ(Current().Status(), stSolved);
  ASSERT_FALSE(Current().ClockRunning());
  QTest::qWait(20);

  GetParam().Start(*this, Window.get(), code);
  EXPECT_NE(Current().Status(), stSolved);
  EXPECT_TRUE(Current().ClockRunning());
  EXPECT_TRUE(Window->findChild<QTimer*>("tClock")->isActive());
  EXPECT_LT(Current().PlayedMs(), 1000);
  EXPECT_FALSE(Window->lClock()->text().contains(QString::fromStdString(TextFor(ttnSolvedIn))));
}

INSTANTIATE_TEST_SUITE_P(
    PlayState, NewPuzzleClockTest,
    ::testing::Values(NewPuzzlePath{"New", [](PlayStateTest&, QWidget* w,
                                              const std::string&) { Key(w, Qt::Key_N); }},
                      NewPuzzlePath{"NewEasy",
                                    [](PlayStateTest&, QWidget* w, const std::string&) {
                                      Key(w, Qt::Key_1, Qt::ControlModifier);
                                    }},
                      NewPuzzlePath{"NewNormal",
                                    [](PlayStateTest&, QWidget* w, const std::string&) {
                                      Key(w, Qt::Key_3, Qt::ControlModifier);
                                    }},
                      NewPuzzlePath{"NightmareReplacement",
                                    [](PlayStateTest& test, QWidget* w, const std::string&) {
                                      test.Window->GameSettings().SetGameMode(gmNightmare);
                                      test.Window->GameSettings().SetSolvedAtOnce(false);
                                      Key(w, Qt::Key_N);
                                      TNonoGame& p = test.Current().Puzzle();
                                      for (int y = 0; y < p.Height(); ++y)
                                        for (int x = 0; x < p.Width(); ++x)
                                          if (p.SolutionState(x, y) != psFilled) {
                                            p.SetPlayerState(x, y, psFilled);
                                            y = p.Height();
                                            break;
                                          }
                                      test.Window->SyncSlot();
                                      Key(w, Qt::Key_C);
                                    }},
                      NewPuzzlePath{"Open",
                                    [](PlayStateTest& test, QWidget*, const std::string& code) {
                                      const std::string path = test.Folder + "/open.txt";
                                      std::ofstream(path, std::ios::binary) << code;
                                      test.Window->OpenPuzzleFile(path);
                                      QApplication::processEvents();
                                    }},
                      NewPuzzlePath{"Paste",
                                    [](PlayStateTest&, QWidget* w, const std::string& code) {
                                      QApplication::clipboard()->setText(
                                          QString::fromStdString(code));
                                      Key(w, Qt::Key_V, Qt::ControlModifier);
                                    }},
                      NewPuzzlePath{"OtherSize",
                                    [](PlayStateTest& test, QWidget*, const std::string&) {
                                      test.Window->AddSize(7, 6);
                                      QApplication::processEvents();
                                    }}),
    [](const ::testing::TestParamInfo<NewPuzzlePath>& info) { return info.param.Name; });

// --- The stored clocks ---

TEST_F(PlayStateTest, StoredClocksReadBackAsWrittenOrAsZero) {
  struct Row {
    const char* Stored;
    std::int64_t Seconds;
    const char* Shown;
  };
  const Row rows[] = {
      {"59", 59, "0:59"},  {"2147483648", 2147483648, "35791394:08"},  // 2^31 s and more
      {"-100", 0, "0:00"}, {"12x", 0, "0:00"},
      {"", 0, "0:00"},
  };
  StartWindow();
  Current().Session().SetShown(false);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Stored);
    Window->AppSettings().WriteString("clock." + Current().Name(), row.Stored);
    TRecords records;
    Window->Shelf().LoadKept(Window->AppSettings(), records);
    Current().Session().SetShown(false);
    EXPECT_EQ(Current().PlayedMs() / 1000, row.Seconds);
    Window->ShowClock();
    EXPECT_EQ(Window->lClock()->text().toStdString(), row.Shown);
  }
}

TEST_F(PlayStateTest, ClocksOfSizesNoLongerKeptArePruned) {
  StartWindow();
  Window->AppSettings().WriteString("clock.9x9", "50");
  CloseWindow();
  for (const std::string& line : IniLines()) EXPECT_NE(KeyOf(line), "clock.9x9");
}

// --- The pointer's highlight ---

namespace {

// Counts the paints of the widgets it watches.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(std::initializer_list<QWidget*> widgets) {
    for (QWidget* w : widgets) w->installEventFilter(this);
  }
  int Paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++Paints;
    return false;
  }
};

struct PointerAway {
  const char* Name;
  std::function<void(PlayStateTest&, QPoint cell)> Away;
};

// The pointer in window coordinates, moved as the real pointer moves.
void PointerTo(QWidget* window, QPoint at) {
  QTest::mouseMove(window, at);
  QApplication::processEvents();
}

void PrintTo(const PointerAway& away, std::ostream* os) {
  *os << away.Name;
}

}  // namespace

class HighlightTest : public PlayStateTest, public ::testing::WithParamInterface<PointerAway> {};

TEST_P(HighlightTest, TheHighlightGoesWithThePointer) {
  StartWindow();
  Window->GameSettings().SetDrawHotTrackBoard(true);
  Window->ApplySettings();
  Window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
  TframeGrid& view = Current().View();
  const QPoint cell = view.pbBoard()->mapTo(Window.get(), CellCentre(2, 3));
  PointerTo(Window.get(), cell + QPoint(3, 0));
  PointerTo(Window.get(), cell);
  ASSERT_EQ(view.LeftGrid()->HotRow(), 3);
  ASSERT_EQ(view.TopGrid()->HotCol(), 2);

  PaintCounter strips({view.pbLeft(), view.pbTop()});
  GetParam().Away(*this, cell);
  QApplication::processEvents();
  for (TNonoGrid* grid : {view.LeftGrid(), view.TopGrid(), view.BoardGrid()}) {
    EXPECT_EQ(grid->HotRow(), -1);
    EXPECT_EQ(grid->HotCol(), -1);
  }
  // The clue strips are drawn again without the highlight.
  EXPECT_GE(strips.Paints, 2);
}

INSTANTIATE_TEST_SUITE_P(
    PlayState, HighlightTest,
    ::testing::Values(PointerAway{"ThreePixelSteps",
                                  [](PlayStateTest& test, QPoint cell) {
                                    // Down through the last rows and out of the board.
                                    const int bottom = test.Window->pBoard()->height();
                                    for (QPoint at = cell; at.y() < bottom + 10; at.ry() += 3)
                                      PointerTo(test.Window.get(), at);
                                  }},
                      PointerAway{"FifteenPixelSteps",
                                  [](PlayStateTest& test, QPoint cell) {
                                    for (QPoint at = cell; at.x() > -20; at.rx() -= 15)
                                      PointerTo(test.Window.get(), at);
                                  }},
                      PointerAway{"JumpOutOfTheWindow",
                                  [](PlayStateTest& test, QPoint) {
                                    PointerTo(test.Window.get(), QPoint(-300, -300));
                                  }},
                      PointerAway{"ADialogOpens",
                                  [](PlayStateTest& test, QPoint) {
                                    QDialog dialog(test.Window.get());
                                    dialog.setModal(true);
                                    dialog.show();
                                    QApplication::processEvents();
                                    EXPECT_EQ(test.Current().View().LeftGrid()->HotRow(), -1);
                                    dialog.hide();
                                  }},
                      PointerAway{"AQuestionWhileBusy",
                                  [](PlayStateTest& test, QPoint) {
                                    // New on a board in play asks first; the pointer leaves
                                    // while the question is open.
                                    test.Stroke({{0, 0}});
                                    test.OnBox = [&test](const TMessageBoxRequest&) {
                                      QEvent leave(QEvent::Leave);
                                      QApplication::sendEvent(test.Current().View().pbBoard(),
                                                              &leave);
                                    };
                                    test.Answer = maNo;
                                    Key(test.Window.get(), Qt::Key_N);
                                    test.OnBox = nullptr;
                                  }}),
    [](const ::testing::TestParamInfo<PointerAway>& info) { return info.param.Name; });
