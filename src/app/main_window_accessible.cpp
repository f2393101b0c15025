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

// The accessible name of the window is set by the window itself (the product
// and the size, without the caption's version and counts, which a screen
// reader would read out after every dialog); only the role needs setting.
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
  SetBoardAccessibleTexts({Text(ttnCellFilled), Text(ttnCellEmpty), Text(ttnCellCrossed),
                           Text(ttnRowClueName), Text(ttnColumnClueName), Text(ttnRowClues),
                           Text(ttnColumnClues), Text(ttnClueCompleted), Text(ttnClueMistake),
                           Text(ttnRowComplete), Text(ttnColumnComplete), Text(ttnRowMistake),
                           Text(ttnColumnMistake)});
}

QString BoardIntro(int width, int height, int filled, int solutionFilled) {
  return Text(ttnBoardIntro).arg(width).arg(height).arg(filled).arg(solutionFilled);
}

void DescribeShortcut(QPushButton* button, const QAction* action) {
  const QKeySequence key = action->shortcut();
  button->setAccessibleDescription(
      key.isEmpty() ? QString()
                    : Text(ttnShortcutDescription).arg(key.toString(QKeySequence::NativeText)));
}
