// The game window: first start, restart, switching, caption, the button bar
// on every edge, a damaged settings file and an unusable settings folder.
#include <sys/stat.h>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <chrono>
#include <fstream>

#include "main_window_harness.h"
#include "persistence/app_settings.h"
#include "persistence/game_settings.h"
#include "support/file_size_limit.h"
#include "support/scoped_env.h"
#include "text/lang_helper.h"
#include "util/color.h"
#include "util/text_reading.h"

using namespace test_support;

namespace {

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace

namespace {

struct SlotSnapshot {
  std::string Name;
  Picture Solution, Player;
  int CellWidth, CellHeight;
  bool operator==(const SlotSnapshot&) const = default;
};

// Every slot's boards and cell size. The shown slot's cells are fitted to the
// window again at every start, so only the hidden slots' sizes are compared.
std::vector<SlotSnapshot> Snapshot(const TfrmMain& window) {
  std::vector<SlotSnapshot> result;
  for (TSlot* g : window.Shelf().Items()) {
    const bool shown = g == window.CurrentGame();
    result.push_back({g->Name(), SolutionOf(g->Puzzle()), PlayerOf(g->Puzzle()),
                      shown ? 0 : g->View().BoardGrid()->CellWidth(),
                      shown ? 0 : g->View().BoardGrid()->CellHeight()});
  }
  return result;
}

}  // namespace

using MainWindow = MainWindowTest;

TEST_F(MainWindow, FirstStartCreatesTheDefaultSlotsAndSavesInOrder) {
  StartWindow();
  EXPECT_TRUE(Window->FirstRun());
  EXPECT_EQ(SlotNames(), (std::vector<std::string>{"3x3", "5x5", "10x10", "15x15", "20x20"}));
  EXPECT_EQ(Current().Name(), "10x10");
  EXPECT_EQ(Current().View().parentWidget(), Window->pBoard());
  // The row of buttons with the clock and the grade after it, and a button's
  // width to spare.
  const int notes =
      8 + Window->ClockSize().width() + 8 + Window->findChild<QLabel*>("lGrade")->width();
  EXPECT_EQ(Window->width(), 790 + 125 + notes);
  EXPECT_EQ(Window->minimumWidth(), 822 + 8 + Window->ClockSize().width());
  EXPECT_EQ(Window->pButtons()->geometry().bottom(), Window->height() - 1);
  EXPECT_EQ(Window->pButtons()->height(), 41);
  EXPECT_TRUE(Window->pPleaseWait()->isHidden());
  EXPECT_TRUE(Window->bGame()->isEnabled());
  EXPECT_TRUE(Boxes.empty());
  // First-run puzzles are the built-in pictures: solved by line logic and
  // filled to the target.
  EXPECT_EQ(Puzzle().SolutionFilled(), 50);

  const int width = Window->width();
  const int height = Window->height();
  CloseWindow();
  std::vector<std::string> keys;
  for (const std::string& line : IniLines()) keys.push_back(KeyOf(line));
  EXPECT_EQ(keys,
            (std::vector<std::string>{"drawhottrackcounters", "drawhottrackboard", "drawcellspos",
                                      "frmMain.formpos.x", "frmMain.formpos.y",
                                      "frmMain.formsize.w", "frmMain.formsize.h", "state",
                                      "active_game", "butonsposition", "gamemode", "language"}));
  const std::vector<std::string> lines = IniLines();
  const std::string state = lines[7].substr(6);
  EXPECT_EQ(std::count(state.begin(), state.end(), '|'), 4);
  EXPECT_EQ(lines[8], "active_game=10x10");
  EXPECT_EQ(lines[5], "frmMain.formsize.w=" + std::to_string(width));
  EXPECT_EQ(lines[6], "frmMain.formsize.h=" + std::to_string(height));
}

TEST_F(MainWindow, RestartRestoresEveryBoardCellSizeAndTheActiveSlot) {
  StartWindow();
  Stroke({{0, 0}, {1, 0}, {2, 0}});
  Stroke({{4, 4}}, Qt::RightButton);
  SwitchTo("5x5");
  Stroke({{1, 1}, {1, 2}});
  const std::vector<SlotSnapshot> before = Snapshot(*Window);
  const int shownCell = Current().View().BoardGrid()->CellWidth();

  CloseWindow();
  // The shown slot's cell size is stored too.
  const std::vector<std::string> lines = IniLines();
  EXPECT_EQ(ParseGameState(SplitText(lines[7].substr(6), "|")[1]).cw, shownCell);
  StartWindow();
  EXPECT_FALSE(Window->FirstRun());
  EXPECT_EQ(Current().Name(), "5x5");
  EXPECT_EQ(Snapshot(*Window), before);
  EXPECT_EQ(PlayerOf(Puzzle())[1], ".#...");
  EXPECT_TRUE(Boxes.empty());

  // Playing on after a restart survives the next one too.
  Stroke({{3, 3}});
  const std::vector<SlotSnapshot> after = Snapshot(*Window);
  EXPECT_NE(after, before);
  Restart();
  EXPECT_EQ(Snapshot(*Window), after);
}

TEST_F(MainWindow, GameMenuSwitchesSlots) {
  StartWindow();
  TframeGrid* tenView = &Current().View();
  SwitchTo("20x20");
  EXPECT_EQ(Current().Name(), "20x20");
  EXPECT_EQ(Window->Shelf().Shown()->Name(), "20x20");
  EXPECT_EQ(Current().View().parentWidget(), Window->pBoard());
  EXPECT_TRUE(Current().View().isVisible());
  EXPECT_EQ(tenView->parentWidget(), nullptr);
  EXPECT_TRUE(Window->windowTitle().contains(" - 20x20 - "));
  EXPECT_TRUE(MenuItem("20x20")->isChecked());
  EXPECT_FALSE(MenuItem("10x10")->isChecked());
  EXPECT_FALSE(Window->SelectSlotByName("7x7"));
  EXPECT_EQ(Current().Name(), "20x20");
}

// The window is busy from the first scope to the end of the last, however a
// scope ends; afterwards the commands follow the shown slot again (a default
// size cannot be removed, Undo waits for a move).
TEST_F(MainWindow, BusyHoldsTheCommandsUntilTheLastScopeEndsHoweverItEnds) {
  StartWindow();
  QPushButton* game = Window->findChild<QPushButton*>("bGame");
  const auto held = [&] {
    return Window->Busy() && Current().View().Busy() && !game->isEnabled() &&
           !Action("aNew")->isEnabled() && !Action("aPaste")->isEnabled();
  };
  const std::function<void()> ends[] = {
      [&] {
        const TBusyScope busy(Window->BusyState());
        EXPECT_TRUE(held());
      },
      [&] {
        const TBusyScope outer(Window->BusyState());
        { const TBusyScope inner(Window->BusyState()); }
        EXPECT_TRUE(held());
      },
      [&] {
        try {
          const TBusyScope busy(Window->BusyState());
          throw std::runtime_error("work failed");
        } catch (const std::runtime_error&) {
        }
      },
  };
  for (const auto& end : ends) {
    end();
    EXPECT_FALSE(Window->Busy());
    EXPECT_FALSE(Current().View().Busy());
    EXPECT_TRUE(game->isEnabled());
    EXPECT_TRUE(Action("aNew")->isEnabled());
    EXPECT_FALSE(Action("aRemoveSize")->isEnabled());
    EXPECT_FALSE(Action("aUndo")->isEnabled());
  }
}

TEST_F(MainWindow, ASizeWithSmallCellsGrowsTheWindowWithinTheScreen) {
  StartWindow();
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  Window->resize(915, 400);
  QApplication::processEvents();
  SwitchTo("20x20");
  EXPECT_GE(Current().View().BoardGrid()->CellWidth(), 18);
  EXPECT_GT(Window->height(), 400);
  EXPECT_TRUE(area.contains(Window->frameGeometry())) << Window->frameGeometry().y();
}

// A window grown for a big board goes back to the player's size for a board
// that fits it; a size set by hand is the slot's own and survives a restart.
TEST_F(MainWindow, TheWindowGoesBackToThePlayersSizeAfterABigBoard) {
  TNonoGame big(128, 128);
  Picture busy;
  for (int y = 0; y < 128; ++y) {
    std::string row;
    for (int x = 0; x < 128; ++x) row += (x / 2 + y) % 3 == 0 ? '#' : '.';
    busy.push_back(row);
  }
  big.LoadSolutionGrid(LettersOf(busy));
  const TNonoGame three(3, 3);
  WriteIni(
      {"state=" + GameStateText("3x3", three, 20, 20) + "|" + GameStateText("128x128", big, 20, 20),
       "active_game=3x3"});
  StartWindow();
  Window->resize(900, 500);
  QApplication::processEvents();

  SwitchTo("128x128");
  EXPECT_GT(Window->height(), 500);
  SwitchTo("3x3");
  EXPECT_EQ(Window->size(), QSize(900, 500));
  EXPECT_GT(Current().View().BoardGrid()->CellWidth(), 60);

  // Set by hand on the big board: kept there, not grown past, not taken by
  // the small board, which has a size of its own.
  SwitchTo("128x128");
  Window->resize(1000, 600);
  QApplication::processEvents();
  SwitchTo("3x3");
  EXPECT_EQ(Window->size(), QSize(900, 500));
  SwitchTo("128x128");
  EXPECT_EQ(Window->size(), QSize(1000, 600));

  Restart();
  EXPECT_EQ(Current().Name(), "128x128");
  EXPECT_EQ(Window->size(), QSize(1000, 600));
  SwitchTo("3x3");
  EXPECT_EQ(Window->size(), QSize(900, 500));
}

TEST_F(MainWindow, SolvedSlotCelebratesAgainOnSwitching) {
  StartWindow();
  SwitchTo("5x5");
  FillSolution();
  SwitchTo("10x10");
  EXPECT_FALSE(Window->tCongrats()->isActive());
  SwitchTo("5x5");
  EXPECT_TRUE(Window->tCongrats()->isActive());
  EXPECT_EQ(Current().Status(), stSolved);
  EXPECT_FALSE(Action("aCheck")->isEnabled());
}

TEST_F(MainWindow, CaptionFollowsTheFilledCountsAndChangesOnlyWhenItsTextDoes) {
  StartWindow();
  const std::string prefix = GetVersionString(false) + " - 10x10 - ";
  EXPECT_EQ(Window->windowTitle().toStdString(), prefix + "0 / 50");
  Stroke({{0, 0}, {1, 0}});
  EXPECT_EQ(Window->windowTitle().toStdString(), prefix + "2 / 50");
  QSignalSpy titles(Window.get(), &QWidget::windowTitleChanged);
  Stroke({{5, 5}}, Qt::RightButton);  // a cross changes no count
  Window->UpdateCaption();
  EXPECT_EQ(titles.count(), 0);
  Stroke({{7, 7}});
  EXPECT_EQ(titles.count(), 1);
  Action("aUndo")->trigger();
  Action("aUndo")->trigger();
  EXPECT_EQ(Window->windowTitle().toStdString(), prefix + "2 / 50");
}

TEST_F(MainWindow, ButtonBarOnEveryEdge) {
  StartWindow();
  Window->resize(1200, 700);
  QApplication::processEvents();
  const auto dock = [this](TButtonsPosition edge) {
    Window->GameSettings().SetButtonsPosition(edge);
    Window->ApplyBarAndColors();
    Window->LayoutButtons();
  };
  QPushButton* game = Window->bGame();
  QPushButton* redo = Window->findChild<QPushButton*>("bRedo");

  dock(bpTop);
  EXPECT_EQ(Window->pButtons()->geometry(), QRect(0, 0, 1200, 41));
  EXPECT_EQ(Window->pBoard()->geometry(), QRect(0, 41, 1200, 659));
  EXPECT_EQ(Window->ButtonsExtent(), 790);
  EXPECT_EQ(game->pos(), QPoint(205, 8));
  EXPECT_EQ(redo->pos(), QPoint(205 + 5 * 133, 8));
  EXPECT_EQ(Window->minimumWidth(), 822 + 8 + Window->ClockSize().width());

  dock(bpLeft);
  EXPECT_EQ(Window->pButtons()->geometry(), QRect(0, 0, 141, 700));
  EXPECT_EQ(Window->pBoard()->geometry(), QRect(141, 0, 1059, 700));
  EXPECT_EQ(Window->ButtonsExtent(), 141);  // the bar's width before this layout
  EXPECT_EQ(game->pos(), QPoint(8, (700 - 190) / 2));
  EXPECT_EQ(redo->pos(), QPoint(8, (700 - 190) / 2 + 5 * 33));
  EXPECT_EQ(Window->minimumWidth(), 3 * 141 + 141 + 16);

  dock(bpRight);
  EXPECT_EQ(Window->pButtons()->geometry(), QRect(1059, 0, 141, 700));
  EXPECT_EQ(Window->pBoard()->geometry(), QRect(0, 0, 1059, 700));
  EXPECT_EQ(game->pos(), QPoint(8, 255));

  dock(bpBottom);
  EXPECT_EQ(Window->pButtons()->geometry(), QRect(0, 659, 1200, 41));
  EXPECT_EQ(Window->pBoard()->geometry(), QRect(0, 0, 1200, 659));
  EXPECT_EQ(Window->minimumWidth(), 822 + 8 + Window->ClockSize().width());

  // A hidden button leaves the row; the others close up around the centre.
  redo->hide();
  EXPECT_EQ(Window->LayoutButtons(), 790 - 133);
  EXPECT_EQ(game->pos(), QPoint((1200 - 657) / 2, 8));
}

TEST_F(MainWindow, ClockAndGradeFollowTheButtonsOnEveryEdge) {
  StartWindow();
  const QLabel* clock = Window->lClock();
  const QLabel* note = Window->findChild<QLabel*>("lGrade");
  ASSERT_NE(note, nullptr);
  ASSERT_EQ(clock->parentWidget(), Window->pButtons());
  QPushButton* game = Window->bGame();
  QPushButton* redo = Window->findChild<QPushButton*>("bRedo");
  const auto dock = [this](TButtonsPosition edge, int width, int height = 700) {
    Window->resize(width, height);
    QApplication::processEvents();
    Window->GameSettings().SetButtonsPosition(edge);
    Window->ApplyBarAndColors();
  };
  for (const TButtonsPosition edge : {bpBottom, bpLeft, bpTop, bpRight}) {
    SCOPED_TRACE(edge);
    dock(edge, 1200);
    ASSERT_TRUE(clock->isVisible());
    ASSERT_TRUE(note->isVisible());
    const QRect bar = Window->pButtons()->rect().adjusted(8, 0, -8, 0);
    EXPECT_TRUE(bar.contains(clock->geometry()));
    EXPECT_TRUE(bar.contains(note->geometry())) << note->geometry().x();
    if (edge == bpLeft || edge == bpRight) {
      EXPECT_GE(clock->y(), redo->geometry().bottom() + 8);
      EXPECT_GE(note->y(), clock->geometry().bottom() + 8);
      EXPECT_EQ(game->pos(), QPoint(8, (700 - 190) / 2));  // the column keeps its place
    } else {
      EXPECT_GE(clock->x(), redo->geometry().right() + 8);
      EXPECT_GE(note->x(), clock->geometry().right() + 8);
      EXPECT_EQ(game->pos(), QPoint(205, 8));  // the row keeps its place
    }
  }
  // Less room: the row moves back to make room for both.
  const int both = 790 + 8 + clock->width() + 8 + note->width() + 16;
  dock(bpBottom, both);
  EXPECT_TRUE(clock->isVisible());
  EXPECT_TRUE(note->isVisible());
  EXPECT_GE(clock->x(), redo->geometry().right() + 8);
  EXPECT_LE(note->geometry().right(), both - 8);
  EXPECT_LT(game->x(), (both - 790) / 2);
  // Still less: the grade gives way, the clock stays beside the buttons down
  // to the smallest width the window allows, on every edge.
  dock(bpBottom, both - 1);
  EXPECT_FALSE(note->isVisible());
  EXPECT_TRUE(clock->isVisible());
  dock(bpBottom, 400);
  EXPECT_EQ(Window->width(), Window->minimumWidth());
  EXPECT_TRUE(clock->isVisible());
  EXPECT_GE(clock->x(), redo->geometry().right() + 8);
  EXPECT_LE(clock->geometry().right(), Window->width() - 8);
  dock(bpLeft, 1200, 100);
  EXPECT_EQ(Window->height(), Window->minimumHeight());
  EXPECT_TRUE(clock->isVisible());
  EXPECT_GE(clock->y(), redo->geometry().bottom() + 8);
  EXPECT_LE(clock->geometry().bottom(), Window->height() - 8);
}

TEST_F(MainWindow, NewSlotsStartAtTheSettingsDifficulty) {
  WriteIni({"newdifficulty=1"});
  StartWindow();
  EXPECT_FALSE(Window->FirstRun());
  ASSERT_EQ(SlotNames().size(), 5u);
  for (TSlot* g : Window->Shelf().Items()) {
    EXPECT_EQ(g->Puzzle().Difficulty(), TDifficulty::Medium) << g->Name();
    EXPECT_EQ(g->Puzzle().FillPct(),
              DefaultFillPct(g->Puzzle().Width(), g->Puzzle().Height(), TDifficulty::Medium))
        << g->Name();
  }
  CloseWindow();
  std::vector<std::string> lines = IniLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "newdifficulty=1"), lines.end());
}

