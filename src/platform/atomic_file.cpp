#include "platform/atomic_file.h"

#include "platform/file_error.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#ifdef _WIN32
#include <fstream>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& reason) {
  throw EFileAccess("Cannot write", path, TReadStatus::Failed, reason);
}

// Temporary files are "<name>.tmp.XXXXXX": the tag tells them from a file
// of the player's, whatever letters the random part happens to get.
constexpr std::string_view kTemporaryTag = ".tmp.";

bool IsRandomPart(std::string_view part) {
  return part.size() == 6 && std::all_of(part.begin(), part.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
         });
}

// Earlier versions wrote "<name>.XXXXXX" without the tag; of those only a
// mix of cases or of letters and digits can be told from a word.
bool IsUntaggedRandomPart(std::string_view part) {
  if (!IsRandomPart(part)) return false;
  const auto all = [part](auto test) { return std::all_of(part.begin(), part.end(), test); };
  return !all([](char c) { return c >= '0' && c <= '9'; }) &&
         !all([](char c) { return c >= 'a' && c <= 'z'; });
}

// The stem of a leftover temporary file's name, or nothing.
std::optional<std::string> LeftoverStem(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return std::nullopt;
  const std::string_view part = std::string_view(name).substr(dot + 1);
  const std::string_view head = std::string_view(name).substr(0, dot + 1);
  if (head.size() > kTemporaryTag.size() && head.ends_with(kTemporaryTag) && IsRandomPart(part))
    return std::string(head.substr(0, head.size() - kTemporaryTag.size()));
  if (IsUntaggedRandomPart(part)) return name.substr(0, dot);
  return std::nullopt;
}

}  // namespace

std::filesystem::path ResolveLinks(const std::filesystem::path& path) {
  // As many links as the system itself follows before it gives up.
  constexpr int kMaxLinks = 40;
  std::filesystem::path target = path;
  for (int i = 0; i < kMaxLinks; ++i) {
    std::error_code error;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(target, error))) return target;
    const std::filesystem::path next = std::filesystem::read_symlink(target, error);
    if (error) Fail(path, error.message());
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  Fail(path, "too many levels of symbolic links");
}

int RemoveTemporaryLeftovers(const std::filesystem::path& folder,
                             const std::function<bool(const std::string& stem)>& ours) {
  int removed = 0;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    const std::optional<std::string> stem = LeftoverStem(name);
    if (!stem || !ours(*stem)) continue;
    std::error_code ignored;
    if (entry.is_symlink(ignored) || !entry.is_regular_file(ignored)) continue;
    if (std::filesystem::remove(entry.path(), ignored)) ++removed;
  }
  return removed;
}

#ifdef _WIN32

void WriteFileAtomically(const std::filesystem::path& link, std::string_view bytes) {
  const std::filesystem::path path = ResolveLinks(link);
  std::filesystem::path temporary = path;
  temporary += ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      Fail(path, "write failed");
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    Fail(path, error.message());
  }
}

#else

namespace {

// Closes and removes the temporary file unless the rename has taken it over.
class TTemporaryFile {
 public:
  explicit TTemporaryFile(std::string name) : FName(std::move(name)) {
    FDescriptor = mkstemp(FName.data());
  }
  ~TTemporaryFile() {
    if (FDescriptor >= 0) close(FDescriptor);
    if (!FRenamed) unlink(FName.c_str());
  }
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;

  int Descriptor() const { return FDescriptor; }
  const std::string& Name() const { return FName; }
  bool Close() {
    const int result = close(FDescriptor);
    FDescriptor = -1;
    return result == 0;
  }
  void SetRenamed() { FRenamed = true; }

 private:
  std::string FName;
  int FDescriptor = -1;
  bool FRenamed = false;
};

}  // namespace

void WriteFileAtomically(const std::filesystem::path& link, std::string_view bytes) {
  // A link stays a link: the file it leads to is the one replaced.
  const std::filesystem::path path = ResolveLinks(link);
  TTemporaryFile temporary(path.string() + std::string(kTemporaryTag) + "XXXXXX");
  if (temporary.Descriptor() < 0) Fail(path, std::strerror(errno));

  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t count =
        write(temporary.Descriptor(), bytes.data() + written, bytes.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) Fail(path, std::strerror(count < 0 ? errno : ENOSPC));
    written += static_cast<std::size_t>(count);
  }
  // Keep the old file's permissions; a new file gets the usual ones.
  struct stat old {};
  const mode_t mode = stat(path.c_str(), &old) == 0 ? old.st_mode & 07777 : 0644;
  if (fchmod(temporary.Descriptor(), mode) != 0 || fsync(temporary.Descriptor()) != 0 ||
      !temporary.Close())
    Fail(path, std::strerror(errno));
  if (rename(temporary.Name().c_str(), path.c_str()) != 0) Fail(path, std::strerror(errno));
  temporary.SetRenamed();

  // Make the rename itself durable; the new file is complete either way.
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  const int directory = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (directory >= 0) {
    fsync(directory);
    close(directory);
  }
}

#endif
