#include "solver/hint.h"

#include <gtest/gtest.h>

#include "support/board_pictures.h"

using namespace test_support;

namespace {

// The hint's cells as a picture over the board: '#' proven filled, 'x'
// proven empty, '.' elsewhere.
Picture HintPicture(const THint& hint, int width, int height) {
  Picture rows(height, std::string(width, '.'));
  for (const TSettledCell& c : hint.Cells) rows[c.Y][c.X] = c.Value == 1 ? '#' : 'x';
  return rows;
}

}  // namespace

TEST(Hint, FindsTheEasiestLineOrTheLineWithAMistake) {
  const Picture corner = {"###", "#..", "#.."};
  struct Case {
    const char* name;
    Picture solution;
    Picture player;
    THintKind kind;
    bool column;
    int index;
    THintReason reason;
    Picture cells;
  } cases[] = {
      {"all lines alike: the first row",
       corner,
       {"...", "...", "..."},
       THintKind::Step,
       false,
       0,
       THintReason::Overlap,
       {"###", "...", "..."}},
      {"fewest unknowns: the first column",
       corner,
       {"###", "...", "..."},
       THintKind::Step,
       true,
       0,
       THintReason::Overlap,
       {"...", "#..", "#.."}},
      {"runs in place: the rest stays empty",
       corner,
       {"###", "#..", "#.."},
       THintKind::Step,
       false,
       1,
       THintReason::AllPlaced,
       {"...", ".xx", "..."}},
      {"a cross where a run must be",
       corner,
       {"#x.", "...", "..."},
       THintKind::Mistake,
       false,
       0,
       THintReason::LineLogic,
       {"...", "...", "..."}},
      {"a run too long in a column",
       corner,
       {"..#", "..#", "..."},
       THintKind::Mistake,
       true,
       2,
       THintReason::LineLogic,
       {"...", "...", "..."}},
      {"every cell settled",
       corner,
       {"###", "#xx", "#xx"},
       THintKind::Complete,
       false,
       0,
       THintReason::LineLogic,
       {"...", "...", "..."}},
      {"nothing line logic can prove",
       {"#.", ".#"},
       {"..", ".."},
       THintKind::None,
       false,
       0,
       THintReason::LineLogic,
       {"..", ".."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto game = GameOf(c.solution, c.player);
    const THint hint = FindHint(*game);
    EXPECT_EQ(hint.Kind, c.kind);
    EXPECT_EQ(PlayerOf(*game), c.player);  // the hint never changes the board
    EXPECT_EQ(HintPicture(hint, game->Width(), game->Height()), c.cells);
    if (c.kind != THintKind::Step && c.kind != THintKind::Mistake) continue;
    EXPECT_EQ(hint.Column, c.column);
    EXPECT_EQ(hint.Index, c.index);
    if (c.kind == THintKind::Step) {
      EXPECT_EQ(hint.Reason, c.reason);
    }
  }
}

// Wrong cells that fit every line on their own: line logic followed from the
// player's cells across the board runs into a line that no placement fits.
// The hint names that line and proposes nothing, since every step from such a
// board would rest on the mistake.
TEST(Hint, FollowsTheLinesToAMistakeNoSingleLineShows) {
  const Picture solution = {"#.#", ".#.", ".#."};
  struct Case {
    const char* name;
    Picture player;
    bool column;
    int index;
  } cases[] = {
      // Row 3 alone would offer "fill cell 1", which the picture leaves empty.
      {"a wrong fill and a wrong cross", {"#..", "..#", ".xx"}, true, 0},
      {"a wrong fill alone", {"...", "#..", "..."}, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto game = GameOf(solution, c.player);
    const THint hint = FindHint(*game);
    EXPECT_EQ(hint.Kind, THintKind::Mistake);
    EXPECT_TRUE(hint.FromBoard);
    EXPECT_EQ(hint.Column, c.column);
    EXPECT_EQ(hint.Index, c.index);
    EXPECT_TRUE(hint.Cells.empty());
    EXPECT_EQ(PlayerOf(*game), c.player);
  }
}
