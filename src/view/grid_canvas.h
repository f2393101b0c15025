// Fast paths for the grid images. One render paints tens of thousands of small
// solid rectangles and cell images; writing the pixels of an RGB32 image
// directly costs a fraction of a painter call. Both fall back to the painter
// for any other device or format, or while a clip or transform is set.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

class QPainter;

void FillSolid(QPainter& canvas, const QRect& r, const QColor& colour);
void CopyImage(QPainter& canvas, int x, int y, const QImage& image);
