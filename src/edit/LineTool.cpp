#include "edit/LineTool.h"

#include <algorithm>
#include <cstdlib>

#include "edit/ColourMix.h"

namespace tond {

std::vector<LineCell> LineCells(CellPoint start, CellPoint end, Cell colour1, Cell colour2,
                                int quantize) {
  const int dx = std::abs(end.x - start.x);
  const int dy = std::abs(end.y - start.y);
  const int sx = end.x >= start.x ? 1 : -1;
  const int sy = end.y >= start.y ? 1 : -1;
  const int n = std::max(dx, dy) + 1;
  const int q = 1 << std::clamp(quantize, 0, 4);

  std::vector<LineCell> cells;
  cells.reserve(static_cast<size_t>((n + q - 1) / q));
  int x = start.x, y = start.y;
  // Both branches step the long axis once per cell; the error term decides when the short
  // axis follows.
  int e = dx <= dy ? 2 * dx - dy : 2 * dy - dx;
  for (int k = 0; k < n; ++k) {
    if (k % q == 0) {
      float t = n == 1 ? 0.0f : static_cast<float>(k) / static_cast<float>(n - 1);
      cells.push_back({{x, y}, Lerp(colour1, colour2, t)});
    }
    if (dx <= dy) {
      if (e >= 0) {
        x += sx;
        e -= 2 * dy;
      }
      e += 2 * dx;
      y += sy;
    } else {
      if (e >= 0) {
        y += sy;
        e -= 2 * dx;
      }
      e += 2 * dy;
      x += sx;
    }
  }
  return cells;
}

void DrawLine(Grid& grid, CellPoint start, CellPoint end, Cell colour1, Cell colour2,
              int quantize) {
  for (const LineCell& c : LineCells(start, end, colour1, colour2, quantize)) {
    if (c.cell.x < 0 || c.cell.x >= kColumns || c.cell.y < 0 || c.cell.y >= kRows) continue;
    grid.Set(c.cell.x, c.cell.y, c.colour);
  }
}

}  // namespace tond
