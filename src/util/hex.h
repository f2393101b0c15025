// Hexadecimal texts: bytes to hex digits and back, and 32-bit numbers. Bad
// input raises std::invalid_argument "No Hex-Number".
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "util/bytes.h"

// Two upper-case hex digits per byte, in order.
std::string BytesToHex(std::span<const std::uint8_t> bytes);
// Pairs of hex digits (either case) to bytes; an odd length is completed
// with a trailing "0".
TBytes HexToBytes(std::string_view text);
// Value of hex digits (either case), modulo 2^32; the empty text gives 0.
std::uint32_t HexToInt(std::string_view text);
// Upper-case hex with at least 8 digits, zero-padded in front up to width.
std::string HexOfUInt32(std::uint32_t value, int width);
// True for a non-empty text of hex digits only (either case).
bool IsHexText(std::string_view text);
