#pragma once
// `tond` and `tond FILE`: the program with its main window, from start-up to shut-down.
#include <optional>
#include <string>

namespace tond {

// The exit status, and the one line said, when there is no display to open the window on.
inline constexpr int kExitNoDisplay = 3;
inline constexpr const char* kNoDisplayMessage =
    "tond: no display to open the window on; the commands of 'tond --help' need none";

// Whether a window can be tried: DISPLAY or WAYLAND_DISPLAY is set, or QT_QPA_PLATFORM names the
// platform to use.
bool DisplayAvailable();

// Starts the program (folders, settings, the audio stream), builds the main window with the
// default kit when the settings say so, loads `file` as if it had been dropped on the window,
// and runs until the window is closed; then shuts down. SIGINT and SIGTERM end it the same way
// without asking anything: unsaved changes go to a recovery project in the Projects folder,
// which the next start names in the status line. Returns the exit status.
int RunWindowProgram(const std::optional<std::string>& file);

}  // namespace tond
