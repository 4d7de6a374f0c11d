// tond midi INPUT.pat --kit KIT.kit -o OUT.mid
// tond midi INPUT.blp [--pattern 0-15] -o OUT.mid
// Writes the file the ExportMidi command writes for that pattern, with the tempo the window's
// tempo control would show for it. A project brings its own kit; its pattern N is exported as if
// it were the current one.
#include <optional>

#include "app/Cli.h"
#include "app/CliArgs.h"
#include "app/CliInput.h"
#include "app/CliOutput.h"
#include "app/StreamPlatform.h"
#include "model/Project.h"
#include "session/Session.h"

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

  // The samples are loaded (and missing ones reported) as when the window loads the file, though
  // only their paths name the tracks.
  StreamPlatform notifier(io.err);
  Settings settings;
  Folders folders;
  Session session(notifier, settings, folders);
  if (!LoadInput(input, session)) return kExitFailure;
  if (IsAnInput(command, *target, SamplePaths(session.GetProject().kit), io.err))
    return kExitFailure;
  return session.ExportMidiFile(*target) ? kExitOk : kExitFailure;
}

}  // namespace tond::cli
