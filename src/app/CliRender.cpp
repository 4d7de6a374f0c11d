// tond render INPUT.pat --kit KIT.kit [OPTIONS] -o OUT.wav
// tond render INPUT.blp [--pattern N | --patterns LIST] [OPTIONS] -o OUT.wav
// Writes the file the Export command writes for the same pattern, kit and settings; a project
// brings its own kit, and its pattern N plays as if it were the current one. --patterns renders
// a song (the listed patterns back to back, each one pass at its own tempo), --loops repeats each
// pass, and --no-normalize keeps the engine's levels.
#include <optional>
#include <ostream>
#include <sstream>

#include "app/Cli.h"
#include "app/CliArgs.h"
#include "app/CliInput.h"
#include "app/CliOutput.h"
#include "app/StreamPlatform.h"
#include "base/Notifier.h"
#include "engine/Engine.h"
#include "engine/Export.h"
#include "files/ProjectFile.h"
#include "kit/WaveWriter.h"
#include "model/Project.h"
#include "session/Session.h"

namespace tond::cli {

namespace {

constexpr int kMaxLoops = 99;
constexpr std::size_t kMaxSongPatterns = 256;
constexpr InputRules kInputRules{"a project brings its own kit", "--pattern needs INPUT.blp", true};

std::optional<std::uint8_t> ParseInterpolation(const std::string& text) {
  if (text == "truncate") return kTruncate;
  if (text == "linear") return kLinear;
  if (text == "quadratic") return kQuadratic;
  return std::nullopt;
}

// "0,1,1,2": the project's patterns in the order the song plays them.
std::optional<std::vector<int>> ParsePatternList(const std::string& text) {
  std::vector<int> slots;
  std::stringstream items(text);
  std::string item;
  while (std::getline(items, item, ',')) {
    std::optional<int> slot = ParseWhole(item, 0, kProjectPatterns - 1);
    if (!slot || slots.size() == kMaxSongPatterns) return std::nullopt;
    slots.push_back(*slot);
  }
  if (slots.empty() || text.back() == ',') return std::nullopt;
  return slots;
}

}  // namespace

int RunRender(const Args& arguments, Streams& io) {
  const Subcommand& command = CommandOf(RunRender);
  Args args = arguments;
  std::string problem;
  const bool asIs = TakeFlag(args, "--no-normalize", problem);
  CliArgs parsed;
  if (!problem.empty() || !parsed.Parse(args,
                                        {"--kit", "-o", "--output", "--interpolation", "--volume",
                                         "--pattern", "--patterns", "--loops"},
                                        problem))
    return UsageError(command, problem, io);
  std::optional<std::string> path = parsed.Single("INPUT.pat or INPUT.blp", problem);
  Input input;
  if (!path || !ReadInputOptions(*path, parsed, kInputRules, input, problem))
    return UsageError(command, problem, io);
  std::optional<std::string> output = parsed.Output("OUT.wav", problem);
  if (!output) return UsageError(command, problem, io);

  std::optional<std::vector<int>> song;
  if (auto text = parsed.Value({"--patterns"})) {
    if (!input.project) return UsageError(command, "--patterns needs INPUT.blp", io);
    if (parsed.Value({"--pattern"}))
      return UsageError(command, "give --pattern or --patterns, not both", io);
    song = ParsePatternList(*text);
    if (!song)
      return UsageError(command,
                        "patterns must be a list of at most 256 numbers from 0 to 15, such as "
                        "0,1,1,2",
                        io);
  }
  int loops = 1;
  if (auto text = parsed.Value({"--loops"})) {
    std::optional<int> value = ParseWhole(*text, 1, kMaxLoops);
    if (!value) return UsageError(command, "loops must be a whole number from 1 to 99", io);
    loops = *value;
  }
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
  Folders folders = CommandFolders();
  Session session(notifier, settings, folders);
  if (!LoadInput(input, session)) return kExitFailure;
  // Writing over one of its own samples would destroy it.
  const std::vector<std::string> samples =
      SamplePaths(session.GetProject().kit, folders.Samples(), SampleNamer(input));
  if (IsAnInput(command, *target, samples, io.err)) return kExitFailure;
  session.SetVolume(*volume);
  session.SetInterpolation(interpolation);

  // One pass is the window's Export; a song or loops are passes back to back.
  std::vector<SongPass> passes;
  if (song)
    passes = SongPasses(session.GetProject(), *song, loops);
  else if (loops > 1)
    passes.assign(static_cast<std::size_t>(loops),
                  {session.GetProject().working.Snapshot(), session.Tempo()});
  // Said before gigabytes are rendered that no wave file could hold.
  if (!FitsInWave(SongFrames(passes), 2))
    return UsageError(command, "the song is longer than a wave file can hold (6 h 45 min)", io);
  std::vector<float> frames =
      passes.empty() ? RenderExport(session.GetEngine()) : session.RenderSong(passes);
  if (frames.empty()) {
    notifier.Message("Error: not enough memory to render the pattern");
    return kExitFailure;
  }
  const auto count = static_cast<std::uint32_t>(frames.size() / 2);
  if (asIs) {
    const float peak = PeakOf(frames.data(), frames.size());
    if (peak > 1.0f) {
      std::ostringstream text;
      text.precision(3);
      text << "warning: the render reaches " << peak
           << " times full scale and is clipped; a lower --volume keeps it whole";
      notifier.Message(text.str());
    }
  }
  int error = 0;
  if (!(asIs ? WriteWaveAsIs(*target, frames.data(), count, 2, &error)
             : WriteWave(*target, frames.data(), count, 2, &error))) {
    notifier.Failure(FormatMessage(kSaveError, *output), SystemReason(error));
    return kExitFailure;
  }
  return notifier.SampleSummary(static_cast<int>(samples.size()));
}

}  // namespace tond::cli
