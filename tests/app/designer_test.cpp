// The puzzle designer driven through the real main window: Ctrl+E opens it,
// strokes on its board change the picture and the clues, the verdict arrives
// from the background, make-unique changes cells that Undo takes back, the
// whole-picture commands, the design kept over a restart, and a design saved
// as .non, opened in the game and played to the end.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "app/busy_scope.h"
#include "app/designer_board.h"
#include "app/designer_checks.h"
#include "app/designer_files.h"
#include "app/designer_picture.h"
#include "app/designer_window.h"
#include "app/file_dialog.h"
#include "main_window_harness.h"
#include "persistence/puzzle_formats.h"
#include "text/lang_helper.h"

using namespace test_support;

void PrintTo(const TDesignPicture& picture, std::ostream* out) {
  for (int y = 0; y < picture.Height; ++y)
    *out << "\n"
         << picture.Cells.substr(static_cast<std::size_t>(y) * picture.Width, picture.Width);
}

namespace {

class Designer : public MainWindowTest {
 protected:
  TfrmDesigner* Open() {
    StartWindow();
    QTest::keyClick(Window.get(), Qt::Key_E, Qt::ControlModifier);
    QApplication::processEvents();
    auto* designer = Window->findChild<TfrmDesigner*>("frmDesigner");
    EXPECT_NE(designer, nullptr);
    return designer;
  }

  static TDesignPicture PictureOf(const Picture& rows) {
    TDesignPicture picture{static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), ""};
    for (const std::string& row : rows) picture.Cells += row;
    return picture;
  }

  static bool WaitForVerdict(TfrmDesigner* designer) {
    return QTest::qWaitFor([designer] { return designer->Checks()->VerdictCurrent(); }, 10000);
  }

  static QPoint DesignCell(TfrmDesigner* designer, int col, int row) {
    for (const TCellCacheRec& rec : designer->Board()->Grid()->BoardGrid()->CellCache())
      if (rec.Col == col && rec.Row == row)
        return QPoint((rec.Rect.Left + rec.Rect.Right) / 2, (rec.Rect.Top + rec.Rect.Bottom) / 2);
    ADD_FAILURE() << "no cell " << col << "," << row;
    return {};
  }

  static void DesignStroke(TfrmDesigner* designer, std::vector<std::pair<int, int>> cells,
                           Qt::MouseButton button = Qt::LeftButton) {
    TPaintBox* box = designer->Board()->Grid()->pbBoard();
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton b, Qt::MouseButtons held) {
      QMouseEvent e(type, QPointF(at), box->mapToGlobal(QPointF(at)), b, held, Qt::NoModifier);
      QApplication::sendEvent(box, &e);
    };
    send(QEvent::MouseButtonPress, DesignCell(designer, cells[0].first, cells[0].second), button,
         button);
    for (std::size_t i = 1; i < cells.size(); ++i)
      send(QEvent::MouseMove, DesignCell(designer, cells[i].first, cells[i].second), Qt::NoButton,
           button);
    send(QEvent::MouseButtonRelease, DesignCell(designer, cells.back().first, cells.back().second),
         button, Qt::NoButton);
    QApplication::processEvents();
  }

  static std::string ClueText(const TNonoGame& game) {
    std::string text;
    for (const TCounterArr& clue : game.RowClues(true)) {
      for (const std::int32_t v : clue) text += std::to_string(v) + ".";
      text += "/";
    }
    return text;
  }
};

}  // namespace

