#include "engine/SoundPlayer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <chrono>
#include <thread>
#include <vector>

#include "engine/AudioStream.h"
#include "engine/Engine.h"
#include "engine/RecordingFile.h"
#include "kit/Kit.h"
#include "model/Pattern.h"
#include "support/TestFiles.h"

namespace tond {
namespace {

// A mono 16-bit file of `frames` samples of `value` (8192 reads as 0.25).
std::string WriteClip(const test::TempDir& dir, const std::string& name, std::size_t frames,
                      std::int16_t value) {
  const std::string path = dir.File(name);
  test::WriteBytes(path, test::MakeWave16(std::vector<std::int16_t>(frames, value)));
  return path;
}

TEST(SoundPlayer, AddsTheClipToTheOutputUntilItEnds) {
  test::TempDir dir;
  SoundPlayer player;
  EXPECT_FALSE(player.IsPlaying());
  ASSERT_TRUE(player.Play(WriteClip(dir, "a.wav", 1000, 8192), nullptr));
  EXPECT_TRUE(player.IsPlaying());

  std::vector<float> out(2 * 1536, 0.125f);  // what the engine rendered
  for (std::size_t at = 0; at < 1536; at += 256) player.Mix(out.data() + 2 * at, 256);
  for (std::size_t i = 0; i < out.size(); ++i) {
    ASSERT_FLOAT_EQ(out[i], i < 2000 ? 0.375f : 0.125f) << i;
  }
  EXPECT_FALSE(player.IsPlaying());
}

TEST(SoundPlayer, StopAndAFileThatCannotBeReadSilenceIt) {
  test::TempDir dir;
  SoundPlayer player;
  const std::string clip = WriteClip(dir, "a.wav", 10000, 8192);
  std::vector<float> out(2 * 256, 0.0f);

  ASSERT_TRUE(player.Play(clip, nullptr));
  player.Mix(out.data(), 256);
  EXPECT_FLOAT_EQ(out[0], 0.25f);
  player.Stop();
  EXPECT_FALSE(player.IsPlaying());
  std::fill(out.begin(), out.end(), 0.0f);
  player.Mix(out.data(), 256);
  EXPECT_EQ(out, std::vector<float>(2 * 256, 0.0f));

  // Playing again starts from the beginning; a missing file stops what played.
  ASSERT_TRUE(player.Play(clip, nullptr));
  player.Mix(out.data(), 256);
  EXPECT_FLOAT_EQ(out[0], 0.25f);
  EXPECT_FALSE(player.Play(dir.File("missing.wav"), nullptr));
  EXPECT_FALSE(player.IsPlaying());
  std::fill(out.begin(), out.end(), 0.0f);
  player.Mix(out.data(), 256);
  EXPECT_EQ(out, std::vector<float>(2 * 256, 0.0f));
}

// Clips are replaced and freed while the audio thread mixes without pause; under the address
// sanitizer a clip freed too early shows up as a use after free.
TEST(SoundPlayer, ReplacingClipsWhileMixingIsSafe) {
  test::TempDir dir;
  const std::string clips[] = {WriteClip(dir, "a.wav", 40000, 8192),
                               WriteClip(dir, "b.wav", 30000, -8192)};
  SoundPlayer player;
  std::atomic<bool> done{false};
  std::atomic<bool> wrong{false};
  std::thread audio([&] {
    std::vector<float> out(2 * 4096);
    while (!done.load()) {
      std::fill(out.begin(), out.end(), 0.0f);
      player.Mix(out.data(), 4096);
      if (std::abs(out.front()) != 0.0f && std::abs(out.front()) != 0.25f) wrong = true;
    }
  });
  for (int i = 0; i < 200; ++i) {
    ASSERT_TRUE(player.Play(clips[i % 2], nullptr));
    player.Stop();
  }
  done = true;
  audio.join();
  EXPECT_FALSE(wrong);
}

// Through a running stream: the clip's frames reach the device (and so the recording) after
// the engine's silence, exactly once.
TEST(SoundPlayer, PlaysThroughTheRunningStream) {
  if (!test::LiveAudioAvailable()) GTEST_SKIP() << "needs the test JACK server (run by ctest)";
  Grid grid;
  CKit kit;
  Engine engine(grid, kit);
  AudioStream stream;
  ASSERT_TRUE(stream.Open(engine, "system", 256, 0));
  ASSERT_TRUE(stream.Start());
  test::TempDir dir;
  const std::string clip = WriteClip(dir, "clip.wav", 4410, 8192);
  ASSERT_TRUE(stream.GetRecorder().Start(dir.Path().string(), nullptr));

  ASSERT_TRUE(stream.GetPlayer().Play(clip, nullptr));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (stream.GetPlayer().IsPlaying() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(stream.GetPlayer().IsPlaying());
  stream.GetRecorder().Stop();
  stream.Close();

  test::Recording r = test::ReadRecording(stream.GetRecorder().Path());
  std::size_t first = r.samples.size();
  std::size_t count = 0;
  for (std::size_t i = 0; i < r.samples.size(); ++i) {
    if (r.samples[i] == 0) continue;
    ASSERT_EQ(r.samples[i], 8191) << i;
    first = std::min(first, i);
    ++count;
  }
  EXPECT_EQ(count, 2u * 4410);
  // One unbroken run.
  for (std::size_t i = first; i < first + count && i < r.samples.size(); ++i) {
    ASSERT_EQ(r.samples[i], 8191) << i;
  }
  EXPECT_EQ(stream.GetRecorder().LostFrames(), 0u);
}

}  // namespace
}  // namespace tond
