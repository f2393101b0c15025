#include "view/cell_sprite.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <algorithm>

#include "view/grid_canvas.h"
#include "view/half_even.h"

namespace {

QPen WidePen(const QColor& colour, int width) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

}  // namespace

void DrawCross(QPainter& canvas, int left, int top, int w, int h, int a, const QColor& pen) {
  // dx passes the middle, so x1 lies a pixels right of the centre and x2 a
  // pixels left of it.
  const int dx = w / 2 + a;
  const int dy = h / 2 + a;
  const int x1 = left + dx;
  const int x2 = left + w - dx;
  const int y1 = top + dy;
  const int y2 = top + h - dy;
  canvas.setPen(WidePen(pen, a));
  canvas.drawLine(x1, y1, x2, y2);
  canvas.drawLine(x2, y1, x1, y2);
}

void DrawTick(QPainter& canvas, int left, int top, int w, int h, int a, const QColor& pen) {
  const int k = DivRoundHalfEven(std::int64_t{w} * 2, 7);  // w / 3.5
  const QPoint points[3] = {QPoint(left + k, top + h / 2), QPoint(left + w / 2, top + h - h / 3),
                            QPoint(left + w - k, top + h / 3)};
  canvas.setPen(WidePen(pen, a));
  canvas.drawPolyline(points, 3);
}

const QImage& TCellSprite::Get(TCellMark mark, int w, int h, int penWidth, QRgb background,
                               QRgb pen) {
  if (!FImage.isNull() && mark == FMark && w == FWidth && h == FHeight && penWidth == FPenWidth &&
      background == FBackground && pen == FPen)
    return FImage;
  FMark = mark;
  FWidth = w;
  FHeight = h;
  FPenWidth = penWidth;
  FBackground = background;
  FPen = pen;
  FImage = NewGridImage(w, h);
  FImage.fill(background);
  QPainter canvas(&FImage);
  if (mark == TCellMark::Cross)
    DrawCross(canvas, 0, 0, w, h, penWidth, pen);
  else
    DrawTick(canvas, 0, 0, w, h, penWidth, pen);
  return FImage;
}

const QImage& TClueSprites::Get(const std::string& text, int w, int h, const QFont& font,
                                QRgb background, QRgb textColour) {
  if (w != FWidth || h != FHeight || font.pointSize() != FPointSize || font.stretch() != FStretch ||
      textColour != FTextColour) {
    FImages.clear();
    FWidth = w;
    FHeight = h;
    FPointSize = font.pointSize();
    FStretch = font.stretch();
    FTextColour = textColour;
  }
  std::vector<std::pair<QRgb, QImage>>& images = FImages[text];
  for (const auto& [colour, made] : images)
    if (colour == background) return made;
  QImage& image = images.emplace_back(background, NewGridImage(w, h)).second;
  image.fill(background);
  if (!text.empty()) {
    QPainter canvas(&image);
    canvas.setFont(font);
    canvas.setPen(QColor(textColour));
    const QString number = QString::fromStdString(text);
    const QFontMetrics metrics = canvas.fontMetrics();
    const int x = (w - metrics.horizontalAdvance(number)) / 2;
    const int y = (h - metrics.height()) / 2;
    canvas.drawText(x, y + metrics.ascent(), number);
  }
  return image;
}
