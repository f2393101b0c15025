// The main window as assistive technology sees it: a frame (QWidget reports a
// plain widget otherwise), the texts of the board's accessible table in the
// current language, and the line a screen reader hears when the board takes
// the keyboard.
#pragma once

#include <QString>

class QPushButton;
class QAction;

// Registers the main window's accessible factory once per process.
void InstallMainWindowAccessible();

// The board table's texts from the current language table.
void ApplyBoardAccessibleTexts();

// The board's size, how many of its cells are filled, and the keys to play.
QString BoardIntro(int width, int height, int filled, int solutionFilled);

// The button's accessible description names the action's shortcut; no
// description for an action without one.
void DescribeShortcut(QPushButton* button, const QAction* action);
