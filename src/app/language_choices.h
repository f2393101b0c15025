// The languages as the settings dialog offers them: the system's language
// first, where the player looks for it, then every registered language in
// the order of its own name (accents and case aside, so "Čeština" stands
// among the C's).
#pragma once

#include "text/lang_helper.h"

TLangRecArr LanguageChoices(TLanguage system);
