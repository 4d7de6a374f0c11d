#include "session/Commands.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace tond {

namespace {

constexpr std::array<ButtonInfo, 41> kButtons{{
    {"New", "Create a new project.", Command::kNew},
    {"Load", "Load a project (.blp file).", Command::kLoad},
    {"Save", "Save the current project (.blp file).", Command::kSave},
    {"Clear", "Clear this pattern.", Command::kClear},
    {"Load Pattern", "Load a pattern into this project (.pat file).", Command::kLoadPattern},
    {"Save Pattern", "Save the current pattern (.pat file).", Command::kSavePattern},
    {"Import", "Import an image (.jpg,.gif,.bmp) to use as this pattern.", Command::kImport},
    {"Export", "Export this pattern as a wave file.", Command::kExport},
    {"ExportMidi", "Export this pattern as a MIDI file.", Command::kExportMidi},
    {"Play", "Play the current pattern.", Command::kPlay},
    {"Record", "Record the audio output of Tond.", Command::kRecord},
    {"Kits", "Open the window to edit Kits.", Command::kKits},
    {"Patterns", "Select one of the 16 patterns.", Command::kPatterns},
    {"Settings", "Display the settings window.", Command::kSettings},
    {"Grid", "Enable / disable the grid.", Command::kGrid},
    {"About", "Display information about this program.", Command::kAbout},
    {"Pencil", "Selects the pencil tool.", Command::kPencil},
    {"Eraser", "Selects the eraser tool.", Command::kEraser},
    {"Line", "Selects the line tool.", Command::kLine},
    {"Aero", "Selects the airbrush tool.", Command::kAero},
    {"Hand", "Selects the hand tool.", Command::kHand},
    {"Selector", "Selects the selector tool.", Command::kSelector},
    {"EyeDropper", "Selects the color picker tool.", Command::kEyeDropper},
    {"Mutate", "Mutate the colors of the pattern.", Command::kMutate},
    {"Map", "Adjust the color curves.", Command::kMap},
    {"Filter", "Filter the pattern.", Command::kFilter},
    {"Colors", "Offset the colors of the pattern.", Command::kColors},
    {"RevX", "Reverse the cells horizontally.", Command::kRevX},
    {"RevY", "Reverse the cells vertically.", Command::kRevY},
    {"Rotate", "Rotate the cells 90 degrees counter clockwise.", Command::kRotate},
    {"Rotate2", "Rotate the cells 90 degrees clockwise.", Command::kRotate2},
    {"Copy", "Copy the selection into the buffer.", Command::kCopy},
    {"Cut", "Cut the selection.", Command::kCut},
    {"Paste", "Paste the selection.", Command::kPaste},
    {"Mix",
     "Mix the selection with the current pattern (black cells from the buffer are transparent).",
     Command::kMix},
    {"Line H", "Shuffle the rows of the pattern.", Command::kLineH},
    {"Line V", "Shuffle the columns of the pattern.", Command::kLineV},
    {"Cells", "Shuffle all the cells of the pattern.", Command::kCells},
    {"Rnd", "Creates a random pattern.", Command::kRnd},
    {"Undo", "Undo last edit for this pattern.", Command::kUndo},
    {"Redo", "Redo last edit for this pattern.", Command::kRedo},
}};

// F1..F7 in order.
constexpr std::array<ToolButton, 7> kToolButtons{{
    {Command::kPencil, kPencil},
    {Command::kEraser, kEraser},
    {Command::kLine, kLine},
    {Command::kAero, kAirbrush},
    {Command::kHand, kHand},
    {Command::kSelector, kSelector},
    {Command::kEyeDropper, kEyedropper},
}};

std::optional<KeyBinding> CtrlLetter(int key, bool shift) {
  switch (key) {
    case 'N':
      return KeyBinding{shift ? Command::kClear : Command::kNew};
    case 'O':
      return KeyBinding{shift ? Command::kLoadPattern : Command::kLoad};
    case 'S':
      return KeyBinding{shift ? Command::kSavePattern : Command::kSave};
    case 'M':
      return KeyBinding{Command::kExportMidi};
    case 'W':
      return KeyBinding{Command::kExport};
    case 'I':
      return KeyBinding{Command::kImport};
    default:
      return std::nullopt;
  }
}

std::optional<KeyBinding> Letter(int key) {
  switch (key) {
    case 'I':
      return KeyBinding{Command::kAudition};
    case ' ':
      return KeyBinding{Command::kPlay};
    case 'P':
      return KeyBinding{Command::kPatterns};
    case 'K':
      return KeyBinding{Command::kKits};
    case 'F':
      return KeyBinding{Command::kFilter};
    case 'D':
      return KeyBinding{Command::kRnd};
    case 'Z':
      return KeyBinding{Command::kUndo};
    case 'Y':
      return KeyBinding{Command::kRedo};
    default:
      return std::nullopt;
  }
}

}  // namespace

std::span<const ButtonInfo> Buttons() {
  return kButtons;
}

const ButtonInfo& ButtonFor(Command command) {
  const auto* found = std::find_if(kButtons.begin(), kButtons.end(),
                                   [command](const ButtonInfo& b) { return b.command == command; });
  if (found == kButtons.end()) std::abort();  // only commands with a button are asked for
  return *found;
}

std::span<const ToolButton> ToolButtons() {
  return kToolButtons;
}

Tool ToolFor(Command command) {
  for (const ToolButton& button : kToolButtons)
    if (button.command == command) return button.tool;
  return kPencil;
}

std::optional<KeyBinding> BindingFor(const KeyPress& k) {
  if (k.keypad && k.key >= '0' && k.key <= '9') {
    const int digit = k.key - '0';
    if (k.ctrl) {
      if (digit > 6) return std::nullopt;
      return KeyBinding{Command::kSelectPattern, 9 + digit};
    }
    if (digit == 0) return std::nullopt;
    return KeyBinding{Command::kSelectPattern, digit - 1};
  }
  const int step = k.shift ? 4 : 1;
  switch (k.key) {
    case kKeyEnter:
      return KeyBinding{Command::kRecord, 0, false};
    case kKeyEscape:
      return KeyBinding{Command::kEscape, 0, false};
    case kKeyLeft:
      return KeyBinding{Command::kMoveColumns, -step};
    case kKeyRight:
      return KeyBinding{Command::kMoveColumns, step};
    case kKeyUp:
      return KeyBinding{Command::kMoveRows, -step};
    case kKeyDown:
      return KeyBinding{Command::kMoveRows, step};
    case 'R':
    case 'G':
    case 'B': {
      const int amount = (k.shift ? 10 : 1) * (k.ctrl ? -1 : 1);
      const Command c = k.key == 'R'   ? Command::kOffsetRed
                        : k.key == 'G' ? Command::kOffsetGreen
                                       : Command::kOffsetBlue;
      return KeyBinding{c, amount, false};
    }
    default:
      break;
  }
  if (k.key >= kKeyF1 && k.key < kKeyF1 + static_cast<int>(kToolButtons.size()))
    return KeyBinding{kToolButtons[static_cast<size_t>(k.key - kKeyF1)].command};
  return k.ctrl ? CtrlLetter(k.key, k.shift) : Letter(k.key);
}

}  // namespace tond
