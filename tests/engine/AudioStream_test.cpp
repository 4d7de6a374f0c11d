#include "engine/AudioStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "engine/Engine.h"
#include "engine/RecordingFile.h"
#include "kit/Kit.h"
#include "model/Pattern.h"
#include "support/TestFiles.h"

namespace tond {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// The JACK dummy server's output: paced in real time.
constexpr const char* kJack = "system";
// The null ALSA device: takes buffers as fast as they come.
constexpr const char* kNull = "default";

// A pattern whose row 0 sounds a steady sample on every step.
class AudioStreamLive : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::LiveAudioAvailable()) GTEST_SKIP() << "needs the test JACK server (run by ctest)";
    kit[0].samplePath = "steady.wav";
    kit[0].data.assign(44100, 0.5f);
    for (int column = 0; column < kColumns; ++column) grid.Set(column, 0, 0x808080);
    engine.playing = true;
  }

  // Records for about `ms` milliseconds through the running stream.
  test::Recording Record(AudioStream& stream, int ms) {
    EXPECT_TRUE(stream.GetRecorder().Start(dir.Path().string(), nullptr));
    std::this_thread::sleep_for(milliseconds(ms));
    stream.GetRecorder().Stop();
    EXPECT_EQ(stream.GetRecorder().LostFrames(), 0u);
    return test::ReadRecording(stream.GetRecorder().Path());
  }

  Grid grid;
  CKit kit;
  Engine engine{grid, kit};
  test::TempDir dir;
};

std::size_t NonZero(const test::Recording& r) {
  return static_cast<std::size_t>(
      std::count_if(r.samples.begin(), r.samples.end(), [](std::int16_t s) { return s != 0; }));
}

TEST(AudioStreamTitle, ShowsTheLoadAsATruncatedPercentage) {
  EXPECT_EQ(LoadTitle(0.257), "Tond 1.02  -  CPU load: 25%");
  EXPECT_EQ(LoadTitle(0.0), "Tond 1.02  -  CPU load: 0%");
  EXPECT_EQ(LoadTitle(1.5), "Tond 1.02  -  CPU load: 150%");
}

TEST_F(AudioStreamLive, DevicesAreFoundByTheirExactName) {
  AudioStream stream;
  const std::vector<std::string> names = stream.OutputDeviceNames();
  EXPECT_NE(std::find(names.begin(), names.end(), kJack), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), kNull), names.end());
  EXPECT_GE(stream.FindOutputDevice(kJack), 0);
  EXPECT_NE(stream.FindOutputDevice(kJack), stream.FindOutputDevice(kNull));
  EXPECT_EQ(stream.FindOutputDevice("System"), -1);
  EXPECT_EQ(stream.FindOutputDevice("syst"), -1);
  EXPECT_EQ(stream.FindOutputDevice(""), -1);
  EXPECT_GE(stream.FindOutputDevice(stream.DefaultDeviceName()), 0);
}

TEST_F(AudioStreamLive, AMissingDeviceLeavesTheProgramSilent) {
  AudioStream stream;
  EXPECT_FALSE(stream.Open(engine, "a device that was unplugged", 256, 0));
  EXPECT_FALSE(stream.Start());
  EXPECT_FALSE(stream.IsRunning());
  EXPECT_EQ(stream.CpuLoad(), 0.0);
  // Recording still works; it just receives nothing.
  test::Recording r = Record(stream, 50);
  EXPECT_EQ(r.factFrames, 0u);
  EXPECT_EQ(engine.PlayColumn(), -1);
}

// No pacing needed: while muted the callback runs but the engine does not advance; unmuted, it
// does.
TEST_F(AudioStreamLive, MutedKeepsTheCallbackOutOfTheEngine) {
  engine.muted = true;
  AudioStream stream;
  ASSERT_TRUE(stream.Open(engine, kNull, 512, 2));
  ASSERT_TRUE(stream.Start());
  EXPECT_TRUE(stream.IsRunning());
  std::this_thread::sleep_for(milliseconds(50));
  EXPECT_EQ(engine.PlayColumn(), -1);
  EXPECT_EQ(engine.GetStepLength(), 0u);

  engine.muted = false;
  const auto deadline = Clock::now() + std::chrono::seconds(2);
  while (engine.PlayColumn() < 0 && Clock::now() < deadline) {
    std::this_thread::sleep_for(milliseconds(1));
  }
  EXPECT_GE(engine.PlayColumn(), 0);
  stream.Close();
  EXPECT_FALSE(stream.IsRunning());
}

TEST_F(AudioStreamLive, APlayingPatternReachesTheRecordingAndMutedGivesZeros) {
  AudioStream stream;
  ASSERT_TRUE(stream.Open(engine, kJack, 256, 0));
  ASSERT_TRUE(stream.Start());

  engine.muted = true;
  test::Recording muted = Record(stream, 200);
  EXPECT_GT(muted.Frames(), 4410u);
  EXPECT_EQ(NonZero(muted), 0u);

  engine.muted = false;
  test::Recording playing = Record(stream, 200);
  EXPECT_GT(playing.Frames(), 4410u);
  EXPECT_GT(NonZero(playing), playing.samples.size() / 2);
  const double load = stream.CpuLoad();
  EXPECT_GE(load, 0.0);
  EXPECT_LT(load, 1.0);
}

// The recording holds exactly the buffers the device was given while it ran: up to one buffer
// (256 frames) at each end depends on where Start() and Stop() fall.
TEST_F(AudioStreamLive, OneSecondRecordsAboutOneSecondOfFrames) {
  AudioStream stream;
  ASSERT_TRUE(stream.Open(engine, kJack, 256, 0));
  ASSERT_TRUE(stream.Start());
  Recorder& recorder = stream.GetRecorder();

  const auto before = Clock::now();
  const std::uint64_t playedBefore = stream.FramesPlayed();
  ASSERT_TRUE(recorder.Start(dir.Path().string(), nullptr));
  const std::uint64_t playedStarted = stream.FramesPlayed();
  std::this_thread::sleep_for(std::chrono::seconds(1));
  const std::uint64_t playedStopping = stream.FramesPlayed();
  recorder.Stop();
  const std::uint64_t playedAfter = stream.FramesPlayed();
  const double seconds = std::chrono::duration<double>(Clock::now() - before).count();

  test::Recording r = test::ReadRecording(recorder.Path());
  EXPECT_GE(r.factFrames + 256, playedStopping - playedStarted);
  EXPECT_LE(r.factFrames, playedAfter - playedBefore + 256);
  EXPECT_EQ(r.factFrames % 256, 0u);
  EXPECT_EQ(recorder.LostFrames(), 0u);
  EXPECT_GT(NonZero(r), 0u);
  // Paced in real time: never more than the wall clock allows; a starved machine may give less.
  EXPECT_LE(r.factFrames, seconds * 44100 + 512);
  EXPECT_GT(r.factFrames, 44100 / 2);
}

}  // namespace
}  // namespace tond
