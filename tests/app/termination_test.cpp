// The real program, ended by the system instead of the player, still saves.
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <csignal>
#include <filesystem>

#include <gtest/gtest.h>

#include "support/scoped_env.h"

TEST(Termination, TerminationSignalClosesTheWindowAndSavesTheGames) {
  const test_support::TempFolder temp;
  const std::filesystem::path& folder = temp.Path();
  const std::filesystem::path ini = folder / "tavelo" / "x64" / "settings" / "app.ini";

  QProcess game;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_CONFIG_HOME", QString::fromStdString(folder.string()));
  env.insert("QT_QPA_PLATFORM", "offscreen");
  game.setProcessEnvironment(env);
  game.start(TAVELO_BINARY, {});
  ASSERT_TRUE(game.waitForStarted(5000));
  // The settings folder appears while the window starts; give it time to show.
  ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(ini.parent_path()); }, 10000));
  QTest::qWait(500);
  ::kill(static_cast<pid_t>(game.processId()), SIGTERM);
  ASSERT_TRUE(game.waitForFinished(10000));
  EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
  EXPECT_TRUE(std::filesystem::exists(ini));
}
