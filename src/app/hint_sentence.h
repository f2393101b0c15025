// The hint in one sentence of the player's words, in the current language:
// "Row 4 (clue 6 in 10 cells): the run of 6 covers cells 5 and 6 wherever it
// lies." Rows, columns and cells are counted from 1, as the player counts.
#pragma once

#include <string>

#include "solver/hint.h"

std::string HintSentence(const THint& hint);
