#pragma once
#include "edit/CellGeometry.h"
#include "model/Pattern.h"

namespace tond {

// The cells an eraser of `size` cells (at least 1) covers around `cell`: the cursor cell is
// the centre for odd sizes and just right of and below the centre for even ones; clamped to
// the grid, so x1 <= x2 and y1 <= y2 always hold.
CellRect EraserSquare(CellPoint cell, int size);

// Sets every cell of the square, corners included, to black.
void EraseSquare(Grid& grid, const CellRect& square);

}  // namespace tond
