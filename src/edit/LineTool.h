#pragma once
#include <vector>

#include "edit/CellGeometry.h"
#include "model/Pattern.h"

namespace tond {

struct LineCell {
  CellPoint cell;
  Cell colour;
  bool operator==(const LineCell&) const = default;
};

// The cells of the line from `start` to `end` with their colours, in order from the start:
// Bresenham's stepping over cells, step k written only when k is a multiple of
// 2^quantize (0..4), and coloured Lerp(colour1, colour2, k / (n - 1)) so that the gradient
// spans the whole line whatever the quantize. The preview draws exactly these cells.
std::vector<LineCell> LineCells(CellPoint start, CellPoint end, Cell colour1, Cell colour2,
                                int quantize);

// Writes the line into the grid.
void DrawLine(Grid& grid, CellPoint start, CellPoint end, Cell colour1, Cell colour2, int quantize);

}  // namespace tond
