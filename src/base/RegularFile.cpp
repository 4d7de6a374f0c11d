#include "base/RegularFile.h"

#include <sys/stat.h>

#include <cerrno>

namespace tond {

bool IsRegularFile(const std::string& path) {
  return RegularFileError(path) == 0;
}

int RegularFileError(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return errno;
  if (S_ISREG(info.st_mode)) return 0;
  return S_ISDIR(info.st_mode) ? EISDIR : ENOTSUP;
}

std::FILE* OpenRegularFile(const std::string& path, int* error) {
  int reason = RegularFileError(path);
  std::FILE* file = reason == 0 ? std::fopen(path.c_str(), "rb") : nullptr;
  if (!file && reason == 0) reason = errno;
  if (error) *error = reason;
  return file;
}

}  // namespace tond
