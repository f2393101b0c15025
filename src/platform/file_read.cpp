#include "platform/file_read.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include <fstream>
#include <iterator>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

TFileContent Refused(TReadStatus status, std::string reason) {
  TFileContent content;
  content.Status = status;
  content.Reason = std::move(reason);
  return content;
}

}  // namespace

#ifdef _WIN32

TFileContent ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return {TReadStatus::Missing, {}, {}};
  if (error) return Refused(TReadStatus::Failed, error.message());
  if (!std::filesystem::is_regular_file(status))
    return Refused(TReadStatus::NotRegular, "not a regular file");
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return Refused(TReadStatus::Failed, error.message());
  if (size > maxBytes) return Refused(TReadStatus::TooLarge, "file too large");
  std::ifstream in(path, std::ios::binary);
  TFileContent content;
  content.Bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad() || !in.eof()) return Refused(TReadStatus::Failed, "read failed");
  content.Status = TReadStatus::Ok;
  return content;
}

#else

namespace {

// Closes the descriptor at the end of the read.
class TDescriptor {
 public:
  explicit TDescriptor(int fd) : FFd(fd) {}
  ~TDescriptor() {
    if (FFd >= 0) close(FFd);
  }
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  int Fd() const { return FFd; }

 private:
  int FFd;
};

}  // namespace

TFileContent ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes) {
  // O_NONBLOCK: opening a FIFO without a writer returns at once instead of
  // waiting for one; it is refused below like every other special file.
  const TDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.Fd() < 0) {
    const int openError = errno;
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
      return Refused(TReadStatus::NotRegular, "not a regular file");
    if (openError == ENOENT) return {TReadStatus::Missing, {}, {}};
    return Refused(TReadStatus::Failed, std::strerror(openError));
  }
  struct stat info {};
  if (fstat(file.Fd(), &info) != 0) return Refused(TReadStatus::Failed, std::strerror(errno));
  if (!S_ISREG(info.st_mode)) return Refused(TReadStatus::NotRegular, "not a regular file");
  if (static_cast<std::uintmax_t>(info.st_size) > maxBytes)
    return Refused(TReadStatus::TooLarge, "larger than " + std::to_string(maxBytes) + " bytes");

  TFileContent content;
  content.Bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t count = read(file.Fd(), buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return Refused(TReadStatus::Failed, std::strerror(errno));
    if (count == 0) break;
    content.Bytes.append(buffer, static_cast<std::size_t>(count));
    // The file may have grown since it was measured.
    if (content.Bytes.size() > maxBytes)
      return Refused(TReadStatus::TooLarge, "larger than " + std::to_string(maxBytes) + " bytes");
  }
  content.Status = TReadStatus::Ok;
  return content;
}

#endif
