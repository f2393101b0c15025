#include "view/grid_canvas.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

namespace {

// The image behind the painter when its pixels can be written directly.
QImage* DirectTarget(QPainter& canvas) {
  QPaintDevice* device = canvas.device();
  if (!device || device->devType() != QInternal::Image) return nullptr;
  auto* image = static_cast<QImage*>(device);
  if (image->format() != QImage::Format_RGB32 || canvas.hasClipping() ||
      canvas.viewTransformEnabled() || !canvas.worldTransform().isIdentity())
    return nullptr;
  return image;
}

}  // namespace

QImage NewGridImage(int w, int h) {
  constexpr int kDotsPerMeterAt96Dpi = 3780;
  QImage image(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
  image.setDotsPerMeterX(kDotsPerMeterAt96Dpi);
  image.setDotsPerMeterY(kDotsPerMeterAt96Dpi);
  return image;
}

void FillSolid(QPainter& canvas, const QRect& r, QRgb colour) {
  QImage* image = DirectTarget(canvas);
  if (!image) {
    canvas.fillRect(r, QColor(colour));
    return;
  }
  const QRect area = r.intersected(image->rect());
  if (area.isEmpty()) return;
  uchar* const bits = image->bits();
  const qsizetype stride = image->bytesPerLine();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    QRgb* const line = reinterpret_cast<QRgb*>(bits + y * stride);
    std::fill(line + area.left(), line + area.right() + 1, colour);
  }
}

void CopyImage(QPainter& canvas, int x, int y, const QImage& image) {
  QImage* target = DirectTarget(canvas);
  if (!target || image.format() != QImage::Format_RGB32) {
    canvas.drawImage(x, y, image);
    return;
  }
  const QRect area = QRect(x, y, image.width(), image.height()).intersected(target->rect());
  if (area.isEmpty()) return;
  uchar* const bits = target->bits();
  const qsizetype stride = target->bytesPerLine();
  const std::size_t bytes = static_cast<std::size_t>(area.width()) * sizeof(QRgb);
  for (int row = area.top(); row <= area.bottom(); ++row) {
    const QRgb* const from =
        reinterpret_cast<const QRgb*>(image.constScanLine(row - y)) + (area.left() - x);
    std::memcpy(bits + row * stride + area.left() * sizeof(QRgb), from, bytes);
  }
}
