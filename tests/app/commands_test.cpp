// The window's commands, driven with the real keys, buttons, menu items and
// the clipboard: New, Check with flash, shake and celebration, Nightmare,
// undo and redo, copy and paste, settings and the diagnostic commands.
#include <sys/resource.h>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include "app/paste_check.h"
#include "main_window_harness.h"
#include "persistence/game_settings.h"
#include "solver/line_solver.h"
#include "text/lang_helper.h"
#include "util/color.h"
#include "util/compression.h"
#include "util/hex.h"

using namespace test_support;

namespace {

void Key(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  // Window shortcuts need the window active, as it is under the player's hand.
  window->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(window));
  QTest::keyClick(window, key, modifiers);
  QApplication::processEvents();
}

// A filled solution cell and an empty one of the current puzzle.
std::pair<int, int> FilledCell(const TNonoGame& p) {
  for (int y = 0; y < p.Height(); ++y)
    for (int x = 0; x < p.Width(); ++x)
      if (p.SolutionState(x, y) == psFilled) return {x, y};
  return {-1, -1};
}

std::pair<int, int> EmptyCell(const TNonoGame& p) {
  for (int y = 0; y < p.Height(); ++y)
    for (int x = 0; x < p.Width(); ++x)
      if (p.SolutionState(x, y) == psEmpty) return {x, y};
  return {-1, -1};
}

int CountPlayer(const TNonoGame& p, TPieceState s) {
  int n = 0;
  for (int y = 0; y < p.Height(); ++y)
    for (int x = 0; x < p.Width(); ++x) n += p.PlayerState(x, y) == s;
  return n;
}

// Cells the board shows in state s: what the player sees, flash and
// celebration included.
int CountShown(const TframeGrid& view, TPieceState s) {
  const TNonoGame& p = *view.Game();
  int n = 0;
  for (int y = 0; y < p.Height(); ++y)
    for (int x = 0; x < p.Width(); ++x) n += view.ShownState(x, y) == s;
  return n;
}

}  // namespace

using Commands = MainWindowTest;

TEST_F(Commands, NewAsksUnlessSolvedByCheck) {
  StartWindow();
  Restart();  // past the first run, whose new puzzles are the built-in pictures
  Stroke({{0, 0}});
  const Picture solution = SolutionOf(Puzzle());
  const Picture player = PlayerOf(Puzzle());

  Answer = maNo;
  Key(Window.get(), Qt::Key_N);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Text, TextFor(ttnAreYouSure));
  EXPECT_TRUE(Boxes[0].Kinds & mkYesNo);
  EXPECT_EQ(SolutionOf(Puzzle()), solution);
  EXPECT_EQ(PlayerOf(Puzzle()), player);
  EXPECT_TRUE(Action("aUndo")->isEnabled());

  Answer = maYes;
  Window->findChild<QPushButton*>("bNew")->click();
  EXPECT_EQ(Boxes.size(), 2u);
  EXPECT_NE(SolutionOf(Puzzle()), solution);
  EXPECT_EQ(CountPlayer(Puzzle(), psFilled), 0);
  EXPECT_FALSE(Puzzle().CanUndo());
  EXPECT_FALSE(Action("aUndo")->isEnabled());
  EXPECT_EQ(Current().Status(), stPlaying);
  NonogramSolver solver(Puzzle().RowClues(true), Puzzle().ColumnClues(true));
  EXPECT_EQ(solver.Solve(), 2);

  // Solved and checked: a new puzzle comes without a question.
  FillSolution();
  Key(Window.get(), Qt::Key_C);
  ASSERT_EQ(Current().Status(), stSolved);
  Key(Window.get(), Qt::Key_N);
  EXPECT_EQ(Boxes.size(), 2u);
  EXPECT_FALSE(Window->Celebrating());
  EXPECT_EQ(Current().Status(), stPlaying);
}

TEST_F(Commands, NewStartOverAndCopyAsImageClearTheHighlight) {
  const std::pair<const char*, const char*> commands[] = {
      {"aNew", "New"}, {"aStartOver", "Start Over"}, {"aCopyToClipboardAsImage", "Copy as image"}};
  StartWindow();
  Answer = maYes;
  for (const auto& [action, name] : commands) {
    MoveTo(3, 2);
    ASSERT_EQ(Current().View().BoardGrid()->HotRow(), 2) << name;
    Action(action)->trigger();
    EXPECT_EQ(Current().View().BoardGrid()->HotRow(), -1) << name;
    EXPECT_EQ(Current().View().LeftGrid()->HotRow(), -1) << name;
    EXPECT_EQ(Current().View().TopGrid()->HotCol(), -1) << name;
  }
}

