// tond render INPUT.pat --kit KIT.kit [--interpolation MODE] [--volume 0-100] -o OUT.wav
// Writes the file the Export command writes for the same pattern, kit and settings.
#include <charconv>
#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <system_error>

#include "app/Cli.h"
#include "app/CliArgs.h"
#include "app/StreamNotifier.h"
#include "engine/Engine.h"
#include "engine/Export.h"
#include "engine/WaveWriter.h"
#include "files/PatternFile.h"
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

bool IsRegularFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

int RunRender(const Args& args, Streams& io) {
  CliArgs parsed;
  std::string problem;
  if (!parsed.Parse(args, {"--kit", "-o", "--output", "--interpolation", "--volume"}, problem))
    return UsageError(Command(), problem, io);
  if (parsed.positional.empty()) return UsageError(Command(), "missing INPUT.pat", io);
  if (parsed.positional.size() > 1)
    return UsageError(Command(), "unexpected argument '" + parsed.positional[1] + "'", io);
  std::optional<std::string> kitPath = parsed.Value({"--kit"});
  if (!kitPath) return UsageError(Command(), "missing --kit KIT.kit", io);
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
  const std::string& input = parsed.positional[0];
  std::optional<PatternFileData> pattern = ReadPatternFile(input, notifier);
  if (!pattern) return kExitFailure;

  // The kit loader reads whatever it is given; a pipe or a device would block it.
  auto kit = std::make_unique<CKit>();
  if (!IsRegularFile(*kitPath) || !kit->Load(*kitPath, &notifier, nullptr)) {
    notifier.Message(FormatMessage(kLoadError, *kitPath));
    return kExitFailure;
  }

  auto grid = std::make_unique<Grid>();
  grid->CopyFrom(pattern->cells);
  auto engine = std::make_unique<Engine>(*grid, *kit);
  // The window's tempo control keeps the stored tempo within its range.
  engine->SetTempo(ClampTempoControl(pattern->tempo));
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
