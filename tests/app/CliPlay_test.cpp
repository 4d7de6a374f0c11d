// tond play against the test JACK server: the program starts as it does for the window, plays,
// records and shuts down cleanly, also when interrupted.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "RunTond.h"
#include "engine/RecordingFile.h"

namespace tond {
namespace {

namespace fs = std::filesystem;

TEST(Play, RecordsForTheGivenTimeOrUntilCtrlCAndWritesTheSettingsBack) {
  if (!test::LiveAudioAvailable()) GTEST_SKIP() << "needs the test JACK server (run by ctest)";
  // A program folder of its own (a copy of the program, so that its Output folder is private)
  // below the working folder, which holds a kit whose slot 0 loops a tone, a pattern that lights
  // row 0 on every step, and a settings store that plays through the test server's output.
  test::TondFolder folder;
  const std::string program = folder.File("bin/tond");
  fs::create_directory(folder.File("bin"));
  fs::copy_file(std::getenv("TOND_BINARY"), program);
  folder.Kit("one.kit", {folder.Tone("tone.wav", 4410, 100)}, true);
  Pattern cells{};
  for (int c = 0; c < kColumns; ++c) cells[CellIndex(c, 0)] = MakeCell(255, 128, 128);
  folder.PatternFile("lit.pat", cells, 120);
  fs::create_directories(folder.dir.Path() / "config" / "Quarnel");
  test::WriteText(folder.File("config/Quarnel/Tond.ini"),
                  "[Audio%20Settings]\naudio%20device=system\n");
  setenv("XDG_CONFIG_HOME", folder.File("config").c_str(), 1);  // read by the program started

  // The recording of the given run, whose name the program printed.
  auto recorded = [&](int run) {
    const std::string path = folder.File("bin/Output/output" + std::to_string(run) + ".wav");
    EXPECT_EQ(test::ReadText(folder.File("out")), path + "\n");
    const std::string said = test::ReadText(folder.File("err"));
    EXPECT_EQ(said.find("without sound"), std::string::npos) << said;
    test::Recording r = test::ReadRecording(path);  // the header agrees with the data
    std::size_t nonZero = 0;
    for (std::int16_t s : r.samples) nonZero += s != 0;
    EXPECT_GT(nonZero, r.samples.size() / 2);
    return r.Frames();
  };
  auto start = [&](const std::string& seconds) {
    std::vector<std::string> args{"play", "lit.pat", "--kit", "one.kit", "--record"};
    if (!seconds.empty()) args.insert(args.end(), {"--seconds", seconds});
    return test::StartTond(program, args, folder.dir.Path().string(), folder.File("out"),
                           folder.File("err"));
  };

  ASSERT_EQ(test::WaitTond(start("1"), 20), 0);
  const std::uint32_t frames = recorded(1);
  EXPECT_GT(frames, 0.85 * 44100);
  EXPECT_LT(frames, 1.5 * 44100);
  // Start-up made the data folders; shut-down wrote every setting.
  EXPECT_TRUE(fs::is_directory(folder.File("bin/Patterns")));
  std::string settings = test::ReadText(folder.File("config/Quarnel/Tond.ini"));
  EXPECT_NE(settings.find("audio%20device=system"), std::string::npos);
  EXPECT_NE(settings.find("cc%20blue=24"), std::string::npos);

  pid_t pid = start("");
  // The line appears once the signals are caught and playback is about to start.
  for (int i = 0;
       i < 2000 && test::ReadText(folder.File("err")).find("Playing") == std::string::npos; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  std::this_thread::sleep_for(std::chrono::seconds(1));
  kill(pid, SIGINT);
  ASSERT_EQ(test::WaitTond(pid, 20), 0);
  EXPECT_GT(recorded(2), 0.3 * 44100);
}

}  // namespace
}  // namespace tond
