#pragma once
#include <optional>

#include "model/Cell.h"

namespace tond {

class Project;
class UndoSystem;
struct EditState;

// Where the mouse holds a floating paste. The window owns one beside its EditState and hands
// it to GrabPaste at each left press and to DragPaste at each move with the left button held.
struct PasteGrab {
  bool held = false;
  int x = 0;
  int y = 0;
};

// The clipboard: Copy and Cut fill the project's clipboard grid and the buffer rectangle;
// Paste and Mix float the buffer over the pattern as the selection rectangle until
// CommitPaste writes it or CancelPaste drops it. Each returns true when something changed
// (the window then redraws the pattern area). Only CutSelection and CommitPaste push onto the
// undo history, once each, and only when they returned true.

// Copies the working grid into the clipboard grid; the ordered selection becomes the buffer
// rectangle and the selection is emptied. With no selection the buffer becomes empty too.
// True when there was a selection.
bool CopySelection(Project& project, EditState& state);

// Without a selection, nothing. Otherwise copies, then blacks out the buffer rectangle.
bool CutSelection(Project& project, EditState& state, UndoSystem& undo);

// Floats the buffer, centred, as a paste (black clipboard cells overwrite) or a mix (black
// clipboard cells are transparent). Nothing when the buffer is empty. The window commits any
// pending paste before calling this, as before every command. The tool that was current is
// remembered for CancelPaste, unless it was itself a floating paste.
bool BeginPaste(EditState& state, bool mix);

// Left press on cell (x, y) while a paste floats: grabs the rectangle when the cell lies inside
// it. Returns whether it is held now.
bool GrabPaste(const EditState& state, PasteGrab& grab, int x, int y);

// Move to cell (x, y) with the left button held: shifts the held rectangle by the cells moved
// since the grab position, which follows. A move that would take any part of the rectangle off
// the grid is refused and the grab position stays.
bool DragPaste(EditState& state, PasteGrab& grab, int x, int y);

// Writes the floating rectangle into the working grid, empties it, clears the pending flag and
// pushes. Nothing when no paste is pending. The floating tool stays current.
bool CommitPaste(Project& project, EditState& state, UndoSystem& undo);

// Escape while a floating tool is current: drops the floating rectangle without writing and
// makes the previous tool current again.
bool CancelPaste(EditState& state);

// What the pattern area shows over cell (x, y) while a paste floats: the clipboard cell that
// would land there (only non-black ones for a mix), or nothing.
std::optional<Cell> FloatingCell(const Project& project, const EditState& state, int x, int y);

}  // namespace tond
