#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/atomic_file.h"
#include "support/scoped_env.h"

namespace {

using test_support::TempFolder;

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(AtomicFile, ReplacesTheFileAndKeepsItsPermissions) {
  const TempFolder folder;
  const std::filesystem::path file = folder.Path() / "app.ini";
  WriteFileAtomically(file, "first");
  EXPECT_EQ(ReadFile(file), "first");
  ASSERT_EQ(chmod(file.c_str(), 0640), 0);
  WriteFileAtomically(file, std::string("second\0", 7));
  EXPECT_EQ(ReadFile(file), std::string("second\0", 7));
  struct stat info {};
  ASSERT_EQ(stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(AtomicFile, AFolderThatDoesNotExistIsAnErrorNamingTheFile) {
  const TempFolder folder;
  const std::filesystem::path file = folder.Path() / "missing" / "app.ini";
  try {
    WriteFileAtomically(file, "x");
    FAIL() << "written";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
  }
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "missing"));
}

}  // namespace
