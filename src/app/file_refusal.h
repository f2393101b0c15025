// What the player is told when a file to open cannot be read.
#pragma once

#include <exception>
#include <string>

#include "platform/file_read.h"

// "The file cannot be opened:", the path and why: in the player's language
// for what the program itself finds (nothing there, no regular file, too
// large); a failed read keeps the system's own words. Only for a file whose
// Status is not Ok.
std::string FileReadRefusal(const std::string& path, const TFileContent& file);

// What went wrong, for a message box after the game's own words: for a file
// that could not be read, written or listed (EFileAccess), its path and why,
// in the player's language where the program itself found it; otherwise
// e.what().
std::string ProblemForThePlayer(const std::exception& e);