TEST_F(Commands, NewUsesTheDifficultySettingAndTheMenuChoosesOnce) {
  StartWindow();
  Restart();  // past the first run
  // The bar shows the difficulty over the stars of the grade.
  const auto expectNote = [&](TTextName difficulty) {
    const auto* grade = Window->findChild<QLabel*>("lGrade");
    ASSERT_NE(grade, nullptr);
    EXPECT_TRUE(grade->text().startsWith(QString::fromStdString(TextFor(difficulty)) + "<br>"))
        << grade->text().toStdString();
    EXPECT_EQ(grade->text().count(QChar(0x2605)), 5);
    EXPECT_EQ(grade->toolTip(), QString::fromStdString(TextFor(ttnGrade)) +
                                    QString(": %1 / 5").arg(Current().Grade().Stars));
    EXPECT_GE(Current().Grade().Stars, 1);
    EXPECT_TRUE(grade->isVisible());
  };
  expectNote(ttnNormalDifficulty);

  Window->GameSettings().SetNewDifficulty(TDifficulty::Easy);
  Answer = maYes;
  Window->findChild<QPushButton*>("bNew")->click();
  EXPECT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Puzzle().Difficulty(), TDifficulty::Easy);
  EXPECT_EQ(Puzzle().FillPct(), 70);
  expectNote(ttnEasy);

  // The game menu offers each difficulty once, leaving the setting alone.
  std::vector<std::string> items;
  Window->BuildGameMenu();
  for (QAction* a : Window->pmGame()->actions()) items.push_back(a->text().toStdString());
  for (const TTextName name : {ttnNewEasy, ttnNewMedium, ttnNewNormal})
    EXPECT_EQ(std::count(items.begin(), items.end(), TextFor(name)), 1) << TextFor(name);
  Action("aNewMedium")->trigger();
  EXPECT_EQ(Boxes.size(), 2u);  // asks like New
  EXPECT_EQ(Puzzle().Difficulty(), TDifficulty::Medium);
  EXPECT_EQ(Puzzle().FillPct(), 60);
  EXPECT_EQ(Window->GameSettings().NewDifficulty(), TDifficulty::Easy);
  expectNote(ttnMedium);

  // The slot keeps the difficulty it was started with, the settings theirs.
  Restart();
  EXPECT_EQ(Puzzle().Difficulty(), TDifficulty::Medium);
  EXPECT_EQ(Puzzle().FillPct(), 60);
  EXPECT_EQ(Window->GameSettings().NewDifficulty(), TDifficulty::Easy);
  expectNote(ttnMedium);
  SwitchTo("5x5");
  expectNote(ttnNormalDifficulty);
}

TEST_F(Commands, CheckFlashesACorrectPartialBoard) {
  StartWindow();
  const auto [x, y] = FilledCell(Puzzle());
  Stroke({{x, y}});
  Key(Window.get(), Qt::Key_C);
  EXPECT_EQ(Current().Status(), stCheckedOk);
  EXPECT_EQ(CountShown(Current().View(), psCorrect), 0);
  EXPECT_EQ(Puzzle().PlayerState(x, y), psFilled);
  EXPECT_TRUE(Boxes.empty());
  // Undo works on the plain filled cell.
  Key(Window.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Puzzle().PlayerState(x, y), psEmpty);
}

// A click the player made while Check was on its way is taken after Check,
// not in the middle of its flash: the solve it brings stands.
TEST_F(Commands, AClickQueuedBehindCheckSolvesAfterTheFlash) {
  StartWindow();
  FillSolution();
  const auto [x, y] = FilledCell(Puzzle());
  Puzzle().SetPlayerState(x, y, psEmpty);
  TPaintBox* box = Current().View().pbBoard();
  const QPoint at = CellCentre(x, y);
  for (const auto& [type, held] : {std::pair{QEvent::MouseButtonPress, Qt::LeftButton},
                                   std::pair{QEvent::MouseButtonRelease, Qt::NoButton}})
    QApplication::postEvent(box, new QMouseEvent(type, QPointF(at), box->mapToGlobal(QPointF(at)),
                                                 Qt::LeftButton, held, Qt::NoModifier));
  Action("aCheck")->trigger();
  QApplication::processEvents();
  EXPECT_EQ(Puzzle().PlayerState(x, y), psFilled);
  EXPECT_EQ(Current().Status(), stSolved);
  EXPECT_TRUE(Window->tCongrats()->isActive());
  EXPECT_FALSE(Action("aUndo")->isEnabled());
  EXPECT_FALSE(Action("aCheck")->isEnabled());
}

