// The real program, ended by the system instead of the player, still saves,
// whenever the signal comes: while the window starts (restoring or generating
// the games, switching to the active one) as well as later.
#include <sys/stat.h>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "persistence/game_state.h"
#include "util/text_reading.h"

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
        return SplitText(line.substr(6), "|");
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

namespace {

// The newest file of the numbered series "<name>", "<name>.1", ... beside path.
std::filesystem::path NewestNumbered(const std::filesystem::path& path) {
  std::filesystem::path newest;
  for (int n = 0; n < 100; ++n) {
    const std::filesystem::path name =
        n == 0 ? path : std::filesystem::path(path.string() + "." + std::to_string(n));
    if (std::filesystem::exists(name)) newest = name;
  }
  return newest;
}

std::vector<std::string> StateCodesIn(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  for (std::string line; std::getline(in, line);)
    if (line.rfind("state=", 0) == 0) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return SplitText(line.substr(6), "|");
    }
  return {};
}

// Logging out with something unreadable in place of app.ini (a FIFO) while
// the start-up message about it is still open: the program ends at once
// without asking, leaves the FIFO alone and keeps the session's games in
// app.ini.unsaved beside it; a second such session numbers its file.
TEST_F(Termination, SignalWithAnUnreadableSettingsFileKeepsTheGamesBesideIt) {
  std::filesystem::create_directories(Ini.parent_path());
  ASSERT_EQ(mkfifo(Ini.c_str(), 0600), 0);
  const std::filesystem::path unsaved = Ini.string() + ".unsaved";
  for (const std::filesystem::path& expected :
       {unsaved, std::filesystem::path(unsaved.string() + ".1")}) {
    SCOPED_TRACE(expected.string());
    QProcess game;
    Start(game);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
          return game.readAllStandardError().contains("TAVELO: ") &&
                 std::filesystem::exists(Ini.parent_path());
        },
        10000));
    QTest::qWait(300);
    ::kill(static_cast<pid_t>(game.processId()), SIGTERM);
    const bool ended = game.waitForFinished(10000);
    if (!ended) game.kill();
    ASSERT_TRUE(ended) << "still waiting on a question";
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.exitCode(), 0);
    EXPECT_TRUE(std::filesystem::is_fifo(Ini));
    EXPECT_EQ(NewestNumbered(unsaved), expected);
    EXPECT_EQ(StateCodesIn(expected).size(), 5u);
  }
}

// The message that the settings file was damaged is open when the system
// ends the program: it ends at once, the damaged file kept as a copy and
// the games restored from it saved.
TEST_F(Termination, SignalDuringTheDamagedFileMessageEndsAndKeepsTheGames) {
  {
    QProcess first;
    Start(first);
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(Ini.parent_path()); }, 10000));
    QTest::qWait(500);
    ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
    ASSERT_TRUE(first.waitForFinished(20000));
  }
  const std::vector<std::string> games = StoredGames();
  ASSERT_EQ(games.size(), 5u);
  { std::ofstream(Ini, std::ios::binary | std::ios::app) << "a line without a separator\r\n"; }

  QProcess game;
  Start(game);
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return std::filesystem::exists(Ini.string() + ".bad"); }, 10000));
  QTest::qWait(300);
  ::kill(static_cast<pid_t>(game.processId()), SIGTERM);
  const bool ended = game.waitForFinished(10000);
  if (!ended) game.kill();
  ASSERT_TRUE(ended) << "still waiting on the message";
  EXPECT_EQ(game.exitCode(), 0);
  // The same games: names, pictures and boards (the codes carry view values
  // of the session too).
  const auto boards = [](const std::vector<std::string>& codes) {
    std::vector<std::string> result;
    for (const std::string& code : codes) {
      const TGameStateRec rec = ParseStoredGameState(code);
      result.push_back(rec.name + ":" + rec.BoardState + ":" + rec.PlayerState);
    }
    return result;
  };
  EXPECT_EQ(boards(StoredGames()), boards(games));
  EXPECT_NE(StateCodesIn(Ini.string() + ".bad"), std::vector<std::string>{});
}

}  // namespace
