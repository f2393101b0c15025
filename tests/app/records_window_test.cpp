// The records as the player meets them: puzzles counted once, with their
// hints, through restarts; the Statistics window (F6) lists them.
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>

#include "app/f_statistics.h"
#include "main_window_harness.h"
#include "persistence/app_settings.h"
#include "persistence/records.h"

using namespace test_support;

namespace {

class RecordsWindow : public MainWindowTest {
 protected:
  void Key(Qt::Key key) {
    Window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    QTest::keyClick(Window.get(), key);
    QApplication::processEvents();
  }

  TRecord RecordOf(const std::string& size) const {
    return Window->Records().Of({size, Puzzle().Difficulty()});
  }

  // Solves the current puzzle with a last stroke, as the player would.
  void SolveWithAStroke() {
    FillSolution();
    TNonoGame& p = Puzzle();
    for (int y = 0; y < p.Height(); ++y)
      for (int x = 0; x < p.Width(); ++x)
        if (p.SolutionState(x, y) == psFilled) {
          p.SetPlayerState(x, y, psEmpty);
          Stroke({{x, y}});
          return;
        }
  }

  // Opens the Statistics window with F6 and reads its table; Escape closes it.
  std::vector<QStringList> StatisticsRows() {
    std::vector<QStringList> rows;
    bool opened = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<TfrmStatistics*>(QApplication::activeModalWidget());
      if (!dialog) return;
      opened = true;
      const auto* table = dialog->findChild<QTableWidget*>("tRecords");
      EXPECT_FALSE(table->accessibleName().isEmpty());
      // Without records the window says so instead of showing an empty table.
      EXPECT_NE(dialog->findChild<QLabel*>("lNoRecords")->isVisibleTo(dialog),
                table->isVisibleTo(dialog));
      EXPECT_EQ(dialog->accessibleName(), dialog->windowTitle());
      for (int r = 0; table->isVisibleTo(dialog) && r < table->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < table->columnCount(); ++c) row << table->item(r, c)->text();
        rows.push_back(row);
      }
      QTest::keyClick(dialog, Qt::Key_Escape);
    });
    // Should Escape not close it, the test fails instead of waiting forever.
    QTimer::singleShot(3000, [] {
      if (QWidget* still = QApplication::activeModalWidget()) {
        ADD_FAILURE() << "Escape left the Statistics window open";
        still->close();
      }
    });
    Key(Qt::Key_F6);
    EXPECT_TRUE(opened);
    return rows;
  }
};

TEST_F(RecordsWindow, APuzzleCountsOnceAsPlayedAndSolvedWithItsHintsThroughRestarts) {
  StartWindow();
  SwitchTo("5x5");
  Current().StartOver();
  EXPECT_TRUE(StatisticsRows().empty());

  // Asking for a hint is no move; the first stroke makes the puzzle played.
  Key(Qt::Key_H);
  EXPECT_EQ(RecordOf("5x5").Played, 0);
  Stroke({{0, 0}});
  Stroke({{0, 0}});
  EXPECT_EQ(RecordOf("5x5").Played, 1);

  // The hint and the count survive a restart, and nothing is counted again.
  Restart();
  SwitchTo("5x5");
  EXPECT_EQ(Current().HintsUsed(), 1);
  EXPECT_EQ(Current().Progress(), TPuzzleProgress::Played);
  Stroke({{1, 0}});
  EXPECT_EQ(RecordOf("5x5").Played, 1);

  SolveWithAStroke();
  ASSERT_TRUE(Window->tCongrats()->isActive());
  TRecord solved = RecordOf("5x5");
  EXPECT_EQ(solved.Solved, 1);
  EXPECT_EQ(solved.SolvedWithHints, 1);
  EXPECT_EQ(solved.BestSeconds, std::nullopt);  // a hint was used
  ASSERT_TRUE(solved.AverageSeconds().has_value());

  // A solved puzzle celebrated again after a restart is not solved twice.
  Restart();
  SwitchTo("5x5");
  ASSERT_TRUE(Window->tCongrats()->isActive());
  EXPECT_EQ(RecordOf("5x5"), solved);
  const std::vector<QStringList> rows = StatisticsRows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0], (QStringList{"5x5", "Normal", "1", "1", QString("\u2013"),
                                  TfrmStatistics::TimeText(solved.AverageSeconds()), "1"}));

  // A clean solve on another size sets a best time; the rows list sizes
  // smallest first.
  Answer = maYes;
  SwitchTo("3x3");
  Current().StartOver();
  Stroke({{0, 0}});
  SolveWithAStroke();
  EXPECT_EQ(RecordOf("3x3").Solved, 1);
  EXPECT_TRUE(RecordOf("3x3").BestSeconds.has_value());
  const std::vector<QStringList> both = StatisticsRows();
  ASSERT_EQ(both.size(), 2u);
  EXPECT_EQ(both[0][0], "3x3");
  EXPECT_EQ(both[0][4], TfrmStatistics::TimeText(RecordOf("3x3").BestSeconds));
  EXPECT_EQ(both[1][0], "5x5");
}

TEST_F(RecordsWindow, NewAndPasteStartAFreshPuzzleForTheRecords) {
  StartWindow();
  Key(Qt::Key_H);
  Stroke({{0, 0}});
  ASSERT_EQ(Current().Progress(), TPuzzleProgress::Played);
  Answer = maYes;
  Key(Qt::Key_N);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Current().Progress() == TPuzzleProgress::Fresh; }));
  EXPECT_EQ(Current().HintsUsed(), 0);

  Stroke({{0, 0}});
  Key(Qt::Key_H);
  const std::string code = Current().StateText();
  Window->ImportStateText(code);
  EXPECT_EQ(Current().Progress(), TPuzzleProgress::Fresh);
  EXPECT_EQ(Current().HintsUsed(), 0);
  EXPECT_EQ(Current().PlayedMs() / 1000, 0);
}

TEST_F(RecordsWindow, ProgressIsKeptForTheSizesThereAreOnly) {
  StartWindow();
  Key(Qt::Key_H);
  Stroke({{0, 0}});
  // Left by a size that is gone: a later size of that name starts fresh.
  Window->AppSettings().WriteString("progress.9x9", "2,0,0");
  CloseWindow();
  const std::vector<std::string> lines = IniLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "progress.10x10=1,1,0"), lines.end());
  for (const std::string& line : lines) EXPECT_NE(KeyOf(line), "progress.9x9");
  for (const std::string& line : lines) EXPECT_NE(KeyOf(line), "progress.5x5");  // untouched
}

TEST_F(RecordsWindow, StatisticsIsInTheGameMenuWithItsKey) {
  StartWindow();
  Window->BuildGameMenu();
  const QList<QAction*> items = Window->pmGame()->actions();
  QAction* statistics = Action("aStatistics");
  EXPECT_TRUE(items.contains(statistics));
  EXPECT_EQ(statistics->text(), "Statistics");
  EXPECT_EQ(statistics->shortcut(), QKeySequence(Qt::Key_F6));
}

}  // namespace
