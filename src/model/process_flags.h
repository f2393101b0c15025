// Process-wide state shared across layers without a dependency between them:
// the application phase and the Ctrl key that the board view reads.
#pragma once

enum TAppPhase : int { apNone = 0, apStarting = 1, apRunning = 2, apClosing = 3 };

// Set by the main window alone; the board view ignores input and painting
// while closing. (Whether the window is busy is its busy state's, which each
// board view asks through the query its owner gives it.)
extern TAppPhase AppPhase;

// Set by the main window while the Ctrl key is down; the board shows position
// counters only then.
extern bool CtrlHeld;
