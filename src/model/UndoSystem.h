#pragma once
#include <memory>
#include <vector>

#include "model/Pattern.h"

namespace tond {

// One saved state of the working grid.
class CUndoState {
 public:
  explicit CUndoState(const Pattern& p) : cells(p) {}
  Pattern cells;
};

// Whole copies of the working grid, one per edit. A push after undos drops the undone states,
// so undo after an edit always returns to the state shown before it.
class UndoSystem {
 public:
  UndoSystem() = default;
  UndoSystem(const UndoSystem&) = delete;
  UndoSystem& operator=(const UndoSystem&) = delete;

  // Records the grid and pushes its current cells as the first state.
  void Init(Grid* owner);
  // Saves the grid as a new state; called after a change.
  void Push();
  void Undo();
  void Redo();
  void Clear();

  int Count() const { return static_cast<int>(states_.size()); }
  int Current() const { return current_; }
  bool CanUndo() const { return current_ > 0; }
  bool CanRedo() const { return current_ < Count() - 1; }

 private:
  std::vector<std::unique_ptr<CUndoState>> states_;
  int current_ = -1;
  Grid* owner_ = nullptr;
};

}  // namespace tond