TEST_F(Commands, CheckShakesAWrongBoardAndLeavesItCentred) {
  StartWindow();
  const auto [x, y] = EmptyCell(Puzzle());
  Stroke({{x, y}});
  const QPoint home = Current().View().pbBoard()->pos();
  Window->findChild<QPushButton*>("bCheck")->click();
  EXPECT_EQ(Current().Status(), stCheckedWrong);
  EXPECT_EQ(Current().View().pbBoard()->pos(), home);
  EXPECT_EQ(Puzzle().PlayerState(x, y), psFilled);
}

TEST_F(Commands, CheckOnASolvedBoardCelebrates) {
  StartWindow();
  FillSolution();
  const std::string solvedCode = Current().StateText();
  Key(Window.get(), Qt::Key_C);
  EXPECT_EQ(Current().Status(), stSolved);
  EXPECT_TRUE(Window->tCongrats()->isActive());
  EXPECT_FALSE(Action("aCheck")->isEnabled());
  EXPECT_FALSE(Action("aUndo")->isEnabled());
  EXPECT_FALSE(Action("aRedo")->isEnabled());
  EXPECT_TRUE(Action("aCheck1")->isEnabled());

  // The pulse: offsets 2, 4, ..., 20, 18, ..., -20, -18, ...; the colour
  // shifts from the tick colour step by step, accumulating.
  Window->tCongrats()->stop();
  TColor colour = Current().View().Palette()[prTickPen];
  std::vector<int> offsets;
  for (int i = 0; i < 41; ++i) {
    Window->tCongratsTimer();
    offsets.push_back(Window->PulseOffset());
    colour = ShiftColor(colour, offsets.back());
    ASSERT_EQ(Current().View().Display().CelebrationColor(), colour) << i;
  }
  EXPECT_EQ(offsets[0], 2);
  EXPECT_EQ(offsets[9], 20);
  EXPECT_EQ(offsets[10], 18);
  EXPECT_EQ(offsets[29], -20);
  EXPECT_EQ(offsets[30], -18);
  EXPECT_EQ(offsets[40], 2);
  EXPECT_TRUE(Window->Celebrating());
  EXPECT_EQ(CountShown(Current().View(), psFilled), 0);
  EXPECT_GT(CountShown(Current().View(), psAllCorrect), 0);
  EXPECT_FALSE(Current().View().InputEnabled());
  // The pulse is the board's to show: the puzzle keeps the player's cells.
  EXPECT_EQ(CountPlayer(Puzzle(), psAllCorrect), 0);
  EXPECT_EQ(Current().StateText(), solvedCode);

  // F1 still checks and leaves the pulse running.
  Window->tCongrats()->start();
  Key(Window.get(), Qt::Key_F1);
  EXPECT_TRUE(Window->tCongrats()->isActive());

  // Closing while celebrating stores plain filled cells.
  CloseWindow();
  StartWindow();
  EXPECT_EQ(CountShown(Current().View(), psAllCorrect), 0);
  EXPECT_GT(CountShown(Current().View(), psFilled), 0);
}

TEST_F(Commands, NightmareRevealsTheSolutionThenStartsANewPuzzle) {
  StartWindow();
  Restart();  // past the first run, whose new puzzles are the built-in pictures
  Window->GameSettings().SetGameMode(gmNightmare);
  const auto [wx, wy] = EmptyCell(Puzzle());
  const auto [fx, fy] = FilledCell(Puzzle());
  Stroke({{wx, wy}});
  Stroke({{fx, fy}});
  Picture expected = SolutionOf(Puzzle());
  expected[wy][wx] = '!';
  const Picture solution = SolutionOf(Puzzle());
  Picture shown;
  OnBox = [&](const TMessageBoxRequest&) { shown = PlayerOf(Puzzle()); };
  Answer = maOk;

  Key(Window.get(), Qt::Key_C);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Text, TextFor(ttnBoom));
  EXPECT_EQ(shown, expected);
  EXPECT_NE(SolutionOf(Puzzle()), solution);
  EXPECT_EQ(CountPlayer(Puzzle(), psFilled) + CountPlayer(Puzzle(), psIncorrect), 0);
  EXPECT_EQ(Current().Status(), stPlaying);
}

