#pragma once
// The "Patterns..." window: the 16 stored patterns of the project as thumbnails; the selection
// follows the pointer and the arrow keys (wrapping), a click anywhere or Enter picks it.
#include <optional>

class QWidget;

namespace tond {

class Project;

// The slot chosen, or nothing when the window was closed with Escape or its close box. The
// thumbnails show the stored patterns: the caller commits the working grid first.
std::optional<int> RunPatternsWindow(QWidget* parent, const Project& project);

}  // namespace tond