TEST_F(MainWindow, DamagedStoredGameLosesNothingElse) {
  StartWindow();
  Stroke({{2, 2}});
  SwitchTo("15x15");
  Stroke({{0, 0}});
  const std::vector<SlotSnapshot> played = Snapshot(*Window);
  CloseWindow();

  // Damage the second stored game (5x5) by changing one payload digit.
  std::vector<std::string> lines = IniLines();
  std::vector<std::string> codes = SplitText(lines[7].substr(6), "|");
  char& digit = codes[1][20];
  digit = digit == '0' ? '1' : '0';
  std::string state;
  for (std::size_t i = 0; i < codes.size(); ++i) state += (i ? "|" : "") + codes[i];
  lines[7] = "state=" + state;
  WriteIni(lines);
  const std::vector<std::string> damaged = IniLines();

  StartWindow();
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_NE(Boxes[0].Text.find(Window->DamagedCopy()), std::string::npos);
  // In plain words: what happened, which size got a new puzzle, where the file is.
  std::string renewed = TextFor(ttnSizesRenewed);
  renewed.replace(renewed.find("%s"), 2, "5x5");
  EXPECT_EQ(Boxes[0].Text, TextFor(ttnSavedGamesDamaged) + "\n\n" + renewed + "\n\n" +
                               TextFor(ttnDamagedCopyKept) + "\n" + Window->DamagedCopy());
  std::ifstream copy(Window->DamagedCopy(), std::ios::binary);
  std::stringstream copied;
  copied << copy.rdbuf();
  std::string original;
  for (const std::string& l : damaged) original += l + "\r\n";
  EXPECT_EQ(copied.str(), original);

  // Every game that passed its check is back, the lost size is new, and the
  // active slot is the one of the last shutdown.
  EXPECT_EQ(SlotNames(), (std::vector<std::string>{"3x3", "10x10", "15x15", "20x20", "5x5"}));
  EXPECT_EQ(Current().Name(), "15x15");
  // The menu lists the sizes smallest first all the same.
  Window->bGame()->click();
  std::vector<std::string> menu;
  for (const QAction* item : Window->pmGame()->actions())
    if (item->isCheckable()) menu.push_back(item->text().remove('&').toStdString());
  Window->pmGame()->hide();
  EXPECT_EQ(menu, (std::vector<std::string>{"3x3", "5x5", "10x10", "15x15", "20x20"}));
  std::vector<SlotSnapshot> restored = Snapshot(*Window);
  EXPECT_EQ(restored[1], played[2]);
  EXPECT_EQ(restored[2], played[3]);

  // The program goes on normally and writes a whole file again.
  Stroke({{1, 1}});
  CloseWindow();
  lines = IniLines();
  ASSERT_EQ(KeyOf(lines[7]), "state");
  EXPECT_EQ(SplitText(lines[7].substr(6), "|").size(), 5u);
}

