// The game session derives the play state from the solved status and the
// history, and tells each change once.
#include <gtest/gtest.h>

#include <vector>

#include "slots/game_session.h"

namespace {

struct Heard {
  std::vector<bool> Solved, CanUndo, CanCheck;
  int Clock = 0;
};

void Listen(TGameSession& s, Heard& heard) {
  QObject::connect(&s, &TGameSession::solvedChanged, [&](bool on) { heard.Solved.push_back(on); });
  QObject::connect(&s, &TGameSession::canUndoChanged,
                   [&](bool on) { heard.CanUndo.push_back(on); });
  QObject::connect(&s, &TGameSession::canCheckChanged,
                   [&](bool on) { heard.CanCheck.push_back(on); });
  QObject::connect(&s, &TGameSession::clockChanged, [&] { ++heard.Clock; });
}

void Click(TGameSession& s, int x) {
  s.Puzzle().ApplyMove(x, 0, mfLeft | mfDown, psFilled);
  s.Puzzle().ApplyMove(x, 0, mfLeft | mfUp, psNone);
  s.BoardChanged();
}

}  // namespace

TEST(GameSession, SolvedEndsUndoRedoCheckAndTheClockUntilANewPuzzle) {
  TGameSession s(3, 3);
  Heard heard;
  Listen(s, heard);
  s.SetShown(true);
  EXPECT_TRUE(s.ClockRunning());
  Click(s, 0);
  Click(s, 1);
  s.Undo();
  EXPECT_TRUE(s.CanUndo());
  EXPECT_TRUE(s.CanRedo());

  s.SetStatus(stSolved);
  EXPECT_FALSE(s.CanUndo());
  EXPECT_FALSE(s.CanRedo());
  EXPECT_FALSE(s.CanCheck());
  EXPECT_FALSE(s.ClockRunning());
  const auto before = s.Puzzle().PlayerState(0, 0);
  s.Undo();  // nothing: the puzzle is finished
  EXPECT_EQ(s.Puzzle().PlayerState(0, 0), before);

  s.NewPuzzleStarted();
  EXPECT_TRUE(s.ClockRunning());
  EXPECT_LT(s.PlayedMs(), 1000);
  EXPECT_TRUE(s.CanCheck());
  EXPECT_FALSE(s.CanUndo());
  // Each change told once, in the order it happened.
  EXPECT_EQ(heard.Solved, (std::vector<bool>{true, false}));
  EXPECT_EQ(heard.CanUndo, (std::vector<bool>{true, false}));
  EXPECT_EQ(heard.CanCheck, (std::vector<bool>{false, true}));
  EXPECT_GE(heard.Clock, 3);  // started, stopped by the solve, started again
}

TEST(GameSession, TheClockRunsOnlyWhileShown) {
  TGameSession s(3, 3);
  EXPECT_FALSE(s.ClockRunning());
  s.SetShown(true);
  EXPECT_TRUE(s.ClockRunning());
  s.SetShown(false);
  EXPECT_FALSE(s.ClockRunning());
  s.SetPlayedMs(5000);
  EXPECT_EQ(s.PlayedMs(), 5000);
}
