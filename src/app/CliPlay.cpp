// tond play INPUT.blp [--pattern 0-15] [--seconds S] [--record]
// tond play INPUT.pat [--kit KIT.kit] [--seconds S] [--record]
// Starts as the program does (data folders, settings, the audio stream on the chosen device),
// loads the file, plays its pattern at its tempo for S seconds or until Ctrl+C, optionally
// recording into the Output folder, and shuts down as the program does: the recording is
// finished and the settings are written back.
#include <atomic>
#include <cctype>
#include <charconv>
#include <chrono>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <optional>
#include <ostream>
#include <system_error>
#include <thread>

#include "app/Cli.h"
#include "app/CliArgs.h"
#include "app/StreamNotifier.h"
#include "app/qt/TondApp.h"
#include "engine/AudioStream.h"
#include "engine/Engine.h"
#include "engine/Recorder.h"
#include "files/PatternFile.h"
#include "files/ProjectFile.h"
#include "model/Notifier.h"
#include "model/Project.h"
#include "model/UndoSystem.h"

namespace tond::cli {

namespace {

constexpr const char* kLoadError = "Error: unable to load the file:\n %s";

// Set by SIGINT and SIGTERM; the playing loop polls it.
std::atomic<bool> stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void RequestStop(int) {
  stopRequested.store(true);
}

// Catches SIGINT and SIGTERM while it lives, and puts the previous handlers back.
class StopSignals {
 public:
  StopSignals() {
    stopRequested.store(false);
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previousInt_);
    sigaction(SIGTERM, &action, &previousTerm_);
  }
  ~StopSignals() {
    sigaction(SIGINT, &previousInt_, nullptr);
    sigaction(SIGTERM, &previousTerm_, nullptr);
  }
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

 private:
  struct sigaction previousInt_ {};
  struct sigaction previousTerm_ {};
};

const Subcommand& Command() {
  for (const Subcommand& command : Subcommands())
    if (command.run == RunPlay) return command;
  return Subcommands().front();
}

bool IsProjectPath(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".blp";
}

bool IsRegularFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

// Start-up makes the program folder the working folder: names given on the command line are
// fixed against the folder the command was started in before that.
std::string Absolute(const std::string& path) {
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.string();
}

std::optional<int> ParsePattern(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  if (value < 0 || value >= kProjectPatterns) return std::nullopt;
  return value;
}

std::optional<double> ParseSeconds(const std::string& text) {
  double value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value) || value <= 0)
    return std::nullopt;
  return value;
}

// "--record" takes no value, which CliArgs does not know: it is taken out before parsing.
bool TakeFlag(Args& args, const std::string& flag, std::string& problem) {
  bool found = false;
  for (auto it = args.begin(); it != args.end() && *it != "--";) {
    if (*it != flag) {
      ++it;
      continue;
    }
    if (found) problem = "option '" + flag + "' given twice";
    found = true;
    it = args.erase(it);
  }
  return found;
}

// Loads what plays into the application's project and sets the engine's tempo. False (with
// the message shown) when a file is refused.
bool LoadInput(CTondApp& app, const std::string& input, bool project, int pattern,
               const std::optional<std::string>& kitPath, UndoSystem& undo) {
  Project& target = app.GetProject();
  Engine& engine = app.GetEngine();
  Notifier& notifier = app.GetNotifier();
  if (project) {
    std::optional<double> tempo = LoadProject(input, target, undo, engine, notifier);
    if (!tempo) return false;
    if (target.SelectPattern(pattern, *tempo, undo))
      tempo = ClampTempoControl(target.Tempo(pattern));
    engine.SetTempo(*tempo);
    return true;
  }
  if (kitPath) {
    engine.Quiesce();
    // The kit loader reads whatever it is given; a pipe or a device would block it.
    if (!IsRegularFile(*kitPath) || !target.kit.Load(*kitPath, &notifier, nullptr)) {
      notifier.Message(FormatMessage(kLoadError, *kitPath));
      return false;
    }
  } else if (!app.LoadDefaultKit()) {
    notifier.Message(FormatMessage(kLoadError, app.DefaultKitPath()));
    return false;
  }
  std::optional<std::uint32_t> tempo = LoadPattern(input, target, undo, notifier);
  if (!tempo) return false;
  engine.SetTempo(ClampTempoControl(*tempo));
  return true;
}

}  // namespace

int RunPlay(const Args& arguments, Streams& io) {
  Args args = arguments;
  std::string problem;
  const bool record = TakeFlag(args, "--record", problem);
  CliArgs parsed;
  if (!problem.empty() || !parsed.Parse(args, {"--kit", "--pattern", "--seconds"}, problem))
    return UsageError(Command(), problem, io);
  if (parsed.positional.empty()) return UsageError(Command(), "missing INPUT.blp or INPUT.pat", io);
  if (parsed.positional.size() > 1)
    return UsageError(Command(), "unexpected argument '" + parsed.positional[1] + "'", io);
  const std::string input = Absolute(parsed.positional[0]);
  const bool project = IsProjectPath(input);
  std::optional<std::string> kitPath = parsed.Value({"--kit"});
  if (project && kitPath) return UsageError(Command(), "a project brings its own kit", io);
  if (kitPath) kitPath = Absolute(*kitPath);
  int pattern = 0;
  if (auto text = parsed.Value({"--pattern"})) {
    if (!project) return UsageError(Command(), "--pattern needs INPUT.blp", io);
    auto value = ParsePattern(*text);
    if (!value) return UsageError(Command(), "pattern must be a number from 0 to 15", io);
    pattern = *value;
  }
  std::optional<double> seconds;
  if (auto text = parsed.Value({"--seconds"})) {
    seconds = ParseSeconds(*text);
    if (!seconds) return UsageError(Command(), "seconds must be a number above 0", io);
  }

  StreamNotifier notifier(io.err);
  CTondApp app(notifier);
  app.StartUp();
  if (!project && !kitPath && !app.settings.defaultKit) {
    return UsageError(Command(),
                      "a pattern needs --kit KIT.kit: the default kit is switched off in the "
                      "settings",
                      io);
  }
  UndoSystem undo;
  undo.Init(&app.GetProject().working);
  if (!LoadInput(app, input, project, pattern, kitPath, undo)) return kExitFailure;
  // The program itself runs silent without a word; here the user would wonder why.
  if (app.settings.audioDevice.empty())
    io.err << "tond play: no audio output device was found; playing without sound\n";
  else if (!app.Stream().IsRunning())
    io.err << "tond play: the audio device \"" << app.settings.audioDevice
           << "\" could not be opened; playing without sound\n";

  StopSignals signals;
  if (record && !app.StartRecording()) return kExitFailure;
  io.err << "Playing " << input;
  if (project) io.err << ", pattern " << pattern;
  io.err << " at " << static_cast<int>(app.GetEngine().Tempo()) << " BPM";
  if (seconds) io.err << " for " << *seconds << " s";
  io.err << "; Ctrl+C stops." << std::endl;

  using Clock = std::chrono::steady_clock;
  const auto end = seconds ? Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                std::chrono::duration<double>(*seconds))
                           : Clock::time_point::max();
  app.GetEngine().playing = true;
  while (!stopRequested.load() && Clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  app.GetEngine().playing = false;

  const std::string recording = app.IsRecording() ? app.GetRecorder().Path() : std::string();
  app.ShutDown();  // finishes the recording
  if (!recording.empty()) io.out << recording << std::endl;
  return kExitOk;
}

}  // namespace tond::cli
