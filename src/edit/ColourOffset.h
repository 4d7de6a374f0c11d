#pragma once
#include <array>
#include <string>

#include "edit/LiveEdit.h"
#include "model/Pattern.h"

namespace tond {

// Offsets added to red, green and blue, -100 to 100.
using ColourOffsets = std::array<int, 3>;

// A cell with the offsets added, each channel clamped to 0..255; the top byte becomes 0.
Cell OffsetCell(Cell cell, const ColourOffsets& offsets);

// Rewrites every note of the backup with the offsets into the grid; cells empty in the backup
// are never written. A note driven to black is empty until a later change brings it back.
// Returns whether any cell of the grid changed.
bool ApplyOffset(const Pattern& backup, Grid& grid, const ColourOffsets& offsets);

// The offset slider runs 0..200 with 100 in the middle.
constexpr int kOffsetSliderMiddle = 100;
inline int OffsetAmountFromSlider(int value) {
  return value - kOffsetSliderMiddle;
}
inline std::string OffsetAmountText(int amount) {
  return SignedAmountText(amount);
}

// The live state of one "Offset colors" window: the offsets over the live backup.
class ColourOffsetEdit : public LiveEdit {
 public:
  using LiveEdit::LiveEdit;

  // A slider change: channel 0 red, 1 green, 2 blue. Recomputes the grid from the backup.
  bool SetOffset(int channel, int offset);

  const ColourOffsets& Offsets() const { return offsets_; }

 private:
  ColourOffsets offsets_{};
};

}  // namespace tond
