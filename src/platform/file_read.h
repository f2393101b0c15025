// Reading a whole file without ever waiting on something that is not one: a
// FIFO, a device, a socket or a folder is refused at once.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

enum class TReadStatus {
  Ok,          // Bytes holds the whole file
  Missing,     // nothing at the path (a dangling link counts as nothing)
  NotRegular,  // a folder, FIFO, device or socket
  TooLarge,    // larger than the limit given
  Failed,      // exists but cannot be read
};

struct TFileContent {
  TReadStatus Status = TReadStatus::Failed;
  std::string Bytes;
  std::string Reason;  // what went wrong, for the player; empty on Ok and Missing
};

// Reads the file at path, following links, when it is a regular file of at
// most maxBytes bytes.
TFileContent ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes);
