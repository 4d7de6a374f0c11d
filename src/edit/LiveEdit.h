#pragma once
#include <string>

#include "model/Pattern.h"

namespace tond {

class UndoSystem;

// Writes the cells that differ from the grid; returns whether there were any. Cells that
// already match are not stored again, so the audio thread sees only real changes.
bool WriteChanged(const Pattern& cells, Grid& grid);

// Rewrites every note of the backup through `recolour` into the grid; cells empty in the
// backup are never written. Returns whether any cell of the grid changed.
template <typename Recolour>
bool RecolourNotes(const Pattern& backup, Grid& grid, Recolour recolour) {
  bool changed = false;
  for (int i = 0; i < kCells; ++i) {
    if (backup[i] == 0) continue;
    const Cell value = recolour(backup[i]);
    if (grid.Get(i) != value) {
      grid.Set(i, value);
      changed = true;
    }
  }
  return changed;
}

// The value text of a slider centred on amount 0: "%d" up to the middle, "+%d" above it.
std::string SignedAmountText(int amount);

// The frame of the tool windows that edit the working grid live while open: the grid is
// copied when the window is created, every control change recomputes the grid from that
// copy, "Ok" keeps the grid and pushes it once, any other close puts the copy back unpushed.
class LiveEdit {
 public:
  // Copies the grid into the backup.
  explicit LiveEdit(Grid& grid);
  // The session owns the open edit through this base.
  virtual ~LiveEdit() = default;

  // "Ok": the grid keeps the edit; pushes it once, changed or not.
  void Accept(UndoSystem& undo);
  // Any other close: the backup goes back into the grid. Returns whether any cell changed.
  bool Cancel();

  const Pattern& Backup() const { return backup_; }

 protected:
  // The windows' sliders and toggles come in threes: 0 red, 1 green, 2 blue.
  static bool IsChannel(int channel) { return channel >= 0 && channel <= 2; }
  Grid& EditedGrid() { return grid_; }

 private:
  Grid& grid_;
  Pattern backup_;
};

}  // namespace tond
