// Colours of the core (0x00BBGGRR, or a system colour index with top byte
// 0xFF) as Qt colours for painting.
#pragma once

#include <QColor>

#include "util/color.h"

// The opaque Qt pixel value (0xFFRRGGBB).
inline QRgb ToQRgb(TColor colour) {
  const TColor rgb = ColorToRGB(colour);
  return qRgb(static_cast<int>(rgb & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
              static_cast<int>(rgb >> 16 & 0xFF));
}

inline QColor ToQColor(TColor colour) {
  return QColor(ToQRgb(colour));
}
