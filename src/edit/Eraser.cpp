#include "edit/Eraser.h"

#include <algorithm>

namespace tond {

CellRect EraserSquare(CellPoint cell, int size) {
  size = std::max(size, 1);
  const int h = size / 2;
  const int shrink = size % 2 == 0 ? 1 : 0;
  return {std::clamp(cell.x - h, 0, kColumns - 1), std::clamp(cell.y - h, 0, kRows - 1),
          std::clamp(cell.x + h - shrink, 0, kColumns - 1),
          std::clamp(cell.y + h - shrink, 0, kRows - 1)};
}

void EraseSquare(Grid& grid, const CellRect& square) {
  for (int x = square.x1; x <= square.x2; ++x)
    for (int y = square.y1; y <= square.y2; ++y) grid.Set(x, y, 0);
}

}  // namespace tond
