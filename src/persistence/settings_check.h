// Telling a damaged settings file from a sound one, and finding the stored
// games that are still in a damaged one.
//
// A file is damaged when it has no "state" value and a line that is no
// setting (a broken key, or a lost line break that merged the "state" line
// into the one before), when a non-empty line has no separator, or when one
// of the program's number keys holds something that is not a number. A file
// of settings alone, without a stored game anywhere in it, is sound: the
// slots start as on a first run.
//
// A damaged file is kept before anything can overwrite it, under numbered
// names beside it: "app.ini.bad", then "app.ini.bad.1", "app.ini.bad.2", ...
// (the highest number the newest), keeping the newest few.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "persistence/game_state.h"

class TAppSettings;

// The keys whose values the program writes as integers, with the window
// bounds of the given form.
std::vector<std::string> IntegerSettingsKeys(const std::string& formName);

// What is wrong with the lines read, for the player; empty when nothing is
// (also for a file without any content). integerKeys as above.
std::string SettingsDamage(const TAppSettings& store, const std::vector<std::string>& integerKeys);

// Once a copy of a damaged file is kept: removes the lines that made it
// damaged, the non-empty ones without a separator and those of integer keys
// whose values do not parse (so the window uses its own values, not 0), so
// that the next save writes a sound file.
void RemoveUnreadableLines(TAppSettings& store, const std::vector<std::string>& integerKeys);

// Every run of hexadecimal digits longer than a checksum: the candidates for
// stored games, wherever a damage has left them. Those in the "state" value
// come first, then those of every line in file order (the "state" line's
// again among them).
std::vector<std::string> StateCodeCandidates(const TAppSettings& store);

// The stored games a damaged file still holds: the candidates that pass
// their check, in that order, the first of each name, at most most of them.
// At most four times most codes are decoded, so a file full of copies of one
// game does not take long. Read again after the games were saved under
// "state", the file gives the same games in the same order.
std::vector<TGameStateRec> SalvageStoredGames(const TAppSettings& store, int most);

// How many copies of damaged files are kept, and of unsaved sessions.
inline constexpr int kKeptDamagedCopies = 5;

// The numbered series of copies beside a file: "app.ini.bad", then
// "app.ini.bad.1", "app.ini.bad.2", ... (the highest number the newest).
// Damaged files are kept under kDamagedTag; the games and settings of a
// session the system ended while app.ini could not be written under
// kUnsavedTag.
inline constexpr const char* kDamagedTag = ".bad";
inline constexpr const char* kUnsavedTag = ".unsaved";

// The number of a copy's file name for the file named fileName: 0 for
// "<fileName><tag>", n for "<fileName><tag>.<n>"; -1 for any other name.
int NumberedCopyNumber(const std::string& name, const std::string& fileName,
                       const std::string& tag);
int DamagedCopyNumber(const std::string& name, const std::string& fileName);

// Writes bytes to the next name of the series beside file, atomically, then
// removes the oldest regular-file copies beyond the newest keep. Returns the
// copy's path; throws std::runtime_error, leaving no partial copy, when none
// could be written.
std::filesystem::path WriteNumberedCopy(const std::filesystem::path& file, const std::string& tag,
                                        std::string_view bytes, int keep);

// The same with the file's bytes (read now, as they are) under kDamagedTag.
std::filesystem::path KeepDamagedCopy(const std::filesystem::path& file, int keep);

// The newest regular file of the series beside file; empty when there is none.
std::filesystem::path NewestNumberedCopy(const std::filesystem::path& file, const std::string& tag);

// Removes what writes of the settings file or of its copies left when they
// were killed midway ("app.ini.tmp.XXXXXX", "app.ini.bad.1.tmp.XXXXXX",
// "app.ini.unsaved.tmp.XXXXXX", ...), beside
// the file and beside the file a link in its place leads to.
void RemoveLeftoversOfKilledWrites(const std::filesystem::path& file);