TEST_F(Designer, StrokesChangeThePictureAndTheVerdictFollows) {
  TfrmDesigner* designer = Open();
  ASSERT_NE(designer, nullptr);
  designer->Board()->NewBoard(3, 3);
  ASSERT_TRUE(WaitForVerdict(designer));
  EXPECT_EQ(designer->Checks()->Verdict().Kind, TDesignVerdictKind::LineSolvable);

  // A diagonal, cell by cell: the two diagonals swap, so several pictures fit
  // and every cell is open and tinted.
  for (int i = 0; i < 3; ++i) DesignStroke(designer, {{i, i}});
  EXPECT_EQ(designer->Board()->Picture(), PictureOf({"#..", ".#.", "..#"}));
  EXPECT_EQ(ClueText(*designer->Board()->Grid()->Game()), "1./1./1./");
  ASSERT_TRUE(WaitForVerdict(designer));
  EXPECT_EQ(designer->Checks()->Verdict().Kind, TDesignVerdictKind::Several);
  EXPECT_EQ(designer->Checks()->Verdict().OpenCount, 9);
  EXPECT_EQ(designer->Board()->Grid()->CellTints(), std::vector<std::uint8_t>(9, 1));
  EXPECT_NE(designer->lVerdict()->text().indexOf("9"), -1);

  // A drag paints as in play: what the first cell becomes, the rest become;
  // the right button empties a filled cell.
  DesignStroke(designer, {{1, 0}, {2, 0}});
  EXPECT_EQ(designer->Board()->Picture(), PictureOf({"###", ".#.", "..#"}));
  DesignStroke(designer, {{1, 1}}, Qt::RightButton);
  EXPECT_EQ(designer->Board()->Picture(), PictureOf({"###", "...", "..#"}));
  ASSERT_TRUE(WaitForVerdict(designer));
  EXPECT_EQ(designer->Checks()->Verdict().Kind, TDesignVerdictKind::LineSolvable);
  EXPECT_GE(designer->Checks()->Verdict().Stars, 1);
  EXPECT_TRUE(designer->Board()->Grid()->CellTints().empty() ||
              designer->Board()->Grid()->CellTints() == std::vector<std::uint8_t>(9, 0));
}

// Long work of the main window holds the designer's board as it holds the
// game's.
TEST_F(Designer, ItsBoardWaitsWhileTheWindowIsBusy) {
  TfrmDesigner* designer = Open();
  ASSERT_NE(designer, nullptr);
  designer->Board()->NewBoard(3, 3);
  {
    const TBusyScope busy(Window->BusyState());
    EXPECT_TRUE(designer->Board()->Grid()->Busy());
    DesignStroke(designer, {{0, 0}});
    EXPECT_EQ(designer->Board()->Picture(), PictureOf({"...", "...", "..."}));
  }
  EXPECT_FALSE(designer->Board()->Grid()->Busy());
  DesignStroke(designer, {{0, 0}});
  EXPECT_EQ(designer->Board()->Picture(), PictureOf({"#..", "...", "..."}));
}

