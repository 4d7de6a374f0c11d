#include "base/RegularFile.h"

#include <filesystem>
#include <system_error>

namespace tond {

bool IsRegularFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace tond
