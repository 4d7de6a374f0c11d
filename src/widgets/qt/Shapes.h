#pragma once
// Outlines the button pictures and the tool cursors share, on a 100 x 100 grid.
#include <QPainterPath>

namespace tond {

// An open hand, fingers up, filling about 14..80 across and 12..90 down.
QPainterPath HandOutline();

}  // namespace tond