// Two ways a few damaged bytes hide every stored game: a broken key, and two
// bytes in place of the line break before "state", which merge it into the
// window height. Both keep a copy first and bring back every game.
TEST_F(MainWindow, StateLineThatCannotBeFoundLosesNoGame) {
  StartWindow();
  Stroke({{2, 2}});
  SwitchTo("15x15");
  Stroke({{0, 0}});
  const std::vector<SlotSnapshot> played = Snapshot(*Window);
  CloseWindow();
  const std::string good = FileBytes(IniPath());

  const std::pair<std::string, std::string> damages[] = {
      {"\r\nstate=", "\r\nstbte="},
      {"\r\nstate=", "\x01\x02state="},
      {"\r\nstate=", "\r\nnot a setting\r\nstate="},
  };
  for (const auto& [from, to] : damages) {
    std::string damaged = good;
    damaged.replace(damaged.find(from), from.size(), to);
    WriteIniBytes(damaged);
    Boxes.clear();
    StartWindow();
    ASSERT_EQ(Boxes.size(), 1u) << to;
    EXPECT_TRUE(Contains(Boxes[0].Text, Window->DamagedCopy()));
    EXPECT_TRUE(Contains(Boxes[0].Text, TextFor(ttnAllGamesRestored)));
    EXPECT_EQ(FileBytes(Window->DamagedCopy()), damaged);
    EXPECT_EQ(Snapshot(*Window), played) << to;
    EXPECT_EQ(Current().Name(), "15x15");
    EXPECT_GT(Window->height(), 100);
    CloseWindow();
    // A whole file again, with every game.
    const std::vector<std::string> lines = IniLines();
    const auto state = std::find_if(lines.begin(), lines.end(),
                                    [](const std::string& l) { return KeyOf(l) == "state"; });
    ASSERT_NE(state, lines.end());
    EXPECT_EQ(SplitText(state->substr(6), "|").size(), 5u);
    StartWindow();
    EXPECT_EQ(Snapshot(*Window), played);
    EXPECT_EQ(Boxes.size(), 1u);  // the file is sound again
    CloseWindow();
    WriteIniBytes(good);
  }
  // Each damage has its own copy.
  EXPECT_TRUE(std::filesystem::exists(SettingsFolder() / "app.ini.bad"));
  EXPECT_TRUE(std::filesystem::exists(SettingsFolder() / "app.ini.bad.1"));
  EXPECT_TRUE(std::filesystem::exists(SettingsFolder() / "app.ini.bad.2"));
}

