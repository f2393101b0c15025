// The real main window as assistive technology sees it: a frame named by the
// product and the size, buttons that name their shortcuts, the shown board as
// a table whose cells are renamed, with a change event, by a click and by
// Undo, and the news line a screen reader speaks without moving the focus.
#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "app/announcer.h"
#include "main_window_harness.h"
#include "persistence/game_settings.h"
#include "support/accessibility_recorder.h"
#include "support/accessible_names.h"
#include "text/lang_helper.h"
#include "util/app_environment.h"

using namespace test_support;

namespace {

using WindowAccessible = MainWindowTest;

// The name is read out again after every dialog: no version, no counts.
TEST_F(WindowAccessible, TheWindowIsAFrameNamedByTheProductAndTheSize) {
  StartWindow();
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(Window.get());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->role(), QAccessible::Window);
  EXPECT_EQ(window->text(QAccessible::Name).toStdString(), "TAVELO - " + Current().Name());
  SwitchTo("5x5");
  EXPECT_EQ(window->text(QAccessible::Name).toStdString(), "TAVELO - 5x5");

  // The bar's notes say what they show: the time, the grade in words.
  QAccessibleInterface* clock = QAccessible::queryAccessibleInterface(Window->lClock());
  EXPECT_EQ(clock->text(QAccessible::Name), "0:00");
  EXPECT_EQ(clock->text(QAccessible::Description).toStdString(), TextFor(ttnTimePlayed));
  auto* grade = Window->findChild<QLabel*>("lGrade");
  ASSERT_NE(grade, nullptr);
  const QString gradeName = QAccessible::queryAccessibleInterface(grade)->text(QAccessible::Name);
  EXPECT_TRUE(gradeName.endsWith(grade->toolTip())) << gradeName.toStdString();
  EXPECT_FALSE(gradeName.contains(QChar(0x2605))) << gradeName.toStdString();

  const std::pair<const char*, QString> buttons[] = {
      {"bNew", "Shortcut: N"},
      {"bCheck", "Shortcut: C"},
      {"bUndo", "Shortcut: Ctrl+Z"},
      {"bRedo", "Shortcut: Ctrl+Shift+Z"},
      {"bStartOver", "Shortcut: Ctrl+R"},
  };
  for (const auto& [name, description] : buttons) {
    auto* button = Window->findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    EXPECT_EQ(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Description),
              description)
        << name;
  }
}

TEST_F(WindowAccessible, AClickAndUndoRenameTheCellOfTheShownBoard) {
  StartWindow();
  Puzzle().StartOver();
  TframeGrid& view = Current().View();
  AccessibilityRecorder reader;

  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(view.pbBoard());
  ASSERT_NE(table, nullptr);
  view.RepaintAll();
  const std::vector<QAccessible::Event> named{QAccessible::NameChanged};
  EXPECT_TRUE(reader.Take(view.pbBoard(), named).empty());
  ASSERT_NE(table->tableInterface(), nullptr);
  EXPECT_EQ(table->tableInterface()->rowCount(), Puzzle().Height());
  EXPECT_EQ(table->tableInterface()->columnCount(), Puzzle().Width());
  QAccessibleInterface* cell = table->tableInterface()->cellAt(1, 2);
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->text(QAccessible::Name), "empty");
  const QString rowClue = cell->tableCellInterface()->rowHeaderCells()[0]->text(QAccessible::Name);
  EXPECT_TRUE(rowClue.startsWith("Row 2 clue: ")) << rowClue.toStdString();

  const QPoint at = view.pbBoard()->mapFromGlobal(cell->rect().center());
  QTest::mouseClick(view.pbBoard(), Qt::LeftButton, Qt::NoModifier, at);
  QApplication::processEvents();
  EXPECT_EQ(cell->text(QAccessible::Name), "filled");
  const int index = 1 * Puzzle().Width() + 2;
  using Sent = std::vector<std::pair<QAccessible::Event, int>>;
  EXPECT_EQ(reader.Take(view.pbBoard(), named), (Sent{{QAccessible::NameChanged, index}}));

  Window->findChild<QPushButton*>("bUndo")->click();
  QApplication::processEvents();
  EXPECT_EQ(cell->text(QAccessible::Name), "empty");
  EXPECT_EQ(reader.Take(view.pbBoard(), named), (Sent{{QAccessible::NameChanged, index}}));
}

TEST_F(WindowAccessible, TheGameMenuAndEachOfItsItemsAreNamed) {
  StartWindow();
  AccessibilityRecorder reader;
  Window->bGame()->click();
  QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(Window->pmGame());
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->text(QAccessible::Name).toStdString(), TextFor(ttnGame1));
  EXPECT_EQ(NamelessControls(Window->pmGame()), "");
  // The slot items tell which size is showing.
  int checked = 0;
  for (int i = 0; i < menu->childCount(); ++i)
    if (menu->child(i)->state().checked) {
      ++checked;
      EXPECT_EQ(menu->child(i)->text(QAccessible::Name).toStdString(), Current().Name());
    }
  EXPECT_EQ(checked, 1);
  Window->pmGame()->hide();
}

