// The board looks seen in grey, as by eyes that cannot tell hues apart: in
// the high-contrast and colour-blind-safe looks every state of a board cell,
// and every mark of a clue, must differ from every other in lightness or in
// shape. A default-look hint shows what the measure catches: its two outlines
// differ by hue alone.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>

#include "util/app_environment.h"
#include "view/frame_grid.h"
#include "view_harness.h"

namespace {

using test_support::Picture;
using test_support::TriplePairs;
using test_support::ViewHarness;

struct Grey {
  std::vector<int> Pixels;
  double Mean = 0;
  std::vector<bool> Dark;  // below the middle of the cell's own range
};

Grey GreyOf(const QImage& image, const QRect& r) {
  Grey g;
  int lo = 255, hi = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) {
      const int v = qGray(image.pixel(x, y));
      g.Pixels.push_back(v);
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
  double sum = 0;
  for (int v : g.Pixels) {
    sum += v;
    // A cell of one grey has no dark part.
    g.Dark.push_back(hi - lo > 32 && v < (lo + hi) / 2);
  }
  g.Mean = sum / static_cast<double>(g.Pixels.size());
  return g;
}

// Told apart in grey: clearly lighter or darker on the whole, or a shape
// that covers a part of the cell the other leaves (or the other way round).
bool Distinguishable(const Grey& a, const Grey& b) {
  if (std::abs(a.Mean - b.Mean) >= 24) return true;
  int differ = 0;
  for (std::size_t i = 0; i < a.Dark.size(); ++i) differ += a.Dark[i] != b.Dark[i];
  return differ >= static_cast<int>(a.Dark.size()) / 25;
}

class BoardLooks : public test_support::ViewTest {};

// Each board state on a cell of its own, and each clue mark on a "2" of the
// row clues.
struct Rendering {
  std::map<std::string, Grey> Board;
  std::map<std::string, Grey> Clues;
};

Rendering Render(TBoardLook look) {
  Picture player(10, "..........");
  player[0] = "##.##.##..";  // its clue completed
  player[1] = "#####.....";  // contradicts its clue
  player[9] = ".#x!o.....";
  ViewHarness v(TriplePairs(), player);
  v.Frame->SetPalette(BoardPaletteOfLook(look));
  v.Frame->SetLook(look);
  v.Frame->SetShowCompletedClues(true);
  v.Frame->SetShowMistakeLines(true);
  v.Frame->SetHotTrackBoard(true);
  // The cursor to (6, 9): shown on the first cell, then moved.
  v.Frame->BoardKeyPress(Qt::Key_Space, Qt::NoModifier);
  for (int i = 0; i < 9; ++i) v.Frame->BoardKeyPress(Qt::Key_Down, Qt::NoModifier);
  for (int i = 0; i < 6; ++i) v.Frame->BoardKeyPress(Qt::Key_Right, Qt::NoModifier);
  v.Frame->ClearHotTrack();
  v.Frame->SetHotTrack(3, -1);
  v.Frame->ShowHint({false, 9, {{7, 9, 1}, {8, 9, -1}}});
  v.Frame->RepaintAll();

  const auto cellRect = [](const TNonoGrid& grid, int col, int row) {
    for (const TCellCacheRec& c : grid.CellCache())
      if (c.Col == col && c.Row == row) return c.Rect.ToQRect();
    return QRect();
  };
  Rendering out;
  const TNonoGrid& board = *v.Frame->BoardGrid();
  const std::pair<const char*, std::pair<int, int>> cells[] = {
      {"empty", {0, 9}},  {"filled", {1, 9}},       {"crossed", {2, 9}},
      {"wrong", {3, 9}},  {"ticked", {4, 9}},       {"hot dot", {9, 3}},
      {"cursor", {6, 9}}, {"hint: filled", {7, 9}}, {"hint: empty", {8, 9}},
  };
  for (const auto& [name, at] : cells)
    out.Board[name] = GreyOf(board.Bitmap(), cellRect(board, at.first, at.second));
  const TNonoGrid& left = *v.Frame->LeftGrid();
  const int last = left.ColCount() - 1;
  const std::pair<const char*, int> clues[] = {
      {"completed", 0}, {"mistake", 1}, {"hot", 3}, {"plain", 4}};
  for (const auto& [name, row] : clues)
    out.Clues[name] = GreyOf(left.Bitmap(), cellRect(left, last, row));
  return out;
}

void ExpectAllApart(const std::map<std::string, Grey>& states, const char* look) {
  for (auto a = states.begin(); a != states.end(); ++a)
    for (auto b = std::next(a); b != states.end(); ++b)
      EXPECT_TRUE(Distinguishable(a->second, b->second))
          << look << ": " << a->first << " and " << b->first << " look alike in grey";
}

TEST_F(BoardLooks, EveryStateAndClueMarkStandsApartInGrey) {
  const std::pair<TBoardLook, const char*> looks[] = {
      {blHighContrastLight, "high contrast (light)"},
      {blHighContrastDark, "high contrast (dark)"},
      {blColourBlindSafe, "colour-blind safe"},
  };
  for (const auto& [look, name] : looks) {
    const Rendering r = Render(look);
    ExpectAllApart(r.Board, name);
    ExpectAllApart(r.Clues, name);
  }
}

TEST_F(BoardLooks, TheDefaultHintOutlinesDifferByHueAlone) {
  const Rendering r = Render(blDefault);
  EXPECT_FALSE(Distinguishable(r.Board.at("hint: filled"), r.Board.at("hint: empty")));
}

// The line a hint explains and the cursor's line are both lit in the clues;
// in the default look they must not share a colour, or the player cannot tell
// which line the hint speaks of.
TEST_F(BoardLooks, TheHintLineIsLitApartFromTheCursorLine) {
  ViewHarness v(TriplePairs(), Picture(10, ".........."));
  v.Frame->SetHotTrackBoard(true);
  for (int i = 0; i < 3; ++i) v.Frame->BoardKeyPress(Qt::Key_Down, Qt::NoModifier);  // row 2
  v.Frame->ShowHint({false, 5, {{0, 5, -1}}});
  v.Frame->RepaintAll();
  const TNonoGrid& left = *v.Frame->LeftGrid();
  const auto background = [&left](int row) {
    for (const TCellCacheRec& c : left.CellCache())
      if (c.Col == 0 && c.Row == row)
        return left.Bitmap().pixel(c.Rect.ToQRect().topLeft() + QPoint(2, 2));
    return QRgb{0};
  };
  const QRgb plain = background(8), cursor = background(2), hint = background(5);
  EXPECT_NE(cursor, plain);
  EXPECT_NE(hint, plain);
  EXPECT_NE(hint, cursor);
}

// Where shapes tell the marks apart, the clues of the hint's line have a
// shape of their own: they must not pass for the cursor's line, nor for
// plain clues.
TEST_F(BoardLooks, TheHintLinesCluesStandApartFromTheCursorLinesInGrey) {
  for (const TBoardLook look : {blHighContrastLight, blHighContrastDark, blColourBlindSafe}) {
    ViewHarness v(TriplePairs(), Picture(10, ".........."));
    v.Frame->SetPalette(BoardPaletteOfLook(look));
    v.Frame->SetLook(look);
    v.Frame->SetHotTrackBoard(true);
    for (int i = 0; i < 4; ++i) v.Frame->BoardKeyPress(Qt::Key_Down, Qt::NoModifier);  // row 3
    v.Frame->ShowHint({false, 6, {{0, 6, 1}}});
    v.Frame->RepaintAll();
    const TNonoGrid& left = *v.Frame->LeftGrid();
    const auto clue = [&left](int row) {
      for (const TCellCacheRec& c : left.CellCache())
        if (c.Col == left.ColCount() - 1 && c.Row == row)
          return GreyOf(left.Bitmap(), c.Rect.ToQRect());
      return Grey{};
    };
    // Rows 3, 6 and 7 all have the clue 2 2 2.
    const Grey cursor = clue(3), hint = clue(6), plain = clue(7);
    EXPECT_TRUE(Distinguishable(hint, cursor)) << look;
    EXPECT_TRUE(Distinguishable(hint, plain)) << look;
    EXPECT_TRUE(Distinguishable(cursor, plain)) << look;
  }
}

TEST_F(BoardLooks, HighContrastKeepsCompletedCluesAtFullContrast) {
  for (const TBoardLook look : {blHighContrastLight, blHighContrastDark}) {
    const Rendering r = Render(look);
    const auto range = [](const Grey& g) {
      const auto [lo, hi] = std::minmax_element(g.Pixels.begin(), g.Pixels.end());
      return *hi - *lo;
    };
    EXPECT_EQ(range(r.Clues.at("plain")), 255) << look;
    EXPECT_EQ(range(r.Clues.at("completed")), 255) << look;
  }
}

}  // namespace
