// Turns a language's texts, kept as readable UTF-8 for translators, into the
// stored form of a built-in table (see text/texts.h), as C++ source.
//
//   text_table_tool <language.txt> <function name> <output.cpp>
//
// The input has one text a line, "Name=text", Name being the text's name
// without its "ttn" prefix. Empty lines and lines starting with '#' are
// skipped. In the text, "\n" stands for a line break and "\\" for a
// backslash; a text wrapped in double quotes keeps the spaces at its ends
// (" and "). The output defines `const TTextItemNamesArr& <function>()`.
// Each entry is preceded by a #line directive, so that a name the program
// does not know is reported by the compiler at the line of the input.
//
// Refused with a message naming file and line, and exit status 1: a line
// without '=', a malformed name, a name given twice, an unknown escape, bytes
// that are not UTF-8. Exit status 2 for wrong arguments or unreadable files.
#include <cstdint>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "text/texts.h"

namespace {

struct TEntry {
  int Line;
  std::string Name;
  std::string Text;
};

std::string StoredForm(std::string_view text) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::vector<std::uint8_t> bytes;
  for (const char c : text) bytes.push_back(static_cast<std::uint8_t>(c) ^ kTextKey);
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t left = bytes.size() - i;
    const std::uint32_t n = std::uint32_t{bytes[i]} << 16 |
                            (left > 1 ? std::uint32_t{bytes[i + 1]} << 8 : 0u) |
                            (left > 2 ? std::uint32_t{bytes[i + 2]} : 0u);
    out += kAlphabet[n >> 18 & 63];
    out += kAlphabet[n >> 12 & 63];
    out += left > 1 ? kAlphabet[n >> 6 & 63] : '=';
    out += left > 2 ? kAlphabet[n & 63] : '=';
  }
  return out;
}

// Well-formed UTF-8: no stray continuation bytes, no overlong forms, no
// surrogates, nothing above U+10FFFF.
bool IsUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<std::uint8_t>(s[i]);
    int more = 0;
    std::uint32_t cp = 0;
    if (b < 0x80) {
      ++i;
      continue;
    } else if ((b & 0xE0) == 0xC0) {
      more = 1;
      cp = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      more = 2;
      cp = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
      more = 3;
      cp = b & 0x07;
    } else {
      return false;
    }
    if (i + more >= s.size()) return false;
    for (int k = 1; k <= more; ++k) {
      const auto c = static_cast<std::uint8_t>(s[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = cp << 6 | (c & 0x3F);
    }
    static constexpr std::uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[more] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += more + 1;
  }
  return true;
}

bool IsName(std::string_view name) {
  if (name.empty()) return false;
  for (const char c : name)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
  return true;
}

// The text as the program shows it, or an error message.
bool Unescape(std::string_view raw, std::string& text, std::string& error) {
  if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"')
    raw = raw.substr(1, raw.size() - 2);
  text.clear();
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '\\') {
      text += raw[i];
      continue;
    }
    if (i + 1 == raw.size()) {
      error = "a backslash ends the text (write \\\\ for a backslash)";
      return false;
    }
    const char next = raw[++i];
    if (next == 'n') {
      text += '\n';
    } else if (next == '\\') {
      text += '\\';
    } else {
      error = std::string("unknown escape \\") + next + " (only \\n and \\\\ are known)";
      return false;
    }
  }
  return true;
}

// The path as a C string literal for a #line directive.
std::string Quoted(std::string_view path) {
  std::string out = "\"";
  for (const char c : path) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + '"';
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: text_table_tool <language.txt> <function name> <output.cpp>\n";
    return 2;
  }
  const std::string inputPath = argv[1];
  const std::string function = argv[2];
  const std::string outputPath = argv[3];

  std::ifstream input(inputPath, std::ios::binary);
  if (!input) {
    std::cerr << inputPath << ": cannot be read\n";
    return 2;
  }
  std::vector<TEntry> entries;
  std::set<std::string> seen;
  bool failed = false;
  const auto fail = [&](int line, const std::string& message) {
    std::cerr << inputPath << ":" << line << ": error: " << message << "\n";
    failed = true;
  };
  std::string line;
  for (int number = 1; std::getline(input, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    if (line.empty() || line.front() == '#') continue;
    if (!IsUtf8(line)) {
      fail(number, "not UTF-8 (save the file as UTF-8)");
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
      fail(number, "no '=' between name and text");
      continue;
    }
    const std::string name = line.substr(0, equals);
    if (!IsName(name)) {
      fail(number, "'" + name + "' is not a text name");
      continue;
    }
    if (!seen.insert(name).second) {
      fail(number, name + " is given twice");
      continue;
    }
    std::string text, error;
    if (!Unescape(std::string_view(line).substr(equals + 1), text, error)) {
      fail(number, error);
      continue;
    }
    entries.push_back({number, name, text});
  }
  if (failed) return 1;

  std::ostringstream out;
  out << "// Made from " << inputPath << " by text_table_tool; edit that file instead.\n"
      << "#include \"text/translations.h\"\n\n"
      << "const TTextItemNamesArr& " << function << "() {\n"
      << "  static const TTextItemNamesArr items = {\n";
  for (const TEntry& e : entries) {
    out << "#line " << e.Line << " " << Quoted(inputPath) << "\n"
        << "      {ttn" << e.Name << ", \"" << e.Name << "\", \"" << StoredForm(e.Text) << "\"},\n";
  }
  out << "  };\n  return items;\n}\n";

  std::ofstream output(outputPath, std::ios::binary | std::ios::trunc);
  output << out.str();
  if (!output.flush()) {
    std::cerr << outputPath << ": cannot be written\n";
    return 2;
  }
  return 0;
}
