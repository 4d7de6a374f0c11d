#include "app/CliInput.h"

#include <cctype>
#include <charconv>
#include <filesystem>

#include "app/CliArgs.h"
#include "engine/Engine.h"
#include "files/PatternFile.h"
#include "files/ProjectFile.h"
#include "kit/Kit.h"
#include "model/Notifier.h"
#include "model/Project.h"
#include "model/UndoSystem.h"

namespace tond::cli {

namespace {

constexpr const char* kLoadError = "Error: unable to load the file:\n %s";

}  // namespace

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
    const char* end = pattern->data() + pattern->size();
    auto [ptr, ec] = std::from_chars(pattern->data(), end, input.pattern);
    if (pattern->empty() || ec != std::errc() || ptr != end || input.pattern < 0 ||
        input.pattern >= kProjectPatterns)
      problem = "pattern must be a number from 0 to 15";
  }
  return problem.empty();
}

bool LoadKitFile(const std::string& path, CKit& kit, Notifier& notifier) {
  if (kit.Load(path, &notifier, nullptr)) return true;
  notifier.Message(FormatMessage(kLoadError, path));
  return false;
}

std::optional<double> LoadInput(const Input& input, Project& project, Engine& engine,
                                Notifier& notifier) {
  // Loading pushes onto a history nobody undoes here.
  UndoSystem undo;
  undo.Init(&project.working);
  std::optional<double> tempo;
  if (input.project) {
    tempo = LoadProject(input.path, project, undo, engine, notifier);
    if (!tempo) return std::nullopt;
    if (project.SelectPattern(input.pattern, *tempo, undo))
      tempo = ClampTempoControl(project.Tempo(input.pattern));
  } else {
    std::optional<std::uint32_t> stored = LoadPattern(input.path, project, undo, notifier);
    if (!stored) return std::nullopt;
    engine.Quiesce();
    if (!input.kit || !LoadKitFile(*input.kit, project.kit, notifier)) return std::nullopt;
    tempo = ClampTempoControl(*stored);
  }
  engine.SetTempo(*tempo);
  return tempo;
}

}  // namespace tond::cli