// A file of settings alone, from before the first game was stored, is no
// damage: the slots start fresh and the settings stay.
TEST_F(MainWindow, SettingsWithoutGamesStartTheSlotsFresh) {
  for (const std::string settings : {"boardlook=1\r\n", "designer=2x2:#..#\r\n"}) {
    WriteIniBytes(settings);
    Boxes.clear();
    StartWindow();
    EXPECT_TRUE(Boxes.empty()) << settings;
    EXPECT_EQ(Window->Shelf().Count(), 5);
    CloseWindow();
    EXPECT_FALSE(std::filesystem::exists(SettingsFolder() / "app.ini.bad")) << settings;
    EXPECT_TRUE(Contains(FileBytes(IniPath()), settings)) << settings;
  }
}

// No copy of a damaged file can be written (a full disk): the player is
// told, and the file is overwritten only when the player says so at
// closing, or once a copy can be made then.
TEST_F(MainWindow, DamagedFileWithoutACopyIsNotOverwrittenUnasked) {
  StartWindow();
  CloseWindow();
  std::string damaged = FileBytes(IniPath());
  damaged.replace(damaged.find("\r\nstate="), 8, "\r\nstbte=");
  WriteIniBytes(damaged);
  {
    const FileSizeLimit disk(damaged.size() / 2);
    StartWindow();
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_TRUE(Contains(Boxes[0].Text, TextFor(ttnDamagedCopyFailed)));
    EXPECT_FALSE(Window->SaveBlocked().empty());
    EXPECT_EQ(Window->Shelf().Count(), 5);

    Answer = maCancel;
    Window->close();
    ASSERT_EQ(Boxes.size(), 2u);
    EXPECT_TRUE(Contains(Boxes[1].Text, TextFor(ttnReplaceUnsavedFile)));
    EXPECT_TRUE(Window->isVisible());
    EXPECT_EQ(AppPhase, apRunning);
    Stroke({{1, 1}});  // still playing

    Answer = maNo;
    CloseWindow();
    EXPECT_EQ(Boxes.size(), 3u);
    EXPECT_EQ(FileBytes(IniPath()), damaged);
    EXPECT_FALSE(std::filesystem::exists(SettingsFolder() / "app.ini.bad"));
  }
  // Room again: the copy is made at closing and the file written unasked.
  StartWindow();
  CloseWindow();
  EXPECT_EQ(FileBytes(SettingsFolder() / "app.ini.bad"), damaged);
  EXPECT_EQ(Boxes.size(), 4u);
  EXPECT_NE(FileBytes(IniPath()), damaged);
}

