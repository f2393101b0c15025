// The operating system's cryptographic random source: getrandom(2) on Linux,
// CNG (bcrypt.dll, resolved at run time) on Windows.
#pragma once

#include <cstdint>
#include <span>

// Fills the whole buffer with random bytes. Throws std::runtime_error carrying
// the reason when the system cannot deliver them; the buffer content is then
// left undefined.
void OsRandomFill(std::span<std::uint8_t> buffer);
