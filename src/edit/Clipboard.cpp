#include "edit/Clipboard.h"

#include <algorithm>

#include "edit/EditState.h"
#include "model/Project.h"
#include "model/UndoSystem.h"

namespace tond {
namespace {

bool InGrid(int x, int y) {
  return x >= 0 && x < kColumns && y >= 0 && y < kRows;
}

bool IsFloatingTool(std::uint32_t tool) {
  return tool == kFloatingPaste || tool == kFloatingMix;
}

// The clipboard cell that lands on (x, y) of the floating rectangle, or nothing outside it.
std::optional<Cell> LandingCell(const Project& project, const EditState& state, int x, int y) {
  // While a paste floats the rectangle is taken by its coordinates: a one-cell paste dragged
  // to (0, 0) is all zeros and still lands.
  CellRect f = state.selection.Ordered();
  if (x < f.x1 || x > f.x2 || y < f.y1 || y > f.y2 || !InGrid(x, y)) return std::nullopt;
  CellRect b = state.buffer.Ordered();
  int cx = b.x1 + x - f.x1;
  int cy = b.y1 + y - f.y1;
  if (!InGrid(cx, cy)) return std::nullopt;
  return project.clipboard[static_cast<size_t>(CellIndex(cx, cy))];
}

}  // namespace

bool CopySelection(Project& project, EditState& state) {
  project.working.CopyTo(project.clipboard);
  state.buffer = state.selection.Ordered();
  state.selection.Clear();
  return !state.buffer.Empty();
}

bool CutSelection(Project& project, EditState& state, UndoSystem& undo) {
  if (state.selection.Empty()) return false;
  CopySelection(project, state);
  const CellRect& b = state.buffer;
  for (int x = std::max(b.x1, 0); x <= std::min(b.x2, kColumns - 1); ++x)
    for (int y = std::max(b.y1, 0); y <= std::min(b.y2, kRows - 1); ++y) project.SetCell(x, y, 0);
  undo.Push();
  return true;
}

bool BeginPaste(EditState& state, bool mix) {
  if (state.buffer.Empty()) return false;
  // After a committed paste the floating tool is still current; remembering it would leave
  // Escape nowhere to go back to.
  if (!IsFloatingTool(state.currentTool)) state.previousTool = state.currentTool;
  state.currentTool = mix ? kFloatingMix : kFloatingPaste;
  state.pastePending = true;
  CellRect b = state.buffer.Ordered();
  CellRect& f = state.selection;
  f.x1 = (b.x1 - b.x2 + 64) / 2;
  f.x2 = f.x1 + (b.x2 - b.x1);
  f.y1 = (b.y1 - b.y2 + 64) / 2;
  f.y2 = f.y1 + (b.y2 - b.y1);
  return true;
}

bool GrabPaste(const EditState& state, PasteGrab& grab, int x, int y) {
  CellRect f = state.selection.Ordered();
  grab.held = state.pastePending && x >= f.x1 && x <= f.x2 && y >= f.y1 && y <= f.y2;
  if (grab.held) {
    grab.x = x;
    grab.y = y;
  }
  return grab.held;
}

bool DragPaste(EditState& state, PasteGrab& grab, int x, int y) {
  if (!state.pastePending || !grab.held) return false;
  int dx = x - grab.x;
  int dy = y - grab.y;
  if (dx == 0 && dy == 0) return false;
  CellRect f = state.selection.Ordered();
  CellRect moved{f.x1 + dx, f.y1 + dy, f.x2 + dx, f.y2 + dy};
  if (!InGrid(moved.x1, moved.y1) || !InGrid(moved.x2, moved.y2)) return false;
  state.selection = moved;
  grab.x = x;
  grab.y = y;
  return true;
}

bool CommitPaste(Project& project, EditState& state, UndoSystem& undo) {
  if (!state.pastePending) return false;
  bool mix = state.currentTool == kFloatingMix;
  CellRect f = state.selection.Ordered();
  for (int x = f.x1; x <= f.x2; ++x) {
    for (int y = f.y1; y <= f.y2; ++y) {
      std::optional<Cell> v = LandingCell(project, state, x, y);
      if (!v || (mix && *v == 0)) continue;
      project.SetCell(x, y, *v);
    }
  }
  state.selection.Clear();
  state.pastePending = false;
  undo.Push();
  return true;
}

bool CancelPaste(EditState& state) {
  if (!IsFloatingTool(state.currentTool)) return false;
  state.selection.Clear();
  state.pastePending = false;
  state.currentTool = state.previousTool;
  return true;
}

std::optional<Cell> FloatingCell(const Project& project, const EditState& state, int x, int y) {
  if (!state.pastePending) return std::nullopt;
  std::optional<Cell> v = LandingCell(project, state, x, y);
  if (v && state.currentTool == kFloatingMix && *v == 0) return std::nullopt;
  return v;
}

}  // namespace tond
