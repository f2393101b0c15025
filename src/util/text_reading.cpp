#include "util/text_reading.h"

#include <algorithm>
#include <charconv>

std::int32_t IntFromText(std::string_view text, std::int32_t def) {
  // The conversion is tried with "." and then "," as separator after every
  // ".", "," and "$" has become that separator; a decimal integer never holds
  // one, so any of them means def.
  if (text.empty() || text.find_first_of(".,$") != std::string_view::npos) return def;
  // from_chars takes a leading "-" but not "+".
  std::string_view number = text;
  if (number.front() == '+') {
    number.remove_prefix(1);
    if (number.empty() || number.front() == '-') return def;
  }
  std::int32_t value = 0;
  const char* const last = number.data() + number.size();
  const auto [end, error] = std::from_chars(number.data(), last, value);
  return error == std::errc() && end == last ? value : def;
}

std::vector<std::string> SplitText(std::string_view text, std::string_view delimiters) {
  std::vector<std::string> parts;
  if (text.empty()) return parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = text.find_first_of(delimiters, start);
    parts.emplace_back(text.substr(start, at - start));
    if (at == std::string_view::npos) return parts;
    start = at + 1;
  }
}

bool TextInList(std::string_view text, std::span<const std::string> list) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

bool AnyTextInList(std::span<const std::string> texts, std::span<const std::string> list) {
  return std::any_of(texts.begin(), texts.end(),
                     [list](const std::string& text) { return TextInList(text, list); });
}
