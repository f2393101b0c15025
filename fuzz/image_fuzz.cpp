// Images for the designer: any bytes either give a picture of the size asked
// for or a refusal (EImageUnusable), never a crash, a hang or a huge
// allocation.
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/image_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  QImage image;
  try {
    image = ReadPictureImageData(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  } catch (const EImageUnusable&) {
    return 0;
  }
  const TDesignPicture picture = PictureOfImage(image, {7, 5, size % 2 == 0, 128, false});
  if (picture.Width != 7 || picture.Height != 5 || picture.Cells.size() != 35) std::abort();
  return 0;
}
