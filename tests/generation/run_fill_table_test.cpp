#include "generation/run_fill_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <span>
#include <stdexcept>
#include <vector>

#include "generation/generation_support.h"
#include "generation/random_fill.h"
#include "generation/rnd.h"

using namespace test_support;

namespace {

struct TDrawnRow {
  std::uint32_t Cells = 0;
  int Filled = 0;
  int Blocks = 0;
  bool operator==(const TDrawnRow&) const = default;
};

// Rows drawn cell by cell, then the next whole word: the pool must be left
// where the table leaves it.
std::vector<TDrawnRow> RowsCellByCell(int width, int divisor, int rows) {
  std::vector<TDrawnRow> drawn;
  std::vector<std::uint8_t> letters(width);
  for (int i = 0; i < rows; ++i) {
    TDrawnRow row;
    row.Filled = FillRandomRow(
        letters, divisor, [&row](int, int) { ++row.Blocks; },
        [&row](int x) { row.Cells |= 1u << x; });
    drawn.push_back(row);
  }
  drawn.push_back({static_cast<std::uint32_t>(TRnd::RandomRange(0, -1))});
  return drawn;
}

std::vector<TDrawnRow> RowsFromTable(int width, int divisor, int rows) {
  const TRunFillTable table(width, divisor);
  std::vector<TDrawnRow> drawn;
  for (int i = 0; i < rows; ++i) {
    const TRunFillTable::TRow row = table.DrawRow();
    drawn.push_back({row.Cells, row.Filled, row.Blocks});
  }
  drawn.push_back({static_cast<std::uint32_t>(TRnd::RandomRange(0, -1))});
  return drawn;
}

struct TShape {
  int Width;
  int Divisor;
};
// Both ends of the mask, widths around a byte, and first runs of one cell.
constexpr TShape kShapes[] = {{1, 1},  {2, 2},  {3, 2},  {5, 1},  {7, 3},  {8, 2},   {9, 4},
                              {10, 2}, {16, 1}, {17, 2}, {20, 3}, {30, 3}, {31, 31}, {32, 3}};

}  // namespace

TEST(RunFillTable, DrawsTheRowsAndBitsOfTheCellByCellFill) {
  for (const TShape shape : kShapes) {
    TRnd::UseSeed(5);
    const auto expected = RowsCellByCell(shape.Width, shape.Divisor, 500);
    TRnd::UseSeed(5);
    EXPECT_EQ(RowsFromTable(shape.Width, shape.Divisor, 500), expected)
        << shape.Width << " cells, divisor " << shape.Divisor;
  }
  TRnd::ResetForTest();
}

TEST(RunFillTable, LongStreaksOfRejectedDrawsTooWithTheSystemSource) {
  // Words seven bits in eight set: draws of 1..5 or 1..17 are mostly above the
  // range, so streaks of draws taken again run across many look-ups.
  std::mt19937 words(3);
  const auto source = [&words](std::span<std::uint8_t> buffer) {
    for (std::uint8_t& byte : buffer) byte = static_cast<std::uint8_t>(words() | words() | words());
  };
  for (const TShape shape : {TShape{5, 1}, TShape{17, 1}, TShape{18, 2}}) {
    words.seed(3);
    TRnd::ResetForTest();
    TRnd::SetOsSourceForTest(source);
    const auto expected = RowsCellByCell(shape.Width, shape.Divisor, 2000);
    words.seed(3);
    TRnd::ResetForTest();
    TRnd::SetOsSourceForTest(source);
    EXPECT_EQ(RowsFromTable(shape.Width, shape.Divisor, 2000), expected)
        << shape.Width << " cells, divisor " << shape.Divisor;
  }
  TRnd::ResetForTest();
}

TEST(RunFillTable, RefusesRowsItCannotHold) {
  for (const TShape shape : {TShape{0, 1}, TShape{33, 2}, TShape{4, 5}, TShape{4, 0}})
    EXPECT_THROW(TRunFillTable(shape.Width, shape.Divisor), std::invalid_argument)
        << shape.Width << " cells, divisor " << shape.Divisor;
}
