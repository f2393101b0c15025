// The picture of the board with both clue strips, and the clipboard copy.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include "view_harness.h"

namespace {

using test_support::TriplePairs;
using test_support::ViewHarness;
using test_support::ViewTest;

using BoardImage = ViewTest;

QImage Part(const QImage& image, QRect area) {
  return image.copy(area).convertToFormat(QImage::Format_RGB32);
}

TEST_F(BoardImage, TenByTenWithThreeCluesAt20Pixels) {
  std::vector<std::string> player(10, "..........");
  player[0] = "##x.......";
  ViewHarness v(TriplePairs(), player, QSize(800, 600));
  const QImage image = v.Frame->BoardImage();
  ASSERT_EQ(image.size(), QSize(307, 307));
  const QImage board = v.Frame->BoardGrid()->RenderedBitmap();
  const QImage left = v.Frame->LeftGrid()->RenderedBitmap();
  const QImage top = v.Frame->TopGrid()->RenderedBitmap();
  EXPECT_EQ(left.size(), QSize(74, 231));
  EXPECT_EQ(top.size(), QSize(231, 74));
  EXPECT_EQ(Part(image, QRect(76, 76, 231, 231)), board.convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(Part(image, QRect(0, 76, 74, 231)), left.convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(Part(image, QRect(76, 0, 231, 74)), top.convertToFormat(QImage::Format_RGB32));
  // The corner and the gaps stay in the panel colour.
  const QRgb panel = qRgb(0xC0, 0xDC, 0xC0);
  EXPECT_EQ(image.pixel(0, 0), panel);
  EXPECT_EQ(image.pixel(75, 75), panel);
  EXPECT_EQ(image.pixel(74, 200), panel);
  EXPECT_EQ(image.pixel(200, 75), panel);
}

TEST_F(BoardImage, FollowsTheZoomNotTheWindow) {
  ViewHarness v(TriplePairs(), {}, QSize(1000, 1000));
  ASSERT_TRUE(v.Frame->Zoom(1));
  // 21-px cells: board 241, strips 77 wide, gap 2.
  EXPECT_EQ(v.Frame->BoardImage().size(), QSize(320, 320));
  v.Host()->resize(400, 400);
  EXPECT_EQ(v.Frame->BoardImage().size(), QSize(320, 320));
}

TEST_F(BoardImage, LeavesTheHighlightOutAndClearsIt) {
  ViewHarness v(TriplePairs());
  v.Move(ViewHarness::Cell(0, 0), Qt::NoButton);
  ASSERT_EQ(v.Frame->LeftGrid()->HotRow(), 0);
  const QImage image = v.Frame->BoardImage();
  // The left strip's first clue cell of row 0 is not hot (yellow) but plain.
  EXPECT_EQ(image.pixel(5, 76 + 5), qRgb(0xFF, 0xFB, 0xF0));
  EXPECT_EQ(image.pixel(5, 76 + 27), qRgb(0xFF, 0xFB, 0xF0));
  EXPECT_EQ(v.Frame->LeftGrid()->HotRow(), -1);
}

TEST_F(BoardImage, GoesToTheClipboard) {
  ViewHarness v(TriplePairs());
  QGuiApplication::clipboard()->clear();
  v.Frame->CopyBoardImageToClipboard();
  const QImage copied = QGuiApplication::clipboard()->image();
  ASSERT_FALSE(copied.isNull());
  EXPECT_EQ(copied.size(), QSize(307, 307));
  EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32),
            v.Frame->BoardImage().convertToFormat(QImage::Format_RGB32));
}

TEST_F(BoardImage, NothingWithoutAPuzzle) {
  TframeGrid frame;
  EXPECT_TRUE(frame.BoardImage().isNull());
  frame.CopyBoardImageToClipboard();
}

}  // namespace
