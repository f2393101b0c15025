// Puzzles from outside the game and sizes beyond the default five, driven
// through the real window: Open puzzle with the file dialog answered by the
// test, a dropped file, Paste of game IDs and .non texts, the verdicts that
// refuse a puzzle, the question before a game in progress is replaced, Save
// puzzle as, Other size and Remove this size, and what a restart keeps.
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <random>

#include "app/f_size.h"
#include "app/file_dialog.h"
#include "app/paste_check.h"
#include "main_window_harness.h"
#include "persistence/puzzle.h"
#include "persistence/puzzle_formats.h"
#include "text/lang_helper.h"
#include "util/utf8.h"

using namespace test_support;

namespace {

// A line-solvable 7 x 5 frame with a bar inside.
const Picture kFrame = {
    "#######", "#.....#", "#.###.#", "#.....#", "#######",
};

// The frame as a .non file: keys in a real file's order, blank lines between
// blocks, CR LF line ends, no goal.
const std::string kFrameNon =
    "catalogue \"tests\"\r\ntitle \"Frame\"\r\nwidth 7\r\nheight 5\r\n\r\nrows\r\n7\r\n1,1\r\n"
    "1,3,1\r\n1,1\r\n7\r\n\r\ncolumns\r\n5\r\n1,1\r\n1,1,1\r\n1,1,1\r\n1,1,1\r\n1,1\r\n5\r\n";

// One picture only, but line logic stalls before it.
const std::string kNeedsGuessing = "5x5:2/1.1/1/1/2//1.1/3/1/2";
const Picture kNeedsGuessingPicture = {".....", ".#..#", "..###", "#....", "##..."};

// A counted text in its form for several things.
std::string Replaced(TTextName name, const std::string& arg) {
  return QString::fromStdString(CountedTextFor(name, 2))
      .arg(QString::fromStdString(arg))
      .toStdString();
}

class PuzzleFiles : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    SetFileDialogHandler([this](const TFileDialogRequest& r) {
      Dialogs.push_back(r);
      return DialogAnswer;
    });
  }
  void TearDown() override {
    SetFileDialogHandler({});
    MainWindowTest::TearDown();
  }

  std::filesystem::path WriteFile(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path path = std::filesystem::path(Folder) / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  void Open(const std::filesystem::path& path) {
    DialogAnswer = {path.string(), {}};
    Action("aOpenPuzzle")->trigger();
    QApplication::processEvents();
  }

  std::vector<TFileDialogRequest> Dialogs;
  TFileDialogAnswer DialogAnswer;
};

TEST_F(PuzzleFiles, OpenedNonGoesIntoANewSlotOfItsSizeAndStaysThere) {
  StartWindow();
  Open(WriteFile("frame.non", kFrameNon));
  ASSERT_EQ(Dialogs.size(), 1u);
  EXPECT_FALSE(Dialogs[0].Save);
  EXPECT_TRUE(Boxes.empty()) << Boxes[0].Text;  // line-solvable: nothing to tell
  EXPECT_EQ(Current().Name(), "7x5");
  EXPECT_EQ(SolutionOf(Puzzle()), kFrame);
  EXPECT_EQ(PlayerOf(Puzzle()), Picture(5, "......."));
  // Listed with the others, smallest first by cells.
  std::vector<std::string> menu;
  for (QAction* a : Window->pmGame()->actions())
    if (a->data().toInt() == kSlotItemTag) menu.push_back(a->text().toStdString());
  EXPECT_EQ(menu, (std::vector<std::string>{"3x3", "5x5", "7x5", "10x10", "15x15", "20x20"}));

  Stroke({{0, 0}, {1, 0}});
  Restart();
  EXPECT_EQ(Current().Name(), "7x5");
  EXPECT_EQ(SolutionOf(Puzzle()), kFrame);
  EXPECT_EQ(PlayerOf(Puzzle())[0], "##.....");
}