// A failed save at closing: Cancel keeps the window and every game in it,
// every later close asks again, Retry saves once it can, and closing without
// saving leaves the old file.
TEST_F(MainWindow, FailedSaveAtClosingOffersRetryAndCancel) {
  StartWindow();
  CloseWindow();
  const std::string before = FileBytes(IniPath());
  StartWindow();
  Stroke({{3, 3}});
  auto disk = std::make_unique<FileSizeLimit>(100);
  Answer = maCancel;
  // A close while the question is open (the system's, say) waits for it.
  OnBox = [this](const TMessageBoxRequest&) {
    if (Boxes.size() == 1) Window->close();
  };
  for (int close = 1; close <= 2; ++close) {
    if (close == 1)
      Action("aExit")->trigger();
    else
      Window->close();
    ASSERT_EQ(Boxes.size(), static_cast<std::size_t>(close));
    // The path and the system's reason, after the game's own words only.
    EXPECT_EQ(
        Boxes.back().Text.rfind(TextFor(ttnSaveFailed) + "\n\n" + IniPath().string() + "\n", 0), 0u)
        << Boxes.back().Text;
    EXPECT_TRUE(Boxes.back().Kinds & mkRetryDiscardCancel);
    EXPECT_TRUE(Window->isVisible());
    EXPECT_EQ(AppPhase, apRunning);
    EXPECT_EQ(PlayerOf(Puzzle())[3][3], '#');
    EXPECT_EQ(FileBytes(IniPath()), before);
  }
  Stroke({{4, 4}});

  Answer = maRetry;
  OnBox = [&disk](const TMessageBoxRequest&) { disk.reset(); };  // space freed meanwhile
  CloseWindow();
  EXPECT_EQ(Boxes.size(), 3u);
  OnBox = nullptr;
  StartWindow();
  EXPECT_EQ(PlayerOf(Puzzle())[3][3], '#');
  EXPECT_EQ(PlayerOf(Puzzle())[4][4], '#');

  Stroke({{5, 5}});
  const std::string saved = FileBytes(IniPath());
  disk = std::make_unique<FileSizeLimit>(100);
  Answer = maDiscard;
  CloseWindow();
  disk.reset();
  EXPECT_EQ(Boxes.size(), 4u);
  EXPECT_EQ(FileBytes(IniPath()), saved);
}

