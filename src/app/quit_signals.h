// Ends the program the orderly way when the system asks it to (SIGTERM at
// logout or shutdown, SIGHUP when its terminal goes, SIGINT from Ctrl+C):
// the window closes as if the player had closed it, so the games are saved.
#pragma once

class QWidget;

// Routes the termination signals to window->close() on the UI thread.
void CloseOnTerminationSignals(QWidget* window);
