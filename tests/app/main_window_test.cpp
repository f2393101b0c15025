// The game window: first start, restart, switching, caption, the button bar
// on every edge, a damaged settings file and an unusable settings folder.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>

#include "main_window_harness.h"
#include "persistence/app_settings.h"
#include "persistence/game_settings.h"
#include "util/utils.h"

using namespace test_support;

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
  for (TGame* g : window.Games().Items()) {
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
  EXPECT_EQ(Window->width(), 915);
  EXPECT_EQ(Window->minimumWidth(), 822);
  EXPECT_EQ(Window->pButtons()->geometry().bottom(), Window->height() - 1);
  EXPECT_EQ(Window->pButtons()->height(), 41);
  EXPECT_TRUE(Window->pPleaseWait()->isHidden());
  EXPECT_TRUE(Window->bGame()->isEnabled());
  EXPECT_TRUE(Boxes.empty());
  // First-run puzzles are the built-in pictures: solved by line logic and
  // filled to the target.
  EXPECT_EQ(Puzzle().SolutionFilled(), 50);

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
  EXPECT_EQ(lines[5], "frmMain.formsize.w=915");
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
  EXPECT_EQ(ParseGameState(TUtils::SplitText(lines[7].substr(6), "|")[1]).cw, shownCell);
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
  EXPECT_EQ(Window->Games().ActiveName(), "20x20");
  EXPECT_EQ(Current().View().parentWidget(), Window->pBoard());
  EXPECT_TRUE(Current().View().isVisible());
  EXPECT_EQ(tenView->parentWidget(), nullptr);
  EXPECT_TRUE(Window->windowTitle().contains(" - 20x20 - "));
  EXPECT_TRUE(MenuItem("20x20")->isChecked());
  EXPECT_FALSE(MenuItem("10x10")->isChecked());
  EXPECT_FALSE(Window->SelectSlotByName("7x7"));
  EXPECT_EQ(Current().Name(), "20x20");
}

TEST_F(MainWindow, SolvedSlotCelebratesAgainOnSwitching) {
  StartWindow();
  SwitchTo("5x5");
  FillSolution();
  SwitchTo("10x10");
  EXPECT_FALSE(Window->tCongrats()->isActive());
  SwitchTo("5x5");
  EXPECT_TRUE(Window->tCongrats()->isActive());
  EXPECT_EQ(Current().Status(), gsSolved);
  EXPECT_FALSE(Window->aCheck->isEnabled());
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
  Window->aUndo->trigger();
  Window->aUndo->trigger();
  EXPECT_EQ(Window->windowTitle().toStdString(), prefix + "2 / 50");
}

