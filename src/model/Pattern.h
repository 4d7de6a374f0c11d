#pragma once
#include <array>
#include <atomic>

#include "model/Cell.h"

namespace tond {

// A plain pattern: 4096 cells stored column by column (index = column * 64 + row).
using Pattern = std::array<Cell, kCells>;

// The working grid: the one pattern the audio thread reads while the window thread edits it.
// Every cell is an atomic word accessed with relaxed ordering: a step may see a half-finished
// edit, never a torn cell.
class Grid {
 public:
  Grid() { Fill(0); }
  Grid(const Grid&) = delete;
  Grid& operator=(const Grid&) = delete;

  Cell Get(int column, int row) const { return Get(CellIndex(column, row)); }
  void Set(int column, int row, Cell value) { Set(CellIndex(column, row), value); }
  Cell Get(int index) const { return cells_[index].load(std::memory_order_relaxed); }
  void Set(int index, Cell value) { cells_[index].store(value, std::memory_order_relaxed); }

  void Fill(Cell value) {
    for (auto& c : cells_) c.store(value, std::memory_order_relaxed);
  }
  void CopyFrom(const Pattern& p) {
    for (int i = 0; i < kCells; ++i) Set(i, p[i]);
  }
  void CopyTo(Pattern& p) const {
    for (int i = 0; i < kCells; ++i) p[i] = Get(i);
  }
  Pattern Snapshot() const {
    Pattern p;
    CopyTo(p);
    return p;
  }
  bool operator==(const Pattern& p) const {
    for (int i = 0; i < kCells; ++i)
      if (Get(i) != p[i]) return false;
    return true;
  }

 private:
  std::array<std::atomic<Cell>, kCells> cells_;
};

}  // namespace tond