// Files as other programs write them: CR line ends, UTF-16 with its mark,
// XML in Latin-1; and huge refusals that the window tells in a few words.
TEST_F(PuzzleFiles, FilesOfOtherEncodingsOpenAndHugeRefusalsStayShort) {
  StartWindow();
  const TPuzzle frame = PuzzleOfGoal(7, 5, [] {
    std::string goal;
    for (const std::string& row : kFrame) goal += row;
    return goal;
  }());
  std::string crOnly = kFrameNon;
  for (std::size_t at; (at = crOnly.find("\r\n")) != std::string::npos;) crOnly.erase(at + 1, 1);
  std::string latin1 = WritePbnXml({frame});
  latin1.replace(latin1.find("UTF-8"), 5, "ISO-8859-1");
  latin1.insert(latin1.find("<color"), "<title>Caf\xE9</title>");
  const std::pair<std::string, std::string> files[] = {
      {"frame_cr.non", crOnly},
      {"frame16.xml", "\xFF\xFE" + Utf8ToUtf16(WritePbnXml({frame}), false)},
      {"frame16.non", "\xFE\xFF" + Utf8ToUtf16(kFrameNon, true)},
      {"frame1.xml", latin1},
  };
  for (const auto& [name, bytes] : files) {
    SwitchTo("3x3");
    Boxes.clear();
    Open(WriteFile(name, bytes));
    EXPECT_TRUE(Boxes.empty()) << name << ": " << Boxes[0].Text;
    EXPECT_EQ(Current().Name(), "7x5") << name;
    EXPECT_EQ(SolutionOf(Puzzle()), kFrame) << name;
  }

  const std::string huge(4 * 1024 * 1024, '1');
  for (const std::string& bytes :
       {"width 2\nheight 1\nrows\n" + huge + "\n", "width 2\rheight " + huge + "\r"}) {
    Boxes.clear();
    Open(WriteFile("huge.non", bytes));
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text.rfind(TextFor(ttnPuzzleUnreadable), 0), 0u) << Boxes[0].Text;
    EXPECT_LT(Boxes[0].Text.size(), TextFor(ttnPuzzleUnreadable).size() + 200)
        << Boxes[0].Text.substr(0, 300);
  }
}

// A game copied in another settings folder, of a size this one lacks.
TEST_F(PuzzleFiles, AStateCodeOfANewSizeMakesItsSlot) {
  StartWindow();
  TNonoGame twelve(12, 12);
  twelve.LoadSolutionGrid(LettersOf(Picture(12, "##.#.#.#.#.#")));
  twelve.SetPlayerState(1, 2, psCrossed);
  Paste(GameStateText("12x12", twelve, 20, 20));
  EXPECT_TRUE(Boxes.empty());
  EXPECT_EQ(Current().Name(), "12x12");
  EXPECT_EQ(SolutionOf(Puzzle()), SolutionOf(twelve));
  EXPECT_EQ(PlayerOf(Puzzle()), PlayerOf(twelve));
}

TEST_F(PuzzleFiles, PasteOpensGameIdsNonTextsAndXml) {
  StartWindow();
  const TPuzzle frame = PuzzleOfGoal(7, 5, [] {
    std::string goal;
    for (const std::string& row : kFrame) goal += row;
    return goal;
  }());
  const std::pair<std::string, std::string> texts[] = {
      {"game ID", "  " + WriteGameId(frame) + "\n"},
      {".non with CR LF", kFrameNon},
      {"webpbn XML", WritePbnXml({frame})},
  };
  for (const auto& [what, text] : texts) {
    SwitchTo("3x3");
    QApplication::clipboard()->setText(QString::fromStdString(text));
    Window->bGame()->click();
    EXPECT_TRUE(Action("aPaste")->isEnabled()) << what;
    Window->pmGame()->hide();
    Boxes.clear();
    Paste(text);
    EXPECT_EQ(Current().Name(), "7x5") << what;
    EXPECT_EQ(SolutionOf(Puzzle()), kFrame) << what;
    EXPECT_TRUE(Boxes.empty()) << what;
  }
}

