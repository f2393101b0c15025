// Cell images drawn once and then copied into every cell that shows them:
// TCellSprite for a marked board cell (a cross or a tick on its background),
// TClueSprites for clue cells. Stroking wide lines and laying out text cell by
// cell would cost a large board more than a screen frame.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class QPainter;

enum class TCellMark { Cross, Tick };

// The cross of a w x h cell at (left, top): a square X of 2a pixels around
// the centre drawn with a pen a pixels wide.
void DrawCross(QPainter& canvas, int left, int top, int w, int h, int a, const QColor& pen);
// The tick of a w x h cell at (left, top), pen a pixels wide.
void DrawTick(QPainter& canvas, int left, int top, int w, int h, int a, const QColor& pen);

class TCellSprite {
 public:
  // The cell image for these values; drawn again only when one differs from
  // the last call.
  const QImage& Get(TCellMark mark, int w, int h, int penWidth, QRgb background, QRgb pen);

 private:
  TCellMark FMark = TCellMark::Cross;
  int FWidth = 0;
  int FHeight = 0;
  int FPenWidth = 0;
  QRgb FBackground = 0;
  QRgb FPen = 0;
  QImage FImage;
};

class TClueSprites {
 public:
  // The clue cell showing text (possibly empty) centred on background, cut to
  // the cell. All images are dropped when the cell size, the font's size or
  // width or the text colour differ from the last call.
  const QImage& Get(const std::string& text, int w, int h, const QFont& font, QRgb background,
                    QRgb textColour);
  // Drops all images (the font changed in another way than its size).
  void Clear() { FImages.clear(); }

 private:
  int FWidth = 0;
  int FHeight = 0;
  int FPointSize = 0;
  int FStretch = 0;
  QRgb FTextColour = 0;
  // By text, then one image per background (plain or hot).
  std::unordered_map<std::string, std::vector<std::pair<QRgb, QImage>>> FImages;
};
