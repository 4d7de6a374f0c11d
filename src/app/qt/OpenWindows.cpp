// The windows the main window opens for a Change, and the MIDI input's place in its life.
#include "app/qt/AboutBox.h"
#include "app/qt/MainWindow.h"
#include "app/qt/MidiInput.h"
#include "app/qt/SettingsDialog.h"
#include "edit/qt/CellColourEditor.h"
#include "edit/qt/ToolWindows.h"
#include "kit/qt/KitEditor.h"
#include "model/Project.h"
#include "overview/qt/PatternsWindow.h"
#include "session/MidiControl.h"

namespace tond {

Change CTondDlg::OpenWindow(Window window) {
  const Repaint repaint = [this](const Change& change) { Apply(change); };
  switch (window) {
    case Window::kNone:
      return {};
    case Window::kSettings:
      RunSettingsDialog(this, session_, settings_);
      return {};
    case Window::kAbout:
      RunAboutBox(this);
      return {};
    case Window::kPatterns: {
      // The session has put the working grid into its slot for the thumbnails.
      const std::optional<int> slot = RunPatternsWindow(this, session_.GetProject());
      return slot ? session_.SelectPattern(*slot) : Change();
    }
    case Window::kKitEditor:
      RunKitEditor(this, session_);
      return {};
    case Window::kMutate:
      RunMutateWindow(this, session_, repaint);
      return {};
    case Window::kMap:
      RunCurvesWindow(this, session_, repaint);
      return {};
    case Window::kColors:
      RunOffsetWindow(this, session_, repaint);
      return {};
    case Window::kFilter:
      RunFilterWindow(this, session_, repaint);
      return {};
    case Window::kRandom:
      RunRandomWindow(this, session_, repaint);
      return {};
  }
  return {};
}

// The pencil with Ctrl: the cell colour editor on one cell; the cell takes what it holds.
Change CTondDlg::EditCell(CellPoint cell) {
  const Cell colour = session_.GetProject().GetCell(cell.x, cell.y);
  return session_.CloseCellEditor(RunCellColourEditor(this, session_, cell.y, colour));
}

// The MIDI input: opened when the window is built (its words handed to
// session_.ApplyMidiMessages on the window thread, the Change applied), closed when it closes.
// A port that does not open is said once the window runs (over it, and where a signal can still
// end the program); the program goes on without MIDI control.
void CTondDlg::OpenMidiInput() {
  midi_ = std::make_unique<MidiInput>();
  midi_->SetHandler(
      [this](std::span<const std::uint32_t> words) { Apply(session_.ApplyMidiMessages(words)); });
  if (!midi_->Open(settings_.midiInPort)) {
    QTimer::singleShot(
        0, this, [this] { session_.GetPlatform().ShowError(kMidiOpenErrorTitle, kMidiOpenError); });
  }
}

void CTondDlg::CloseMidiInput() {
  if (midi_) midi_->Close();
}

}  // namespace tond
