#pragma once
// The main window's commands as data: the buttons with their tooltips, and the keyboard table,
// both mapped onto the session's commands. The window builds its buttons from this table and
// hands every key to the session, so the rules (what commits a floating paste, the keypad,
// Escape and Enter never closing the window) are tested without a window.
#include <cstdint>
#include <optional>
#include <span>

#include "edit/EditState.h"

namespace tond {

enum class Command {
  // the bottom row
  kNew,
  kLoad,
  kSave,
  kClear,
  kLoadPattern,
  kSavePattern,
  kImport,
  kExport,
  kExportMidi,
  kPlay,
  kRecord,
  kKits,
  kPatterns,
  kSettings,
  kGrid,
  kAbout,
  // the right-hand rows
  kMutate,
  kMap,
  kFilter,
  kColors,
  kRevX,
  kRevY,
  kRotate,
  kRotate2,
  kCopy,
  kCut,
  kPaste,
  kMix,
  kLineH,
  kLineV,
  kCells,
  kRnd,
  kUndo,
  kRedo,
  // the tool buttons
  kPencil,
  kEraser,
  kLine,
  kAero,
  kHand,
  kSelector,
  kEyeDropper,
  // keys without a button; the argument says how much or which
  kAudition,   // the sample of the row under the pointer
  kOffsetRed,  // by the argument
  kOffsetGreen,
  kOffsetBlue,
  kMoveColumns,  // the whole pattern, by the argument, then pushed
  kMoveRows,
  kEscape,         // drop a floating paste, or the selection
  kSelectPattern,  // slot = argument
};

// A button of the main window: its name (also the name of its picture), its tooltip and
// its command.
struct ButtonInfo {
  const char* name;
  const char* tooltip;
  Command command;
};

// Every button, bottom row first (left to right), then the right-hand rows from the top,
// the tools first.
std::span<const ButtonInfo> Buttons();
const ButtonInfo& ButtonFor(Command command);

// A tool button and the tool it makes current.
struct ToolButton {
  Command command;
  Tool tool;
};
// The tool buttons in the order of their keys, F1 to F7.
std::span<const ToolButton> ToolButtons();
// The tool of a tool button's command; kPencil for any other command.
Tool ToolFor(Command command);

// Keys as the window hands them over: letters and digits as their upper-case characters
// ('A'..'Z', '0'..'9'), space as ' ', the rest as these codes.
enum KeyCode : int {
  kKeyEnter = 0x100,
  kKeyEscape,
  kKeyLeft,
  kKeyRight,
  kKeyUp,
  kKeyDown,
  kKeyF1,  // F1..F7 follow in order
};

struct KeyPress {
  int key = 0;
  bool ctrl = false;
  bool shift = false;
  bool keypad = false;  // the key is on the numeric keypad
};

// What a key of the table does: the command, its argument, and whether a floating paste is
// committed first.
struct KeyBinding {
  Command command;
  int argument = 0;
  bool commit = true;
  bool operator==(const KeyBinding&) const = default;
};

// The binding of a key, or nothing for a key the table does not list (keypad 0 without Ctrl
// and Ctrl with keypad 7 to 9 among them): those go on to the window's own handling. Escape
// and Enter are in the table, so they never reach a handling that would close the window.
std::optional<KeyBinding> BindingFor(const KeyPress& key);

}  // namespace tond