// Something else where app.ini belongs is refused at once (a FIFO would
// hang a plain open for ever); the game starts with the defaults and the
// thing stays as it was unless the player has it replaced.
TEST_F(MainWindow, SpecialFileInPlaceOfTheSettingsIsLeftAlone) {
  const struct {
    const char* Kind;
    std::function<void(const std::filesystem::path&)> Make;
    std::function<bool(const std::filesystem::path&)> Is;
  } kinds[] = {
      {"fifo", [](const std::filesystem::path& p) { mkfifo(p.c_str(), 0600); },
       [](const std::filesystem::path& p) { return std::filesystem::is_fifo(p); }},
      {"folder", [](const std::filesystem::path& p) { std::filesystem::create_directory(p); },
       [](const std::filesystem::path& p) { return std::filesystem::is_directory(p); }},
  };
  // Told in the player's language (the system's, as nothing can be read),
  // with the path.
  const test_support::ScopedEnv german("LC_ALL", "de_DE.UTF-8");
  for (const auto& kind : kinds) {
    std::filesystem::create_directories(SettingsFolder());
    kind.Make(IniPath());
    Boxes.clear();
    StartWindow();
    ASSERT_EQ(Boxes.size(), 1u) << kind.Kind;
    EXPECT_EQ(Boxes[0].Text, TextFor(ttnSettingsUnusable) + "\n\n" + IniPath().string() + "\n" +
                                 TextFor(ttnFileNotRegular));
    EXPECT_TRUE(Window->FirstRun());
    EXPECT_EQ(SlotNames(), (std::vector<std::string>{"3x3", "5x5", "10x10", "15x15", "20x20"}));
    Answer = maNo;
    CloseWindow();
    EXPECT_EQ(Boxes.size(), 2u);
    EXPECT_TRUE(kind.Is(IniPath())) << kind.Kind;
    std::filesystem::remove(IniPath());
  }
}

