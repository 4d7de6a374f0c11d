#pragma once
#include <cstdint>

namespace tond {

// One cell of the pattern, x the column (step), y the row (kit slot).
struct CellPoint {
  int x = 0, y = 0;
  bool operator==(const CellPoint&) const = default;
};

// A rectangle of window pixels, right and bottom exclusive. All four 0 is empty.
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Empty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  bool operator==(const PixelRect&) const = default;
};

// A rectangle of cells, corners included, as four signed coordinates. All four 0 is empty,
// and so a rectangle of only cell (0, 0) counts as empty too.
struct CellRect {
  std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  bool Empty() const { return x1 == 0 && y1 == 0 && x2 == 0 && y2 == 0; }
  void Clear() { *this = CellRect(); }
  // The same rectangle with x1 <= x2 and y1 <= y2.
  CellRect Ordered() const {
    return {x1 < x2 ? x1 : x2, y1 < y2 ? y1 : y2, x1 < x2 ? x2 : x1, y1 < y2 ? y2 : y1};
  }
  bool operator==(const CellRect&) const = default;
};

}  // namespace tond
