#pragma once
// Every entry of the Filters folder is a filter: a pattern file gives its cells, any other file
// is read as a picture stretched onto the 64 x 64 grid.
#include <optional>
#include <string>

#include "model/Pattern.h"

namespace tond {

class Notifier;

// The 4096 cells of one folder entry. The extension is the text after the last "." of the
// entry's name, compared with case: "pat" is read as a pattern file, and a file that cannot be
// opened or lacks the magic shows the pattern file's message. Anything else is decoded as a
// picture and skipped silently when that fails; so are "." and ".." and names without a ".".
std::optional<Pattern> ReadFilterSource(const std::string& path, Notifier& notifier);

}  // namespace tond
