// The main window's accessible role and name, the buttons' shortcut
// descriptions and the board table's texts.
#include "app/main_window_accessible.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QPushButton>

#include "text/lang_helper.h"
#include "text/texts.h"
#include "view/board_accessible.h"

namespace {

QString Text(TTextName name) {
  return QString::fromStdString(TextFor(name));
}

// The accessible name of a window is its caption, which QAccessibleWidget
// already reads from the window title; only the role needs setting.
QAccessibleInterface* MainWindowFactory(const QString& className, QObject* object) {
  if (className != QLatin1String("TfrmMain") || !object || !object->isWidgetType()) return nullptr;
  return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
}

}  // namespace

void InstallMainWindowAccessible() {
  static const bool installed = (QAccessible::installFactory(MainWindowFactory), true);
  (void)installed;
}

void ApplyBoardAccessibleTexts() {
  SetBoardAccessibleTexts({Text(ttnCellName), Text(ttnCellFilled), Text(ttnCellEmpty),
                           Text(ttnCellCrossed), Text(ttnRowClueName), Text(ttnColumnClueName),
                           Text(ttnRowClues), Text(ttnColumnClues), Text(ttnClueCompleted)});
}

void DescribeShortcut(QPushButton* button, const QAction* action) {
  const QKeySequence key = action->shortcut();
  button->setAccessibleDescription(
      key.isEmpty() ? QString()
                    : Text(ttnShortcutDescription).arg(key.toString(QKeySequence::NativeText)));
}
