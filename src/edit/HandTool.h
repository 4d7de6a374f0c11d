#pragma once
#include "edit/CellGeometry.h"

namespace tond {

class Project;

// What a hand drag moves: the whole pattern, the row it started on, or the column.
enum class HandMode : int { kWhole = 0, kRow = 1, kColumn = 2 };

// Ctrl and Shift move one column, Ctrl alone one row, otherwise the whole pattern.
HandMode HandModeFor(bool ctrl, bool shift);

// At each move of a drag begun with BeginDrag (which keeps the pattern as it was at the press
// in the scratch grid): the scratch copy, moved by the offset from the starting cell to `cell` with
// wrap-around, replaces the working grid (whole pattern), the start row (row mode, moved
// sideways) or the start column (column mode, moved up or down).
void MoveHandDrag(Project& project, HandMode mode, CellPoint start, CellPoint cell);

}  // namespace tond
