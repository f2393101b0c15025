#include "util/color.h"

#include <gtest/gtest.h>

namespace {

TEST(Colours, RGBToColorPacksRedLow) {
  EXPECT_EQ(RGBToColor(33, 33, 36), 0x242121u);
  EXPECT_EQ(RGBToColor(0x1FF, 0, 256), 0x0000FFu);  // one byte each
}

TEST(Colours, ColorToRGBResolvesSystemColours) {
  EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
  EXPECT_EQ(ColorToRGB(0xFF000008), 0x000000u);  // window text
  EXPECT_EQ(ColorToRGB(0xFF000005), 0xFFFFFFu);  // window
  EXPECT_EQ(ColorToRGB(0xFF00000F), 0xF0F0F0u);  // button face
  EXPECT_EQ(ColorToRGB(0xFF0000FE), 0x000000u);  // unknown index
}

TEST(Colours, ShiftColorMovesEveryChannelByThirtyOnePercent) {
  EXPECT_EQ(ShiftColor(0xFFFFFF, -20), RGBToColor(249, 249, 249));
  EXPECT_EQ(ShiftColor(0x242121, -20), RGBToColor(27, 27, 30));
  EXPECT_EQ(ShiftColor(0x000000, -20), 0x000000u);  // clamped low
  EXPECT_EQ(ShiftColor(0xFFFFFF, 20), 0xFFFFFFu);   // clamped high
  EXPECT_EQ(ShiftColor(RGBToColor(10, 0, 0), 50), RGBToColor(26, 16, 16));
  EXPECT_EQ(ShiftColor(0xFF000005, -20), RGBToColor(249, 249, 249));
}

}  // namespace
