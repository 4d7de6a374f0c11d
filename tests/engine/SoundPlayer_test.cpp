#include "engine/SoundPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "support/TestFiles.h"

namespace tond {
namespace {

// A mono 16-bit file of `frames` samples of 8192, which reads as 0.25.
std::string WriteClip(const test::TempDir& dir, const std::string& name, std::size_t frames) {
  test::WriteBytes(dir.File(name), test::MakeWave16(std::vector<std::int16_t>(frames, 8192)));
  return dir.File(name);
}

TEST(SoundPlayer, AddsTheClipUntilItEndsOrStops) {
  test::TempDir dir;
  const std::string clip = WriteClip(dir, "a.wav", 1000);
  SoundPlayer player;
  EXPECT_FALSE(player.IsPlaying());
  ASSERT_TRUE(player.Play(clip, nullptr));
  EXPECT_TRUE(player.IsPlaying());
  std::vector<float> out(2 * 1536, 0.125f);  // what the engine rendered
  for (std::size_t at = 0; at < 1536; at += 256) player.Mix(out.data() + 2 * at, 256);
  for (std::size_t i = 0; i < out.size(); ++i) {
    ASSERT_FLOAT_EQ(out[i], i < 2000 ? 0.375f : 0.125f) << i;
  }
  EXPECT_FALSE(player.IsPlaying());

  // Played again it starts from the beginning; Stop, or a file that cannot be read, silences it.
  auto next = [&] {
    float frame[2] = {0.0f, 0.0f};
    player.Mix(frame, 1);
    return frame[0];
  };
  ASSERT_TRUE(player.Play(clip, nullptr));
  EXPECT_FLOAT_EQ(next(), 0.25f);
  player.Stop();
  EXPECT_FALSE(player.IsPlaying());
  EXPECT_EQ(next(), 0.0f);
  ASSERT_TRUE(player.Play(clip, nullptr));
  EXPECT_FALSE(player.Play(dir.File("missing.wav"), nullptr));
  EXPECT_FALSE(player.IsPlaying());
  EXPECT_EQ(next(), 0.0f);
}

// Clips are replaced and freed while the audio thread mixes without pause; under the address
// sanitizer a clip freed too early shows up as a use after free.
TEST(SoundPlayer, ReplacingClipsWhileMixingIsSafe) {
  test::TempDir dir;
  const std::string clips[] = {WriteClip(dir, "a.wav", 40000), WriteClip(dir, "b.wav", 30000)};
  SoundPlayer player;
  std::atomic<bool> done{false}, wrong{false};
  std::thread audio([&] {
    std::vector<float> out(2 * 4096);
    while (!done.load()) {
      std::fill(out.begin(), out.end(), 0.0f);
      player.Mix(out.data(), 4096);
      if (out.front() != 0.0f && out.front() != 0.25f) wrong = true;
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

}  // namespace
}  // namespace tond
