#include "edit/HandTool.h"

#include "edit/Transforms.h"

namespace tond {

HandMode HandModeFor(bool ctrl, bool shift) {
  if (ctrl && shift) return HandMode::kColumn;
  if (ctrl) return HandMode::kRow;
  return HandMode::kWhole;
}

void MoveHandDrag(const Pattern& dragStart, Grid& grid, HandMode mode, CellPoint start,
                  CellPoint cell) {
  const int dx = cell.x - start.x;
  const int dy = cell.y - start.y;
  switch (mode) {
    case HandMode::kWhole:
      WriteShifted(dragStart, grid, dx, dy);
      break;
    case HandMode::kRow:
      ShiftRow(dragStart, grid, start.y, dx);
      break;
    case HandMode::kColumn:
      ShiftColumn(dragStart, grid, start.x, dy);
      break;
  }
}

void RebaseHandDrag(const Grid& grid, HandMode mode, CellPoint start, CellPoint cell,
                    Pattern& dragStart) {
  const Pattern now = grid.Snapshot();
  Grid back;
  back.CopyFrom(now);
  const CellPoint undone{start.x - (cell.x - start.x), start.y - (cell.y - start.y)};
  MoveHandDrag(now, back, mode, start, undone);
  back.CopyTo(dragStart);
}

}  // namespace tond
