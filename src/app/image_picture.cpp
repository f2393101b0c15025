#include "app/image_picture.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include "text/lang_helper.h"

namespace {

std::string TooLarge(const QSize& size) {
  return TextWithArgs(ttnReasonImageTooLarge,
                      {std::to_string(size.width()), std::to_string(size.height())});
}

QImage ReadFrom(QImageReader& reader) {
  reader.setAutoTransform(true);
  if (!reader.canRead()) throw EImageUnusable(TextFor(ttnReasonImageNotReadable));
  if (reader.supportsAnimation() && reader.imageCount() > 1)
    throw EImageUnusable(TextFor(ttnReasonImageAnimated));
  const QSize size = reader.size();
  if (size.isValid()) {
    if (size.isEmpty()) throw EImageUnusable(TextFor(ttnReasonImageNoPixels));
    if (size.width() > kMaxImageSide || size.height() > kMaxImageSide ||
        static_cast<long long>(size.width()) * size.height() > kMaxImagePixels)
      throw EImageUnusable(TooLarge(size));
  }
  QImage image;
  if (!reader.read(&image))
    throw EImageUnusable(
        TextWithArgs(ttnReasonImageUnreadable, {reader.errorString().toStdString()}));
  return CheckedPictureImage(image);
}

}  // namespace

QImage ReadPictureImage(const QString& path) {
  QImageReader reader(path);
  return ReadFrom(reader);
}

QImage ReadPictureImageData(const QByteArray& bytes) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  return ReadFrom(reader);
}

QImage CheckedPictureImage(const QImage& image) {
  if (image.isNull() || image.width() <= 0 || image.height() <= 0)
    throw EImageUnusable(TextFor(ttnReasonImageNoPixels));
  if (image.width() > kMaxImageSide || image.height() > kMaxImageSide ||
      static_cast<long long>(image.width()) * image.height() > kMaxImagePixels)
    throw EImageUnusable(TooLarge(image.size()));
  return image;
}

std::vector<int> CellGreys(const QImage& image, int width, int height, bool crop) {
  // The image drawn smoothly onto a white board of width x height pixels,
  // either all of it (centred) or covering the board (centred, cut).
  QImage board(width, height, QImage::Format_ARGB32);
  board.fill(Qt::white);
  const QSize scaled = image.size().scaled(
      width, height, crop ? Qt::KeepAspectRatioByExpanding : Qt::KeepAspectRatio);
  const QRect target((width - scaled.width()) / 2, (height - scaled.height()) / 2,
                     std::max(1, scaled.width()), std::max(1, scaled.height()));
  {
    QPainter painter(&board);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target,
                      image.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  }
  std::vector<int> greys(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      greys[static_cast<std::size_t>(y) * width + x] = qGray(board.pixel(x, y));
  return greys;
}

TDesignPicture PictureOfImage(const QImage& image, const TImageFit& fit) {
  const std::vector<int> greys = CellGreys(image, fit.Width, fit.Height, fit.Crop);
  TDesignPicture picture{fit.Width, fit.Height, std::string(greys.size(), '.')};
  for (std::size_t i = 0; i < greys.size(); ++i)
    if ((greys[i] < fit.Threshold) != fit.Invert) picture.Cells[i] = '#';
  return picture;
}
