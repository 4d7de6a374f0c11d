#include "edit/Transforms.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "edit/ColourOffset.h"
#include "edit/Random.h"
#include "model/Project.h"
#include "model/UndoSystem.h"

namespace tond {
namespace {

size_t At(int column, int row) {
  return static_cast<size_t>(CellIndex(column, row));
}

void SwapCells(Grid& grid, int a, int b) {
  Cell va = grid.Get(a);
  grid.Set(a, grid.Get(b));
  grid.Set(b, va);
}

// Draws a permutation of n targets: source i goes to the (r + 1)-th target still free, counting
// up from 0, with r = RandomIndex(span - i) limited to the last free one. The row and column
// shuffles pass span = n; the cell shuffle passes n - 1, so its last free target comes up only
// for the largest random integer.
std::vector<int> DrawTargets(RandomSource& random, int n, int span) {
  std::vector<int> free(static_cast<size_t>(n));
  std::iota(free.begin(), free.end(), 0);
  std::vector<int> target(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    int r = std::min(RandomIndex(random, span - i), n - 1 - i);
    target[static_cast<size_t>(i)] = free[static_cast<size_t>(r)];
    free.erase(free.begin() + r);
  }
  return target;
}

}  // namespace

bool ReverseX(Project& project, UndoSystem& undo) {
  for (int y = 0; y < kRows; ++y)
    for (int x = 0; x < 32; ++x) SwapCells(project.working, CellIndex(x, y), CellIndex(63 - x, y));
  undo.Push();
  return true;
}

bool ReverseY(Project& project, UndoSystem& undo) {
  for (int x = 0; x < kColumns; ++x)
    for (int y = 0; y < 32; ++y) SwapCells(project.working, CellIndex(x, y), CellIndex(x, 63 - y));
  undo.Push();
  return true;
}

bool RotateQuarter(Project& project, int k, UndoSystem& undo) {
  int turns = ((k % 4) + 4) % 4;  // clockwise quarter turns; -1 is three of them
  if (turns == 0) return false;
  Pattern turned;
  for (int x = 0; x < kColumns; ++x) {
    for (int y = 0; y < kRows; ++y) {
      int tx = x, ty = y;
      for (int t = 0; t < turns; ++t) {
        int nx = 63 - ty;
        ty = tx;
        tx = nx;
      }
      turned[At(tx, ty)] = project.working.Get(x, y);
    }
  }
  project.working.CopyFrom(turned);
  undo.Push();
  return true;
}

bool OffsetPattern(Project& project, int dx, int dy, UndoSystem* undo) {
  if (Wrap64(dx) == 0 && Wrap64(dy) == 0) return false;
  WriteShifted(project.working.Snapshot(), project.working, dx, dy);
  if (undo) undo->Push();
  return true;
}

bool OffsetColours(Project& project, std::int16_t dr, std::int16_t dg, std::int16_t db,
                   UndoSystem& undo) {
  if (dr == 0 && dg == 0 && db == 0) return false;
  const ColourOffsets offsets{dr, dg, db};
  for (int i = 0; i < kCells; ++i) {
    Cell c = project.working.Get(i);
    // Three zero channels make the value 0: the note has become an empty cell.
    if (c != 0) project.working.Set(i, OffsetCell(c, offsets));
  }
  undo.Push();
  return true;
}

bool ShuffleRows(Project& project, RandomSource& random, UndoSystem& undo) {
  std::vector<int> target = DrawTargets(random, kRows, kRows);
  Pattern shuffled;
  for (int i = 0; i < kRows; ++i)
    for (int x = 0; x < kColumns; ++x)
      shuffled[At(x, target[static_cast<size_t>(i)])] = project.working.Get(x, i);
  project.working.CopyFrom(shuffled);
  undo.Push();
  return true;
}

bool ShuffleColumns(Project& project, RandomSource& random, UndoSystem& undo) {
  std::vector<int> target = DrawTargets(random, kColumns, kColumns);
  Pattern shuffled;
  for (int i = 0; i < kColumns; ++i)
    for (int y = 0; y < kRows; ++y)
      shuffled[At(target[static_cast<size_t>(i)], y)] = project.working.Get(i, y);
  project.working.CopyFrom(shuffled);
  undo.Push();
  return true;
}

bool ShuffleCells(Project& project, RandomSource& random, UndoSystem& undo) {
  std::vector<int> target = DrawTargets(random, kCells, kCells - 1);
  Pattern shuffled;
  for (int k = 0; k < kCells; ++k)
    shuffled[static_cast<size_t>(target[static_cast<size_t>(k)])] = project.working.Get(k);
  project.working.CopyFrom(shuffled);
  undo.Push();
  return true;
}

void WriteShifted(const Pattern& source, Grid& grid, int dx, int dy) {
  for (int c = 0; c < kColumns; ++c)
    for (int r = 0; r < kRows; ++r) grid.Set(Wrap64(c + dx), Wrap64(r + dy), source[At(c, r)]);
}

bool ShiftRow(const Pattern& source, Grid& grid, int y0, int dx) {
  if (y0 < 0 || y0 >= kRows) return false;
  for (int x = 0; x < kColumns; ++x) grid.Set(Wrap64(x + dx), y0, source[At(x, y0)]);
  return true;
}

bool ShiftColumn(const Pattern& source, Grid& grid, int x0, int dy) {
  if (x0 < 0 || x0 >= kColumns) return false;
  for (int y = 0; y < kRows; ++y) grid.Set(x0, Wrap64(y + dy), source[At(x0, y)]);
  return true;
}

}  // namespace tond
