// Reading plain texts: splitting at delimiters, a tolerant integer reader and
// exact membership in a list of texts. Nothing here throws.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A signed decimal 32-bit integer, or def for anything else (empty text,
// separators, out-of-range numbers).
std::int32_t IntFromText(std::string_view text, std::int32_t def);

// Splits at every delimiter character, keeping empty parts; the empty text
// gives no parts.
std::vector<std::string> SplitText(std::string_view text, std::string_view delimiters);
// Exact, case-sensitive membership.
bool TextInList(std::string_view text, std::span<const std::string> list);
bool AnyTextInList(std::span<const std::string> texts, std::span<const std::string> list);
