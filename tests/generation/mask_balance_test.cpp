#include "generation/mask_balance.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generation/candidate_checks.h"
#include "support/board_pictures.h"

using namespace test_support;

namespace {

// The boards as the masks and as the letters' clues; both must agree.
void ExpectDuplicates(const Picture& picture, bool expected) {
  const TInternalArrArr board = LettersOf(picture);
  TBoardMasks masks;
  masks.Read(board);
  TCountersArr clues;
  BoardColumnClues(board, clues);
  ASSERT_EQ(HasDuplicateClues(clues), expected) << ::testing::PrintToString(picture);
  EXPECT_EQ(HasDuplicateColumnClues(masks), expected) << ::testing::PrintToString(picture);
}

}  // namespace

TEST(MaskChecks, DuplicateColumnCluesByRunsNotByPlace) {
  struct Case {
    Picture Board;
    bool Duplicate;
  };
  const std::vector<Case> cases = {
      // {1 1} twice at different places; {2} and {1 1} differ though both
      // have two cells; empty columns are equal.
      {{"#.", ".#", "#.", ".#", "..", ".."}, true},
      {{"##", "#.", ".#", "..", "..", ".."}, false},
      {{"#..", "#..", "#.#"}, false},
      {{"#..", "...", "#.."}, true},
      // Balanced cells count as filled; a run at the last row of 32.
      {{"d#", "c#", ".."}, true},
      {{"#.", "#.", ".#"}, false},
  };
  for (const Case& c : cases) ExpectDuplicates(c.Board, c.Duplicate);
  Picture tall(32, "..");
  tall[0] = "#.";
  tall[31] = ".#";
  ExpectDuplicates(tall, true);
  tall[30] = ".#";
  ExpectDuplicates(tall, false);
}
