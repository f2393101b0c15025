// The real program, ended by the system instead of the player, still saves,
// whenever the signal comes: while the window starts (restoring or generating
// the games, switching to the active one) as well as later.
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "util/utils.h"

namespace {

class Termination : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tavelo-term-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    Folder = pattern;
    Ini = Folder / "tavelo" / "x64" / "settings" / "app.ini";
  }
  void TearDown() override { std::filesystem::remove_all(Folder); }

  // Starts the game with the termination signals blocked, so that a signal
  // sent at once waits for the program to catch it (it unblocks them itself).
  void Start(QProcess& game) const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(Folder.string()));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    game.setProcessEnvironment(env);
    sigset_t blocked, previous;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &blocked, &previous);
    game.start(TAVELO_BINARY, {});
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    ASSERT_TRUE(game.waitForStarted(5000));
  }

  // The state codes app.ini holds.
  std::vector<std::string> StoredGames() const {
    std::ifstream in(Ini, std::ios::binary);
    for (std::string line; std::getline(in, line);)
      if (line.rfind("state=", 0) == 0) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return TUtils::SplitText(line.substr(6), "|");
      }
    return {};
  }

  std::filesystem::path Folder;
  std::filesystem::path Ini;
};

}  // namespace

TEST_F(Termination, TerminationSignalClosesTheWindowAndSavesTheGames) {
  QProcess game;
  Start(game);
  // The settings folder appears while the window starts; give it time to show.
  ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(Ini.parent_path()); }, 10000));
  QTest::qWait(500);
  ::kill(static_cast<pid_t>(game.processId()), SIGTERM);
  ASSERT_TRUE(game.waitForFinished(10000));
  EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(game.exitCode(), 0);
  EXPECT_EQ(StoredGames().size(), 5u);
}

// The first start generates the games; the later ones restore them and
// switch to the active one. A signal at any moment of that ends the program
// normally with every game saved.
TEST_F(Termination, SignalDuringStartUpEndsNormallyWithEveryGameSaved) {
  for (const int delay : {0, 0, 5, 10, 20, 30, 50, 80, 120, 200}) {
    SCOPED_TRACE("signal after " + std::to_string(delay) + " ms");
    QProcess game;
    Start(game);
    if (delay > 0) QTest::qWait(delay);
    ::kill(static_cast<pid_t>(game.processId()), SIGTERM);
    ASSERT_TRUE(game.waitForFinished(20000));
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.exitCode(), 0) << game.readAllStandardError().toStdString();
    EXPECT_EQ(StoredGames().size(), 5u);
  }
}