// The games of a session the system ended while app.ini could not be
// written wait in app.ini.unsaved: the next start names that file and, when
// the player agrees, plays on with them; once app.ini has been written
// after it, nothing is asked.
TEST_F(MainWindow, GamesKeptBesideTheSettingsAreOfferedAtTheNextStart) {
  StartWindow();
  CloseWindow();
  const std::filesystem::path unsaved = SettingsFolder() / "app.ini.unsaved";
  std::string bytes = FileBytes(IniPath());
  const std::size_t at = bytes.find("active_game=10x10");
  ASSERT_NE(at, std::string::npos);
  bytes.replace(at, 17, "active_game=5x5");
  const auto old = std::filesystem::last_write_time(IniPath()) - std::chrono::hours(1);
  std::filesystem::last_write_time(IniPath(), old);

  const struct {
    TMessageAnswer Answer;
    const char* Shown;
  } cases[] = {{maNo, "10x10"}, {maYes, "5x5"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Shown);
    std::ofstream(unsaved, std::ios::binary) << bytes;
    std::filesystem::last_write_time(IniPath(), old);
    Boxes.clear();
    Answer = c.Answer;
    StartWindow();
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_TRUE(Contains(Boxes[0].Text, unsaved.string())) << Boxes[0].Text;
    EXPECT_EQ(Current().Name(), c.Shown);
    CloseWindow();
    EXPECT_TRUE(std::filesystem::exists(unsaved));
  }
  Boxes.clear();
  StartWindow();
  EXPECT_EQ(Boxes.size(), 0u);
  EXPECT_EQ(Current().Name(), "5x5");
}

// Beyond the most stored games read, the file goes the damaged way: a copy,
// a message, and only the first games restored.
TEST_F(MainWindow, TooManyStoredGamesAreNotAllRead) {
  // Stored games of the sizes 1x2, 2x2, ... one more than are read.
  std::string state;
  for (int i = 1; i <= kMaxStoredSlots + 1; ++i) {
    const TNonoGame game(i, 2);
    state += (i > 1 ? "|" : "") + GameStateText(SlotName(i, 2), game, 20, 20);
  }
  WriteIni({"state=" + state, "active_game=2x2"});
  StartWindow();
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_TRUE(std::filesystem::exists(Window->DamagedCopy()));
  ASSERT_EQ(Window->Shelf().Count(), kMaxStoredSlots + 5);
  EXPECT_EQ(Window->Shelf()[kMaxStoredSlots - 1]->Name(), SlotName(kMaxStoredSlots, 2));
  EXPECT_EQ(Window->Shelf().FindByName(SlotName(kMaxStoredSlots + 1, 2)), nullptr);
  EXPECT_EQ(Current().Name(), "2x2");
}

TEST_F(MainWindow, SettingsFolderThatCannotBeCreatedEndsCleanly) {
  // A file where the configuration folder should be.
  const std::string blocker = Folder + "/file";
  std::ofstream(blocker) << "x";
  setenv("XDG_CONFIG_HOME", blocker.c_str(), 1);
  TfrmMain window;
  EXPECT_FALSE(window.FormCreate());
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_NE(Boxes[0].Text.find("[1] Cannot create directory"), std::string::npos);
}

TEST_F(MainWindow, DarkSystemThemeGivesTheDarkBoardArea) {
  setenv("GTK_THEME", "Adwaita:dark", 1);
  StartWindow();
  unsetenv("GTK_THEME");
  EXPECT_EQ(ThemeMode, 1);
  const QColor board = Window->pBoard()->palette().color(QPalette::Window);
  EXPECT_EQ(board, QColor(33, 33, 36));
  const TColor bar = ColorToRGB(ShiftColor(0x242121, -20));
  EXPECT_EQ(Window->pButtons()->palette().color(QPalette::Window),
            QColor(bar & 0xFF, (bar >> 8) & 0xFF, (bar >> 16) & 0xFF));
  EXPECT_EQ(Current().View().Palette()[prBoardArea], 0x242121u);
}

