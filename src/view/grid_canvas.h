// The images the board view draws into, and fast paths for drawing them.
// Grid images are RGB32 at 96 dpi on every screen, so font sizes give the same
// pixels on- and off-screen. One render paints tens of thousands of small solid
// rectangles and cell images; writing the pixels of an RGB32 image directly
// costs a fraction of a painter call. The fast paths fall back to the painter
// for any other device or format, or while a clip or transform is set.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

class QPainter;

// A grid image of at least 1 x 1 pixels.
QImage NewGridImage(int w, int h);

void FillSolid(QPainter& canvas, const QRect& r, QRgb colour);
void CopyImage(QPainter& canvas, int x, int y, const QImage& image);
