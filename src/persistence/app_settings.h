// TAppSettings: the key=value store behind app.ini, the one file that holds
// all persistent state of the program.
//
// The file is a flat list of lines ended by CR LF. The key is everything
// before the first separator, the value everything after it; keys compare
// without regard to ASCII letter case; nothing is trimmed or quoted. Lines
// keep the order they were read in; a new key goes to its place in the
// program's fixed order of keys (KeyPlace, settings_table.h: after every line
// whose key comes before it or with it), an existing one is replaced in place, and an empty value
// removes the line (every line of the key, should a hand-made file hold it twice). A line without a
// separator is found by no read and is written back unchanged. A byte-order
// mark on the file read is written again (see settings_file.h).
//
// Saving never destroys the old file: the new content is written to a
// temporary file beside it and renamed over it (platform/atomic_file.h); a
// symbolic link in place of the file stays and its target is replaced.
#pragma once

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "persistence/settings_file.h"
#include "platform/file_error.h"
#include "util/color.h"

// A window's position and size in pixels.
struct TFormBounds {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

// Largest settings file read: far beyond what the program writes (a few
// state codes of some kilobytes each), small enough to hold in memory.
inline constexpr std::size_t kMaxSettingsFileSize = 32u * 1024u * 1024u;

// The settings file exists but cannot be used: not a regular file (a folder,
// FIFO, device or socket), larger than kMaxSettingsFileSize, or unreadable.
class ESettingsUnreadable : public EFileAccess {
 public:
  using EFileAccess::EFileAccess;
};

class TAppSettings {
 public:
  // The store for fileName in the settings folder, which is created when
  // missing (throws its error otherwise). Starts with the first-run lines of
  // the settings table: drawhottrackcounters=1, drawhottrackboard=0,
  // drawcellspos=1.
  TAppSettings(const std::string& fileName, char separator);
  // The same in a given folder.
  TAppSettings(const std::filesystem::path& folder, const std::string& fileName, char separator);

  // Replaces the lines by the file's when it exists and returns true;
  // otherwise keeps the defaults and returns false (a first run). Throws
  // ESettingsUnreadable, keeping the defaults, when something exists at the
  // path that cannot be read as a settings file; it never waits on a FIFO or
  // a device.
  bool Load();
  // Replaces the file with the lines; throws std::runtime_error on failure,
  // leaving the old file as it was.
  void Save() const;
  // The same two steps without the file: the lines from a file's bytes, and
  // the bytes Save writes.
  void LoadBytes(std::string_view bytes);
  std::string Bytes() const;

  std::string ReadString(std::string_view key) const;
  // 0 for an absent or unparsable value.
  int ReadInteger(std::string_view key) const;
  // def for an absent value; an unparsable one still reads 0.
  int ReadIntegerDef(std::string_view key, int def) const;
  bool ReadBool(std::string_view key) const;
  void WriteString(std::string_view key, std::string_view value);
  void WriteInteger(std::string_view key, int value);
  void WriteBool(std::string_view key, bool value);
  // Removes the non-empty lines that hold no separator (no read finds them).
  void RemoveLinesWithoutSeparator();

  // The four bounds keys of a window: "<form>.formpos.x", "<form>.formpos.y",
  // "<form>.formsize.w", "<form>.formsize.h".
  void SaveFormBounds(const std::string& formName, const TFormBounds& bounds);
  // Each absent key keeps the current value.
  TFormBounds LoadFormBounds(const std::string& formName, const TFormBounds& current) const;

  // The board palette of the current look.
  const TBoardPalette& GetBoardPalette() const;

  const std::vector<std::string>& Lines() const { return FLines; }
  const std::string& FileName() const { return FFileName; }

 private:
  // Index of the key's first line, or -1.
  int IndexOfKey(std::string_view key) const;
  // The key of a line in lower case; false for a line without a separator.
  bool LineKey(const std::string& line, std::string& key) const;

  std::vector<std::string> FLines;
  // The first line of each key (lower case), so that a lookup does not walk
  // the file: a player's file can hold a hundred thousand record lines.
  // Rebuilt after lines were removed.
  mutable std::unordered_map<std::string, std::size_t> FIndex;
  mutable bool FIndexStale = true;
  std::string FFileName;
  char FSeparator;
  TFileEncoding FEncoding = TFileEncoding::Plain;
};
