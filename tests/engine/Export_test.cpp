#include "engine/Export.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/Engine.h"
#include "kit/Kit.h"
#include "support/TestFiles.h"

namespace tond {
namespace {

using test::Bytes;
using test::GetU32;

struct Rig {
  Rig() : engine(grid, kit) {}
  Grid grid;
  CKit kit;
  Engine engine;
};

std::int16_t Sample(const Bytes& wave, std::size_t index) {
  return static_cast<std::int16_t>(test::GetU16(wave, 44 + 2 * index));
}

TEST(Export, FramesCoverOnePassAndTheRoundingLeftOver) {
  EXPECT_EQ(ExportFrames(1), 42336000u);
  EXPECT_EQ(ExportFrames(120), 352800u);  // 64 steps of 5512 frames and 32 more
  EXPECT_EQ(ExportFrames(350), 120960u);
  EXPECT_EQ(ExportFrames(0), 42336000u);
}

TEST(Export, EmptyPatternWritesSilence) {
  test::TempDir dir;
  auto rig = std::make_unique<Rig>();
  std::string path = dir.File("empty.wav");
  ASSERT_TRUE(ExportWave(rig->engine, path));
  Bytes wave = test::ReadBytes(path);
  ASSERT_EQ(wave.size(), 44u + 1411200u);
  EXPECT_EQ(GetU32(wave, 4), 1411236u);
  EXPECT_EQ(GetU32(wave, 40), 1411200u);
  EXPECT_EQ(Bytes(wave.begin() + 44, wave.end()), Bytes(1411200, 0));
}

TEST(Export, PeakBecomesFullScale) {
  test::TempDir dir;
  auto rig = std::make_unique<Rig>();
  rig->kit[0].samplePath = "peak";
  rig->kit[0].data = {0.25f, -0.25f, 0.125f, 0.0f};
  // Full red, full left; at blue 128 the rate is just above 1, so truncate reads frames 0, 1, 2.
  rig->grid.Set(0, 0, MakeCell(255, 0, 128));
  rig->engine.SetVolume(1.0f);
  rig->engine.SetInterpolation(kTruncate);
  std::string path = dir.File("peak.wav");
  ASSERT_TRUE(ExportWave(rig->engine, path));
  Bytes wave = test::ReadBytes(path);
  ASSERT_EQ(wave.size(), 44u + 1411200u);
  EXPECT_EQ(Sample(wave, 0), 32767);
  EXPECT_EQ(Sample(wave, 1), 0);  // right
  EXPECT_EQ(Sample(wave, 2), -32767);
  EXPECT_EQ(Sample(wave, 4), 16383);
}

TEST(Export, RenderStartsFreshAndLeavesTheEngineReset) {
  auto used = std::make_unique<Rig>();
  auto fresh = std::make_unique<Rig>();
  for (Rig* rig : {used.get(), fresh.get()}) {
    rig->kit[3].samplePath = "ramp";
    for (int i = 0; i < 8000; ++i) rig->kit[3].data.push_back(static_cast<float>(i) / 8000);
    rig->grid.Set(0, 3, MakeCell(255, 128, 128));
    rig->grid.Set(5, 3, MakeCell(100, 30, 0));
    rig->engine.SetTempo(120.5);  // the pass ends 32 frames into the next one
  }
  // Playing, half way through a step.
  used->engine.playing = true;
  std::vector<float> scratch(2 * 1000);
  used->engine.Process(1000, scratch.data());

  std::vector<float> expected = RenderExport(fresh->engine);
  std::vector<float> got = RenderExport(used->engine);
  ASSERT_EQ(got.size(), 2u * 352800u);
  EXPECT_EQ(got, expected);
  EXPECT_FALSE(used->engine.muted);
  EXPECT_FALSE(used->engine.playing);

  // Playback after the export starts again at column 0.
  std::vector<float> after(2 * 2000), first(2 * 2000);
  used->engine.playing = true;
  used->engine.Process(2000, after.data());
  fresh->engine.Reset();
  fresh->engine.playing = true;
  fresh->engine.Process(2000, first.data());
  EXPECT_EQ(after, first);
  EXPECT_NE(after, std::vector<float>(after.size(), 0.0f));
}

}  // namespace
}  // namespace tond