TEST_F(MainWindow, ButtonBarOnEveryEdge) {
  StartWindow();
  Window->resize(1000, 700);
  QApplication::processEvents();
  const auto dock = [this](TButtonsPosition edge) {
    Window->GameSettings().SetButtonsPosition(edge);
    Window->ApplyBarAndColors();
    Window->LayoutButtons();
  };
  QPushButton* game = Window->bGame();
  QPushButton* redo = Window->findChild<QPushButton*>("bRedo");

  dock(bpTop);
  EXPECT_EQ(Window->pButtons()->geometry(), QRect(0, 0, 1000, 41));
  EXPECT_EQ(Window->pBoard()->geometry(), QRect(0, 41, 1000, 659));
  EXPECT_EQ(Window->ButtonsExtent(), 790);
  EXPECT_EQ(game->pos(), QPoint(105, 8));
  EXPECT_EQ(redo->pos(), QPoint(105 + 5 * 133, 8));
  EXPECT_EQ(Window->minimumWidth(), 822);

  dock(bpLeft);
  EXPECT_EQ(Window->pButtons()->geometry(), QRect(0, 0, 141, 700));
  EXPECT_EQ(Window->pBoard()->geometry(), QRect(141, 0, 859, 700));
  EXPECT_EQ(Window->ButtonsExtent(), 141);  // the bar's width before this layout
  EXPECT_EQ(game->pos(), QPoint(8, (700 - 190) / 2));
  EXPECT_EQ(redo->pos(), QPoint(8, (700 - 190) / 2 + 5 * 33));
  EXPECT_EQ(Window->minimumWidth(), 3 * 141 + 141 + 16);

  dock(bpRight);
  EXPECT_EQ(Window->pButtons()->geometry(), QRect(859, 0, 141, 700));
  EXPECT_EQ(Window->pBoard()->geometry(), QRect(0, 0, 859, 700));
  EXPECT_EQ(game->pos(), QPoint(8, 255));

  dock(bpBottom);
  EXPECT_EQ(Window->pButtons()->geometry(), QRect(0, 659, 1000, 41));
  EXPECT_EQ(Window->pBoard()->geometry(), QRect(0, 0, 1000, 659));
  EXPECT_EQ(Window->minimumWidth(), 822);

  // A hidden button leaves the row; the others close up around the centre.
  redo->hide();
  EXPECT_EQ(Window->LayoutButtons(), 790 - 133);
  EXPECT_EQ(game->pos(), QPoint((1000 - 657) / 2, 8));
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
  std::vector<std::string> codes = TUtils::SplitText(lines[7].substr(6), "|");
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
  std::vector<SlotSnapshot> restored = Snapshot(*Window);
  EXPECT_EQ(restored[1], played[2]);
  EXPECT_EQ(restored[2], played[3]);

  // The program goes on normally and writes a whole file again.
  Stroke({{1, 1}});
  CloseWindow();
  lines = IniLines();
  ASSERT_EQ(KeyOf(lines[7]), "state");
  EXPECT_EQ(TUtils::SplitText(lines[7].substr(6), "|").size(), 5u);
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
  const TColor bar = TUtils::ColorToRGB(TUtils::ShiftColor(0x242121, -20));
  EXPECT_EQ(Window->pButtons()->palette().color(QPalette::Window),
            QColor(bar & 0xFF, (bar >> 8) & 0xFF, (bar >> 16) & 0xFF));
  EXPECT_EQ(Puzzle().Palette()[9], 0x242121u);
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
    CloseWindow();
    std::vector<std::string> stored;
    for (const std::string& line : IniLines())
      if (KeyOf(line).rfind("frmMain.", 0) == 0) stored.push_back(line);
    EXPECT_EQ(stored,
              (std::vector<std::string>{"frmMain.formpos.x=" + std::to_string(shown.x()),
                                        "frmMain.formpos.y=" + std::to_string(shown.y()),
                                        "frmMain.formsize.w=" + std::to_string(shown.width()),
                                        "frmMain.formsize.h=" + std::to_string(shown.height())}));
  }
}

// Slots are found by the size of what is pasted into them, so a stored slot
// whose name is not its size (a hand-edited file) is damaged data: it goes
// the way of any damaged game, and a paste of its size lands in a real slot.
TEST_F(MainWindow, StoredGameNamedAfterAnotherSizeIsRefusedAtLoad) {
  StartWindow();
  CloseWindow();
  std::vector<std::string> lines = IniLines();
  std::vector<std::string> codes = TUtils::SplitText(lines[7].substr(6), "|");
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
  for (TGame* game : Window->Games().Items())
    EXPECT_EQ(game->Name(), std::to_string(game->Puzzle().Width()) + "x" +
                                std::to_string(game->Puzzle().Height()));

  // A 5 x 5 code is pasted into the 5x5 slot as it should.
  TNonoGame five(5, 5);
  five.LoadSolutionGrid(LettersOf(Picture(5, "##.##")));
  QApplication::clipboard()->setText(QString::fromStdString(GameStateText("5x5", five, 20, 20)));
  Window->aPaste->trigger();
  EXPECT_EQ(Current().Name(), "5x5");
  EXPECT_EQ(SolutionOf(Puzzle()), SolutionOf(five));
}
