#include "model/process_flags.h"

TAppPhase AppPhase = apNone;
bool AppBusy = false;
bool CtrlHeld = false;
