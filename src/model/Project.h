#pragma once
#include <array>
#include <cstdint>

#include "base/Tempo.h"
#include "kit/Kit.h"
#include "model/Pattern.h"

namespace tond {

class UndoSystem;

// The 16 stored patterns with their tempos, the working grid of the current one, the clipboard
// and filter grids, and the kit. Transforms and drags keep their temporary copies themselves. The
// tempo the engine plays is the window's tempo control, handed in where the model needs it.
class Project {
 public:
  static constexpr int kPatterns = 16;

  Project();
  Project(const Project&) = delete;
  Project& operator=(const Project&) = delete;

  Cell GetCell(int column, int row) const { return working.Get(column, row); }
  void SetCell(int column, int row, Cell value) { working.Set(column, row, value); }

  int Current() const { return current_; }
  std::uint32_t Tempo(int slot) const { return tempos_[static_cast<size_t>(slot)]; }
  void SetTempo(int slot, std::uint32_t bpm) { tempos_[static_cast<size_t>(slot)] = bpm; }

  // The stored copy of a slot (stale for the current slot until CommitCurrent).
  Pattern StoredPattern(int slot) const;
  void SetStoredPattern(int slot, const Pattern& cells);

  // Writes the working grid and the tempo control's value (truncated) into the current slot.
  void CommitCurrent(double tempoControl);
  // Commits the current slot; when `slot` differs, makes it current, loads it into the working
  // grid and clears the undo history. Returns true when the current slot changed: the window
  // then sets its tempo control to Tempo(Current()), empties the selection and redraws.
  bool SelectPattern(int slot, double tempoControl, UndoSystem& undo);
  // All patterns and the working grid empty, every tempo 120, slot 0 current, history cleared.
  void NewProject(UndoSystem& undo);
  // Empties the working grid and pushes the result onto the history.
  void ClearPattern(UndoSystem& undo);
  // After a project file has been read: slot 0 current and in the working grid, history cleared.
  void ShowFirstPattern(UndoSystem& undo);

  Grid working;
  Pattern clipboard{};
  Pattern filter{};
  CKit kit;

 private:
  static size_t StoredIndex(int cell, int slot) {
    return static_cast<size_t>(cell) * kPatterns + static_cast<size_t>(slot);
  }
  // [column][row][slot]: the 16 values of one cell position lie side by side.
  std::array<Cell, kCells * kPatterns> stored_{};
  std::array<std::uint32_t, kPatterns> tempos_{};
  std::uint16_t current_ = 0;
};

}  // namespace tond
