#pragma once
// Any picture can become a pattern: the whole picture is stretched onto 64 x 64 pixels and each
// pixel's colour becomes the cell at that place (red the volume, green the pan, blue the rate).
#include <cstdint>
#include <optional>
#include <string>

#include "model/Pattern.h"

namespace tond {

class Project;
class UndoSystem;

// Decodes the picture at `path` (JPEG, GIF, BMP, PNG and whatever else the platform reads) and
// stretches it to 64 x 64 with a smoothing filter, ignoring the aspect ratio. Transparency is
// composited over black, an animation gives its first frame, and each pixel becomes a cell as
// PictureCell says (a black one, or one at or below `threshold`, an empty cell). Nothing when
// the file cannot be opened or decoded.
std::optional<Pattern> ReadPicturePattern(const std::string& path, std::uint8_t threshold = 0);

// The import command: the picture's cells replace the working grid and the new grid is pushed
// once, so that the import can be undone. A file that cannot be decoded changes nothing and
// shows nothing; returns whether the grid was replaced.
bool ImportPicture(const std::string& path, Project& project, UndoSystem& undo);

}  // namespace tond
