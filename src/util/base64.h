// Standard base64 ("+", "/", "=" padding), read only.
#pragma once

#include <string_view>

#include "util/bytes.h"

// Only whole groups of four characters count; a trailing shorter rest is
// ignored. Throws std::invalid_argument on a character outside the alphabet
// or misplaced padding.
TBytes Base64Decode(std::string_view text);
