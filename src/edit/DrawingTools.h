#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "edit/CellGeometry.h"
#include "edit/Clipboard.h"
#include "edit/EditState.h"
#include "edit/HandTool.h"
#include "edit/LineTool.h"
#include "edit/ToolSettings.h"
#include "model/Cell.h"
#include "model/Pattern.h"

namespace tond {

class Project;
class RandomSource;
class UndoSystem;

// The line tool's end cell before the first move of a line.
inline constexpr int kUnsetCell = 65535;

// The strokes in progress, owned by the main window. Each tool follows its own flag rather
// than the mouse buttons, so a stroke released off the pattern goes on until a release over it.
struct StrokeState {
  bool drawing = false;  // pencil
  CellPoint lineStart{};
  CellPoint lineEnd{kUnsetCell, kUnsetCell};
  bool lineInProgress = false;
  CellPoint sprayCentre{};
  int sprayRadius = 0;
  bool spraying = false;
  bool erasing = false;
  PixelRect eraserOutline{};  // drawn filled black with a white frame when not empty
  CellPoint handStart{};
  CellPoint handCell{};                  // where the drag's last move took it
  Pattern handCopy{};                    // the pattern as the drag found it
  HandMode handMode = HandMode::kWhole;  // the cursor shows it
  bool dragging = false;                 // hand
  bool selecting = false;
  Cell pickedColour = kInitialPickedColour;  // shown in the "color" swatch
  PasteGrab pasteGrab;                       // where a floating paste is held

  bool LineEndSet() const { return lineEnd.x != kUnsetCell; }
};

// What the window must do after handing an event to the tools.
struct ToolResponse {
  bool redrawPattern = false;          // repaint the whole pattern area
  std::vector<CellPoint> redrawCells;  // or only these cells
  bool pushed = false;                 // the grid was pushed onto the undo history
  std::optional<CellPoint> editCell;   // open the cell colour editor for this cell
  int startSprayTimerMs = 0;           // > 0: start the spray timer with this period
  bool stopSprayTimer = false;
  bool pickedColourChanged = false;   // the "color" swatch must show the picked colour
  std::optional<std::string> status;  // the new status line text (set by every move)
};

struct Modifiers {
  bool ctrl = false;
  bool shift = false;
};

// Everything the tools read and write, passed together.
struct ToolContext {
  Project& project;
  EditState& edit;
  UndoSystem& undo;
  RandomSource& random;
  StrokeState& stroke;
  const ToolSettings& settings;
  const CellGeometry& geometry;
};

// Mouse events over the window, in window pixels. They act only over the pattern, except that
// a move always sets the status line and a move off the pattern hides the eraser outline.
// While a paste or mix floats, a press grabs it and a move with the left button drags it.
ToolResponse OnLeftDown(ToolContext& c, int px, int py, Modifiers keys);
ToolResponse OnMove(ToolContext& c, int px, int py, bool leftHeld, bool rightHeld);
ToolResponse OnLeftUp(ToolContext& c, int px, int py);
ToolResponse OnRightDown(ToolContext& c, int px, int py);
// The airbrush timer: one drop while spraying.
ToolResponse OnSprayTick(ToolContext& c);

// Makes `tool` current; the tool already current changes nothing. A stroke still going on
// (released off the pattern, or a key pressed mid-drag) is ended first: the spray timer
// stops and what the stroke drew is pushed, so nothing keeps drawing with the wrong tool.
ToolResponse SelectTool(ToolContext& c, std::uint32_t tool);

// After a new project: every stroke ended without a push, outline and selection emptied,
// the picked colour green again.
ToolResponse ResetStrokes(ToolContext& c);

// The pencil with Ctrl: the cell colour editor has closed holding `colour`. A changed cell is
// pushed at once, as the button's release went to the editor.
ToolResponse ApplyCellEdit(ToolContext& c, CellPoint cell, Cell colour);

// The pencil's swatch colour varied by variation * 2.55 on every channel; variation 0 gives
// the swatch colour itself and draws no random number.
Cell PencilColour(const ToolSettings& settings, RandomSource& random);

// The line shown over the pattern while it is dragged; empty when no line is in progress.
std::vector<LineCell> LinePreview(const StrokeState& stroke, const ToolSettings& settings);

// The status line text for a mouse position: the sample file name of the row under the mouse
// while the pencil, line or airbrush is current, otherwise empty.
std::string RowHint(const Project& project, std::uint32_t tool, const CellGeometry& geometry,
                    int px, int py);

}  // namespace tond
