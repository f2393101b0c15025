// Writing a file so that it is never left half-written.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

// Replaces the file at path with bytes. When path is a symbolic link, the
// link stays and the file it leads to is replaced. The bytes go to a new
// temporary file "<name>.tmp.XXXXXX" in that file's folder, which is flushed to
// disk and then renamed over the old file, so a crash or a full disk at any
// point leaves the old file intact (and no temporary file behind when the
// failure is reported). Throws EFileAccess (platform/file_error.h) naming the
// file and the reason.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The file a path finally leads to: every symbolic link on the way followed,
// also one that leads nowhere (yet). Throws std::runtime_error on a loop.
std::filesystem::path ResolveLinks(const std::filesystem::path& path);

// Removes the temporary files that writes killed in the middle left in
// folder: regular files named "<stem>.tmp.XXXXXX" (six letters and digits,
// as WriteFileAtomically makes them) for which ours(stem) holds. The names
// earlier versions used, "<stem>.XXXXXX", count when the six mix cases or
// letters and digits, so that names like "app.ini.backup" are safe. Returns
// how many files were removed.
int RemoveTemporaryLeftovers(const std::filesystem::path& folder,
                             const std::function<bool(const std::string& stem)>& ours);
