#pragma once
#include "edit/CellGeometry.h"
#include "model/Pattern.h"

namespace tond {

// What a hand drag moves: the whole pattern, the row it started on, or the column.
enum class HandMode : int { kWhole = 0, kRow = 1, kColumn = 2 };

// Ctrl and Shift move one column, Ctrl alone one row, otherwise the whole pattern.
HandMode HandModeFor(bool ctrl, bool shift);

// At each move of a drag: the pattern as it was at the press, moved by the offset from the
// starting cell to `cell` with wrap-around, replaces the grid (whole pattern), the start row
// (row mode, moved sideways) or the start column (column mode, moved up or down).
void MoveHandDrag(const Pattern& dragStart, Grid& grid, HandMode mode, CellPoint start,
                  CellPoint cell);

// The grid changed under a drag (an arrow key, the MIDI controller, another pattern): the
// starting copy becomes the grid as it is now with the drag's last move (to `cell`) taken
// back, so the next move keeps that change rather than overwriting it or doubling the drag.
void RebaseHandDrag(const Grid& grid, HandMode mode, CellPoint start, CellPoint cell,
                    Pattern& dragStart);

}  // namespace tond