// The wrong cell the Nightmare rule marks is scrolled into view before the
// message about it.
TEST_F(Commands, NightmareBringsItsMarkedCellIntoView) {
  StartWindow();
  Restart();
  Window->GameSettings().SetGameMode(gmNightmare);
  SwitchTo("20x20");
  for (int i = 0; i < 40; ++i) Key(Window.get(), Qt::Key_Plus, Qt::ControlModifier);
  const auto [wx, wy] = EmptyCell(Puzzle());
  Stroke({{wx, wy}});
  TframeGrid& view = Current().View();
  // The view at the far side of the board from the wrong cell.
  QScrollBar* across = view.sbBoard()->horizontalScrollBar();
  QScrollBar* down = view.sbBoard()->verticalScrollBar();
  ASSERT_GT(down->maximum(), 0);
  across->setValue(wx < 10 ? across->maximum() : 0);
  down->setValue(wy < 10 ? down->maximum() : 0);
  const auto shown = [&view](int col, int row) {
    for (const TCellCacheRec& rec : view.BoardGrid()->CellCache())
      if (rec.Col == col && rec.Row == row)
        return view.Viewport()->rect().contains(
            view.pbBoard()->mapTo(view.Viewport(), rec.Rect.ToQRect().center()));
    return false;
  };
  ASSERT_FALSE(shown(wx, wy));
  bool marked = false;
  OnBox = [&](const TMessageBoxRequest&) { marked = shown(wx, wy); };
  Answer = maOk;
  Key(Window.get(), Qt::Key_C);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_TRUE(marked);
}

TEST_F(Commands, NightmareWithoutWrongCellsChecksAsUsual) {
  StartWindow();
  Window->GameSettings().SetGameMode(gmNightmare);
  const auto [x, y] = FilledCell(Puzzle());
  Stroke({{x, y}});
  Key(Window.get(), Qt::Key_C);
  EXPECT_TRUE(Boxes.empty());
  EXPECT_EQ(Current().Status(), stCheckedOk);
}

TEST_F(Commands, UndoRedoKeysAndStartOver) {
  StartWindow();
  Stroke({{0, 0}, {1, 0}});
  Stroke({{3, 3}}, Qt::RightButton);
  Key(Window.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Puzzle().PlayerState(3, 3), psEmpty);
  EXPECT_TRUE(Action("aRedo")->isEnabled());
  Key(Window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Puzzle().PlayerState(3, 3), psCrossed);
  EXPECT_FALSE(Action("aRedo")->isEnabled());
  // Ctrl+Y redoes as well.
  Key(Window.get(), Qt::Key_Z, Qt::ControlModifier);
  Key(Window.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Puzzle().PlayerState(3, 3), psCrossed);
  EXPECT_FALSE(Action("aRedo")->isEnabled());

  Answer = maNo;
  Action("aStartOver")->trigger();
  EXPECT_EQ(Puzzle().PlayerState(0, 0), psFilled);
  Answer = maYes;
  Action("aStartOver")->trigger();
  EXPECT_EQ(CountPlayer(Puzzle(), psEmpty), 100);
  EXPECT_FALSE(Action("aUndo")->isEnabled());
  EXPECT_EQ(Boxes.size(), 2u);
}

// Every button tells its key, and every command of the game menu has one it shows.
TEST_F(Commands, ButtonsAndMenuItemsShowTheirKeys) {
  StartWindow();
  const std::pair<const char*, QString> tips[] = {
      {"bGame", "Game (F10)"},
      {"bNew", "New (N)"},
      {"bStartOver", "Start Over (Ctrl+R)"},
      {"bCheck", "Check (C, F1)"},
      {"bUndo", "Undo (Ctrl+Z)"},
      {"bRedo", "Redo (Ctrl+Shift+Z, Ctrl+Y)"},
  };
  for (const auto& [button, tip] : tips)
    EXPECT_EQ(Window->findChild<QPushButton*>(button)->toolTip(), tip) << button;

  Window->bGame()->click();
  for (const QAction* item : Window->pmGame()->actions()) {
    if (!item->isSeparator() && !item->isCheckable() && item->data().isNull()) {
      EXPECT_FALSE(item->shortcut().isEmpty()) << item->objectName().toStdString();
    }
  }
  Window->pmGame()->hide();
  // The keys work without the menu.
  Key(Window.get(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), Current().StateText());
}

