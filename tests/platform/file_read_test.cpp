#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "platform/file_read.h"
#include "support/scoped_env.h"

namespace {

using test_support::TempFolder;

// Every kind of thing that can stand at a path, read the same way: only a
// regular file of at most the limit gives its bytes, and nothing waits (a
// FIFO without a writer would block a plain open for ever).
TEST(ReadRegularFile, GivesTheBytesOfRegularFilesAndRefusesEverythingElseAtOnce) {
  const TempFolder folder;
  const std::filesystem::path f = folder.Path();
  std::ofstream(f / "file", std::ios::binary) << std::string("a\0b", 3);
  std::ofstream(f / "big", std::ios::binary) << std::string(101, 'x');
  std::filesystem::create_directory(f / "folder");
  ASSERT_EQ(mkfifo((f / "fifo").c_str(), 0600), 0);
  std::filesystem::create_symlink("file", f / "link");
  std::filesystem::create_symlink("nowhere", f / "dangling");
  std::filesystem::create_symlink("fifo", f / "link-to-fifo");
  const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = (f / "socket").string();
  socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

  const struct {
    std::filesystem::path Path;
    TReadStatus Status;
  } cases[] = {
      {f / "file", TReadStatus::Ok},
      {f / "link", TReadStatus::Ok},
      {f / "missing", TReadStatus::Missing},
      {f / "dangling", TReadStatus::Missing},
      {f / "folder", TReadStatus::NotRegular},
      {f / "fifo", TReadStatus::NotRegular},
      {f / "link-to-fifo", TReadStatus::NotRegular},
      {f / "socket", TReadStatus::NotRegular},
      {"/dev/zero", TReadStatus::NotRegular},
      {f / "big", TReadStatus::TooLarge},
  };
  for (const auto& c : cases) {
    const TFileContent content = ReadRegularFile(c.Path, 100);
    EXPECT_EQ(content.Status, c.Status) << c.Path;
    EXPECT_EQ(content.Reason.empty(),
              c.Status == TReadStatus::Ok || c.Status == TReadStatus::Missing)
        << c.Path;
  }
  EXPECT_EQ(ReadRegularFile(f / "link", 100).Bytes, std::string("a\0b", 3));
  close(sock);
}

}  // namespace
