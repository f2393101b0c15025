// The board paint box as an accessible table, asked through Qt's
// accessibility API the way a screen reader's bridge asks: its size, cell
// names and clue headers, and the change events a move and its undo send.
#include <gtest/gtest.h>
#include <QAccessible>

#include <vector>

#include "support/accessibility_recorder.h"
#include "view/board_accessible.h"
#include "view_harness.h"

namespace {

using test_support::Picture;
using test_support::TriplePairs;
using test_support::ViewHarness;
using test_support::ViewTest;

class BoardAccessible : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    SetBoardAccessibleTexts({"filled", "empty", "crossed", "Row %1 clue: %2", "Column %1 clue: %2",
                             "Row clues", "Column clues", "%1, completed", "%1, has a mistake",
                             "Row %1 complete", "Column %1 complete", "Row %1 has a mistake",
                             "Column %1 has a mistake"});
    SetBoardSpeaker([this](const QString& text) { Spoken.push_back(text.toStdString()); });
  }
  void TearDown() override {
    SetBoardSpeaker({});
    SetBoardAccessibleTexts({});
  }

  static QAccessibleInterface* Table(const ViewHarness& v) {
    return QAccessible::queryAccessibleInterface(v.Board());
  }
  static QString CellName(const ViewHarness& v, int row, int col) {
    QAccessibleInterface* cell = Table(v)->tableInterface()->cellAt(row, col);
    return cell ? cell->text(QAccessible::Name) : QString("(none)");
  }
  // Change events sent for board cells since the last call.
  std::vector<std::pair<QAccessible::Event, int>> TakeCellEvents(const ViewHarness& v) {
    return Reader.Take(v.Board(), {QAccessible::NameChanged, QAccessible::StateChanged});
  }

  test_support::AccessibilityRecorder Reader;
  std::vector<std::string> Spoken;  // what the board handed to its speaker
};

Picture Player() {
  Picture p(10, "..........");
  p[2] = "...#x.....";
  return p;
}

TEST_F(BoardAccessible, TheBoardIsATableOfNamedCellsWithClueHeaders) {
  ViewHarness v(TriplePairs(), Player());
  QAccessibleInterface* table = Table(v);
  ASSERT_NE(table, nullptr);
  // A canvas that answers as a table: a screen reader then reads one cell
  // at a time, never a whole row at a row change.
  EXPECT_EQ(table->role(), QAccessible::Canvas);
  ASSERT_NE(table->tableInterface(), nullptr);
  EXPECT_EQ(table->tableInterface()->rowCount(), 10);
  EXPECT_EQ(table->tableInterface()->columnCount(), 10);
  EXPECT_EQ(table->childCount(), 100 + 10 + 10);

  // The name is the state alone: the headers tell the place.
  EXPECT_EQ(CellName(v, 2, 3), "filled");
  EXPECT_EQ(CellName(v, 2, 4), "crossed");
  EXPECT_EQ(CellName(v, 9, 9), "empty");
  EXPECT_EQ(CellName(v, 10, 0), "(none)");

  QAccessibleInterface* cell = table->tableInterface()->cellAt(2, 3);
  EXPECT_EQ(cell->role(), QAccessible::Cell);
  EXPECT_EQ(cell->parent(), table);
  EXPECT_EQ(table->child(table->indexOfChild(cell)), cell);
  EXPECT_TRUE(cell->state().checked);
  QAccessibleTableCellInterface* place = cell->tableCellInterface();
  ASSERT_NE(place, nullptr);
  EXPECT_EQ(place->rowIndex(), 2);
  EXPECT_EQ(place->columnIndex(), 3);
  ASSERT_EQ(place->rowHeaderCells().size(), 1);
  EXPECT_EQ(place->rowHeaderCells()[0]->text(QAccessible::Name), "Row 3 clue: 0");
  EXPECT_EQ(place->rowHeaderCells()[0]->role(), QAccessible::RowHeader);
  ASSERT_EQ(place->columnHeaderCells().size(), 1);
  EXPECT_EQ(place->columnHeaderCells()[0]->text(QAccessible::Name), "Column 4 clue: 2 2 2");
  EXPECT_EQ(table->tableInterface()->rowDescription(0), "Row 1 clue: 2 2 2");

  // The cell lies where the board draws it.
  const QRect onScreen = cell->rect();
  EXPECT_TRUE(onScreen.contains(v.Board()->mapToGlobal(ViewHarness::Cell(3, 2))));
  EXPECT_EQ(table->childAt(onScreen.center().x(), onScreen.center().y()), cell);
}

