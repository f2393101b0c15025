// The real main window as assistive technology sees it: a frame named by its
// caption, buttons that name their shortcuts, and the shown board as a table
// whose cells are renamed, with a change event, by a click and by Undo.
#include <QAccessible>
#include <QPushButton>

#include "main_window_harness.h"
#include "support/accessibility_recorder.h"
#include "support/accessible_names.h"
#include "text/lang_helper.h"

using namespace test_support;

namespace {

using WindowAccessible = MainWindowTest;

TEST_F(WindowAccessible, TheWindowIsAFrameNamedByItsCaption) {
  StartWindow();
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(Window.get());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->role(), QAccessible::Window);
  EXPECT_FALSE(Window->windowTitle().isEmpty());
  EXPECT_EQ(window->text(QAccessible::Name), Window->windowTitle());

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
  EXPECT_EQ(cell->text(QAccessible::Name), "Row 2, column 3: empty");
  const QString rowClue = cell->tableCellInterface()->rowHeaderCells()[0]->text(QAccessible::Name);
  EXPECT_TRUE(rowClue.startsWith("Row 2 clue: ")) << rowClue.toStdString();

  const QPoint at = view.pbBoard()->mapFromGlobal(cell->rect().center());
  QTest::mouseClick(view.pbBoard(), Qt::LeftButton, Qt::NoModifier, at);
  QApplication::processEvents();
  EXPECT_EQ(cell->text(QAccessible::Name), "Row 2, column 3: filled");
  const int index = 1 * Puzzle().Width() + 2;
  using Sent = std::vector<std::pair<QAccessible::Event, int>>;
  EXPECT_EQ(reader.Take(view.pbBoard(), named), (Sent{{QAccessible::NameChanged, index}}));

  Window->findChild<QPushButton*>("bUndo")->click();
  QApplication::processEvents();
  EXPECT_EQ(cell->text(QAccessible::Name), "Row 2, column 3: empty");
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

}  // namespace
