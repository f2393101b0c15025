// A run of raw bytes, as the hex, base64 and zlib helpers take and give it.
#pragma once

#include <cstdint>
#include <vector>

using TBytes = std::vector<std::uint8_t>;
