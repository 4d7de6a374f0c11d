#pragma once
// The tool windows of the main window's pattern commands: "Random", "Mutate colors", "Color
// curves", "Offset colors" and "Filters...". Each runs modally over `parent`, works through the
// session, and hands every Change to `repaint` while it is open and once more when it closes,
// so the main window repaints the pattern area as the controls move.
//
// Mutate, curves and offset edit the grid live: the session's command has already opened the
// live edit (Press(Command::kMutate), kMap, kColors); "Ok" ends it with AcceptLiveEdit, any
// other close with CancelLiveEdit. "Random" and "Filters..." change nothing until "Ok".
#include <functional>

#include "session/Session.h"

class QWidget;

namespace tond {

using Repaint = std::function<void(const Change&)>;

void RunRandomWindow(QWidget* parent, Session& session, const Repaint& repaint);
void RunMutateWindow(QWidget* parent, Session& session, const Repaint& repaint);
void RunCurvesWindow(QWidget* parent, Session& session, const Repaint& repaint);
void RunOffsetWindow(QWidget* parent, Session& session, const Repaint& repaint);
void RunFilterWindow(QWidget* parent, Session& session, const Repaint& repaint);

}  // namespace tond
