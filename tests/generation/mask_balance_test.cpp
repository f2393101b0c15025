#include "generation/mask_balance.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generation/candidate_checks.h"
#include "generation/generation_support.h"
#include "generation/rnd.h"
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

TEST(MaskChecks, FullLinesBreakAsOnTheLetters) {
  // Only lines of "#" break; cells filled by balancing keep a line whole. The
  // columns are looked at after the rows broke.
  const std::vector<Picture> boards = {
      {"####", "#..#", "####", "#d##"},
      {"####", "####", "####", "####"},
      {"#####", "##c##", "#####", "#####"},
      {"###", "###", "###"},
  };
  for (const Picture& picture : boards) {
    TInternalArrArr expected = LettersOf(picture);
    TRnd::UseSeed(3);
    BreakFullLines(expected, static_cast<int>(picture[0].size()), static_cast<int>(picture.size()));
    const int nextDraw = TRnd::RandomRange(0, 1000000);
    TInternalArrArr board = LettersOf(picture);
    TBoardMasks masks;
    masks.Read(board);
    TRnd::UseSeed(3);
    masks.BreakFullLines(board);
    EXPECT_EQ(TRnd::RandomRange(0, 1000000), nextDraw) << ::testing::PrintToString(picture);
    EXPECT_EQ(PictureOfLetters(board), PictureOfLetters(expected));
    TBoardMasks reread;
    reread.Read(board);
    EXPECT_EQ(masks.Rows, reread.Rows);
    EXPECT_EQ(masks.Columns, reread.Columns);
  }
  TRnd::ResetForTest();
}
