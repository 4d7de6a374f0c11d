#include "app/CliInput.h"

#include <cctype>
#include <filesystem>
#include <system_error>

#include "app/CliArgs.h"
#include "app/qt/TondApp.h"
#include "files/ProjectFile.h"
#include "session/Session.h"

namespace tond::cli {

std::string LowerExtension(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

bool ReadInputOptions(const std::string& path, const CliArgs& parsed, const InputRules& rules,
                      Input& input, std::string& problem) {
  input.path = path;
  input.project = LowerExtension(path) == ".blp";
  input.kit = parsed.Value({"--kit"});
  std::optional<std::string> pattern = parsed.Value({"--pattern"});
  if (input.project && input.kit)
    problem = rules.kitWithProject;
  else if (!input.project && pattern)
    problem = rules.patternWithoutProject;
  else if (!input.project && !input.kit && rules.kitRequired)
    problem = "missing --kit KIT.kit";
  else if (pattern) {
    const std::optional<int> slot = ParseWhole(*pattern, 0, kProjectPatterns - 1);
    if (!slot)
      problem = "pattern must be a number from 0 to 15";
    else
      input.pattern = *slot;
  }
  return problem.empty();
}

bool LoadInput(const Input& input, Session& session) {
  if (input.project) {
    if (session.LoadProjectFile(input.path).refused) return false;
    session.SelectPattern(input.pattern);
    return true;
  }
  if (session.LoadPatternFile(input.path).refused) return false;
  return input.kit && !session.LoadKitFile(*input.kit).refused;
}

Folders CommandFolders() {
  Folders folders;
  std::error_code ec;
  folders.launch = std::filesystem::current_path(ec).string();
  folders.program = ExecutableFolder();
  return folders;
}

std::string SampleNamer(const Input& input) {
  return input.project ? input.path : input.kit.value_or("");
}

std::optional<double> ReadVolume(const CliArgs& parsed, std::string& problem) {
  const auto text = parsed.Value({"--volume"});
  if (!text) return Session::kDefaultVolume;
  const auto value = ParseNumber(*text);
  if (!value || *value < 0 || *value > 100) {
    problem = "volume must be a number from 0 to 100";
    return std::nullopt;
  }
  return value;
}

}  // namespace tond::cli
