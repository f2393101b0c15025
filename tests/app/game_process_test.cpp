// The real program in a settings folder of its own, started as the player
// starts it: one game per folder, a lock left by a killed game, something
// else in place of app.ini, leftovers of killed saves, and app.ini as a link.
#include <sys/stat.h>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/scoped_env.h"
#include "text/lang_helper.h"

namespace {

using test_support::TempFolder;

constexpr int kWaitMs = 20000;

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

// One run of the game binary on the offscreen platform.
class Game {
 public:
  explicit Game(const std::filesystem::path& config) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(config.string()));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    FProcess.setProcessEnvironment(env);
    FProcess.start(TAVELO_BINARY, {});
    EXPECT_TRUE(FProcess.waitForStarted(kWaitMs));
  }
  ~Game() {
    if (FProcess.state() != QProcess::NotRunning) {
      FProcess.kill();
      FProcess.waitForFinished(kWaitMs);
    }
  }

  pid_t Pid() const { return static_cast<pid_t>(FProcess.processId()); }
  QProcess& Process() { return FProcess; }

  // Everything the game wrote to its error output so far.
  const std::string& Errors() {
    FErrors += FProcess.readAllStandardError().toStdString();
    return FErrors;
  }
  bool WaitForError(const std::string& text) {
    return QTest::qWaitFor([&] { return Errors().find(text) != std::string::npos; }, kWaitMs);
  }

  // Ends the game as the system does at logout; it saves on the way.
  bool Terminate() {
    ::kill(Pid(), SIGTERM);
    return FProcess.waitForFinished(kWaitMs) && FProcess.exitStatus() == QProcess::NormalExit &&
           FProcess.exitCode() == 0;
  }

 private:
  QProcess FProcess;
  std::string FErrors;
};

class GameProcess : public ::testing::Test {
 protected:
  std::filesystem::path Settings() const { return FConfig.Path() / "tavelo" / "x64" / "settings"; }
  std::filesystem::path Ini() const { return Settings() / "app.ini"; }

  // The lock file names the game's process first thing.
  bool WaitForLock(const Game& game) const {
    const std::string pid = std::to_string(game.Pid());
    return QTest::qWaitFor(
        [&] {
          std::string first;
          std::ifstream in(Settings() / "tavelo.lock");
          return std::getline(in, first) && first == pid;
        },
        kWaitMs);
  }

  // Another start of the game; its exit status, or -1 when it did not end.
  int StartAgain() const {
    Game again(FConfig.Path());
    if (!again.Process().waitForFinished(kWaitMs)) return -1;
    return again.Process().exitStatus() == QProcess::NormalExit ? again.Process().exitCode() : -1;
  }

  // The game runs its event loop: a later start brought it to the front.
  bool WaitUntilRunning(Game& game) {
    return WaitForLock(game) && StartAgain() == 0 &&
           game.WaitForError("another start brings the window to the front");
  }

  // A first run that ends normally, leaving a whole app.ini.
  void PlayOnce() {
    Game game(FConfig.Path());
    ASSERT_TRUE(WaitUntilRunning(game));
    ASSERT_TRUE(game.Terminate());
    ASSERT_TRUE(std::filesystem::is_regular_file(Ini()));
  }

  TempFolder FConfig;
};

