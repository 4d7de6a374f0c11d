#pragma once
#include <cstdint>

#include "base/Rect.h"

namespace tond {

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
  CellRect selection;             // also the floating rectangle while a paste floats
  CellRect buffer;                // the part of the clipboard grid that was copied
  std::uint32_t currentTool = 0;  // none until the window has been built
  std::uint32_t previousTool = 0;
  bool pastePending = false;
};

}  // namespace tond
