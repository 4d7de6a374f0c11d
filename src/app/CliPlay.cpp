// tond play INPUT.blp [--pattern 0-15] [--seconds S] [--record]
// tond play INPUT.pat [--kit KIT.kit] [--seconds S] [--record]
// Starts as the program does (data folders, settings, the audio stream on the chosen device),
// loads the file, plays its pattern at its tempo for S seconds or until Ctrl+C, optionally
// recording into the Output folder, and shuts down as the program does: the recording is
// finished and the settings are written back.
#include <atomic>
#include <chrono>
#include <csignal>
#include <optional>
#include <ostream>
#include <thread>

#include "app/Cli.h"
#include "app/CliArgs.h"
#include "app/CliInput.h"
#include "app/CliOutput.h"
#include "app/StreamPlatform.h"
#include "app/qt/TondApp.h"
#include "engine/AudioStream.h"
#include "engine/Recorder.h"
#include "model/Project.h"
#include "session/Session.h"

namespace tond::cli {

namespace {

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

constexpr InputRules kInputRules{"a project brings its own kit", "--pattern needs INPUT.blp",
                                 false};

// A day: far beyond any sensible timed run (without --seconds it plays until stopped), and far
// below where the conversion to the clock's ticks would overflow.
constexpr double kMaxSeconds = 86400;

}  // namespace

int RunPlay(const Args& arguments, Streams& io) {
  const Subcommand& command = CommandOf(RunPlay);
  Args args = arguments;
  std::string problem;
  const bool record = TakeFlag(args, "--record", problem);
  CliArgs parsed;
  if (!problem.empty() || !parsed.Parse(args, {"--kit", "--pattern", "--seconds"}, problem))
    return UsageError(command, problem, io);
  std::optional<std::string> path = parsed.Single("INPUT.blp or INPUT.pat", problem);
  Input input;
  if (!path || !ReadInputOptions(AbsolutePath(*path), parsed, kInputRules, input, problem))
    return UsageError(command, problem, io);
  if (input.kit) input.kit = AbsolutePath(*input.kit);
  std::optional<double> seconds;
  if (auto text = parsed.Value({"--seconds"})) {
    seconds = ParseNumber(*text);
    if (!seconds || *seconds <= 0 || *seconds > kMaxSeconds)
      return UsageError(command,
                        "seconds must be a number above 0 and at most " +
                            std::to_string(static_cast<int>(kMaxSeconds)) + " (a day)",
                        io);
  }

  StreamPlatform notifier(io.err);
  CTondApp app(notifier);
  app.StartUp();
  if (!input.project && !input.kit) {
    if (!app.settings.defaultKit) {
      return UsageError(command,
                        "a pattern needs --kit KIT.kit: the default kit is switched off in the "
                        "settings",
                        io);
    }
    input.kit = app.DefaultKitPath();
  }
  Session& session = app.GetSession();
  if (!LoadInput(input, session)) return kExitFailure;
  // The program itself runs silent without a word; here the user would wonder why.
  if (app.settings.audioDevice.empty())
    io.err << "tond play: no audio output device was found; playing without sound\n";
  else if (!app.Stream().IsRunning())
    io.err << "tond play: the audio device \"" << app.settings.audioDevice
           << "\" could not be opened; playing without sound\n";

  StopSignals signals;
  if (record) {
    session.Run(Command::kRecord);
    if (!session.Recording()) return kExitFailure;
  }
  io.err << "Playing " << input.path;
  if (input.project) io.err << ", pattern " << input.pattern;
  io.err << " at " << static_cast<int>(session.Tempo()) << " BPM";
  if (seconds) io.err << " for " << *seconds << " s";
  io.err << "; Ctrl+C stops." << std::endl;

  using Clock = std::chrono::steady_clock;
  const auto end = seconds ? Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                std::chrono::duration<double>(*seconds))
                           : Clock::time_point::max();
  session.Run(Command::kPlay);
  while (!stopRequested.load() && Clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  session.Run(Command::kPlay);

  const std::string recording = session.Recording() ? app.GetRecorder().Path() : std::string();
  app.ShutDown();  // finishes the recording
  if (!recording.empty()) io.out << recording << std::endl;
  return notifier.SampleSummary(static_cast<int>(SamplePaths(session.GetProject().kit).size()));
}

}  // namespace tond::cli