// A second window would have overwritten everything the first one did at its
// own closing; now the second start ends at once and writes nothing.
TEST_F(GameProcess, SecondStartBringsTheRunningGameForwardAndEnds) {
  Game first(FConfig.Path());
  ASSERT_TRUE(WaitForLock(first));
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(StartAgain(), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
  EXPECT_TRUE(first.WaitForError("another start brings the window to the front"));
  EXPECT_EQ(first.Process().state(), QProcess::Running);
  EXPECT_FALSE(std::filesystem::exists(Ini()));  // nobody closed yet
  EXPECT_TRUE(first.Terminate());
  EXPECT_TRUE(std::filesystem::is_regular_file(Ini()));
  EXPECT_FALSE(std::filesystem::exists(Settings() / "tavelo.lock"));
}

TEST_F(GameProcess, LockOfAKilledGameDoesNotBlockTheNextStart) {
  {
    Game killed(FConfig.Path());
    ASSERT_TRUE(WaitForLock(killed));
    ::kill(killed.Pid(), SIGKILL);
    ASSERT_TRUE(killed.Process().waitForFinished(kWaitMs));
  }
  ASSERT_TRUE(std::filesystem::exists(Settings() / "tavelo.lock"));
  Game next(FConfig.Path());
  EXPECT_TRUE(WaitUntilRunning(next));
  EXPECT_TRUE(next.Terminate());
  EXPECT_TRUE(std::filesystem::is_regular_file(Ini()));
}

// A lock left by a killed game whose number the system has since given to
// another running game (of another settings folder): that game does not hold
// this folder's lock, so the start goes ahead instead of reporting a game
// that does not answer.
TEST_F(GameProcess, StaleLockNamingAnotherRunningGameDoesNotBlockTheStart) {
  TempFolder otherConfig;
  Game other(otherConfig.Path());
  const std::filesystem::path otherLock =
      otherConfig.Path() / "tavelo" / "x64" / "settings" / "tavelo.lock";
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        std::ifstream in(otherLock);
        std::string first;
        return std::getline(in, first) && first == std::to_string(other.Pid());
      },
      kWaitMs));
  std::filesystem::create_directories(Settings());
  std::filesystem::copy_file(otherLock, Settings() / "tavelo.lock");

  Game game(FConfig.Path());
  EXPECT_TRUE(WaitUntilRunning(game));
  EXPECT_TRUE(game.Terminate());
  EXPECT_TRUE(other.Terminate());
}

// A FIFO in place of app.ini used to hang the start for ever in open().
TEST_F(GameProcess, FifoInPlaceOfTheSettingsIsRefusedAtOnce) {
  std::filesystem::create_directories(Settings());
  ASSERT_EQ(mkfifo(Ini().c_str(), 0600), 0);
  Game game(FConfig.Path());
  // The message box says so (also on the error output).
  EXPECT_TRUE(game.WaitForError(EnglishTextFor(ttnSettingsUnusable)));
  ::kill(game.Pid(), SIGKILL);
  game.Process().waitForFinished(kWaitMs);
  EXPECT_TRUE(std::filesystem::is_fifo(Ini()));
}

TEST_F(GameProcess, LeftoversOfKilledSavesAreRemovedAtTheNextStart) {
  PlayOnce();
  const char* leftovers[] = {"app.ini.Ab12Cd", "app.ini.bad.1.Zx9Qw2"};
  const char* kept[] = {"app.ini.backup", "app.ini.bad", "notes.txt"};
  for (const char* name : leftovers) std::ofstream(Settings() / name) << "state=0A";
  for (const char* name : kept) std::ofstream(Settings() / name) << "mine";
  Game game(FConfig.Path());
  ASSERT_TRUE(WaitUntilRunning(game));
  for (const char* name : leftovers)
    EXPECT_FALSE(std::filesystem::exists(Settings() / name)) << name;
  for (const char* name : kept) EXPECT_EQ(FileText(Settings() / name), "mine") << name;
  EXPECT_TRUE(game.Terminate());
}

TEST_F(GameProcess, SettingsKeptElsewhereThroughALinkStayThere) {
  PlayOnce();
  const std::filesystem::path real = FConfig.Path() / "synced" / "tavelo.ini";
  std::filesystem::create_directories(real.parent_path());
  std::filesystem::rename(Ini(), real);
  std::filesystem::create_symlink(real, Ini());
  const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  std::filesystem::last_write_time(real, old);

  Game game(FConfig.Path());
  ASSERT_TRUE(WaitUntilRunning(game));
  ASSERT_TRUE(game.Terminate());
  EXPECT_TRUE(std::filesystem::is_symlink(Ini()));
  EXPECT_EQ(std::filesystem::read_symlink(Ini()), real);
  EXPECT_GT(std::filesystem::last_write_time(real), old);
  EXPECT_NE(FileText(real).find("\r\nstate="), std::string::npos);
}

}  // namespace
