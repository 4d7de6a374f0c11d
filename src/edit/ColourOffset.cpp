#include "edit/ColourOffset.h"

#include <algorithm>

namespace tond {

Cell OffsetCell(Cell cell, const ColourOffsets& offsets) {
  const int red = std::clamp(Red(cell) + offsets[0], 0, 255);
  const int green = std::clamp(Green(cell) + offsets[1], 0, 255);
  const int blue = std::clamp(Blue(cell) + offsets[2], 0, 255);
  return MakeCell(red, green, blue);
}

bool ApplyOffset(const Pattern& backup, Grid& grid, const ColourOffsets& offsets) {
  return RecolourNotes(backup, grid, [&offsets](Cell cell) { return OffsetCell(cell, offsets); });
}

bool ColourOffsetEdit::SetOffset(int channel, int offset) {
  if (!IsChannel(channel)) return false;
  offsets_[static_cast<size_t>(channel)] = offset;
  return ApplyOffset(Backup(), EditedGrid(), offsets_);
}

}  // namespace tond