// What the board shows only as a flash, a shake, a pulse or a passing
// sentence reaches a screen reader through the news line: a notification
// whose name is the news, shown anew for each piece of news, a repeated one
// too. Its news lasts as long as its board: during Nightmare's box it tells
// the end of the game, on the next puzzle nothing.
TEST_F(WindowAccessible, CheckHintCelebrationAndNightmareAreAnnounced) {
  StartWindow();
  Restart();  // past the first run, whose new puzzles are the built-in pictures
  Puzzle().StartOver();
  AccessibilityRecorder reader;
  QWidget* line = Window->lAnnounce();
  QAccessibleInterface* status = QAccessible::queryAccessibleInterface(line);
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->role(), QAccessible::Notification);
  EXPECT_FALSE(status->state().invisible);
  const auto cellOf = [&](TPieceState wanted) {
    for (int y = 0; y < Puzzle().Height(); ++y)
      for (int x = 0; x < Puzzle().Width(); ++x)
        if (Puzzle().SolutionState(x, y) == wanted) return std::pair{x, y};
    return std::pair{-1, -1};
  };
  // The news since the last call: the line's name, once per showing.
  const auto news = [&] {
    std::vector<std::string> told;
    for (const auto& event : reader.Take(line, {QAccessible::ObjectShow})) {
      (void)event;
      told.push_back(status->text(QAccessible::Name).toStdString());
    }
    return told;
  };
  using Told = std::vector<std::string>;
  const auto check = [&] { Window->findChild<QPushButton*>("bCheck")->click(); };

  const auto [fx, fy] = cellOf(psFilled);
  Stroke({{fx, fy}});
  check();
  EXPECT_EQ(news(), Told{TextFor(ttnAnnounceNoMistakes)});
  check();
  EXPECT_EQ(news(), Told{TextFor(ttnAnnounceNoMistakes)});

  const auto [ex, ey] = cellOf(psEmpty);
  Stroke({{ex, ey}});
  check();
  EXPECT_EQ(news(), Told{TextFor(ttnAnnounceMistake)});

  Action("aHint")->trigger();
  ASSERT_FALSE(Window->lHint()->text().isEmpty());
  EXPECT_EQ(news(), Told{Window->lHint()->text().toStdString()});

  Puzzle().StartOver();
  FillSolution();
  check();
  EXPECT_EQ(news(), Told{TextFor(ttnAnnounceSolved)});
  Window->tCongrats()->stop();
  Window->StopCelebration();
  EXPECT_EQ(status->text(QAccessible::Name), "");

  Window->GameSettings().SetGameMode(gmNightmare);
  Current().View().SetInputEnabled(true);
  // Through the slot, which leaves the solved status with the board.
  Current().StartOver();
  Stroke({{ex, ey}});
  std::string duringBox;
  OnBox = [&](const TMessageBoxRequest&) {
    duringBox = status->text(QAccessible::Name).toStdString();
  };
  check();
  OnBox = {};
  EXPECT_EQ(duringBox, TextFor(ttnBoom));
  EXPECT_FALSE(reader.Take(line, {QAccessible::ObjectShow}).empty());
  // The next puzzle has no news yet.
  EXPECT_EQ(status->text(QAccessible::Name), "");
}

// When the board takes the keyboard (the window's start, the end of a
// dialog) the player hears one line: the size, the filled count, the keys.
TEST_F(WindowAccessible, TheBoardSaysItsSizeAndKeysAfterADialog) {
  StartWindow();
  Puzzle().StartOver();
  Stroke({{0, 0}});
  AccessibilityRecorder reader;
  QAccessibleInterface* status = QAccessible::queryAccessibleInterface(Window->lAnnounce());
  const TPuzzleStatus counts = Puzzle().GetStatus();
  const std::string intro = TextFor(ttnBoardIntro);
  QString expected = QString::fromStdString(intro)
                         .arg(Puzzle().Width())
                         .arg(Puzzle().Height())
                         .arg(counts.PlayerFilled)
                         .arg(counts.SolutionFilled);
  QTimer::singleShot(0, [] {
    if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
  });
  Action("aAbout")->trigger();
  QApplication::processEvents();
  EXPECT_EQ(reader.Take(Window->lAnnounce(), {QAccessible::ObjectShow}).size(), 1u);
  EXPECT_EQ(status->text(QAccessible::Name), expected);
  EXPECT_TRUE(expected.startsWith(
      QString("%1 by %2 board, 1 of ").arg(Puzzle().Width()).arg(Puzzle().Height())))
      << expected.toStdString();
}

TEST_F(WindowAccessible, TheBoardLookReachesEverySlotAndSurvivesARestart) {
  StartWindow();
  Window->GameSettings().SetBoardLook(blHighContrastDark);
  Window->ApplySettings();
  const TBoardPalette dark = BoardPaletteOfLook(blHighContrastDark);
  for (TSlot* game : Window->Shelf().Items()) {
    EXPECT_EQ(game->View().Look(), blHighContrastDark) << game->Name();
    EXPECT_TRUE(game->View().Palette() == dark) << game->Name();
  }
  EXPECT_EQ(Window->pBoard()->palette().color(QPalette::Window), QColor(Qt::black));
  // The clock and the hint's sentence stay readable on it.
  EXPECT_EQ(Window->lClock()->palette().color(QPalette::WindowText), QColor(Qt::white));
  EXPECT_EQ(Window->lHint()->palette().color(QPalette::WindowText), QColor(Qt::white));

  Restart();
  EXPECT_EQ(Window->GameSettings().BoardLook(), blHighContrastDark);
  EXPECT_EQ(Current().View().Look(), blHighContrastDark);
  EXPECT_TRUE(Current().View().Palette() == dark);
}

}  // namespace
