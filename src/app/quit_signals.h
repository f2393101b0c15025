// Ends the program the orderly way when the system asks it to (SIGTERM at
// logout or shutdown, SIGHUP when its terminal goes, SIGINT from Ctrl+C, or
// the session manager): the games are saved as at a close by the player, but
// nothing asks the player any more, since nobody may be there to answer.
#pragma once

#include <functional>

class QObject;

// Catches the termination signals from now on (also when the parent started
// the program with them blocked). A signal caught before OnTerminationSignals
// waits until then.
void CatchTerminationSignals();

// Calls onSignal on the UI thread for each caught signal (for as long as
// context lives), after marking the end as unattended and closing every
// modal box and dialog, so that a question open at the time cannot hold the
// program. Also for a session manager that ends the session.
void OnTerminationSignals(QObject* context, std::function<void()> onSignal);

// The system is ending the program: from now on no message box is shown (it
// answers maCancel at once) and a save that cannot go where it belongs goes
// beside it instead of asking.
bool EndingUnattended();
void SetEndingUnattended(bool unattended = true);