// A clipboard beyond what the readers take is refused by its size, before
// its text is copied or decoded: by the game menu's Paste check and by Paste,
// which says why; in the form the clipboard of another program offers
// (UTF-8 bytes) as well as in the game's own.
TEST_F(PuzzleFiles, AClipboardBeyondTheReadersLimitIsRefusedByItsSize) {
  StartWindow();
  const std::string before = Current().Name();
  const QByteArray huge(static_cast<qsizetype>(kMaxPuzzleText) + 1, 'x');
  for (const bool asBytes : {false, true}) {
    SCOPED_TRACE(asBytes ? "bytes" : "text");
    auto* mime = new QMimeData;
    if (asBytes)
      mime->setData("text/plain;charset=utf-8", huge);
    else
      mime->setText(QString::fromLatin1(huge));
    QApplication::clipboard()->setMimeData(mime);
    Window->bGame()->click();
    EXPECT_FALSE(Action("aPaste")->isEnabled());
    Window->pmGame()->hide();
    // As after a clipboard that changed once the menu was shown.
    Action("aPaste")->setEnabled(true);
    Boxes.clear();
    Action("aPaste")->trigger();
    QApplication::processEvents();
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_NE(Boxes[0].Text.find(std::to_string(kMaxPuzzleText)), std::string::npos)
        << Boxes[0].Text.substr(0, 200);
    EXPECT_LT(Boxes[0].Text.size(), 1000u);
    EXPECT_EQ(Current().Name(), before);
  }
}

// Puzzles that cannot be played as they are, and what the player hears.
TEST_F(PuzzleFiles, RefusedPuzzlesChangeNothingAndSayWhy) {
  StartWindow();
  Stroke({{0, 0}});
  const Picture player = PlayerOf(Puzzle());
  const std::string multicolour =
      "<?xml version=\"1.0\"?><puzzleset><puzzle type=\"grid\" defaultcolor=\"black\">"
      "<color name=\"white\" char=\".\">fff</color><color name=\"black\" char=\"X\">000</color>"
      "<color name=\"red\" char=\"r\">f00</color>"
      "<clues type=\"columns\"><line><count color=\"red\">1</count></line></clues>"
      "<clues type=\"rows\"><line><count color=\"red\">1</count></line></clues>"
      "</puzzle></puzzleset>";
  struct Case {
    std::string What;
    std::string Text;
    std::string Starts;    // the message starts with this
    std::string Contains;  // and holds this
  };
  const Case cases[] = {
      // Row 1 can only be #.#, but column 3 is empty.
      {"no solution", "3x3:2/1//1.1/1/", TextFor(ttnPuzzleNoSolution), "\n\n"},
      {"more than one", "4x4:1/1/1/1/1/1/1/1", TextFor(ttnPuzzleMultiple), ""},
      {"multicolour", multicolour, TextFor(ttnPuzzleUnreadable), "\n\n"},
      {"bad game ID", "5x5:1/1/1", TextFor(ttnPuzzleUnreadable), "\n\n"},
      {"CR-only .non", "by \"me\"\rwidth 2\rheight 1\rrows\r3\rcolumns\r1\r1\r",
       TextFor(ttnPuzzleUnreadable), "does not fit"},
      {"size without slot", "2x2:2/2/2/2", Replaced(ttnPasteNoBoard, "2x2").substr(0, 20), "2x2"},
  };
  for (const Case& c : cases) {
    Boxes.clear();
    Paste(c.Text);
    EXPECT_EQ(Current().Name(), "10x10") << c.What;
    EXPECT_EQ(PlayerOf(Puzzle()), player) << c.What;
    EXPECT_EQ(SlotNames().size(), 5u) << c.What;
    ASSERT_EQ(Boxes.size(), 1u) << c.What;
    EXPECT_EQ(Boxes[0].Text.substr(0, c.Starts.size()), c.Starts)
        << c.What << ": " << Boxes[0].Text;
    EXPECT_NE(Boxes[0].Text.find(c.Contains), std::string::npos) << c.What << ": " << Boxes[0].Text;
  }
  // The line with no placement is named.
  Paste("3x3:2/1//1.1/1/");
  ASSERT_FALSE(Boxes.empty());
  const std::string& said = Boxes.back().Text;
  EXPECT_TRUE(said.find(Replaced(ttnHintRow, "1")) != std::string::npos ||
              said.find(Replaced(ttnHintColumn, "3")) != std::string::npos)
      << said;
}

TEST_F(PuzzleFiles, APuzzleThatNeedsGuessingIsOpenedAndThePlayerToldOnce) {
  StartWindow();
  // The square form of a game ID, and a pack of two: one box says both.
  Open(WriteFile("pack.txt", kNeedsGuessing + "\n5x5:1/1/1/1/1/5////\n"));
  EXPECT_EQ(Current().Name(), "5x5");
  EXPECT_EQ(SolutionOf(Puzzle()), kNeedsGuessingPicture);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_NE(Boxes[0].Text.find(Replaced(ttnPuzzleCount, "2")), std::string::npos);
  EXPECT_NE(Boxes[0].Text.find(TextFor(ttnPuzzleNeedsGuessing)), std::string::npos);
  SwitchTo("10x10");
  SwitchTo("5x5");
  EXPECT_EQ(Boxes.size(), 1u);
}