TEST_F(Commands, CopyAsTextThenPasteRestoresTheGameInItsSlot) {
  StartWindow();
  Stroke({{0, 0}, {0, 1}});
  Action("aCopyToClipboardAsText")->trigger();
  const QString code = QApplication::clipboard()->text();
  const Picture player = PlayerOf(Puzzle());
  const Picture solution = SolutionOf(Puzzle());
  ASSERT_FALSE(code.isEmpty());

  Answer = maYes;
  Action("aNew")->trigger();  // the 10x10 slot moves on to another puzzle
  SwitchTo("5x5");

  // Wrapped in CR LF, as a mail program may leave it.
  QApplication::clipboard()->setText(code.left(30) + "\r\n" + code.mid(30) + "\r\n");
  Action("aPaste")->trigger();
  EXPECT_EQ(Current().Name(), "10x10");
  EXPECT_EQ(PlayerOf(Puzzle()), player);
  EXPECT_EQ(SolutionOf(Puzzle()), solution);
  EXPECT_FALSE(Action("aUndo")->isEnabled());
  EXPECT_FALSE(Puzzle().CanUndo());
}

// Texts Paste refuses, with what the player is told.
struct Refused {
  std::string Text;
  std::string Message;
};

std::vector<Refused> RefusedPastes(const std::string& ownCode) {
  // A sound code, but for a size no slot can have (New makes 3 x 3 and up).
  TNonoGame two(2, 2);
  two.LoadSolutionGrid(LettersOf(Picture(2, "#.")));
  const std::string twoCode = GameStateText("2x2", two, 20, 20);
  std::string damaged = ownCode;
  damaged[12] = damaged[12] == 'A' ? 'B' : 'A';
  TPasteCheck noSlot;
  noSlot.Verdict = pvNoBoard;
  noSlot.SlotName = "2x2";
  const std::string noBoard = PasteRefusalText(noSlot);
  EXPECT_NE(noBoard.find("2x2"), std::string::npos);
  return {{twoCode, noBoard},
          {" " + twoCode + "\n", noBoard},
          {damaged, TextFor(ttnPasteDamaged)},
          {"hello", TextFor(ttnPasteNotAGame)},
          {"", TextFor(ttnPasteNotAGame)}};
}

TEST_F(Commands, RefusedPastesChangeNothingAndSayWhy) {
  StartWindow();
  Action("aCopyToClipboardAsText")->trigger();
  const Picture player = PlayerOf(Puzzle());
  for (const Refused& r : RefusedPastes(QApplication::clipboard()->text().toStdString())) {
    Boxes.clear();
    QApplication::clipboard()->setText(QString::fromStdString(r.Text));
    Action("aPaste")->trigger();
    EXPECT_EQ(Current().Name(), "10x10");
    EXPECT_EQ(PlayerOf(Puzzle()), player);
    ASSERT_EQ(Boxes.size(), 1u) << r.Text;
    EXPECT_EQ(Boxes[0].Text, r.Message);
  }
}

TEST_F(Commands, GameMenuEnablesPasteExactlyForACodeItCanLoad) {
  StartWindow();
  Action("aCopyToClipboardAsText")->trigger();
  const std::string code = QApplication::clipboard()->text().toStdString();
  // Copied from a terminal: a line break inside and around it.
  for (const std::string& text :
       {code, code + "\r\n", "  " + code.substr(0, 30) + "\n" + code.substr(30) + "\n"}) {
    QApplication::clipboard()->setText(QString::fromStdString(text));
    Window->bGame()->click();
    EXPECT_TRUE(Action("aPaste")->isEnabled()) << text;
    Window->pmGame()->hide();
  }
  for (const Refused& r : RefusedPastes(code)) {
    QApplication::clipboard()->setText(QString::fromStdString(r.Text));
    Window->bGame()->click();
    EXPECT_FALSE(Action("aPaste")->isEnabled()) << r.Text;
    Window->pmGame()->hide();
  }
}

TEST_F(Commands, CopyAsImagePutsTheBoardImageOnTheClipboard) {
  StartWindow();
  Action("aCopyToClipboardAsImage")->trigger();
  const QImage image = QApplication::clipboard()->image();
  const QImage expected = Current().View().BoardImage();
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), expected.size());
  EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32),
            expected.convertToFormat(QImage::Format_RGB32));
}