TEST_F(Designer, WholePictureCommandsAreOneUndoStepEach) {
  TfrmDesigner* designer = Open();
  ASSERT_NE(designer, nullptr);
  const Picture start = {"##...", "#....", ".....", ".....", "....#"};
  struct Case {
    const char* name;
    std::function<void()> command;
    Picture expected;
  };
  const Case cases[] = {
      {"mirror left-right",
       [&] { designer->Board()->MirrorLeftRight(); },
       {"...##", "....#", ".....", ".....", "#...."}},
      {"mirror up-down",
       [&] { designer->Board()->MirrorUpDown(); },
       {"....#", ".....", ".....", "#....", "##..."}},
      {"shift right (wraps)",
       [&] { designer->Board()->Shift(1, 0); },
       {".##..", ".#...", ".....", ".....", "#...."}},
      {"shift up (wraps)",
       [&] { designer->Board()->Shift(0, -1); },
       {"#....", ".....", ".....", "....#", "##..."}},
      {"invert",
       [&] { designer->Board()->Invert(); },
       {"..###", ".####", "#####", "#####", "####."}},
      {"clear", [&] { designer->Board()->Clear(); }, {".....", ".....", ".....", ".....", "....."}},
      {"Ctrl+Left shifts",
       [&] { QTest::keyClick(designer, Qt::Key_Left, Qt::ControlModifier); },
       {"#...#", "....#", ".....", ".....", "...#."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    designer->Board()->SetPicture(PictureOf(start));
    c.command();
    EXPECT_EQ(designer->Board()->Picture(), PictureOf(c.expected));
    designer->Board()->Undo();
    EXPECT_EQ(designer->Board()->Picture(), PictureOf(start));
    designer->Board()->Redo();
    EXPECT_EQ(designer->Board()->Picture(), PictureOf(c.expected));
  }
}

TEST_F(Designer, MakeUniqueShowsItsChangesUntilUndone) {
  TfrmDesigner* designer = Open();
  ASSERT_NE(designer, nullptr);
  const TDesignPicture drawn = PictureOf({"#....", ".#...", "..#..", "...#.", "....#"});
  designer->Board()->SetPicture(drawn);
  ASSERT_TRUE(WaitForVerdict(designer));
  ASSERT_EQ(designer->Checks()->Verdict().Kind, TDesignVerdictKind::Several);

  QSignalSpy done(designer->Checks(), &TDesignerChecks::madeUnique);
  designer->findChild<QPushButton*>("bMakeUnique")->click();
  ASSERT_TRUE(done.wait(10000));
  const std::vector<int> changed = designer->Board()->ShownChanges();
  ASSERT_FALSE(changed.empty());
  EXPECT_TRUE(designer->Board()->Grid()->HintShown());
  ASSERT_TRUE(WaitForVerdict(designer));
  EXPECT_EQ(designer->Checks()->Verdict().Kind, TDesignVerdictKind::LineSolvable);
  EXPECT_NE(designer->lVerdict()->text().indexOf(QString::number(changed.size())), -1);
  int differ = 0;
  for (std::size_t i = 0; i < drawn.Cells.size(); ++i)
    differ += designer->Board()->Picture().Cells[i] != drawn.Cells[i] ? 1 : 0;
  EXPECT_EQ(differ, static_cast<int>(changed.size()));

  // One Undo gives the drawn picture back, and the marks go.
  QTest::keyClick(designer, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(designer->Board()->Picture(), drawn);
  EXPECT_FALSE(designer->Board()->Grid()->HintShown());
  EXPECT_TRUE(designer->Board()->ShownChanges().empty());
}

TEST_F(Designer, TheDesignComesBackAfterARestart) {
  TfrmDesigner* designer = Open();
  ASSERT_NE(designer, nullptr);
  const TDesignPicture drawn = PictureOf({"#..#", ".##.", "#..#"});
  designer->Board()->SetPicture(drawn);
  Restart();
  QTest::keyClick(Window.get(), Qt::Key_E, Qt::ControlModifier);
  QApplication::processEvents();
  designer = Window->findChild<TfrmDesigner*>("frmDesigner");
  ASSERT_NE(designer, nullptr);
  EXPECT_EQ(designer->Board()->Picture(), drawn);

  // A damaged stored design is passed over for an empty board.
  TDesignPicture picture;
  for (const std::string bad : {"", "4x3:#..#", "2x2:####", "4x3:#..#.##.#..!", "axb:"})
    EXPECT_FALSE(DesignFromStoredForm(bad, picture)) << bad;
  EXPECT_TRUE(DesignFromStoredForm(DesignStoredForm(drawn), picture));
  EXPECT_EQ(picture, drawn);
}

TEST_F(Designer, ADesignSavedAsNonIsOpenedAndSolvedInTheGame) {
  TfrmDesigner* designer = Open();
  ASSERT_NE(designer, nullptr);
  const Picture arrow = {"..#..", ".###.", "#####", "..#..", "..#.."};
  designer->Board()->SetPicture(PictureOf(arrow));
  designer->findChild<QLineEdit*>("eTitle")->setText("Arrow");
  designer->findChild<QLineEdit*>("eAuthor")->setText("Tester");
  designer->findChild<QLineEdit*>("eLicence")->setText("CC0");
  const std::string path = Folder + "/arrow.non";
  ASSERT_TRUE(designer->Files()->SaveAs(path));
  const TPuzzle saved = ReadPuzzles(FileBytes(path)).at(0);
  EXPECT_EQ(saved.Title, "Arrow");
  EXPECT_EQ(saved.Author, "Tester");
  EXPECT_EQ(saved.Licence, "CC0");
  EXPECT_EQ(WriteGameId(saved), "5x5:1/2/5/2/1/1/3/5/1/1");

  // The copied game ID is the same puzzle.
  designer->Files()->CopyGameId();
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), WriteGameId(saved));

  ASSERT_TRUE(Window->OpenPuzzleFile(path));
  EXPECT_EQ(Current().Name(), "5x5");
  EXPECT_EQ(SolutionOf(Puzzle()), arrow);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x)
      if (arrow[y][x] == '#') Stroke({{x, y}});
  EXPECT_EQ(Current().Status(), stSolved);
}

