// tond play against the test JACK server: the program starts as it does for the window, plays,
// records and shuts down cleanly, also when interrupted.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "RunTond.h"
#include "engine/RecordingFile.h"
#include "files/PatternFile.h"
#include "support/TestFiles.h"

namespace tond {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr double kRate = 44100;

// Starts `program args...` in `folder` with its standard output and error going to `out` and
// `err`.
pid_t Spawn(const std::string& program, std::vector<std::string> args, const std::string& folder,
            const std::string& out, const std::string& err) {
  args.insert(args.begin(), program);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int in = open("/dev/null", O_RDONLY);
    if (outFd < 0 || errFd < 0 || in < 0 || chdir(folder.c_str()) != 0) _exit(127);
    dup2(outFd, 1), dup2(errFd, 2), dup2(in, 0);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  return pid;
}

// The exit status, or -1 when the process had to be killed after `limit` or died of a signal.
int Wait(pid_t pid, std::chrono::seconds limit) {
  auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(5ms);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A program folder of its own (a copy of the program, so that its Output folder is private), a
// kit whose slot 0 holds a looping tone, a pattern that lights row 0 on every step, and a
// settings store that plays through the test server's output.
class Play : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::LiveAudioAvailable()) GTEST_SKIP() << "needs the test JACK server (run by ctest)";
    fs::copy_file(std::getenv("TOND_BINARY"), program);
    std::vector<std::int16_t> tone;
    for (int i = 0; i < 441; ++i) tone.push_back(i < 220 ? 12000 : -12000);
    test::WriteBytes(dir.File("tone.wav"), test::MakeWave16(tone));
    test::WriteText(dir.File("one.kit"),
                    "<?xml version=\"1.0\"?>\r\n<TondKit>\r\n\t<instrument>\r\n"
                    "\t\t<sample name = \"" +
                        dir.File("tone.wav") +
                        "\"/>\r\n"
                        "\t\t<loop value = \"yes\"/>\r\n\t\t<fade value = \"no\"/>\r\n"
                        "\t</instrument>\r\n</TondKit>\r\n");
    Pattern cells{};
    for (int c = 0; c < kColumns; ++c) cells[CellIndex(c, 0)] = MakeCell(255, 128, 128);
    test::WriteBytes(dir.File("lit.pat"), EncodePatternFile(cells, 120));
    fs::create_directories(dir.Path() / "config" / "Quarnel");
    test::WriteText(dir.File("config/Quarnel/Tond.ini"),
                    "[Audio%20Settings]\naudio%20device=system\n");
    const char* previous = std::getenv("XDG_CONFIG_HOME");
    if (previous) previousConfig_ = previous;
    setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);
  }
  void TearDown() override {
    if (previousConfig_)
      setenv("XDG_CONFIG_HOME", previousConfig_->c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
  }

  pid_t Start(std::vector<std::string> extra) {
    std::vector<std::string> args{"play", "lit.pat", "--kit", "one.kit", "--record"};
    args.insert(args.end(), extra.begin(), extra.end());
    return Spawn(program, args, dir.Path().string(), dir.File("out"), dir.File("err"));
  }

  // What the program said on standard error.
  std::string Said() const { return test::ReadText(dir.File("err")); }

  // The recording the program named on its standard output.
  test::Recording Recorded() {
    std::string out = test::ReadText(dir.File("out"));
    EXPECT_EQ(out, dir.File("Output/output1.wav") + "\n");
    EXPECT_EQ(Said().find("without sound"), std::string::npos) << Said();
    return test::ReadRecording(dir.File("Output/output1.wav"));
  }

  test::TempDir dir;
  const std::string program = dir.File("tond");

 private:
  std::optional<std::string> previousConfig_;
};

std::size_t NonZero(const test::Recording& r) {
  std::size_t n = 0;
  for (std::int16_t s : r.samples) n += s != 0;
  return n;
}

TEST_F(Play, RecordsForTheGivenTimeAndWritesTheSettingsBack) {
  ASSERT_EQ(Wait(Start({"--seconds", "1"}), 20s), 0);
  test::Recording r = Recorded();
  EXPECT_GT(r.Frames(), 0.85 * kRate);
  EXPECT_LT(r.Frames(), 1.5 * kRate);
  EXPECT_GT(NonZero(r), r.samples.size() / 2);
  // Start-up made the data folders; shut-down wrote every setting.
  EXPECT_TRUE(fs::is_directory(dir.Path() / "Patterns"));
  std::string settings = test::ReadText(dir.File("config/Quarnel/Tond.ini"));
  EXPECT_NE(settings.find("audio%20device=system"), std::string::npos);
  EXPECT_NE(settings.find("cc%20blue=24"), std::string::npos);
}

TEST_F(Play, CtrlCEndsPlaybackWithAFinishedRecording) {
  pid_t pid = Start({});
  // The line appears once the signals are caught and playback is about to start.
  for (int i = 0; i < 2000 && Said().find("Playing") == std::string::npos; ++i)
    std::this_thread::sleep_for(5ms);
  std::this_thread::sleep_for(1000ms);
  kill(pid, SIGINT);
  ASSERT_EQ(Wait(pid, 20s), 0);
  test::Recording r = Recorded();  // the header agrees with the data
  EXPECT_GT(r.Frames(), 0.3 * kRate);
  EXPECT_GT(NonZero(r), 0u);
}

TEST(PlayArguments, AreCheckedBeforeAnythingStarts) {
  test::TempDir dir;
  EXPECT_EQ(test::RunTond({"play", "a.pat", "--pattern", "1"}, dir.Path().string()).exitCode, 2);
  EXPECT_EQ(test::RunTond({"play", "a.blp", "--seconds", "0"}, dir.Path().string()).exitCode, 2);
  EXPECT_TRUE(fs::is_empty(dir.Path()));
}

}  // namespace
}  // namespace tond
