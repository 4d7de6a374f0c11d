// The windows the main window opens for a Change, and the MIDI input's place in its life. Each
// window of the program adds its case to OpenWindow() when it lands; until then its command does
// nothing (a live edit the session opened for it is cancelled, so nothing waits on it).
#include "app/qt/MainWindow.h"

#include "edit/qt/ToolWindows.h"
#include "model/Project.h"

namespace tond {

Change CTondDlg::OpenWindow(Window window) {
  const Repaint repaint = [this](const Change& change) { Apply(change); };
  switch (window) {
    case Window::kNone:
      return {};
    case Window::kSettings:
      return {};
    case Window::kAbout:
      return {};
    case Window::kPatterns:
      return {};
    case Window::kKitEditor:  // the kit editor: RunKitEditor(this, session_)
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
  return session_.CloseCellEditor(session_.GetProject().GetCell(cell.x, cell.y));
}

// The MIDI input: opened when the window is built, closed when it closes. Its messages reach the
// session on the window thread only.
void CTondDlg::OpenMidiInput() {}

void CTondDlg::CloseMidiInput() {}

}  // namespace tond
