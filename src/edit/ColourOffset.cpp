#include "edit/ColourOffset.h"

#include <algorithm>
#include <cstdio>

#include "model/UndoSystem.h"

namespace tond {

Cell OffsetCell(Cell cell, const ColourOffsets& offsets) {
  const int red = std::clamp(Red(cell) + offsets[0], 0, 255);
  const int green = std::clamp(Green(cell) + offsets[1], 0, 255);
  const int blue = std::clamp(Blue(cell) + offsets[2], 0, 255);
  return MakeCell(red, green, blue);
}

bool ApplyOffset(const Pattern& backup, Grid& grid, const ColourOffsets& offsets) {
  bool changed = false;
  for (int i = 0; i < kCells; ++i) {
    if (backup[i] == 0) continue;
    const Cell value = OffsetCell(backup[i], offsets);
    if (grid.Get(i) != value) {
      grid.Set(i, value);
      changed = true;
    }
  }
  return changed;
}

std::string OffsetAmountText(int amount) {
  char text[16];
  std::snprintf(text, sizeof text, amount > 0 ? "+%d" : "%d", amount);
  return text;
}

ColourOffsetEdit::ColourOffsetEdit(Grid& grid) : grid_(grid), backup_(grid.Snapshot()) {}

bool ColourOffsetEdit::SetOffset(int channel, int offset) {
  if (channel < 0 || channel > 2) return false;
  offsets_[static_cast<size_t>(channel)] = offset;
  return ApplyOffset(backup_, grid_, offsets_);
}

void ColourOffsetEdit::Accept(UndoSystem& undo) {
  undo.Push();
}

bool ColourOffsetEdit::Cancel() {
  bool changed = false;
  for (int i = 0; i < kCells; ++i) {
    if (grid_.Get(i) != backup_[i]) {
      grid_.Set(i, backup_[i]);
      changed = true;
    }
  }
  return changed;
}

}  // namespace tond
