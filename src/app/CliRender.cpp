// tond render INPUT.pat --kit KIT.kit [--interpolation MODE] [--volume 0-100] -o OUT.wav
// tond render INPUT.blp [--pattern 0-15] [--interpolation MODE] [--volume 0-100] -o OUT.wav
// Writes the file the Export command writes for the same pattern, kit and settings; a project
// brings its own kit, and its pattern N plays as if it were the current one.
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

#include "app/Cli.h"
#include "app/CliArgs.h"
#include "app/StreamNotifier.h"
#include "engine/Engine.h"
#include "engine/Export.h"
#include "engine/WaveWriter.h"
#include "files/PatternFile.h"
#include "files/ProjectFile.h"
#include "files/RegularFile.h"
#include "kit/Kit.h"
#include "model/Notifier.h"
#include "model/Pattern.h"

namespace tond::cli {

namespace {

constexpr const char* kLoadError = "Error: unable to load the file:\n %s";
constexpr const char* kSaveError = "Error: unable to save the file:\n %s";
constexpr double kDefaultVolume = 80;  // the window's volume control starts there

const Subcommand& Command() {
  for (const Subcommand& command : Subcommands())
    if (command.run == RunRender) return command;
  return Subcommands().front();
}

std::optional<std::uint8_t> ParseInterpolation(const std::string& text) {
  if (text == "truncate") return kTruncate;
  if (text == "linear") return kLinear;
  if (text == "quadratic") return kQuadratic;
  return std::nullopt;
}

std::optional<double> ParseVolume(const std::string& text) {
  double value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  if (value < 0 || value > 100) return std::nullopt;
  return value;
}

// Project files are told by their extension, in any case.
bool IsProjectPath(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".blp";
}

std::optional<int> ParsePattern(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  if (value < 0 || value >= kProjectPatterns) return std::nullopt;
  return value;
}

// Pattern `index` of a project and the kit of its instrument records, as the window holds them
// after loading the project and selecting that pattern. False (with the message shown) when the
// file is refused.
bool LoadProjectPattern(const std::string& path, int index, Grid& grid, CKit& kit, double& tempo,
                        Notifier& notifier) {
  std::unique_ptr<ProjectFileData> data = ReadProjectFile(path, notifier);
  if (!data) return false;
  ApplyInstrumentRecords(*data, kit, &notifier);
  grid.CopyFrom(data->patterns[static_cast<std::size_t>(index)]);
  tempo = ClampTempoControl(data->tempos[static_cast<std::size_t>(index)]);
  return true;
}

}  // namespace

int RunRender(const Args& args, Streams& io) {
  CliArgs parsed;
  std::string problem;
  if (!parsed.Parse(args, {"--kit", "-o", "--output", "--interpolation", "--volume", "--pattern"},
                    problem))
    return UsageError(Command(), problem, io);
  if (parsed.positional.empty()) return UsageError(Command(), "missing INPUT.pat or INPUT.blp", io);
  if (parsed.positional.size() > 1)
    return UsageError(Command(), "unexpected argument '" + parsed.positional[1] + "'", io);
  const std::string& input = parsed.positional[0];
  const bool project = IsProjectPath(input);
  std::optional<std::string> kitPath = parsed.Value({"--kit"});
  if (project && kitPath) return UsageError(Command(), "a project brings its own kit", io);
  if (!project && !kitPath) return UsageError(Command(), "missing --kit KIT.kit", io);
  int patternIndex = 0;
  if (auto text = parsed.Value({"--pattern"})) {
    if (!project) return UsageError(Command(), "--pattern needs INPUT.blp", io);
    auto value = ParsePattern(*text);
    if (!value) return UsageError(Command(), "pattern must be a number from 0 to 15", io);
    patternIndex = *value;
  }
  std::optional<std::string> output = parsed.Value({"-o", "--output"});
  if (parsed.Value({"-o"}) && parsed.Value({"--output"}))
    return UsageError(Command(), "output given twice", io);
  if (!output) return UsageError(Command(), "missing -o OUT.wav", io);

  std::uint8_t interpolation = kLinear;
  if (auto text = parsed.Value({"--interpolation"})) {
    auto mode = ParseInterpolation(*text);
    if (!mode) return UsageError(Command(), "unknown interpolation '" + *text + "'", io);
    interpolation = *mode;
  }
  double volume = kDefaultVolume;
  if (auto text = parsed.Value({"--volume"})) {
    auto value = ParseVolume(*text);
    if (!value) return UsageError(Command(), "volume must be a number from 0 to 100", io);
    volume = *value;
  }

  StreamNotifier notifier(io.err);
  auto kit = std::make_unique<CKit>();
  auto grid = std::make_unique<Grid>();
  double tempo = 0;
  if (project) {
    if (!LoadProjectPattern(input, patternIndex, *grid, *kit, tempo, notifier)) return kExitFailure;
  } else {
    std::optional<PatternFileData> pattern = ReadPatternFile(input, notifier);
    if (!pattern) return kExitFailure;

    // The kit loader reads whatever it is given; a pipe or a device would block it.
    if (!IsRegularFile(*kitPath) || !kit->Load(*kitPath, &notifier, nullptr)) {
      notifier.Message(FormatMessage(kLoadError, *kitPath));
      return kExitFailure;
    }
    grid->CopyFrom(pattern->cells);
    // The window's tempo control keeps the stored tempo within its range.
    tempo = ClampTempoControl(pattern->tempo);
  }

  auto engine = std::make_unique<Engine>(*grid, *kit);
  engine->SetTempo(tempo);
  engine->SetVolume(static_cast<float>(volume / 100.0));
  engine->SetInterpolation(interpolation);

  std::vector<float> frames = RenderExport(*engine);
  if (frames.empty()) {
    io.err << "Error: not enough memory to render the pattern" << std::endl;
    return kExitFailure;
  }
  if (!WriteWave(*output, frames.data(), static_cast<std::uint32_t>(frames.size() / 2), 2)) {
    notifier.Message(FormatMessage(kSaveError, *output));
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace tond::cli
