// tond render INPUT.pat --kit KIT.kit [--interpolation MODE] [--volume 0-100] -o OUT.wav
// tond render INPUT.blp [--pattern 0-15] [--interpolation MODE] [--volume 0-100] -o OUT.wav
// Writes the file the Export command writes for the same pattern, kit and settings; a project
// brings its own kit, and its pattern N plays as if it were the current one.
#include <optional>
#include <ostream>

#include "app/Cli.h"
#include "app/CliArgs.h"
#include "app/CliInput.h"
#include "app/CliOutput.h"
#include "app/StreamPlatform.h"
#include "base/Notifier.h"
#include "engine/Engine.h"
#include "engine/Export.h"
#include "kit/WaveWriter.h"
#include "model/Project.h"
#include "session/Session.h"

namespace tond::cli {

namespace {

constexpr InputRules kInputRules{"a project brings its own kit", "--pattern needs INPUT.blp", true};

std::optional<std::uint8_t> ParseInterpolation(const std::string& text) {
  if (text == "truncate") return kTruncate;
  if (text == "linear") return kLinear;
  if (text == "quadratic") return kQuadratic;
  return std::nullopt;
}

}  // namespace

int RunRender(const Args& args, Streams& io) {
  const Subcommand& command = CommandOf(RunRender);
  CliArgs parsed;
  std::string problem;
  if (!parsed.Parse(args, {"--kit", "-o", "--output", "--interpolation", "--volume", "--pattern"},
                    problem))
    return UsageError(command, problem, io);
  std::optional<std::string> path = parsed.Single("INPUT.pat or INPUT.blp", problem);
  Input input;
  if (!path || !ReadInputOptions(*path, parsed, kInputRules, input, problem))
    return UsageError(command, problem, io);
  std::optional<std::string> output = parsed.Output("OUT.wav", problem);
  if (!output) return UsageError(command, problem, io);

  std::uint8_t interpolation = kLinear;
  if (auto text = parsed.Value({"--interpolation"})) {
    auto mode = ParseInterpolation(*text);
    if (!mode) return UsageError(command, "unknown interpolation '" + *text + "'", io);
    interpolation = *mode;
  }
  const std::optional<double> volume = ReadVolume(parsed, problem);
  if (!volume) return UsageError(command, problem, io);
  const std::optional<std::string> target =
      CheckOutput(command, *output, {input.path, input.kit.value_or("")}, kWaveOutput, io.err);
  if (!target) return kExitFailure;

  StreamPlatform notifier(io.err);
  Settings settings;
  Folders folders;
  Session session(notifier, settings, folders);
  if (!LoadInput(input, session)) return kExitFailure;
  // Writing over one of its own samples would destroy it.
  if (IsAnInput(command, *target, SamplePaths(session.GetProject().kit), io.err))
    return kExitFailure;
  session.SetVolume(*volume);
  session.SetInterpolation(interpolation);

  std::vector<float> frames = RenderExport(session.GetEngine());
  if (frames.empty()) {
    io.err << "Error: not enough memory to render the pattern" << std::endl;
    return kExitFailure;
  }
  int error = 0;
  if (!WriteWave(*target, frames.data(), static_cast<std::uint32_t>(frames.size() / 2), 2,
                 &error)) {
    notifier.Failure(FormatMessage(kSaveError, *output), SystemReason(error));
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace tond::cli