TEST_F(Commands, CtrlWheelZoomsAndResetZoomFitsAgainAtOnce) {
  StartWindow();
  TNonoGrid* grid = Current().View().BoardGrid();
  const int fitted = grid->CellWidth();
  for (int i = 0; i < 2; ++i) {
    QWheelEvent out(QPointF(5, 5), Window->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                    Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Window.get(), &out);
  }
  EXPECT_EQ(grid->CellWidth(), fitted - 2);
  EXPECT_TRUE(Puzzle().GameState() & vfZoomed);
  const int zoomed = grid->CellWidth();

  ASSERT_NE(zoomed, fitted);
  Key(Window.get(), Qt::Key_F3);
  EXPECT_FALSE(Puzzle().GameState() & vfZoomed);
  EXPECT_EQ(grid->CellWidth(), fitted);
}

// Each slot keeps its zoom and the part of its board in view.
TEST_F(Commands, EachSlotKeepsItsZoomAndItsPlace) {
  StartWindow();
  SwitchTo("20x20");
  for (int i = 0; i < 60; ++i) Key(Window.get(), Qt::Key_Plus, Qt::ControlModifier);
  TframeGrid& twenty = Current().View();
  ASSERT_EQ(twenty.BoardGrid()->CellWidth(), TframeGrid::kLargestZoomCell);
  twenty.sbBoard()->verticalScrollBar()->setValue(200);
  twenty.sbBoard()->horizontalScrollBar()->setValue(150);
  const QPoint place = twenty.ScrollPos();
  SwitchTo("10x10");
  Key(Window.get(), Qt::Key_Minus, Qt::ControlModifier);
  const int ten = Current().View().BoardGrid()->CellWidth();
  SwitchTo("20x20");
  EXPECT_EQ(twenty.BoardGrid()->CellWidth(), TframeGrid::kLargestZoomCell);
  EXPECT_EQ(twenty.ScrollPos(), place);

  // Larger than a restored game's cells may be on this screen, so it is the
  // slot's own zoom that comes back.
  Restart();
  SwitchTo("20x20");
  EXPECT_EQ(Current().View().BoardGrid()->CellWidth(), TframeGrid::kLargestZoomCell);
  SwitchTo("10x10");
  EXPECT_EQ(Current().View().BoardGrid()->CellWidth(), ten);
  // Ctrl+0 fits again.
  Key(Window.get(), Qt::Key_0, Qt::ControlModifier);
  EXPECT_FALSE(Puzzle().GameState() & vfZoomed);
}

TEST_F(Commands, CtrlHeldShowsPositionCounters) {
  StartWindow();
  Stroke({{0, 0}, {1, 0}, {2, 0}});
  MoveTo(2, 0);
  QTest::keyPress(Window.get(), Qt::Key_Control, Qt::ControlModifier);
  EXPECT_TRUE(CtrlHeld);
  // Over the right end of the run, counted from the pointer.
  EXPECT_EQ(Puzzle().PositionCounters()[0], (TCounterArr{3, 2, 1, 0, 0, 0, 0, 0, 0, 0}));
  QTest::keyRelease(Window.get(), Qt::Key_Control);
  EXPECT_FALSE(CtrlHeld);
  EXPECT_EQ(Puzzle().PositionCounters()[0][0], 0);
}

