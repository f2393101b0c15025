// A file that cannot be read, written or listed, with what the program needs
// to tell the player: the path, what was found, and the system's reason.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/file_read.h"

class EFileAccess : public std::runtime_error {
 public:
  // what() is "<action> <path>: <reason>" in English, for logs and the
  // command line; Failed stands for every failure of the system's.
  EFileAccess(const std::string& action, std::filesystem::path path, TReadStatus status,
              std::string reason)
      : std::runtime_error(action + " " + path.string() + ": " + reason),
        FPath(std::move(path)),
        FStatus(status),
        FReason(std::move(reason)) {}

  const std::filesystem::path& Path() const { return FPath; }
  TReadStatus Status() const { return FStatus; }
  // The system's own words (strerror) for Failed.
  const std::string& Reason() const { return FReason; }

 private:
  std::filesystem::path FPath;
  TReadStatus FStatus;
  std::string FReason;
};