TEST_F(PuzzleFiles, EscapeWhileAPuzzleIsCheckedKeepsTheOldGameAtOnce) {
  StartWindow();
  const Picture player = PlayerOf(Puzzle());
  // A random 60 x 60 picture: its check runs far longer than the Escape
  // takes to come.
  std::mt19937 random(3);
  Picture picture(60, std::string(60, '.'));
  for (std::string& row : picture)
    for (char& c : row) c = random() % 2 ? '#' : '.';
  std::chrono::steady_clock::time_point pressed;
  QTimer::singleShot(300, [&pressed] {
    pressed = std::chrono::steady_clock::now();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(qApp, &escape);
  });
  Open(WriteFile("random.txt", WriteGameId(PuzzleOfGame(*GameOf(picture)))));
  const double waited =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - pressed).count();
  EXPECT_EQ(Current().Name(), "10x10");
  EXPECT_EQ(PlayerOf(Puzzle()), player);
  EXPECT_EQ(Window->Shelf().FindByName("60x60"), nullptr);
  EXPECT_TRUE(Boxes.empty());
  // The check stops within a line solve of the Escape, long before its own
  // bound of a few seconds would end it.
  EXPECT_LT(waited, 1.5);
}

TEST_F(PuzzleFiles, AGameInProgressIsReplacedOnlyWhenThePlayerSaysSo) {
  StartWindow();
  SwitchTo("5x5");
  const Picture before = SolutionOf(Puzzle());
  const std::filesystem::path file = WriteFile("guess.txt", kNeedsGuessing);
  // An untouched board is replaced without a question.
  Open(file);
  EXPECT_EQ(SolutionOf(Puzzle()), kNeedsGuessingPicture);
  EXPECT_EQ(Boxes.size(), 1u);  // only the note that it needs guessing

  Answer = maYes;
  Action("aNew")->trigger();
  Stroke({{0, 0}});
  const Picture played = PlayerOf(Puzzle());
  const Picture solution = SolutionOf(Puzzle());
  ASSERT_NE(solution, before);
  Boxes.clear();
  Answer = maNo;
  Open(file);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Text, Replaced(ttnReplaceGame, "5x5"));
  EXPECT_TRUE(Boxes[0].Kinds & mkYesNo);
  EXPECT_EQ(SolutionOf(Puzzle()), solution);
  EXPECT_EQ(PlayerOf(Puzzle()), played);

  // Asked from another slot too: the game replaced is the one of the size.
  SwitchTo("10x10");
  Boxes.clear();
  Answer = maYes;
  Open(file);
  ASSERT_GE(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Text, Replaced(ttnReplaceGame, "5x5"));
  EXPECT_EQ(Current().Name(), "5x5");
  EXPECT_EQ(SolutionOf(Puzzle()), kNeedsGuessingPicture);
  EXPECT_EQ(PlayerOf(Puzzle()), Picture(5, "....."));
}

TEST_F(PuzzleFiles, AFileDroppedOnTheWindowIsOpened) {
  StartWindow();
  const std::filesystem::path file = WriteFile("frame.non", kFrameNon);
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
  const QPoint at = Window->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Window.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Window.get(), &drop);
  QApplication::processEvents();
  EXPECT_EQ(Current().Name(), "7x5");
  EXPECT_EQ(SolutionOf(Puzzle()), kFrame);

  // Refusals of files are worded for files, not for the clipboard.
  const std::pair<std::string, std::string> refused[] = {
      {"not a puzzle", TextFor(ttnNotAPuzzle)},
      {"2x2:2/2/2/2", Replaced(ttnBoardNotPlayable, "2x2").substr(0, 12)},
  };
  for (const auto& [text, said] : refused) {
    Boxes.clear();
    Open(WriteFile("refused.txt", text));
    ASSERT_EQ(Boxes.size(), 1u) << text;
    EXPECT_EQ(Boxes[0].Text.substr(0, said.size()), said) << text;
    EXPECT_EQ(Current().Name(), "7x5");
  }

  // A file that is not there, or a folder, is explained in the player's
  // words, and nothing changes.
  const std::pair<std::filesystem::path, TTextName> unreadable[] = {
      {std::filesystem::path(Folder) / "gone.non", ttnNoSuchFile},
      {std::filesystem::path(Folder), ttnFileNotRegular},
  };
  for (const auto& [path, reason] : unreadable) {
    Boxes.clear();
    Open(path);
    ASSERT_EQ(Boxes.size(), 1u) << path;
    EXPECT_EQ(Boxes[0].Text.substr(0, TextFor(ttnFileUnreadable).size()),
              TextFor(ttnFileUnreadable));
    EXPECT_TRUE(Boxes[0].Text.ends_with("\n" + TextFor(reason))) << Boxes[0].Text;
    EXPECT_EQ(Current().Name(), "7x5");
  }
}

