// zlib streams (RFC 1950): packing a buffer and unpacking it with a limit on
// what it may grow to. Bad input raises std::runtime_error with a message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "util/bytes.h"

// Upper bound for DecompressBytes when the caller names none.
inline constexpr std::size_t kDefaultMaxInflatedSize = 16u * 1024u * 1024u;

// One zlib stream at the default level over the whole input.
TBytes CompressBytes(std::span<const std::uint8_t> bytes);
// Inflates one whole zlib stream. Throws std::runtime_error with zlib's text
// on a damaged or truncated stream, and refuses (throws) a stream that would
// inflate beyond maxSize bytes without ever holding more than that.
TBytes DecompressBytes(std::span<const std::uint8_t> bytes,
                       std::size_t maxSize = kDefaultMaxInflatedSize);
