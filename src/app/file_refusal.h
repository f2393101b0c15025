// What the player is told when a file to open cannot be read.
#pragma once

#include <string>

#include "platform/file_read.h"

// "The file cannot be opened:", the path and why: in the player's language
// for what the program itself finds (nothing there, no regular file, too
// large); a failed read keeps the system's own words. Only for a file whose
// Status is not Ok.
std::string FileReadRefusal(const std::string& path, const TFileContent& file);