// A file handed over while the window is busy (a dialog open, a puzzle being
// made) waits and opens once the window is free again, instead of being lost.
TEST_F(PuzzleFiles, AFileHandedOverWhileBusyOpensAfterwards) {
  StartWindow();
  const std::string before = Current().Name();
  auto busy = std::make_optional<TBusyScope>(Window->BusyState());
  Window->OpenWhenReady(WriteFile("frame.non", kFrameNon).string());
  QTest::qWait(400);
  EXPECT_EQ(Current().Name(), before);
  busy.reset();
  EXPECT_TRUE(QTest::qWaitFor([this] { return Current().Name() == "7x5"; }, 3000));
  EXPECT_EQ(SolutionOf(Puzzle()), kFrame);
}

// Each format the save dialog offers writes the puzzle with its goal (the game
// ID has none), and what was written opens again as the same puzzle.
TEST_F(PuzzleFiles, SaveAsWritesEachFormatThatReadsBackAsThePuzzle) {
  StartWindow();
  const TPuzzle shown = PuzzleOfGame(Puzzle());
  struct Case {
    std::string Name;     // as typed in the dialog
    int Filter;           // the filter chosen
    std::string Written;  // the file that appears
    bool Goal;
  };
  const Case cases[] = {
      {"a.non", 2, "a.non", true},  {"b.xml", 0, "b.xml", true},
      {"c.txt", 0, "c.txt", false}, {"d", 1, "d.xml", true},  // no extension: the filter's is added
      {"e", 2, "e.txt", false},
  };
  // Cancelled once, to learn the filters offered: nothing is written.
  DialogAnswer = {};
  Action("aSavePuzzleAs")->trigger();
  ASSERT_EQ(Dialogs.size(), 1u);
  ASSERT_TRUE(Dialogs[0].Save);
  const std::vector<std::string> filters = Dialogs[0].Filters;
  EXPECT_EQ(Dialogs[0].SuggestedName, "10x10.non");
  ASSERT_EQ(filters.size(), 3u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder),
                          std::filesystem::directory_iterator()),
            1);  // the settings folder only
  for (const Case& c : cases) {
    DialogAnswer = {(std::filesystem::path(Folder) / c.Name).string(), filters[c.Filter]};
    Action("aSavePuzzleAs")->trigger();
    const std::filesystem::path written = std::filesystem::path(Folder) / c.Written;
    ASSERT_TRUE(std::filesystem::exists(written)) << c.Name;
    const std::vector<TPuzzle> read = ReadPuzzles(FileBytes(written));
    ASSERT_EQ(read.size(), 1u) << c.Name;
    EXPECT_EQ(read[0].Rows, shown.Rows) << c.Name;
    EXPECT_EQ(read[0].Columns, shown.Columns) << c.Name;
    EXPECT_EQ(read[0].Goal, c.Goal ? shown.Goal : "") << c.Name;
    std::filesystem::remove(written);
  }
  // Saved, then opened into the same (untouched) slot: the same picture.
  const Picture solution = SolutionOf(Puzzle());
  DialogAnswer = {(std::filesystem::path(Folder) / "again.non").string(), {}};
  Action("aSavePuzzleAs")->trigger();
  Answer = maYes;
  Action("aNew")->trigger();
  ASSERT_NE(SolutionOf(Puzzle()), solution);
  Boxes.clear();
  Open(std::filesystem::path(Folder) / "again.non");
  EXPECT_EQ(SolutionOf(Puzzle()), solution);
  EXPECT_EQ(Current().Name(), "10x10");

  // An unwritable place is reported, and nothing else happens.
  Boxes.clear();
  DialogAnswer = {(std::filesystem::path(Folder) / "no-such-folder" / "x.non").string(), {}};
  Action("aSavePuzzleAs")->trigger();
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Text.substr(0, TextFor(ttnPuzzleNotSaved).size()), TextFor(ttnPuzzleNotSaved));
}