TEST_F(BoardAccessible, AMoveAndItsUndoRenameTheCellAndTellTheReader) {
  ViewHarness v(TriplePairs(), Player());
  ASSERT_NE(Table(v), nullptr);  // a reader has found the board
  v.Frame->RepaintAll();
  EXPECT_TRUE(TakeCellEvents(v).empty());

  v.Stroke({ViewHarness::Cell(1, 0)}, Qt::LeftButton);
  EXPECT_EQ(CellName(v, 0, 1), "filled");
  using Events = std::vector<std::pair<QAccessible::Event, int>>;
  EXPECT_EQ(TakeCellEvents(v),
            (Events{{QAccessible::NameChanged, 1}, {QAccessible::StateChanged, 1}}));

  v.Game->Undo();
  v.Frame->RepaintAll();
  EXPECT_EQ(CellName(v, 0, 1), "empty");
  EXPECT_EQ(TakeCellEvents(v),
            (Events{{QAccessible::NameChanged, 1}, {QAccessible::StateChanged, 1}}));

  // A repaint without a change says nothing.
  v.Frame->RepaintAll();
  EXPECT_TRUE(TakeCellEvents(v).empty());
}

TEST_F(BoardAccessible, APuzzleOfAnotherSizeResetsTheTable) {
  ViewHarness v(TriplePairs(), Player());
  QAccessibleInterface* table = Table(v);
  QAccessibleInterface* lastCell = table->tableInterface()->cellAt(9, 9);
  ASSERT_NE(lastCell, nullptr);

  v.Game->LoadSolutionGrid(test_support::LettersOf({"#...", "....", "...."}));
  v.Frame->CreateGrids();
  v.Frame->Layout(lfKeep, 0);
  v.Frame->RepaintAll();

  EXPECT_EQ(Reader.Take(v.Board(), {QAccessible::TableModelChanged}).size(), 1u);
  EXPECT_TRUE(TakeCellEvents(v).empty());
  EXPECT_EQ(table->tableInterface()->rowCount(), 3);
  EXPECT_EQ(table->tableInterface()->columnCount(), 4);
  EXPECT_EQ(table->childCount(), 12 + 3 + 4);
  EXPECT_EQ(CellName(v, 2, 3), "empty");
  EXPECT_EQ(CellName(v, 3, 0), "(none)");
  EXPECT_EQ(table->tableInterface()->columnDescription(0), "Column 1 clue: 1");
}

TEST_F(BoardAccessible, TheCursorCellIsFocusedAndEveryMoveTellsTheReader) {
  ViewHarness v(TriplePairs(), Player());
  QAccessibleInterface* table = Table(v);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->focusChild(), nullptr);  // no cursor before the first key
  const auto focusEvents = [&] { return Reader.Take(v.Board(), {QAccessible::Focus}); };
  using Events = std::vector<std::pair<QAccessible::Event, int>>;

  // The first key shows the cursor on the first cell; then each move, and a
  // move stopped by the edge sends nothing.
  const std::pair<int, Events> keys[] = {
      {Qt::Key_Space, {{QAccessible::Focus, 0}}},
      {Qt::Key_Right, {{QAccessible::Focus, 1}}},
      {Qt::Key_Down, {{QAccessible::Focus, 11}}},
      {Qt::Key_End, {{QAccessible::Focus, 19}}},
      {Qt::Key_Right, {}},
      {Qt::Key_Home, {{QAccessible::Focus, 10}}},
      {Qt::Key_Space, {}},  // fills the cell: a name change, not a move
  };
  for (const auto& [key, expected] : keys) {
    ASSERT_TRUE(v.Frame->BoardKeyPress(key, Qt::NoModifier)) << key;
    EXPECT_EQ(focusEvents(), expected) << key;
  }

  QAccessibleInterface* focused = table->focusChild();
  ASSERT_NE(focused, nullptr);
  EXPECT_EQ(focused, table->tableInterface()->cellAt(1, 0));
  EXPECT_TRUE(focused->state().focused);
  EXPECT_EQ(focused->text(QAccessible::Name), "filled");
  EXPECT_FALSE(table->tableInterface()->cellAt(1, 9)->state().focused);

  // A Shift stroke moves the focus along with the cells it paints.
  ASSERT_TRUE(v.Frame->BoardKeyPress(Qt::Key_Right, Qt::ShiftModifier));
  EXPECT_EQ(focusEvents(), (Events{{QAccessible::Focus, 11}}));
  EXPECT_EQ(CellName(v, 1, 1), "filled");
}

