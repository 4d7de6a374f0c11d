#include "kit/SampleSearch.h"

#include <filesystem>
#include <system_error>

namespace tond {

namespace fs = std::filesystem;

std::string SampleSearch::Locate(const std::string& samplePath,
                                 const std::string& namingFile) const {
  const fs::path sample(samplePath);
  if (samplePath.empty() || sample.is_absolute()) return samplePath;
  std::error_code ec;
  const fs::path first = launch.empty() ? sample : fs::path(launch) / sample;
  fs::path candidates[] = {first, fs::path(), fs::path()};
  if (!namingFile.empty()) {
    fs::path folder = fs::path(namingFile).parent_path();
    // A file named without a folder lies in the working folder.
    candidates[1] = folder.empty() ? sample : folder / sample;
  }
  if (!program.empty()) candidates[2] = fs::path(program) / sample;
  for (const fs::path& candidate : candidates)
    if (!candidate.empty() && fs::exists(candidate, ec)) return candidate.string();
  return first.string();
}

}  // namespace tond
