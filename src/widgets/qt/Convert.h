#pragma once
// The core's colours and rectangles as Qt takes them.
#include <QColor>
#include <QRect>

#include "base/Rect.h"
#include "model/Cell.h"

namespace tond {

// A cell's 0x00BBGGRR as an opaque 0xFFRRGGBB, for image scan lines and, through QColor, pens.
inline QRgb CellRgb(Cell c) {
  return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

inline QRect QRectOf(const PixelRect& r) {
  return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace tond