// A screen reader speaks the cell the focus moves to, but not a change of
// the focused cell's name: that, and what it did to the cell's lines, is
// handed to the speaker, once per change, also after Undo.
TEST_F(BoardAccessible, TheCursorsCellSpeaksItsNewStateAndItsLinesNews) {
  ViewHarness v(TriplePairs(), Picture(10, ".........."));
  v.Frame->SetShowCompletedClues(true);
  v.Frame->SetShowMistakeLines(true);
  QAccessibleInterface* table = Table(v);
  ASSERT_NE(table, nullptr);
  using Said = std::vector<std::string>;
  const auto press = [&](int key) {
    EXPECT_TRUE(v.Frame->BoardKeyPress(key, Qt::NoModifier)) << key;
    Said said;
    said.swap(Spoken);
    return said;
  };
  // Row 1 is "##.##.##..", clue 2 2 2; column 3 is empty, clue 0.
  const std::pair<int, Said> steps[] = {
      {Qt::Key_Space, {}},  // shows the cursor on the first cell: the focus speaks it
      {Qt::Key_Space, {"filled"}},
      {Qt::Key_X, {"empty"}},
      {Qt::Key_X, {"crossed"}},
      {Qt::Key_Space, {"filled"}},
      {Qt::Key_Right, {}},  // a move alone is the focus's to speak
      {Qt::Key_Space, {"filled"}},
      {Qt::Key_Right, {}},
      {Qt::Key_Right, {}},
      {Qt::Key_Space, {"filled"}},
      {Qt::Key_Right, {}},
      {Qt::Key_Space, {"filled"}},
      {Qt::Key_Right, {}},
      {Qt::Key_Right, {}},
      {Qt::Key_Space, {"filled"}},
      {Qt::Key_Right, {}},
      {Qt::Key_Space, {"filled. Row 1 complete"}},
  };
  for (const auto& [key, said] : steps) EXPECT_EQ(press(key), said) << key;
  QAccessibleTableInterface* cells = table->tableInterface();
  EXPECT_EQ(cells->rowDescription(0), "Row 1 clue: 2 2 2, completed");

  // A filled cell in the empty third column breaks both of its lines.
  for (int i = 0; i < 5; ++i) press(Qt::Key_Left);
  EXPECT_EQ(press(Qt::Key_Space), (Said{"filled. Row 1 has a mistake. Column 3 has a mistake"}));
  EXPECT_EQ(cells->rowDescription(0), "Row 1 clue: 2 2 2, has a mistake");
  EXPECT_EQ(cells->columnDescription(2), "Column 3 clue: 0, has a mistake");
  QAccessibleInterface* cell = cells->cellAt(0, 2);
  EXPECT_EQ(cell->tableCellInterface()->rowHeaderCells()[0]->text(QAccessible::Name),
            "Row 1 clue: 2 2 2, has a mistake");

  // Undo puts both lines right again.
  v.Game->Undo();
  v.Frame->RepaintAll();
  EXPECT_EQ(Spoken, (Said{"empty. Row 1 complete. Column 3 complete"}));
  Spoken.clear();
  v.Frame->RepaintAll();
  EXPECT_TRUE(Spoken.empty());

  // Another puzzle of the same size under the cursor: its cells and lines
  // (the empty third column complete at once) are no news of the player's.
  press(Qt::Key_Down);
  press(Qt::Key_Down);
  press(Qt::Key_Space);  // fills the cell at row 3, column 3
  Picture other = TriplePairs();
  std::swap(other[2], other[3]);  // row 3 gets the clue 2 2 2, row 4 none
  v.Game->LoadSolutionGrid(test_support::LettersOf(other));
  v.Game->StartOver();
  v.Frame->Layout(lfKeep, 0);
  v.Frame->RepaintAll();
  EXPECT_TRUE(Spoken.empty()) << Spoken.front();
}

