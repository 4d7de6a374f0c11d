// tond kit --folder DIR -o OUT.kit
// tond kit --random ROOT [--seed N] -o OUT.kit
// tond kit --slice LONG.wav [--replace] -o OUT.kit
// tond kit --add WAV... [--kit IN.kit] -o OUT.kit
// Builds a kit as the kit editor's Folder, Random, Slicer and Add buttons do, through the same
// session commands, and saves it. Sample paths are made absolute, since the program works from
// its own folder.
#include <cstdint>
#include <optional>
#include <ostream>
#include <random>

#include "app/Cli.h"
#include "app/CliArgs.h"
#include "app/CliOutput.h"
#include "app/StreamPlatform.h"
#include "kit/KitBuilder.h"
#include "model/Project.h"
#include "session/Session.h"

namespace tond::cli {

namespace {

// The slicer's question about existing slices, answered on the command line by --replace.
class ReplacingPlatform : public StreamPlatform {
 public:
  ReplacingPlatform(std::ostream& stream, bool replace)
      : StreamPlatform(stream), replace_(replace) {}
  bool Confirm(const std::string& text) override {
    return replace_ || StreamPlatform::Confirm(text);
  }

 private:
  bool replace_;
};

int Filled(const CKit& kit) {
  int filled = 0;
  for (int i = 0; i < CKit::kSlots; ++i) filled += kit[i].data.empty() ? 0 : 1;
  return filled;
}

}  // namespace

int RunKit(const Args& arguments, Streams& io) {
  const Subcommand& command = CommandOf(RunKit);
  Args args = arguments;
  std::string problem;
  const bool add = TakeFlag(args, "--add", problem);
  const bool replace = TakeFlag(args, "--replace", problem);
  CliArgs parsed;
  if (!problem.empty() ||
      !parsed.Parse(args, {"--folder", "--random", "--seed", "--slice", "--kit", "-o", "--output"},
                    problem))
    return UsageError(command, problem, io);
  const std::optional<std::string> folder = parsed.Value({"--folder"});
  const std::optional<std::string> root = parsed.Value({"--random"});
  const std::optional<std::string> slice = parsed.Value({"--slice"});
  const std::optional<std::string> seedText = parsed.Value({"--seed"});
  const std::optional<std::string> kit = parsed.Value({"--kit"});
  const int modes = (folder ? 1 : 0) + (root ? 1 : 0) + (slice ? 1 : 0) + (add ? 1 : 0);
  if (modes != 1) return UsageError(command, "give one of --folder, --random, --slice, --add", io);
  if (seedText && !root) return UsageError(command, "--seed needs --random", io);
  if (kit && !add) return UsageError(command, "--kit needs --add", io);
  if (replace && !slice) return UsageError(command, "--replace needs --slice", io);
  if (add && parsed.positional.empty()) return UsageError(command, "missing WAV", io);
  if (!add && !parsed.positional.empty())
    return UsageError(command, "unexpected argument '" + parsed.positional[0] + "'", io);
  std::optional<std::string> output = parsed.Output("OUT.kit", problem);
  if (!output) return UsageError(command, problem, io);
  std::uint32_t seed = std::random_device()();
  if (seedText) {
    const std::optional<double> value = ParseNumber(*seedText);
    if (!value || *value < 0 || *value > 4294967295.0 ||
        *value != static_cast<std::uint32_t>(*value))
      return UsageError(command, "seed must be a whole number from 0 to 4294967295", io);
    seed = static_cast<std::uint32_t>(*value);
  }
  std::vector<std::string> inputs = parsed.positional;
  if (kit) inputs.push_back(*kit);
  if (slice) inputs.push_back(*slice);
  const std::optional<std::string> target =
      CheckOutput(command, *output, inputs, kKitOutput, io.err);
  if (!target) return kExitFailure;

  ReplacingPlatform platform(io.err, replace);
  Settings settings;
  Folders folders;
  Session session(platform, settings, folders);
  InPlaceRunner runner;
  std::string what;
  Change change;
  if (folder) {
    change = session.KitFromFolderPath(AbsolutePath(*folder), runner);
    what = "from the waves of " + *folder;
  } else if (root) {
    session.Random().Seed(seed);
    change = session.KitFromTreePath(AbsolutePath(*root), runner);
    // The window leaves an empty tree's kit empty; a script must hear of it.
    if (Filled(session.GetProject().kit) == 0) {
      platform.Message(kNoSampleInFolder);
      return kExitFailure;
    }
    what = "with waves drawn at random under " + *root + " (seed " + std::to_string(seed) + ")";
  } else if (slice) {
    change = session.SliceSampleFile(AbsolutePath(*slice));
    what = "from 64 slices written beside " + *slice;
  } else {
    if (kit && session.LoadKitIntoEditor(AbsolutePath(*kit)).refused) return kExitFailure;
    std::vector<std::string> waves;
    for (const std::string& wave : parsed.positional) waves.push_back(AbsolutePath(wave));
    change = session.AddKitFiles(waves);
    what =
        "after adding " + std::to_string(waves.size()) + " wave" + (waves.size() == 1 ? "" : "s");
  }
  if (change.refused || !session.SaveKitFile(*target)) return kExitFailure;
  // Standard output holds the kit itself then.
  const bool piped = IsStandardOutput(*output);
  (piped ? io.err : io.out) << (piped ? "standard output" : *output) << ": "
                            << Filled(session.GetProject().kit) << " of 64 slots filled " << what
                            << std::endl;
  return kExitOk;
}

}  // namespace tond::cli
