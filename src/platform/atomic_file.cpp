#include "platform/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>
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
  throw std::runtime_error("Cannot write " + path.string() + ": " + reason);
}

}  // namespace

#ifdef _WIN32

void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
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

void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  TTemporaryFile temporary(path.string() + ".XXXXXX");
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
