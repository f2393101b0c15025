// The main window as assistive technology sees it: a frame named by its
// caption (QWidget reports a plain widget otherwise), and the texts of the
// board's accessible table in the current language.
#pragma once

class QPushButton;
class QAction;

// Registers the main window's accessible factory once per process.
void InstallMainWindowAccessible();

// The board table's texts from the current language table.
void ApplyBoardAccessibleTexts();

// The button's accessible description names the action's shortcut; no
// description for an action without one.
void DescribeShortcut(QPushButton* button, const QAction* action);
