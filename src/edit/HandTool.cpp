#include "edit/HandTool.h"

#include "edit/Transforms.h"

namespace tond {

HandMode HandModeFor(bool ctrl, bool shift) {
  if (ctrl && shift) return HandMode::kColumn;
  if (ctrl) return HandMode::kRow;
  return HandMode::kWhole;
}

void MoveHandDrag(Project& project, HandMode mode, CellPoint start, CellPoint cell) {
  const int dx = cell.x - start.x;
  const int dy = cell.y - start.y;
  switch (mode) {
    case HandMode::kWhole:
      OffsetFromDragStart(project, dx, dy);
      break;
    case HandMode::kRow:
      ShiftRow(project, start.y, dx);
      break;
    case HandMode::kColumn:
      ShiftColumn(project, start.x, dy);
      break;
  }
}

}  // namespace tond
