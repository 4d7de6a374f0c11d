#pragma once
#include <cstdint>

#include "model/Pattern.h"

namespace tond {

class Project;
class RandomSource;
class UndoSystem;

// Whole-pattern transforms of the working grid. Cells that move go through a copy of their
// own, so nothing shared is overwritten while a hand drag holds its starting copy. Each returns
// true when it ran (the window then redraws the pattern area) and false when its arguments make it
// a no-op; a no-op never pushes.
//
// Undo: operations that always push take an `UndoSystem&` and push once, after the change.
// OffsetPattern's push depends on the caller (arrow keys push, MIDI does not), so it takes an
// `UndoSystem*`: null means no push. The hand-tool operations never push: the tool pushes when
// its drag ends.

bool ReverseX(Project& project, UndoSystem& undo);
bool ReverseY(Project& project, UndoSystem& undo);

// Turns the pattern by k quarter turns about its centre, clockwise on screen for k > 0:
// one clockwise turn moves (x, y) to (63 - y, x). k = -1 is "Rotate", k = +1 "Rotate2".
// A multiple of four turns is a no-op.
bool RotateQuarter(Project& project, int k, UndoSystem& undo);

// Moves every cell by (dx, dy) with wrap-around. Offsets that are both multiples of 64 are a
// no-op.
bool OffsetPattern(Project& project, int dx, int dy, UndoSystem* undo);

// Adds the amounts to the channels of every note, clamping to 0..255; black cells stay black,
// and a note whose channels all reach 0 becomes empty. All three amounts 0 is a no-op.
bool OffsetColours(Project& project, std::int16_t dr, std::int16_t dg, std::int16_t db,
                   UndoSystem& undo);

// Random permutations of the rows ("Line H"), the columns ("Line V") or all cells ("Cells"),
// drawn from `random`: for each source in turn, an index r picks the (r + 1)-th target not yet
// taken. Rows and columns move whole.
bool ShuffleRows(Project& project, RandomSource& random, UndoSystem& undo);
bool ShuffleColumns(Project& project, RandomSource& random, UndoSystem& undo);
bool ShuffleCells(Project& project, RandomSource& random, UndoSystem& undo);

// Hand tool. A drag moves the pattern as it was when the drag began (the stroke's own copy),
// so each move starts again from that copy and the offset is always measured from the
// starting cell.
//
// Writes source cell (c, r) to grid cell ((c + dx) mod 64, (r + dy) mod 64).
void WriteShifted(const Pattern& source, Grid& grid, int dx, int dy);
// Row y0 (or column x0) of the source, shifted by dx (or dy) with wrap-around, replaces that
// row (column) of the grid; the rest is untouched. An index outside 0..63 is a no-op.
bool ShiftRow(const Pattern& source, Grid& grid, int y0, int dx);
bool ShiftColumn(const Pattern& source, Grid& grid, int x0, int dy);

}  // namespace tond