TEST_F(Commands, SettingsDialogChangesAreAppliedAndSurviveARestart) {
  StartWindow();
  // Answers the settings dialog as soon as it is up: changes every control,
  // then confirms or cancels.
  const auto answerDialog = [](bool ok) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, ok] {
      QDialog* dialog = nullptr;
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && qobject_cast<QDialog*>(w)) dialog = qobject_cast<QDialog*>(w);
      if (!dialog) return;
      poll->stop();
      poll->deleteLater();
      dialog->findChild<QComboBox*>("cbButtonPosition")->setCurrentIndex(bpRight);
      dialog->findChild<QComboBox*>("cbGameMode")->setCurrentIndex(gmNightmare);
      dialog->findChild<QCheckBox*>("cbDrawHotTrackBoard")->setChecked(true);
      dialog->findChild<QCheckBox*>("cbDrawHotTrackCounters")->setChecked(false);
      dialog->findChild<QPushButton*>(ok ? "bOK" : "bCancel")->click();
    });
    poll->start();
  };

  answerDialog(false);
  Key(Window.get(), Qt::Key_F2);
  EXPECT_EQ(Window->GameSettings().ButtonsPosition(), bpBottom);
  EXPECT_EQ(Window->GameSettings().GameMode(), gmNormal);

  answerDialog(true);
  Key(Window.get(), Qt::Key_F2);
  EXPECT_EQ(Window->GameSettings().ButtonsPosition(), bpRight);
  EXPECT_EQ(Window->pButtons()->x(), Window->width() - 141);
  EXPECT_EQ(Window->GameSettings().GameMode(), gmNightmare);
  EXPECT_TRUE(Current().View().HotTrackBoard());

  Restart();
  EXPECT_EQ(Window->GameSettings().ButtonsPosition(), bpRight);
  EXPECT_EQ(Window->GameSettings().GameMode(), gmNightmare);
  EXPECT_TRUE(Window->GameSettings().DrawHotTrackBoard());
  EXPECT_FALSE(Window->GameSettings().DrawHotTrackCounters());
  EXPECT_EQ(Window->pButtons()->x(), Window->width() - 141);
}

TEST_F(Commands, DiagnosticCommandsOnlyWithTheDeveloperOption) {
  StartWindow();
  Key(Window.get(), Qt::Key_F5);
  Key(Window.get(), Qt::Key_D, Qt::ControlModifier);
  EXPECT_FALSE(std::filesystem::exists(Window->CluesDumpPath()));
  EXPECT_FALSE(std::filesystem::exists(Window->PuzzlesDumpPath()));
  CloseWindow();

  StartWindow(true);
  Key(Window.get(), Qt::Key_F5);
  std::ifstream clues(Window->CluesDumpPath(), std::ios::binary);
  std::stringstream text;
  text << clues.rdbuf();
  EXPECT_EQ(text.str(), "10 10\r\n" + Puzzle().ColumnListing() + "\r\n" + Puzzle().RowListing());

  Key(Window.get(), Qt::Key_D, Qt::ControlModifier);
  std::ifstream puzzles(Window->PuzzlesDumpPath(), std::ios::binary);
  std::string line;
  int count = 0;
  while (std::getline(puzzles, line)) ++count;
  EXPECT_EQ(count, 15);
}

namespace {

// The largest resident size the process has had so far, in bytes.
long PeakResidentBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss * 1024L;
}

}  // namespace

// A hostile code's cell size had the board drawn at that size before any fit:
// a zoomed 20 x 20 game at 512 px cost some 630 MB. The cell size is kept so
// that the board with its clues fits the screen, and the memory it takes
// stays within 64 MB of what the game takes anyway.
TEST_F(Commands, PastedCodeWithAHugeCellSizeIsKeptToAScreenSize) {
  StartWindow();
  SwitchTo("20x20");
  TNonoGame game(20, 20);
  game.LoadSolutionGrid(LettersOf(Picture(20, "#.#.#.#.#.#.#.#.#.#.")));
  game.SetGameState(vfZoomed);
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const long peakBefore = PeakResidentBytes();
  for (const int size : {512, 100000}) {
    SwitchTo("5x5");
    QApplication::clipboard()->setText(
        QString::fromStdString(GameStateText("20x20", game, size, size)));
    Action("aPaste")->trigger();
    ASSERT_EQ(Current().Name(), "20x20");
    TframeGrid& view = Current().View();
    view.pbBoard()->repaint();
    QApplication::processEvents();
    EXPECT_LE(view.LeftGrid()->BitmapWidth() + view.BoardGrid()->BitmapWidth(), screen.width() + 64)
        << size;
    EXPECT_LE(view.TopGrid()->BitmapHeight() + view.BoardGrid()->BitmapHeight(),
              screen.height() + 64)
        << size;
  }
  EXPECT_LE(PeakResidentBytes() - peakBefore, 64L * 1024 * 1024);
}