TEST_F(BoardAccessible, TheStripsListEachLinesClueAndTellWhenItIsCompleted) {
  Picture player(10, "..........");
  player[0] = "##.##.##..";
  ViewHarness v(TriplePairs(), player);
  QAccessibleInterface* rows = QAccessible::queryAccessibleInterface(v.Frame->pbLeft());
  QAccessibleInterface* columns = QAccessible::queryAccessibleInterface(v.Frame->pbTop());
  ASSERT_NE(rows, nullptr);
  ASSERT_NE(columns, nullptr);
  EXPECT_EQ(rows->role(), QAccessible::List);
  EXPECT_EQ(rows->text(QAccessible::Name), "Row clues");
  EXPECT_EQ(columns->text(QAccessible::Name), "Column clues");
  ASSERT_EQ(rows->childCount(), 10);
  ASSERT_EQ(columns->childCount(), 10);
  EXPECT_EQ(rows->child(1)->role(), QAccessible::ListItem);
  EXPECT_EQ(rows->indexOfChild(rows->child(4)), 4);

  // Completed clues are told only while they are marked.
  EXPECT_EQ(rows->child(0)->text(QAccessible::Name), "Row 1 clue: 2 2 2");
  v.Frame->SetShowCompletedClues(true);
  const std::pair<QAccessibleInterface*, QString> names[] = {
      {rows->child(0), "Row 1 clue: 2 2 2, completed"},
      {rows->child(1), "Row 2 clue: 2 2 2"},
      {rows->child(2), "Row 3 clue: 0, completed"},  // nothing to fill, nothing filled
      {columns->child(0), "Column 1 clue: 2 2 2"},
      {columns->child(9), "Column 10 clue: 0, completed"},
  };
  for (const auto& [line, name] : names) EXPECT_EQ(line->text(QAccessible::Name), name);
  EXPECT_TRUE(rows->child(0)->state().checked);
  EXPECT_FALSE(rows->child(1)->state().checked);

  // Each line lies beside its board line.
  const QRect firstRow = rows->child(0)->rect();
  const QRect firstCell = Table(v)->tableInterface()->cellAt(0, 0)->rect();
  EXPECT_LE(firstRow.right(), firstCell.left());
  EXPECT_TRUE(firstRow.top() <= firstCell.center().y() &&
              firstCell.center().y() <= firstRow.bottom());
  EXPECT_EQ(rows->childAt(firstRow.center().x(), firstRow.center().y()), rows->child(0));

  // Completing a line, and undoing it, renames that line alone.
  v.Frame->RepaintAll();
  Reader.Take(v.Frame->pbLeft(), {});
  v.Stroke({ViewHarness::Cell(0, 1), ViewHarness::Cell(1, 1)}, Qt::LeftButton);
  v.Stroke({ViewHarness::Cell(3, 1), ViewHarness::Cell(4, 1)}, Qt::LeftButton);
  v.Stroke({ViewHarness::Cell(6, 1), ViewHarness::Cell(7, 1)}, Qt::LeftButton);
  EXPECT_EQ(rows->child(1)->text(QAccessible::Name), "Row 2 clue: 2 2 2, completed");
  using Events = std::vector<std::pair<QAccessible::Event, int>>;
  EXPECT_EQ(Reader.Take(v.Frame->pbLeft(), {QAccessible::NameChanged}),
            (Events{{QAccessible::NameChanged, 1}}));
  v.Game->Undo();
  v.Frame->RepaintAll();
  EXPECT_EQ(rows->child(1)->text(QAccessible::Name), "Row 2 clue: 2 2 2");
  EXPECT_EQ(Reader.Take(v.Frame->pbLeft(), {QAccessible::NameChanged}),
            (Events{{QAccessible::NameChanged, 1}}));
}

}  // namespace
