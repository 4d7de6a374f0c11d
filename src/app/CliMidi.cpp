// tond midi INPUT.pat --kit KIT.kit -o OUT.mid
// tond midi INPUT.blp [--pattern 0-15] -o OUT.mid
// Writes the file the ExportMidi command writes for that pattern, with the tempo the window's
// tempo control would show for it. A project brings its own kit; its pattern N is exported as if
// it were the current one.
#include <cstdint>
#include <memory>
#include <optional>

#include "app/Cli.h"
#include "app/CliArgs.h"
#include "app/CliInput.h"
#include "app/CliOutput.h"
#include "app/StreamPlatform.h"
#include "base/Notifier.h"
#include "files/MidiExport.h"
#include "files/PatternFile.h"
#include "files/ProjectFile.h"
#include "kit/Kit.h"

namespace tond::cli {

namespace {

constexpr InputRules kInputRules{"--kit is for pattern files; a project names its samples",
                                 "--pattern is for project files", true};

}  // namespace

int RunMidi(const Args& args, Streams& io) {
  const Subcommand& command = CommandOf(RunMidi);
  CliArgs parsed;
  std::string problem;
  if (!parsed.Parse(args, {"--kit", "--pattern", "-o", "--output"}, problem))
    return UsageError(command, problem, io);
  std::optional<std::string> path = parsed.Single("INPUT.pat or INPUT.blp", problem);
  if (!path) return UsageError(command, problem, io);
  std::optional<std::string> output = parsed.Output("OUT.mid", problem);
  Input input;
  if (!output || !ReadInputOptions(*path, parsed, kInputRules, input, problem))
    return UsageError(command, problem, io);
  const std::optional<std::string> target =
      CheckOutput(command, *output, {input.path, input.kit.value_or("")}, kMidiOutput, io.err);
  if (!target) return kExitFailure;

  // Only the samples' paths name the tracks: no sample is read. The tempo is the one the window's
  // tempo control would play the pattern at.
  StreamPlatform notifier(io.err);
  auto kit = std::make_unique<CKit>();
  Pattern cells{};
  std::uint32_t stored = 0;
  if (input.project) {
    std::unique_ptr<ProjectFileData> data = ReadProjectFile(input.path, notifier);
    if (!data) return kExitFailure;
    ApplyInstrumentPaths(*data, *kit);
    cells = data->patterns[static_cast<std::size_t>(input.pattern)];
    stored = data->tempos[static_cast<std::size_t>(input.pattern)];
  } else {
    std::optional<PatternFileData> data = ReadPatternFile(input.path, notifier);
    if (!data) return kExitFailure;
    int error = 0;
    if (!kit->ReadPaths(*input.kit, &error)) {
      notifier.Failure(FormatMessage(kLoadError, *input.kit), SystemReason(error));
      return kExitFailure;
    }
    cells = data->cells;
    stored = data->tempo;
  }
  if (IsAnInput(command, *target, SamplePaths(*kit, CommandFolders().Samples(), SampleNamer(input)),
                io.err))
    return kExitFailure;
  const int tempo = PlayedTempo(TempoControlFor(stored));
  return ExportMidi(*target, cells, *kit, static_cast<std::uint32_t>(tempo), notifier)
             ? kExitOk
             : kExitFailure;
}

}  // namespace tond::cli