TEST_F(Designer, PlayItAsksBeforeAGameInProgressIsReplaced) {
  TfrmDesigner* designer = Open();
  ASSERT_NE(designer, nullptr);
  SwitchTo("5x5");
  Stroke({{0, 0}});  // a game in progress
  const Picture cross = {"..#..", "..#..", "#####", "..#..", "..#.."};
  designer->Board()->SetPicture(PictureOf(cross));
  Answer = maNo;
  EXPECT_FALSE(designer->Files()->PlayIt());
  EXPECT_NE(SolutionOf(Puzzle()), cross);
  Answer = maYes;
  EXPECT_TRUE(designer->Files()->PlayIt());
  EXPECT_EQ(Current().Name(), "5x5");
  EXPECT_EQ(SolutionOf(Puzzle()), cross);
}

TEST_F(Designer, RectangleAndFloodFillAreOneUndoStepEach) {
  TfrmDesigner* designer = Open();
  ASSERT_NE(designer, nullptr);
  using TTool = TDesignerBoard::TTool;
  struct Case {
    const char* name;
    TTool tool;
    Picture start;
    std::vector<std::pair<int, int>> stroke;
    Qt::MouseButton button;
    Picture expected;
  };
  const Picture empty = {".....", ".....", ".....", ".....", "....."};
  const Picture wall = {"..#..", "..#..", "###..", ".....", "....."};
  const Case cases[] = {
      {"rectangle",
       TTool::Rectangle,
       empty,
       {{1, 1}, {2, 1}, {3, 2}},
       Qt::LeftButton,
       {".....", ".###.", ".###.", ".....", "....."}},
      {"rectangle drawn backwards",
       TTool::Rectangle,
       empty,
       {{3, 2}, {1, 1}},
       Qt::LeftButton,
       {".....", ".###.", ".###.", ".....", "....."}},
      {"rectangle of one cell",
       TTool::Rectangle,
       empty,
       {{4, 4}},
       Qt::LeftButton,
       {".....", ".....", ".....", ".....", "....#"}},
      {"rectangle with the right button empties",
       TTool::Rectangle,
       wall,
       {{0, 2}, {2, 1}},
       Qt::RightButton,
       {"..#..", ".....", ".....", ".....", "....."}},
      {"flood fill of the corner",
       TTool::FloodFill,
       wall,
       {{0, 0}},
       Qt::LeftButton,
       {"###..", "###..", "###..", ".....", "....."}},
      {"flood fill of the rest",
       TTool::FloodFill,
       wall,
       {{4, 4}},
       Qt::RightButton,
       {"..###", "..###", "#####", "#####", "#####"}},
      {"flood fill of the wall empties it",
       TTool::FloodFill,
       wall,
       {{2, 0}},
       Qt::LeftButton,
       empty},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    designer->Board()->SetPicture(PictureOf(c.start));
    designer->Board()->SetTool(c.tool);
    DesignStroke(designer, c.stroke, c.button);
    EXPECT_EQ(designer->Board()->Picture(), PictureOf(c.expected));
    designer->Board()->Undo();
    EXPECT_EQ(designer->Board()->Picture(), PictureOf(c.start));
  }
  // Back to strokes as in play.
  QTest::keyClick(designer, Qt::Key_1, Qt::ControlModifier);
  EXPECT_EQ(designer->Board()->Tool(), TTool::Pen);
  designer->Board()->SetPicture(PictureOf(empty));
  DesignStroke(designer, {{0, 0}, {2, 2}});
  EXPECT_EQ(designer->Board()->Picture(), PictureOf({"##...", ".##..", "..#..", ".....", "....."}));
}

