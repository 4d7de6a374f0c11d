#pragma once
#include "edit/EditState.h"

namespace tond {

// Where the cells of the pattern area lie in the main window. The cell size is chosen once
// from the screen width; cell (x, y) starts at pixel (15 + x * w, 10 + y * h) and the grid
// lines lie one pixel up and left of each cell.
class CellGeometry {
 public:
  // Screens narrower than this get the small cells and the narrow window.
  static constexpr int kWideScreen = 1065;

  constexpr CellGeometry() = default;
  constexpr CellGeometry(int cellWidth, int cellHeight) : w_(cellWidth), h_(cellHeight) {}
  static CellGeometry ForScreenWidth(int screenWidth);

  int CellWidth() const { return w_; }
  int CellHeight() const { return h_; }
  // 1001 for the small cells, 1065 for the large ones.
  int WindowWidth() const;

  // Grid line i, 0..64.
  int GridLineX(int i) const { return 14 + i * w_; }
  int GridLineY(int i) const { return 9 + i * h_; }

  // The whole pattern area with its outer grid lines: what "redraw the pattern" repaints.
  PixelRect PatternArea() const;
  // The pixels a cell is filled with, between its grid lines.
  PixelRect CellPixels(int x, int y) const;

  bool OverPattern(int px, int py) const;
  // The cell under a point; false (and `cell` untouched) when the point is off the pattern.
  bool CellAt(int px, int py, CellPoint& cell) const;

  // The outline of a block of cells, from the top left of its first cell to the bottom right
  // of its last one (the eraser outline).
  PixelRect BlockPixels(const CellRect& cells) const;
  // The red frame around a selection, drawn on the grid lines around its cells.
  PixelRect SelectionFrame(const CellRect& selection) const;

 private:
  int w_ = 13, h_ = 11;
};

}  // namespace tond
