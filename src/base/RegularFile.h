#pragma once
#include <string>

namespace tond {

// Whether `path` names a regular file (links followed). The readers open nothing else: opening a
// named pipe blocks until a writer comes, and a device may never end.
bool IsRegularFile(const std::string& path);

}  // namespace tond
