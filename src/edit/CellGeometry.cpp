#include "edit/CellGeometry.h"

#include "model/Cell.h"

namespace tond {

CellGeometry CellGeometry::ForScreenWidth(int screenWidth) {
  return screenWidth < kWideScreen ? CellGeometry(12, 10) : CellGeometry(13, 11);
}

int CellGeometry::WindowWidth() const {
  return w_ == 12 ? 1001 : 1065;
}

PixelRect CellGeometry::PatternArea() const {
  return {14, 9, 15 + kColumns * w_, 10 + kRows * h_};
}

PixelRect CellGeometry::CellPixels(int x, int y) const {
  return {15 + x * w_, 10 + y * h_, 14 + (x + 1) * w_, 9 + (y + 1) * h_};
}

bool CellGeometry::OverPattern(int px, int py) const {
  return px >= 15 && px < 15 + kColumns * w_ && py >= 10 && py < 10 + kRows * h_;
}

bool CellGeometry::CellAt(int px, int py, CellPoint& cell) const {
  if (!OverPattern(px, py)) return false;
  cell = {(px - 15) / w_, (py - 10) / h_};
  return true;
}

PixelRect CellGeometry::BlockPixels(const CellRect& cells) const {
  CellRect o = cells.Ordered();
  return {15 + o.x1 * w_, 10 + o.y1 * h_, 14 + (o.x2 + 1) * w_, 9 + (o.y2 + 1) * h_};
}

PixelRect CellGeometry::SelectionFrame(const CellRect& selection) const {
  CellRect o = selection.Ordered();
  return {14 + o.x1 * w_, 9 + o.y1 * h_, 15 + (o.x2 + 1) * w_, 10 + (o.y2 + 1) * h_};
}

}  // namespace tond
