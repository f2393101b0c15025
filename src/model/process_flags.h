// Process-wide state shared across layers without a dependency between them:
// the application phase, busy flag and Ctrl key that the board view reads.
#pragma once

enum TAppPhase : int { apNone = 0, apStarting = 1, apRunning = 2, apClosing = 3 };

// Set by the main window; the board view ignores input and painting while
// starting, closing or busy.
extern TAppPhase AppPhase;
extern bool AppBusy;

// Set by the main window while the Ctrl key is down; the board shows position
// counters only then.
extern bool CtrlHeld;
