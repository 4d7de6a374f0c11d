#pragma once
#include <cstdint>

namespace tond {

// A rectangle of cells, corners included, as four signed coordinates. All four 0 is empty,
// and so a rectangle of only cell (0, 0) counts as empty too.
struct CellRect {
  std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  bool Empty() const { return x1 == 0 && y1 == 0 && x2 == 0 && y2 == 0; }
  void Clear() { *this = CellRect(); }
  // The same rectangle with x1 <= x2 and y1 <= y2.
  CellRect Ordered() const {
    return {x1 < x2 ? x1 : x2, y1 < y2 ? y1 : y2, x1 < x2 ? x2 : x1, y1 < y2 ? y2 : y1};
  }
  bool Contains(int x, int y) const {
    CellRect o = Ordered();
    return x >= o.x1 && x <= o.x2 && y >= o.y1 && y <= o.y2;
  }
  bool operator==(const CellRect&) const = default;
};

// Tool identifiers held as the current tool.
enum Tool : std::uint32_t {
  kPencil = 1,
  kLine = 2,
  kAirbrush = 3,
  kEraser = 4,
  kHand = 5,
  kEyedropper = 6,
  kSelector = 7,
  kFloatingPaste = 65534,
  kFloatingMix = 65535,
};

// The selection, clipboard and tool state the main window owns and the edit operations share.
struct EditState {
  CellRect selection;  // also the floating rectangle while a paste floats
  CellRect buffer;     // the part of the clipboard grid that was copied
  std::uint32_t currentTool = 0;  // none until the window has been built
  std::uint32_t previousTool = 0;
  bool pastePending = false;
};

}  // namespace tond
