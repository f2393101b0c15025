// The lines of a settings file and the encoding they were stored in. A file
// without a byte-order mark is taken byte for byte (UTF-8 on Linux); a file
// that began with one is written again in the encoding of that mark, with it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class TFileEncoding { Plain, Utf8Bom, Utf16LE, Utf16BE };

struct TTextLines {
  std::vector<std::string> Lines;  // UTF-8, without line breaks
  TFileEncoding Encoding = TFileEncoding::Plain;
};

// Splits the file's bytes into lines at CR LF, LF or CR; a final line break
// does not start another line. UTF-16 is converted to UTF-8 (an unpaired
// surrogate becomes U+FFFD).
TTextLines DecodeTextLines(std::string_view bytes);

// Every line followed by CR LF, in the given encoding (with its mark). Plain
// text that begins with the bytes of a mark gets a UTF-8 mark in front, so
// that it reads back as the same lines.
std::string EncodeTextLines(const std::vector<std::string>& lines, TFileEncoding encoding);
