// tond midi INPUT.pat --kit KIT.kit -o OUT.mid
// tond midi INPUT.blp [--pattern 0-15] -o OUT.mid
// Writes the file the ExportMidi command writes for that pattern, with the tempo the window's
// tempo control would show for it. A project brings its own kit; its pattern N is exported as if
// it were the current one.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/Cli.h"
#include "app/CliArgs.h"
#include "app/StreamNotifier.h"
#include "files/MidiExport.h"
#include "files/PatternFile.h"
#include "files/ProjectFile.h"
#include "files/RegularFile.h"
#include "kit/Kit.h"
#include "model/Notifier.h"
#include "model/Pattern.h"

namespace tond::cli {

namespace {

constexpr const char* kLoadError = "Error: unable to load the file:\n %s";

const Subcommand& Command() {
  for (const Subcommand& command : Subcommands())
    if (command.run == RunMidi) return command;
  return Subcommands().front();
}

bool IsProjectPath(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".blp";
}

std::optional<int> ParsePatternIndex(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  if (value < 0 || value >= kProjectPatterns) return std::nullopt;
  return value;
}

// The tempo the window's control shows for a stored tempo, as the export reads it.
std::uint32_t ExportTempo(std::uint32_t stored) {
  return static_cast<std::uint32_t>(ClampTempoControl(stored));
}

}  // namespace

int RunMidi(const Args& args, Streams& io) {
  CliArgs parsed;
  std::string problem;
  if (!parsed.Parse(args, {"--kit", "--pattern", "-o", "--output"}, problem))
    return UsageError(Command(), problem, io);
  if (parsed.positional.empty()) return UsageError(Command(), "missing INPUT.pat or INPUT.blp", io);
  if (parsed.positional.size() > 1)
    return UsageError(Command(), "unexpected argument '" + parsed.positional[1] + "'", io);
  if (parsed.Value({"-o"}) && parsed.Value({"--output"}))
    return UsageError(Command(), "output given twice", io);
  std::optional<std::string> output = parsed.Value({"-o", "--output"});
  if (!output) return UsageError(Command(), "missing -o OUT.mid", io);

  const std::string& input = parsed.positional[0];
  const bool project = IsProjectPath(input);
  std::optional<std::string> kitPath = parsed.Value({"--kit"});
  std::optional<std::string> patternText = parsed.Value({"--pattern"});
  if (project && kitPath)
    return UsageError(Command(), "--kit is for pattern files; a project names its samples", io);
  if (!project && patternText) return UsageError(Command(), "--pattern is for project files", io);
  if (!project && !kitPath) return UsageError(Command(), "missing --kit KIT.kit", io);
  int patternIndex = 0;
  if (patternText) {
    auto index = ParsePatternIndex(*patternText);
    if (!index) return UsageError(Command(), "pattern must be a number from 0 to 15", io);
    patternIndex = *index;
  }

  StreamNotifier notifier(io.err);
  auto kit = std::make_unique<CKit>();
  Pattern cells{};
  std::uint32_t tempo = 0;
  if (project) {
    std::unique_ptr<ProjectFileData> data = ReadProjectFile(input, notifier);
    if (!data) return kExitFailure;
    // The samples are loaded (and missing ones reported) as when the window loads the project.
    ApplyInstrumentRecords(*data, *kit, &notifier);
    cells = data->patterns[static_cast<std::size_t>(patternIndex)];
    tempo = ExportTempo(data->tempos[static_cast<std::size_t>(patternIndex)]);
  } else {
    std::optional<PatternFileData> pattern = ReadPatternFile(input, notifier);
    if (!pattern) return kExitFailure;
    // Only the sample paths name the tracks, but a kit is read whole, as the window reads it.
    if (!IsRegularFile(*kitPath) || !kit->Load(*kitPath, &notifier, nullptr)) {
      notifier.Message(FormatMessage(kLoadError, *kitPath));
      return kExitFailure;
    }
    cells = pattern->cells;
    tempo = ExportTempo(pattern->tempo);
  }
  return ExportMidi(*output, cells, *kit, tempo, notifier) ? kExitOk : kExitFailure;
}

}  // namespace tond::cli
