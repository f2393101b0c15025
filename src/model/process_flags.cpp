#include "model/process_flags.h"

TAppPhase AppPhase = apNone;
bool CtrlHeld = false;
