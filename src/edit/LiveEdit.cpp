#include "edit/LiveEdit.h"

#include <cstdio>

#include "model/UndoSystem.h"

namespace tond {

bool WriteChanged(const Pattern& cells, Grid& grid) {
  bool changed = false;
  for (int i = 0; i < kCells; ++i) {
    if (grid.Get(i) != cells[i]) {
      grid.Set(i, cells[i]);
      changed = true;
    }
  }
  return changed;
}

std::string SignedAmountText(int amount) {
  char text[16];
  std::snprintf(text, sizeof text, amount > 0 ? "+%d" : "%d", amount);
  return text;
}

LiveEdit::LiveEdit(Grid& grid) : grid_(grid), backup_(grid.Snapshot()) {}

void LiveEdit::Accept(UndoSystem& undo) {
  undo.Push();
}

bool LiveEdit::Cancel() {
  return WriteChanged(backup_, grid_);
}

}  // namespace tond
