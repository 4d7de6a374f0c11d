// The windows the main window opens for a Change, and the MIDI input's place in its life. Each
// window of the program adds its case to OpenWindow() when it lands; until then its command does
// nothing (a live edit the session opened for it is cancelled, so nothing waits on it).
#include "app/qt/MainWindow.h"

#include "model/Project.h"

namespace tond {

Change CTondDlg::OpenWindow(Window window) {
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
    case Window::kMutate:  // the tool windows edit the grid live from the session's copy;
    case Window::kMap:     // Ok ends with session_.AcceptLiveEdit(), any other close with
    case Window::kColors:  // session_.CancelLiveEdit()
      return session_.CancelLiveEdit();
    case Window::kFilter:  // Ok: session_.AcceptFilter(...)
      return {};
    case Window::kRandom:  // Ok: session_.AcceptRandomFill(...)
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