TEST_F(PuzzleFiles, OtherSizeMakesASlotThatSurvivesARestart) {
  StartWindow();
  ChooseOtherSize(12, 7);
  EXPECT_EQ(Current().Name(), "12x7");
  EXPECT_EQ(Puzzle().Width(), 12);
  EXPECT_EQ(Puzzle().Height(), 7);
  EXPECT_GT(Puzzle().GetStatus().SolutionFilled, 0);
  Stroke({{0, 0}, {0, 1}, {0, 2}});
  const Picture player = PlayerOf(Puzzle());
  const Picture solution = SolutionOf(Puzzle());
  Current().SetPlayedMs(65'000);

  Restart();
  EXPECT_EQ(Current().Name(), "12x7");
  EXPECT_EQ(PlayerOf(Puzzle()), player);
  EXPECT_EQ(SolutionOf(Puzzle()), solution);
  EXPECT_GE(Current().PlayedMs(), 65'000);
  // New in it makes another puzzle of its size.
  Answer = maYes;
  Action("aNew")->trigger();
  EXPECT_EQ(Puzzle().Width(), 12);
  EXPECT_NE(SolutionOf(Puzzle()), solution);

  // Choosing a size that exists shows it, without a second slot.
  SwitchTo("5x5");
  ChooseOtherSize(12, 7);
  EXPECT_EQ(Current().Name(), "12x7");
  EXPECT_EQ(SlotNames().size(), 6u);
}

TEST_F(PuzzleFiles, RemoveThisSizeAsksAndKeepsTheDefaultSizes) {
  StartWindow();
  // The default sizes cannot be removed.
  Window->bGame()->click();
  EXPECT_FALSE(Action("aRemoveSize")->isEnabled());
  Window->pmGame()->hide();
  Action("aRemoveSize")->trigger();
  EXPECT_EQ(SlotNames().size(), 5u);

  ChooseOtherSize(4, 6);
  ASSERT_EQ(Current().Name(), "4x6");
  Window->bGame()->click();
  EXPECT_TRUE(Action("aRemoveSize")->isEnabled());
  Window->pmGame()->hide();
  Answer = maNo;
  Action("aRemoveSize")->trigger();
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Text, Replaced(ttnRemoveSizeAsk, "4x6"));
  EXPECT_EQ(Current().Name(), "4x6");

  Answer = maYes;
  Action("aRemoveSize")->trigger();
  EXPECT_EQ(Current().Name(), "10x10");
  EXPECT_EQ(Window->Shelf().FindByName("4x6"), nullptr);
  EXPECT_EQ(MenuItem("4x6"), nullptr);
  Restart();
  EXPECT_EQ(SlotNames(), (std::vector<std::string>{"3x3", "5x5", "10x10", "15x15", "20x20"}));
  for (const std::string& line : IniLines()) EXPECT_NE(KeyOf(line), "clock.4x6");
}

}  // namespace

namespace {

// The text Paste and Open judge keeps its line breaks: the blank last line of
// a .non clue block is an empty clue, whatever comes before the text.
TEST(PasteCheck, PuzzleTextsKeepTheirBlankClueLines) {
  const std::string non = "width 3\nheight 3\nrows\n2\n1\n2\ncolumns\n3\n1,1\n\n";
  std::string crlf;
  for (const char c : non) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  const TSlotShelf none;
  for (const std::string& text : {non, "\xEF\xBB\xBF" + non, "\n  \t" + non, crlf}) {
    const TPasteCheck check = CheckPaste(text, none);
    ASSERT_EQ(check.Verdict, pvPuzzle) << check.Reason;
    EXPECT_EQ(check.SlotName, "3x3");
    EXPECT_EQ(check.PuzzleCount, 1u);
    EXPECT_EQ(check.Puzzle.Columns, (TCountersArr{{3}, {1, 1}, {}}));
  }
}

}  // namespace
