#pragma once
#include <cstdio>
#include <string>

namespace tond {

// Whether `path` names a regular file (links followed). The readers open nothing else: opening a
// named pipe blocks until a writer comes, and a device may never end.
bool IsRegularFile(const std::string& path);

// Why `path` is no regular file to read, as an errno: what stat gave (ENOENT, EACCES, ...),
// EISDIR for a folder, ENOTSUP for a device, a pipe or a socket; 0 when it is one.
int RegularFileError(const std::string& path);

// Opens a regular file for reading ("rb"). nullptr otherwise, with `error` (when given) set to
// the reason: RegularFileError or the errno of the open.
std::FILE* OpenRegularFile(const std::string& path, int* error = nullptr);

}  // namespace tond
