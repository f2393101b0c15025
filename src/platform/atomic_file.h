// Writing a file so that it is never left half-written.
#pragma once

#include <filesystem>
#include <string_view>

// Replaces the file at path with bytes. The bytes go to a new temporary file
// in the same folder, which is flushed to disk and then renamed over the old
// file, so a crash or a full disk at any point leaves the old file intact
// (and no temporary file behind when the failure is reported). Throws
// std::runtime_error naming the file and the reason.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);