// A fill type the generator does not have, pasted or stored, must not make
// New fail in that slot for ever.
TEST_F(Commands, NewWorksAfterAPastedCodeWithAnotherFillType) {
  StartWindow();
  Action("aCopyToClipboardAsText")->trigger();
  const std::string code = QApplication::clipboard()->text().toStdString();
  const TBytes inflated = DecompressBytes(HexToBytes(code.substr(8)));
  std::string json(inflated.begin(), inflated.end());
  const std::size_t at = json.find("\"RandomFillType\": 0");
  ASSERT_NE(at, std::string::npos);
  json.replace(at, 19, "\"RandomFillType\": 3");
  QApplication::clipboard()->setText(QString::fromStdString(StateCodeOfJson(json)));
  Action("aPaste")->trigger();
  EXPECT_EQ(Puzzle().RandomFillType(), 0);

  Answer = maYes;
  const Picture before = SolutionOf(Puzzle());
  Action("aNew")->trigger();
  Restart();
  Action("aNew")->trigger();
  for (const TMessageBoxRequest& box : Boxes) EXPECT_FALSE(box.Kinds & mkError) << box.Text;
  EXPECT_NE(SolutionOf(Puzzle()), before);
}

// A solved slot that is started over, or pasted into, holds a game being
// played again: New must ask before throwing it away.
TEST_F(Commands, StartOverAndPasteMakeASolvedSlotAskBeforeNew) {
  StartWindow();
  Action("aCopyToClipboardAsText")->trigger();
  const QString code = QApplication::clipboard()->text();
  Answer = maYes;
  const std::function<void()> afterSolving[] = {
      [this] { Action("aStartOver")->trigger(); },
      [this, code] {
        QApplication::clipboard()->setText(code);
        Action("aPaste")->trigger();
      },
  };
  for (const auto& step : afterSolving) {
    FillSolution();
    Key(Window.get(), Qt::Key_C);
    ASSERT_EQ(Current().Status(), stSolved);
    step();
    EXPECT_EQ(Current().Status(), stPlaying);
    Stroke({{0, 0}});
    const Picture player = PlayerOf(Puzzle());
    Boxes.clear();
    Answer = maNo;
    Key(Window.get(), Qt::Key_N);
    EXPECT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(PlayerOf(Puzzle()), player);
    Answer = maYes;
  }
}

// F1 while the solved board pulses once read the pulsing cells as empty,
// flashed, and marked the game "checked OK", so New asked again.
TEST_F(Commands, CheckDuringTheCelebrationLeavesStatusAndPulseAlone) {
  StartWindow();
  FillSolution();
  const int filled = CountPlayer(Puzzle(), psFilled);
  Key(Window.get(), Qt::Key_C);
  ASSERT_TRUE(QTest::qWaitFor([this] { return Window->PulseOffset() >= 6; }, 2000));
  // The pulse stays running, but takes no step on its own during the checks.
  Window->tCongrats()->setInterval(3600 * 1000);
  Window->tCongrats()->start();
  ASSERT_EQ(CountShown(Current().View(), psAllCorrect), filled);
  const int offset = Window->PulseOffset();
  const TColor colour = Window->PulseColor();

  Key(Window.get(), Qt::Key_F1);
  Action("aCheck1")->trigger();
  EXPECT_EQ(Current().Status(), stSolved);
  EXPECT_TRUE(Window->tCongrats()->isActive());
  EXPECT_TRUE(Window->Celebrating());
  EXPECT_EQ(CountShown(Current().View(), psCorrect), 0);
  EXPECT_FALSE(Action("aCheck")->isEnabled());
  Window->tCongrats()->stop();
  // The next pulse step goes on from where the pulse was.
  EXPECT_EQ(Window->PulseOffset(), offset);
  EXPECT_EQ(Window->PulseColor(), colour);
  Window->tCongratsTimer();
  EXPECT_EQ(std::abs(Window->PulseOffset() - offset), 2);
  EXPECT_EQ(CountShown(Current().View(), psAllCorrect), filled);

  Key(Window.get(), Qt::Key_N);
  EXPECT_TRUE(Boxes.empty());
}

TEST_F(Commands, CopyAsImageOfATenByTenGameAtTwentyPixels) {
  StartWindow();
  // Three clue positions each way; zoomed, so the view keeps its 20-px cells.
  const std::string full = "##.##.##..", none = "..........";
  TNonoGame game(10, 10);
  game.LoadSolutionGrid(LettersOf({full, full, none, full, full, none, full, full, none, none}));
  game.SetGameState(vfZoomed);
  QApplication::clipboard()->setText(QString::fromStdString(GameStateText("10x10", game, 20, 20)));
  Action("aPaste")->trigger();
  ASSERT_EQ(Current().View().BoardGrid()->CellWidth(), 20);

  Action("aCopyToClipboardAsImage")->trigger();
  const QImage image = QApplication::clipboard()->image();
  EXPECT_EQ(image.size(), QSize(307, 307));
}
