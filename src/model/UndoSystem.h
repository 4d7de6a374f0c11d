#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

#include "model/Pattern.h"

namespace tond {

// One step of the history: the cells that differ between a state and the next, each as the
// exclusive or of its two values, so the same step leads forward and back. A step that changes
// most cells keeps all 4096 flips instead of (index, flip) pairs, never more than a grid's size.
class CUndoState {
 public:
  CUndoState(const Pattern& from, const Pattern& to);
  // Turns the one state into the other, either way.
  void Apply(Pattern& cells) const;
  // The memory the step holds.
  std::size_t Bytes() const;

 private:
  std::vector<std::pair<std::uint16_t, Cell>> sparse_;
  std::vector<Cell> dense_;
};

// The states of the working grid, one per edit. A push after undos drops the undone states, so
// undo after an edit always returns to the state shown before it.
//
// The history keeps only what each edit changed, within a budget of memory: when a push takes
// it over the budget, the oldest states go. A colour knob turned for an hour pushes hundreds of
// states a second; the history then reaches back over the last few thousand edits only.
class UndoSystem {
 public:
  // 32 MB: at least 2000 states even when every edit changes every cell.
  static constexpr std::size_t kDefaultBudget = std::size_t{32} << 20;

  explicit UndoSystem(std::size_t budgetBytes = kDefaultBudget) : budget_(budgetBytes) {}
  UndoSystem(const UndoSystem&) = delete;
  UndoSystem& operator=(const UndoSystem&) = delete;

  // Records the grid and pushes its current cells as the first state.
  void Init(Grid* owner);
  // Saves the grid as a new state; called after a change.
  void Push();
  void Undo();
  void Redo();
  void Clear();

  int Count() const { return current_ < 0 ? 0 : static_cast<int>(steps_.size()) + 1; }
  int Current() const { return current_; }
  bool CanUndo() const { return current_ > 0; }
  bool CanRedo() const { return current_ < Count() - 1; }
  // The memory the steps hold, within the budget.
  std::size_t Bytes() const { return bytes_; }

 private:
  void DropUndone();

  std::deque<CUndoState> steps_;  // steps_[i] leads from state i to state i + 1
  Pattern shown_{};               // the cells of state `current_`
  int current_ = -1;
  std::size_t bytes_ = 0;
  std::size_t budget_;
  Grid* owner_ = nullptr;
};

}  // namespace tond
