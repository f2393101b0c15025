// The keyboard focus made plain in every dialog: a solid frame two pixels
// wide around the control that has the keyboard, in the text colour of its
// window (so at least 3:1 against the window's background in every palette
// of the program, where the style's own mark is a faint tint). It shows from
// the moment a dialog opens, not only after the first Tab, and on every kind
// of control, also on those the style marks with nothing (a scrolling text).
//
// InstallFocusMarks follows the focus of the whole application from then on;
// calling it again does nothing. The main window is left alone: its board
// shows the keyboard cursor, and its buttons take no focus.
#pragma once

class QWidget;

void InstallFocusMarks();

// The frame around the focused control of a dialog, nullptr while none shows.
QWidget* FocusMark();
