#include "app/hint_sentence.h"

#include <gtest/gtest.h>

#include "support/board_pictures.h"

using namespace test_support;

TEST(HintSentence, PinnedSentences) {
  struct Case {
    THint hint;
    std::string sentence;
  } cases[] = {
      {{THintKind::Step, false, 3, {6}, 10, THintReason::Overlap, {{4, 3, 1}, {5, 3, 1}}},
       "Row 4 (clue 6 in 10 cells): the run of 6 covers cells 5 and 6 wherever it lies."},
      {{THintKind::Step, true, 1, {2, 1}, 5, THintReason::AllPlaced, {{1, 2, -1}, {1, 3, -1}}},
       "Column 2 (clue 2 1 in 5 cells): its runs are all in place, so cells 3 and 4 must stay "
       "empty."},
      {{THintKind::Step,
        false,
        0,
        {1, 3},
        8,
        THintReason::LineLogic,
        {{0, 0, 1}, {1, 0, 1}, {2, 0, 1}, {7, 0, -1}}},
       "Row 1 (clue 1 3 in 8 cells): every way the runs fit fills cells 1 to 3 and leaves cell 8 "
       "empty."},
      {{THintKind::Step, false, 1, {3, 2}, 7, THintReason::Overlap, {{2, 1, 1}, {6, 1, -1}}},
       "Row 2 (clue 3 2 in 7 cells): wherever the runs lie, they cover cell 3, and no run can "
       "reach cell 7."},
      {{THintKind::Mistake, true, 6, {3, 1}, 10, THintReason::LineLogic, {}},
       "Column 7 holds a mistake: its cells cannot match the clue 3 1."},
      {{THintKind::Mistake, false, 2, {1}, 3, THintReason::LineLogic, {}, true},
       "Row 3 cannot match the clue 1 once the lines are followed from your cells: the board "
       "holds a mistake."},
      {{THintKind::None, false, 0, {}, 0, THintReason::LineLogic, {}},
       "No line can be advanced by line logic alone."},
  };
  for (const Case& c : cases) EXPECT_EQ(HintSentence(c.hint), c.sentence);
}

TEST(HintSentence, OfAFoundHint) {
  auto game = GameOf({"###", "#..", "#.."});
  EXPECT_EQ(HintSentence(FindHint(*game)),
            "Row 1 (clue 3 in 3 cells): the run of 3 covers cells 1 to 3 wherever it lies.");
}
