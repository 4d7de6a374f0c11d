// tond play against the test JACK server: the program starts as it does for the window, plays,
// records and shuts down cleanly, also when interrupted.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "RunTond.h"
#include "engine/RecordingFile.h"

namespace tond {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

// A program folder of its own (a copy of the program, so that its Output folder is private)
// below the working folder, which holds a kit whose slot 0 loops a tone, a pattern that lights
// row 0 on every step, and a settings store that plays through the test server's output.
class Play : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::LiveAudioAvailable()) GTEST_SKIP() << "needs the test JACK server (run by ctest)";
    fs::create_directory(folder.File("bin"));
    fs::copy_file(std::getenv("TOND_BINARY"), program);
    folder.Kit("one.kit", {folder.Tone("tone.wav", 4410, 100)}, true);
    Pattern cells{};
    for (int c = 0; c < kColumns; ++c) cells[CellIndex(c, 0)] = MakeCell(255, 128, 128);
    folder.PatternFile("lit.pat", cells, 120);
    fs::create_directories(folder.dir.Path() / "config" / "Quarnel");
    Store("system");
    setenv("XDG_CONFIG_HOME", folder.File("config").c_str(), 1);  // read by the program started
  }
  void Store(const std::string& device) {
    test::WriteText(settings, "[Audio%20Settings]\naudio%20device=" + device + "\n");
  }
  pid_t Start(const std::string& binary, const std::vector<std::string>& args) {
    return test::StartTond(binary, args, folder.dir.Path().string(), folder.File("out"),
                           folder.File("err"));
  }
  // The line appears once the signals are caught and playback is about to start.
  void WaitUntilPlaying() {
    for (int i = 0;
         i < 2000 && test::ReadText(folder.File("err")).find("Playing") == std::string::npos; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  // Runs the program copy to its end: its exit code, standard output and error.
  test::TondResult Run(const std::vector<std::string>& args) {
    test::TondResult result;
    result.exitCode = test::WaitTond(Start(program, args), 20);
    result.out = test::ReadText(folder.File("out"));
    result.err = test::ReadText(folder.File("err"));
    return result;
  }

  test::TondFolder folder;
  const std::string program = folder.File("bin/tond");
  const std::string settings = folder.File("config/Quarnel/Tond.ini");
};

TEST_F(Play, RecordsForTheGivenTimeOrUntilCtrlCAndWritesTheSettingsBack) {
  // The recording of the given run, whose name the program printed.
  auto recorded = [&](int run) {
    const std::string path = folder.File("bin/Output/output" + std::to_string(run) + ".wav");
    EXPECT_EQ(test::ReadText(folder.File("out")), path + "\n");
    const std::string said = test::ReadText(folder.File("err"));
    EXPECT_EQ(said.find("Tond plays"), std::string::npos) << said;  // no word about the device
    test::Recording r = test::ReadRecording(path);  // the header agrees with the data
    std::size_t nonZero = 0;
    for (std::int16_t s : r.samples) nonZero += s != 0;
    EXPECT_GT(nonZero, r.samples.size() / 2);
    return r.Frames();
  };
  auto start = [&](const std::string& seconds) {
    std::vector<std::string> args{"play", "lit.pat", "--kit", "one.kit", "--record"};
    if (!seconds.empty()) args.insert(args.end(), {"--seconds", seconds});
    return Start(program, args);
  };

  ASSERT_EQ(test::WaitTond(start("1"), 20), 0);
  const std::uint32_t frames = recorded(1);
  EXPECT_GT(frames, 0.85 * 44100);
  EXPECT_LT(frames, 1.5 * 44100);
  // Start-up made the data folders; shut-down wrote every setting.
  EXPECT_TRUE(fs::is_directory(folder.File("bin/Patterns")));
  const std::string stored = test::ReadText(settings);
  EXPECT_NE(stored.find("audio%20device=system"), std::string::npos);
  EXPECT_NE(stored.find("cc%20blue=24"), std::string::npos);

  pid_t pid = start("");
  WaitUntilPlaying();
  std::this_thread::sleep_for(std::chrono::seconds(1));
  kill(pid, SIGINT);
  ASSERT_EQ(test::WaitTond(pid, 20), 0);
  EXPECT_GT(recorded(2), 0.3 * 44100);
}

TEST_F(Play, AFullDiskEndsTheRecordingWithTheReasonAndExitCode1) {
  // The Output folder on a filesystem of 256 KiB, about 1.5 s of recording. Where mounting is not
  // allowed, files are limited to that size once the program plays: earlier, the audio
  // libraries' own shared files would be cut short.
  const std::string output = folder.File("bin/Output");
  fs::create_directory(output);
  const bool mounted =
      std::system(("mount -t tmpfs -o size=256k tmpfs '" + output + "' 2>/dev/null").c_str()) == 0;
  std::vector<std::string> args{"play",     "lit.pat",   "--kit", "one.kit",
                                "--record", "--seconds", "60"};
  if (!mounted) args.insert(args.begin(), {"-c", "trap '' XFSZ; exec \"$0\" \"$@\"", program});
  const pid_t pid = Start(mounted ? program : "/bin/sh", args);
  if (!mounted) {
    WaitUntilPlaying();
    const rlimit limit{256 << 10, RLIM_INFINITY};
    ASSERT_EQ(prlimit(pid, RLIMIT_FSIZE, &limit, nullptr), 0);
  }
  const int code = test::WaitTond(pid, 20);
  if (mounted) std::system(("umount '" + output + "'").c_str());
  EXPECT_EQ(code, 1);  // at once, not after the 60 seconds
  EXPECT_THAT(test::ReadText(folder.File("err")),
              HasSubstr("Error: unable to save the file:\n " + output + "/output1.wav\n" +
                        (mounted ? "No space left on device" : "File too large") + "\n"));
  EXPECT_EQ(test::ReadText(folder.File("out")), "");
}

// `tond devices` names the devices as the settings do; --device plays through one for this run
// only, --volume sets the level, and a stored card that is gone is played around and named.
TEST_F(Play, DevicesAreListedAndChosenByNameAndAMissingOneIsNamed) {
  const test::TondResult listed = test::RunTond({"devices"}, folder.dir.Path().string());
  EXPECT_EQ(listed.exitCode, 0);
  EXPECT_THAT(listed.out, HasSubstr("\n  system\n"));
  EXPECT_THAT(listed.out, ::testing::ContainsRegex("\n\\* [^\n]+\n"));  // the default
  EXPECT_THAT(listed.out, HasSubstr("MIDI inputs"));

  test::TondResult run = Run({"play", "lit.pat", "--kit", "one.kit", "--device", "Sys"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_THAT(run.err, HasSubstr("no audio output device is named \"Sys\"; there are:"));
  EXPECT_THAT(run.err, HasSubstr("\n  system\n"));

  Store("Gone Card");
  run = Run({"play", "lit.pat", "--kit", "one.kit", "--seconds", "0.2"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_THAT(run.err,
              HasSubstr("The audio device \"Gone Card\" is not there: Tond plays through"));
  run = Run({"play", "lit.pat", "--kit", "one.kit", "--seconds", "0.5", "--record", "--device",
             "system", "--volume", "0"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err.find("Tond plays"), std::string::npos) << run.err;
  const test::Recording silent = test::ReadRecording(folder.File("bin/Output/output1.wav"));
  EXPECT_GT(silent.Frames(), 0u);
  EXPECT_EQ(std::count(silent.samples.begin(), silent.samples.end(), 0),
            static_cast<std::ptrdiff_t>(silent.samples.size()));
  EXPECT_THAT(test::ReadText(settings), HasSubstr("audio%20device=Gone Card"));
}

}  // namespace
}  // namespace tond
