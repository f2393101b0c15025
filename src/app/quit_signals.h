// Ends the program the orderly way when the system asks it to (SIGTERM at
// logout or shutdown, SIGHUP when its terminal goes, SIGINT from Ctrl+C):
// the window closes as if the player had closed it, so the games are saved.
#pragma once

class QWidget;

// Catches the termination signals from now on (also when the parent started
// the program with them blocked). A signal caught before the window exists
// waits until CloseOnTerminationSignals and then closes it, so an early
// signal neither kills the program unsaved nor closes a half-made window.
void CatchTerminationSignals();

// Routes the caught signals to window->close() on the UI thread.
void CloseOnTerminationSignals(QWidget* window);
