#include "engine/AudioStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "engine/Engine.h"
#include "engine/Export.h"
#include "engine/RecordingFile.h"
#include "kit/Kit.h"
#include "model/Pattern.h"
#include "support/TestFiles.h"

namespace tond {
namespace {

using Clock = std::chrono::steady_clock;

// The JACK dummy server's output: paced in real time.
constexpr const char* kJack = "system";
// The null ALSA device: takes buffers as fast as they come.
constexpr const char* kNull = "default";

// A pattern whose row 0 sounds a steady sample on every step.
class AudioStreamLive : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::LiveAudioAvailable()) GTEST_SKIP() << "needs the test JACK server (run by ctest)";
    kit[0].data.assign(44100, 0.5f);
    for (int column = 0; column < kColumns; ++column) grid.Set(column, 0, 0x808080);
    engine.playing = true;
  }

  Grid grid;
  CKit kit;
  Engine engine{grid, kit};
  test::TempDir dir;
};

TEST(AudioStreamTitle, ShowsTheLoadAsATruncatedPercentage) {
  EXPECT_EQ(LoadTitle(0.257), "Tond 1.02  -  CPU load: 25%");
  EXPECT_EQ(LoadTitle(0.0), "Tond 1.02  -  CPU load: 0%");
  EXPECT_EQ(LoadTitle(1.5), "Tond 1.02  -  CPU load: 150%");
}

TEST_F(AudioStreamLive, DevicesAreFoundByTheirExactNameAndAMissingOneLeavesTheProgramSilent) {
  AudioStream stream;
  const std::vector<std::string> names = stream.OutputDeviceNames();
  for (const char* name : {kJack, kNull}) {
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
  }
  EXPECT_GE(std::min(stream.FindOutputDevice(kJack), stream.FindOutputDevice(kNull)), 0);
  EXPECT_NE(stream.FindOutputDevice(kJack), stream.FindOutputDevice(kNull));
  for (const char* name : {"System", "syst", ""}) EXPECT_EQ(stream.FindOutputDevice(name), -1);
  EXPECT_GE(stream.FindOutputDevice(stream.DefaultDeviceName()), 0);
  // A card that is gone plays through the default device.
  EXPECT_EQ(stream.DeviceFor(kJack), kJack);
  EXPECT_EQ(stream.DeviceFor("System"), stream.DefaultDeviceName());

  EXPECT_FALSE(stream.Open(engine, "System", 256, 0));
  EXPECT_FALSE(stream.Start());
  EXPECT_FALSE(stream.IsRunning());
  EXPECT_EQ(stream.CpuLoad(), 0.0);
  // Recording still works; it just receives nothing.
  ASSERT_TRUE(stream.GetRecorder().Start(dir.Path().string(), nullptr));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  stream.GetRecorder().Stop();
  EXPECT_EQ(test::ReadRecording(stream.GetRecorder().Path()).factFrames, 0u);
  EXPECT_EQ(engine.PlayColumn(), -1);
}

// The recording holds exactly the buffers the device was given: while muted, zeros plus the
// sound player's clip, exactly once and unbroken; then the pattern.
TEST_F(AudioStreamLive, TheRecordingHoldsWhatTheDeviceWasGiven) {
  const std::string clip = dir.File("clip.wav");
  test::WriteBytes(clip, test::MakeWave16(std::vector<std::int16_t>(4410, 8192)));
  engine.muted = true;
  AudioStream stream;
  ASSERT_TRUE(stream.Open(engine, kJack, 256, 0));
  ASSERT_TRUE(stream.Start());
  Recorder& recorder = stream.GetRecorder();
  ASSERT_TRUE(recorder.Start(dir.Path().string(), nullptr));
  ASSERT_TRUE(stream.GetPlayer().Play(clip, nullptr));
  for (auto end = Clock::now() + std::chrono::seconds(3);
       stream.GetPlayer().IsPlaying() && Clock::now() < end;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  recorder.Stop();
  const std::vector<std::int16_t> s = test::ReadRecording(recorder.Path()).samples;
  const auto first = std::find_if(s.begin(), s.end(), [](std::int16_t v) { return v != 0; });
  ASSERT_GE(s.end() - first, 2 * 4410);
  EXPECT_EQ(std::count(first, first + 2 * 4410, 8191), 2 * 4410);
  EXPECT_EQ(std::count(first + 2 * 4410, s.end(), 0), s.end() - first - 2 * 4410);
  EXPECT_EQ(engine.PlayColumn(), -1);  // the callback stays out of the engine

  // Playing for a second: up to one buffer (256 frames) at each end depends on where Start()
  // and Stop() fall.
  engine.muted = false;
  const auto before = Clock::now();
  const std::uint64_t playedBefore = stream.FramesPlayed();
  ASSERT_TRUE(recorder.Start(dir.Path().string(), nullptr));
  const std::uint64_t playedStarted = stream.FramesPlayed();
  std::this_thread::sleep_for(std::chrono::seconds(1));
  const std::uint64_t playedStopping = stream.FramesPlayed();
  recorder.Stop();
  const std::uint64_t playedAfter = stream.FramesPlayed();
  const double seconds = std::chrono::duration<double>(Clock::now() - before).count();

  const test::Recording r = test::ReadRecording(recorder.Path());
  EXPECT_GE(r.factFrames + 256, playedStopping - playedStarted);
  EXPECT_LE(r.factFrames, playedAfter - playedBefore + 256);
  EXPECT_EQ(r.factFrames % 256, 0u);
  EXPECT_EQ(recorder.LostFrames(), 0u);
  EXPECT_GT(std::count_if(r.samples.begin(), r.samples.end(), [](auto v) { return v != 0; }),
            static_cast<long>(r.samples.size() / 2));
  // Paced in real time: never more than the wall clock allows; a starved machine may give less.
  EXPECT_LE(r.factFrames, seconds * 44100 + 512);
  EXPECT_GT(r.factFrames, 44100 / 2);
  EXPECT_GE(stream.CpuLoad(), 0.0);
  EXPECT_LT(stream.CpuLoad(), 1.0);
  stream.Close();
  EXPECT_FALSE(stream.IsRunning());
}

// Sample memory changes hands while the stream runs: a kit changed after Quiesce() and played,
// a preview of a new sample, an export between callbacks. ThreadSanitizer checks the hand-overs;
// each export hears the samples just written.
TEST_F(AudioStreamLive, NewSamplesReachTheAudioThreadAndTheExportWhileTheStreamRuns) {
  AudioStream stream;
  ASSERT_TRUE(stream.Open(engine, kJack, 256, 0));
  ASSERT_TRUE(stream.Start());
  float last = 0.0f;
  for (int round = 1; round <= 3; ++round) {
    engine.Quiesce();
    kit[0].data.assign(44100 + round, 0.25f * static_cast<float>(round));  // new memory
    kit[1].data.assign(44100, 0.1f);
    engine.PlayPreview(1, 0x808080);
    engine.playing = true;
    const std::uint64_t played = stream.FramesPlayed();
    for (auto end = Clock::now() + std::chrono::seconds(3);
         stream.FramesPlayed() < played + 2048 && Clock::now() < end;)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const std::vector<float> pass = RenderExport(engine);
    ASSERT_FALSE(pass.empty());
    const float peak = *std::max_element(pass.begin(), pass.end());
    EXPECT_GT(peak, last);
    last = peak;
  }
  EXPECT_GT(stream.FramesPlayed(), 3u * 2048);
}

}  // namespace
}  // namespace tond
