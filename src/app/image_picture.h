// A puzzle picture made from an image: the image is read with Qt's image
// readers (PNG, JPEG, BMP, GIF, SVG and whatever else is installed), scaled
// to the board, and every cell darker than a threshold is filled.
//
// Images come from outside, so reading refuses with a clear message what it
// cannot use well: no image, a damaged or truncated file, an image of no
// size or of more pixels than can sensibly be held, an animation.
#pragma once

#include <QImage>
#include <QString>
#include <stdexcept>

#include "generation/design_verdict.h"

class EImageUnusable : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Largest image read: the side and the pixel count (a 16-megapixel photo
// fits, a decompression bomb does not).
inline constexpr int kMaxImageSide = 20000;
inline constexpr long long kMaxImagePixels = 40'000'000;

// Reads an image file or the bytes of one; throws EImageUnusable with an
// English message saying why not.
QImage ReadPictureImage(const QString& path);
QImage ReadPictureImageData(const QByteArray& bytes);
// Checks an image that came another way (the clipboard).
QImage CheckedPictureImage(const QImage& image);

struct TImageFit {
  int Width = 10;  // the board's size in cells
  int Height = 10;
  bool Crop = false;    // fill the board and cut off what sticks out, else
                        // keep the whole image and leave the rest empty
  int Threshold = 128;  // cells darker than this (0..255) are filled
  bool Invert = false;  // fill the light cells instead
};

// The cells' grey levels (0 black .. 255 white; transparency counts as
// white), row by row.
std::vector<int> CellGreys(const QImage& image, int width, int height, bool crop);
// The picture of the image for the fit.
TDesignPicture PictureOfImage(const QImage& image, const TImageFit& fit);
