#include "edit/DrawingTools.h"

#include "base/Paths.h"
#include "edit/Airbrush.h"
#include "edit/ColourMix.h"
#include "edit/Eraser.h"
#include "edit/Transforms.h"
#include "model/Project.h"
#include "model/UndoSystem.h"

namespace tond {

namespace {

void Push(ToolContext& c, ToolResponse& r) {
  c.undo.Push();
  r.pushed = true;
}

int EraserSize(const ToolSettings& s) {
  return static_cast<int>(s.eraserSize);
}

void SetPencilCell(ToolContext& c, CellPoint cell, Cell colour, ToolResponse& r) {
  c.project.SetCell(cell.x, cell.y, colour);
  r.redrawCells.push_back(cell);
}

// Ends whatever stroke is going on and pushes what it drew.
void EndStrokes(ToolContext& c, ToolResponse& r) {
  StrokeState& s = c.stroke;
  if (s.spraying) r.stopSprayTimer = true;
  bool drew = s.drawing || s.spraying || s.erasing || s.dragging;
  if (!s.eraserOutline.Empty() || s.lineInProgress || s.LineEndSet()) r.redrawPattern = true;
  s.drawing = s.spraying = s.erasing = s.dragging = s.selecting = false;
  s.lineInProgress = false;
  s.lineEnd = {kUnsetCell, kUnsetCell};
  s.eraserOutline = {};
  s.pasteGrab = {};
  if (drew) Push(c, r);
}

}  // namespace

Cell PencilColour(const ToolSettings& settings, RandomSource& random) {
  float amount = static_cast<float>(settings.pencilVariation * 2.55);
  return VaryColour(settings.pencilColour, amount, amount, amount, random);
}

ToolResponse OnLeftDown(ToolContext& c, int px, int py, Modifiers keys) {
  ToolResponse r;
  CellPoint cell;
  if (!c.geometry.CellAt(px, py, cell)) return r;
  StrokeState& s = c.stroke;
  switch (c.edit.currentTool) {
    case kPencil:
      if (keys.ctrl) {
        r.editCell = cell;
      } else {
        SetPencilCell(c, cell, PencilColour(c.settings, c.random), r);
        s.drawing = true;
      }
      break;
    case kLine:
      s.lineStart = cell;
      s.lineEnd = {kUnsetCell, kUnsetCell};
      s.lineInProgress = true;
      break;
    case kAirbrush: {
      s.sprayCentre = cell;
      s.sprayRadius = static_cast<int>(c.settings.airbrushRadius);
      r.startSprayTimerMs = SprayPeriodMs(static_cast<int>(c.settings.airbrushSpeed));
      s.spraying = true;
      break;
    }
    case kEraser:
      s.erasing = true;
      EraseSquare(c.project.working, EraserSquare(cell, EraserSize(c.settings)));
      r.redrawPattern = true;
      break;
    case kHand:
      s.handStart = s.handCell = cell;
      s.handCopy = c.project.working.Snapshot();
      s.dragging = true;
      s.handMode = HandModeFor(keys.ctrl, keys.shift);
      break;
    case kEyedropper:
      s.pickedColour = c.project.GetCell(cell.x, cell.y);
      r.pickedColourChanged = true;
      break;
    case kSelector:
      s.selecting = true;
      c.edit.selection = {cell.x, cell.y, cell.x, cell.y};
      r.redrawPattern = true;
      break;
    case kFloatingPaste:
    case kFloatingMix:
      GrabPaste(c.edit, s.pasteGrab, cell.x, cell.y);
      break;
    default:
      break;
  }
  return r;
}

ToolResponse OnMove(ToolContext& c, int px, int py, bool leftHeld, bool rightHeld) {
  ToolResponse r;
  const std::uint32_t tool = c.edit.currentTool;
  r.status = RowHint(c.project, tool, c.geometry, px, py);
  StrokeState& s = c.stroke;
  CellPoint cell;
  if (!c.geometry.CellAt(px, py, cell)) {
    if (tool == kEraser && !s.eraserOutline.Empty()) {
      s.eraserOutline = {};
      r.redrawPattern = true;
    }
    return r;
  }
  switch (tool) {
    case kPencil:
      if (!s.drawing) break;
      if (leftHeld)
        SetPencilCell(c, cell, PencilColour(c.settings, c.random), r);
      else if (rightHeld)
        SetPencilCell(c, cell, 0, r);
      break;
    case kLine:
      if (!s.lineInProgress) break;
      s.lineEnd = cell;
      r.redrawPattern = true;
      break;
    case kAirbrush:
      if (s.spraying) s.sprayCentre = cell;
      break;
    case kEraser: {
      CellRect square = EraserSquare(cell, EraserSize(c.settings));
      if (s.erasing) EraseSquare(c.project.working, square);
      s.eraserOutline = c.geometry.BlockPixels(square);
      r.redrawPattern = true;
      break;
    }
    case kHand:
      // Only a drag that began with a press over the pattern has a starting copy.
      if (!s.dragging || !leftHeld) break;
      MoveHandDrag(s.handCopy, c.project.working, s.handMode, s.handStart, cell);
      s.handCell = cell;
      r.redrawPattern = true;
      break;
    case kSelector:
      if (!s.selecting) break;
      c.edit.selection.x2 = cell.x;
      c.edit.selection.y2 = cell.y;
      r.redrawPattern = true;
      break;
    case kFloatingPaste:
    case kFloatingMix:
      if (leftHeld) r.redrawPattern = DragPaste(c.edit, s.pasteGrab, cell.x, cell.y);
      break;
    default:
      break;
  }
  return r;
}

ToolResponse OnLeftUp(ToolContext& c, int px, int py) {
  ToolResponse r;
  c.stroke.pasteGrab.held = false;  // a floating paste follows the button, not a flag
  if (!c.geometry.OverPattern(px, py)) return r;
  StrokeState& s = c.stroke;
  switch (c.edit.currentTool) {
    case kPencil:
      if (s.drawing) Push(c, r);
      s.drawing = false;
      break;
    case kLine:
      s.lineInProgress = false;
      if (!s.LineEndSet()) break;
      DrawLine(c.project.working, s.lineStart, s.lineEnd, c.settings.lineColour1,
               c.settings.lineColour2, static_cast<int>(c.settings.lineQuantize));
      s.lineEnd = {kUnsetCell, kUnsetCell};
      r.redrawPattern = true;
      Push(c, r);
      break;
    case kAirbrush:
      if (!s.spraying) break;
      s.spraying = false;
      r.stopSprayTimer = true;
      Push(c, r);
      break;
    case kEraser:
      if (s.erasing) Push(c, r);
      s.erasing = false;
      s.eraserOutline = {};
      r.redrawPattern = true;
      break;
    case kHand:
      if (s.dragging) Push(c, r);
      s.dragging = false;
      break;
    case kSelector:
      s.selecting = false;
      break;
    default:
      break;
  }
  return r;
}

ToolResponse OnRightDown(ToolContext& c, int px, int py) {
  ToolResponse r;
  CellPoint cell;
  if (c.edit.currentTool != kPencil || !c.geometry.CellAt(px, py, cell)) return r;
  SetPencilCell(c, cell, 0, r);
  c.stroke.drawing = true;
  return r;
}

ToolResponse OnSprayTick(ToolContext& c) {
  ToolResponse r;
  const StrokeState& s = c.stroke;
  if (!s.spraying) return r;
  if (auto cell = SprayDrop(c.project.working, s.sprayCentre, s.sprayRadius,
                            c.settings.airbrushColour1, c.settings.airbrushColour2, c.random))
    r.redrawCells.push_back(*cell);
  return r;
}

ToolResponse SelectTool(ToolContext& c, std::uint32_t tool) {
  ToolResponse r;
  if (tool == c.edit.currentTool) return r;
  EndStrokes(c, r);
  c.edit.currentTool = tool;
  return r;
}

ToolResponse ResetStrokes(ToolContext& c) {
  ToolResponse r;
  r.stopSprayTimer = c.stroke.spraying;
  c.stroke = StrokeState();
  c.edit.selection.Clear();
  r.redrawPattern = true;
  r.pickedColourChanged = true;
  return r;
}

ToolResponse ApplyCellEdit(ToolContext& c, CellPoint cell, Cell colour) {
  ToolResponse r;
  if (c.project.GetCell(cell.x, cell.y) == colour) return r;
  SetPencilCell(c, cell, colour, r);
  Push(c, r);
  return r;
}

std::vector<LineCell> LinePreview(const StrokeState& stroke, const ToolSettings& settings) {
  if (!stroke.lineInProgress || !stroke.LineEndSet()) return {};
  return LineCells(stroke.lineStart, stroke.lineEnd, settings.lineColour1, settings.lineColour2,
                   static_cast<int>(settings.lineQuantize));
}

std::string RowHint(const Project& project, std::uint32_t tool, const CellGeometry& geometry,
                    int px, int py) {
  CellPoint cell;
  if (tool != kPencil && tool != kLine && tool != kAirbrush) return {};
  if (!geometry.CellAt(px, py, cell)) return {};
  return FileNameOf(project.kit[cell.y].samplePath);
}

}  // namespace tond
