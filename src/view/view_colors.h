// Colours of the core (0x00BBGGRR, or a system colour index with top byte
// 0xFF) as Qt colours for painting.
#pragma once

#include <QColor>

#include "model/mytypes.h"
#include "util/utils.h"

inline QColor ToQColor(TColor colour) {
  const TColor rgb = TUtils::ColorToRGB(colour);
  return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
                static_cast<int>(rgb >> 16 & 0xFF));
}
