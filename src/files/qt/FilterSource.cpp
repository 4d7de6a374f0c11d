#include "files/qt/FilterSource.h"

#include <filesystem>

#include "base/Notifier.h"
#include "files/PatternFile.h"
#include "files/qt/PictureImport.h"

namespace tond {

std::optional<Pattern> ReadFilterSource(const std::string& path, Notifier& notifier) {
  const std::string name = std::filesystem::path(path).filename().string();
  if (name == "." || name == "..") return std::nullopt;
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return std::nullopt;

  if (name.compare(dot + 1, std::string::npos, "pat") == 0) {
    std::optional<PatternFileData> data = ReadPatternFile(path, notifier);
    if (!data) return std::nullopt;
    return data->cells;
  }
  return ReadPicturePattern(path);
}

}  // namespace tond