TEST_F(Designer, OpenedPuzzlesBecomeTheDesignAndBadFilesAreRefused) {
  TfrmDesigner* designer = Open();
  ASSERT_NE(designer, nullptr);
  const Picture arrow = {"..#..", ".###.", "#####", "..#..", "..#.."};
  // A game ID has no picture: the designer takes the one its clues give.
  const std::string id = Folder + "/arrow.txt";
  std::ofstream(id) << "5x5:1/2/5/2/1/1/3/5/1/1\n";
  designer->Files()->OpenFile(id);
  EXPECT_EQ(designer->Board()->Picture(), PictureOf(arrow));

  const std::string titled = Folder + "/titled.non";
  std::ofstream(titled) << "title \"T\"\nby \"A\"\nlicense \"L\"\nwidth 3\nheight 3\n"
                           "goal \"101010101\"\n";
  designer->Files()->OpenFile(titled);
  EXPECT_EQ(designer->Board()->Picture(), PictureOf({"#.#", ".#.", "#.#"}));
  EXPECT_EQ(designer->findChild<QLineEdit*>("eAuthor")->text(), "A");

  Boxes.clear();
  for (const std::string& bad : {Folder + "/missing.non", Folder + "/arrow.txt.bad"}) {
    if (bad.ends_with(".bad")) std::ofstream(bad) << "5x5:9/9/9/9/9/1/1/1/1/1\n";
    designer->Files()->OpenFile(bad);
    EXPECT_EQ(designer->Board()->Picture(), PictureOf({"#.#", ".#.", "#.#"})) << bad;
  }
  EXPECT_EQ(Boxes.size(), 2u);
}

// What the designer refuses to open is told in the player's language, as the
// game's own Open tells it.
TEST_F(Designer, RefusedFilesAreToldInThePlayersLanguage) {
  TfrmDesigner* designer = Open();
  ASSERT_NE(designer, nullptr);
  const std::string missing = Folder + "/missing.non";
  // Column 1 wants two cells together, the rows give it rows 1 and 3.
  const std::string noPicture = Folder + "/no-picture.non";
  std::ofstream(noPicture) << "width 3\nheight 3\ncolumns\n2\n0\n0\nrows\n1\n0\n1\n";
  const std::string tiny = Folder + "/tiny.non";
  std::ofstream(tiny) << "width 2\nheight 2\ngoal \"1001\"\n";
  for (const TLanguage language : {lgEnglish, lgGerman, lgJapanese}) {
    CurrentLanguage = language;
    const std::string invalid = TextFor(ttnInvalidDataFound) + "\n\n";
    const struct {
      std::string Path;
      std::string Told;
    } cases[] = {
        {missing, TextFor(ttnFileUnreadable) + "\n\n" + missing + "\n" + TextFor(ttnNoSuchFile)},
        {Folder, TextFor(ttnFileUnreadable) + "\n\n" + Folder + "\n" + TextFor(ttnFileNotRegular)},
        {noPicture, invalid + TextFor(ttnReasonNoPictureFits)},
        {tiny, invalid + TextFor(ttnReasonDesignerSize)},
    };
    for (const auto& c : cases) {
      Boxes.clear();
      designer->Files()->OpenFile(c.Path);
      ASSERT_EQ(Boxes.size(), 1u) << c.Path;
      EXPECT_EQ(Boxes.front().Text, c.Told) << static_cast<int>(language);
    }
  }
  CurrentLanguage = lgEnglish;
}

// Shown for the first time, the designer opens over the game's window, not
// at the screen's corner, where a window manager puts its title bar out of
// reach; afterwards it comes back where the player left it.
TEST_F(Designer, OpensOverTheGameWindowFirstAndWhereItWasLeftAfterwards) {
  StartWindow();
  Window->setGeometry(300, 250, 700, 500);
  QTest::keyClick(Window.get(), Qt::Key_E, Qt::ControlModifier);
  QApplication::processEvents();
  auto* designer = Window->findChild<TfrmDesigner*>("frmDesigner");
  ASSERT_NE(designer, nullptr);
  const QPoint offset = designer->geometry().center() - Window->geometry().center();
  EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();

  designer->setGeometry(40, 60, designer->width(), designer->height());
  designer->close();
  CloseWindow();
  StartWindow();
  QTest::keyClick(Window.get(), Qt::Key_E, Qt::ControlModifier);
  QApplication::processEvents();
  designer = Window->findChild<TfrmDesigner*>("frmDesigner");
  ASSERT_NE(designer, nullptr);
  EXPECT_EQ(designer->geometry().topLeft(), QPoint(40, 60));
}