// Stored window bounds are whatever the file says: they are fitted to the
// screen (whole window visible, at least its smallest size), and the fitted
// bounds are what the next shutdown stores.
TEST_F(MainWindow, StoredWindowBoundsAreFittedToTheScreenAndStoredFitted) {
  StartWindow();
  CloseWindow();
  const std::vector<std::string> saved = IniLines();
  const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
  struct Case {
    int x, y, w, h;
  };
  const Case cases[] = {
      {100, 80, 900, 700},        // fits: kept as it is
      {0, 0, 30000, 30000},       // larger than any screen
      {0, 200, 900, 2147483647},  // bottom beyond the range of int
      {-2147483647, -2147483647, 900, 700},
      {2147483647, 2147483647, 2147483647, 2147483647},
      {100, 80, 0, 0},  // no size at all
      {100, 80, -500, -500},
      {room.right() - 10, room.bottom() - 10, 900, 700},  // mostly off the screen
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y) + " " + std::to_string(c.w) + "x" +
                 std::to_string(c.h));
    std::vector<std::string> lines = saved;
    for (std::string& line : lines) {
      const std::string key = KeyOf(line);
      if (key == "frmMain.formpos.x") line = key + "=" + std::to_string(c.x);
      if (key == "frmMain.formpos.y") line = key + "=" + std::to_string(c.y);
      if (key == "frmMain.formsize.w") line = key + "=" + std::to_string(c.w);
      if (key == "frmMain.formsize.h") line = key + "=" + std::to_string(c.h);
    }
    WriteIni(lines);
    StartWindow();
    const QRect shown = Window->geometry();
    const QRect frame = Window->frameGeometry();
    EXPECT_TRUE(room.contains(frame))
        << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
    EXPECT_GE(shown.width(), Window->minimumWidth());
    EXPECT_GE(shown.height(), Window->minimumHeight());
    EXPECT_GE(Window->minimumHeight(), Window->pButtons()->height() + 100);
    if (&c == &cases[0]) {
      EXPECT_EQ(shown, QRect(100, 80, 900, 700));
    }
    // A window the game grew for readable cells is stored at the size it had
    // before.
    const QSize players = Window->PlayerSizes().Last();
    CloseWindow();
    std::vector<std::string> stored;
    for (const std::string& line : IniLines())
      if (KeyOf(line).rfind("frmMain.", 0) == 0) stored.push_back(line);
    EXPECT_EQ(stored,
              (std::vector<std::string>{"frmMain.formpos.x=" + std::to_string(shown.x()),
                                        "frmMain.formpos.y=" + std::to_string(shown.y()),
                                        "frmMain.formsize.w=" + std::to_string(players.width()),
                                        "frmMain.formsize.h=" + std::to_string(players.height())}));
  }
}

// Slots are found by the size of what is pasted into them, so a stored slot
// whose name is not its size (a hand-edited file) is damaged data: it goes
// the way of any damaged game, and a paste of its size lands in a real slot.
TEST_F(MainWindow, StoredGameNamedAfterAnotherSizeIsRefusedAtLoad) {
  StartWindow();
  CloseWindow();
  std::vector<std::string> lines = IniLines();
  std::vector<std::string> codes = SplitText(lines[7].substr(6), "|");
  TNonoGame six(6, 6);
  six.LoadSolutionGrid(LettersOf(Picture(6, "#.#.#.")));
  codes[1] = GameStateText("5x5", six, 20, 20);  // the 5x5 slot holds a 6 x 6 game
  std::string state;
  for (std::size_t i = 0; i < codes.size(); ++i) state += (i ? "|" : "") + codes[i];
  lines[7] = "state=" + state;
  WriteIni(lines);

  StartWindow();
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_FALSE(Window->DamagedCopy().empty());
  EXPECT_EQ(SlotNames().size(), 5u);
  for (TSlot* game : Window->Shelf().Items())
    EXPECT_EQ(game->Name(), std::to_string(game->Puzzle().Width()) + "x" +
                                std::to_string(game->Puzzle().Height()));

  // A 5 x 5 code is pasted into the 5x5 slot as it should.
  TNonoGame five(5, 5);
  five.LoadSolutionGrid(LettersOf(Picture(5, "##.##")));
  QApplication::clipboard()->setText(QString::fromStdString(GameStateText("5x5", five, 20, 20)));
  Action("aPaste")->trigger();
  EXPECT_EQ(Current().Name(), "5x5");
  EXPECT_EQ(SolutionOf(Puzzle()), SolutionOf(five));
}
