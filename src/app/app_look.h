// The look of the program and the font its windows share.
#pragma once

class QWidget;

// Chooses the look: mode 0 follows the system (dark when the system uses a
// dark application theme or forceDark is set), mode 1 is the dark look; any
// other mode changes nothing. Sets ThemeMode. Light keeps the platform's
// native style; dark uses the Fusion style with a dark palette of our own.
void ApplyStyle(QWidget* window, int mode, bool forceDark);

// The system's general user-interface font, shared by every window: the
// application font, which Qt takes from the system's settings (and which the
// layout tests set to each size they check).
class QFont SystemFont();