TEST_F(Designer, AVerdictCutShortByMakeUniqueIsNeverShown) {
  TfrmDesigner* designer = Open();
  ASSERT_NE(designer, nullptr);
  // Make-unique started while the verdict is being found stops that search;
  // cancelled at once, the picture must be judged afresh, not left with the
  // stopped search's "undecided".
  TDesignPicture diagonal{64, 64, std::string(64 * 64, '.')};
  for (int i = 0; i < 64; ++i) diagonal.Cells[static_cast<std::size_t>(i) * 64 + i] = '#';
  QSignalSpy done(designer->Checks(), &TDesignerChecks::madeUnique);
  designer->Board()->SetPicture(diagonal);
  auto* makeUnique = designer->findChild<QPushButton*>("bMakeUnique");
  makeUnique->click();
  makeUnique->click();  // now Cancel
  ASSERT_TRUE(done.wait(10000));
  ASSERT_TRUE(WaitForVerdict(designer));
  EXPECT_EQ(designer->Checks()->Verdict().Kind, TDesignVerdictKind::Several);
}

TEST_F(Designer, KeysWhileMakeUniqueWorksLeaveItsResult) {
  TfrmDesigner* designer = Open();
  ASSERT_NE(designer, nullptr);
  const TDesignPicture drawn = PictureOf({"#....", ".#...", "..#..", "...#.", "....#"});
  designer->Board()->SetPicture(drawn);
  QSignalSpy done(designer->Checks(), &TDesignerChecks::madeUnique);
  designer->findChild<QPushButton*>("bMakeUnique")->click();
  // The board's keys, a Shift stroke's end among them, change nothing now.
  QTest::keyClick(designer, Qt::Key_Space);
  QTest::keyClick(designer, Qt::Key_Shift);
  ASSERT_TRUE(done.wait(10000));
  EXPECT_FALSE(designer->Board()->ShownChanges().empty());
  EXPECT_NE(designer->Board()->Picture(), drawn);
  designer->Board()->Undo();
  EXPECT_EQ(designer->Board()->Picture(), drawn);
}

TEST_F(Designer, WhileAnOpenedGameIdIsSolvedNothingElseChangesThePicture) {
  TfrmDesigner* designer = Open();
  ASSERT_NE(designer, nullptr);
  // A 24x24 game ID of ones takes the solver a moment to find a picture.
  std::string id = "24x24:";
  for (int line = 0; line < 48; ++line) id += std::string(line ? "/" : "") + "1";
  const std::string path = Folder + "/ones.txt";
  std::ofstream(path) << id << "\n";
  bool boardLocked = false;
  std::vector<std::string> enabled;
  QTimer::singleShot(0, designer, [&] {
    boardLocked = designer->Board()->Locked();
    for (const char* name : {"bOpen", "bMakeUnique", "bUndo", "bClear", "bPlayIt"})
      if (designer->findChild<QPushButton*>(name)->isEnabled()) enabled.push_back(name);
  });
  designer->Files()->OpenFile(path);
  EXPECT_TRUE(boardLocked);
  EXPECT_EQ(enabled, std::vector<std::string>{});
  EXPECT_EQ(designer->Board()->Picture().Width, 24);
  EXPECT_FALSE(designer->Board()->Locked());
  EXPECT_TRUE(designer->findChild<QPushButton*>("bOpen")->isEnabled());
}

TEST_F(Designer, FromThePuzzleInPlayTakesThePuzzleShownNow) {
  TfrmDesigner* designer = Open();
  ASSERT_NE(designer, nullptr);
  // The game moves on while the designer stays open.
  SwitchTo(Current().Name() == "5x5" ? "10x10" : "5x5");
  designer->findChild<QPushButton*>("bFromPuzzle")->click();
  EXPECT_EQ(designer->Board()->Picture(), PictureOf(SolutionOf(Puzzle())));
}

TEST_F(Designer, TabGoesThroughTheButtonsTheFieldsAndTheVerdict) {
  TfrmDesigner* designer = Open();
  ASSERT_NE(designer, nullptr);
  std::vector<std::string> order;
  for (QWidget* w = designer->nextInFocusChain(); w != designer; w = w->nextInFocusChain())
    if (w->focusPolicy() & Qt::TabFocus) order.push_back(w->objectName().toStdString());
  ASSERT_EQ(order.size(), 28u);
  EXPECT_EQ(order.front(), "bNewBoard");
  EXPECT_EQ(
      std::vector<std::string>(order.end() - 5, order.end()),
      (std::vector<std::string>{"bToolFloodFill", "eTitle", "eAuthor", "eLicence", "lVerdict"}));
}
