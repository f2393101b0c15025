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

namespace {

// A settings file kept elsewhere (in a synced folder, say) through a link:
// the link stays, the file it leads to gets the bytes, also through a chain
// of links and a relative one.
TEST(AtomicFile, ALinkStaysAndTheFileItLeadsToIsReplaced) {
  const TempFolder folder;
  const std::filesystem::path elsewhere = folder.Path() / "elsewhere";
  std::filesystem::create_directory(elsewhere);
  std::ofstream(elsewhere / "real.ini") << "old";
  std::filesystem::create_symlink("elsewhere/real.ini", folder.Path() / "middle");
  std::filesystem::create_symlink(folder.Path() / "middle", folder.Path() / "app.ini");

  WriteFileAtomically(folder.Path() / "app.ini", "new");
  EXPECT_TRUE(std::filesystem::is_symlink(folder.Path() / "app.ini"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder.Path() / "middle"));
  EXPECT_EQ(ReadFile(elsewhere / "real.ini"), "new");
  EXPECT_EQ(ResolveLinks(folder.Path() / "app.ini"), folder.Path() / "elsewhere/real.ini");
  // Nothing was left beside either name.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(elsewhere),
                          std::filesystem::directory_iterator()),
            1);

  // A link that leads nowhere yet gets its file made.
  std::filesystem::create_symlink("elsewhere/later.ini", folder.Path() / "later");
  WriteFileAtomically(folder.Path() / "later", "made");
  EXPECT_EQ(ReadFile(elsewhere / "later.ini"), "made");

  std::filesystem::create_symlink("loop", folder.Path() / "loop");
  EXPECT_THROW(WriteFileAtomically(folder.Path() / "loop", "x"), std::runtime_error);
}

TEST(AtomicFile, LeftoversOfKilledWritesAreRemovedAndNothingElse) {
  const TempFolder folder;
  const struct {
    const char* Name;
    bool Removed;
  } cases[] = {
      // As the writes name their temporary files: any six letters and digits.
      {"app.ini.tmp.Ab12Cd", true},
      {"app.ini.tmp.tovhkh", true},
      {"app.ini.tmp.abcdef", true},
      {"app.ini.tmp.123456", true},
      {"app.ini.bad.1.tmp.x9qw2e", true},
      // As earlier versions named them: mixed, so no word of the player's.
      {"app.ini.Ab12Cd", true},
      {"app.ini.ZZZZZZ", true},
      {"app.ini.bad.1.x9Qw2E", true},
      {"app.ini", false},
      {"app.ini.bad", false},
      {"app.ini.backup", false},  // a word of the player's
      {"app.ini.123456", false},  // digits only
      {"app.ini.Ab12C", false},   // five characters
      {"app.ini.tmp.Ab12C", false},
      {"app.ini.tmp.Ab12Cde", false},
      {"app.ini.Ab1-Cd", false},
      {"other.ini.Ab12Cd", false},  // not one of ours
      {"other.ini.tmp.abcdef", false},
  };
  for (const auto& c : cases) std::ofstream(folder.Path() / c.Name) << "x";
  std::filesystem::create_directory(folder.Path() / "app.ini.Qq11Qq");
  std::filesystem::create_directory(folder.Path() / "app.ini.tmp.qq11qq");
  const auto ours = [](const std::string& stem) {
    return stem == "app.ini" || stem == "app.ini.bad.1";
  };
  EXPECT_EQ(RemoveTemporaryLeftovers(folder.Path(), ours), 8);
  for (const auto& c : cases)
    EXPECT_EQ(std::filesystem::exists(folder.Path() / c.Name), !c.Removed) << c.Name;
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "app.ini.Qq11Qq"));
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "app.ini.tmp.qq11qq"));
}

}  // namespace
