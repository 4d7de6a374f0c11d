#include "engine/Export.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/Engine.h"
#include "kit/Kit.h"
#include "support/TestFiles.h"

namespace tond {
namespace {

struct Rig {
  Grid grid;
  CKit kit;
  Engine engine{grid, kit};
};

TEST(Export, FramesCoverOnePassAtTheTempoTheEnginePlaysAndTheRoundingLeftOver) {
  EXPECT_EQ(ExportFrames(120), 352800u);  // 64 steps of 5512 frames and 32 more
  EXPECT_EQ(ExportFrames(0), 42336000u);  // as at tempo 1, never a division by zero
  Rig rig;
  rig.engine.SetTempo(500);  // plays at 350: the file must hold a whole pass at 350
  EXPECT_EQ(RenderExport(rig.engine).size(), 2u * ExportFrames(350));
}

TEST(Export, OnePassFromAFreshEngineWithThePeakAtFullScale) {
  auto rig = std::make_unique<Rig>();
  Engine& engine = rig->engine;
  rig->kit[0].data = {0.25f, -0.25f, 0.125f, 0.0f};
  // Full red, full left; at blue 128 the rate is just above 1, so truncate reads frames 0, 1, 2.
  rig->grid.Set(0, 0, MakeCell(255, 0, 128));
  engine.SetVolume(0.5f);
  engine.SetInterpolation(kTruncate);
  engine.SetTempo(120.5);  // truncated, as the engine plays it
  test::TempDir dir;
  ASSERT_TRUE(ExportWave(engine, dir.File("peak.wav")));
  const test::Bytes wave = test::ReadBytes(dir.File("peak.wav"));
  ASSERT_EQ(wave.size(), 44u + 1411200u);
  EXPECT_EQ(test::GetU32(wave, 4), 1411236u);
  EXPECT_EQ(test::GetU32(wave, 40), 1411200u);
  // Left and right of frames 0-2, silence, and the same again in the 32 frames of column 0
  // that close the pass.
  test::Bytes head;
  for (int v : {32767, 0, -32767, 0, 16383, 0}) test::PutU16(head, static_cast<std::uint16_t>(v));
  const auto next = wave.end() - 32 * 4;
  EXPECT_EQ(test::Bytes(wave.begin() + 44, wave.begin() + 56), head);
  EXPECT_EQ(test::Bytes(wave.begin() + 56, next), test::Bytes(next - wave.begin() - 56, 0));
  EXPECT_EQ(test::Bytes(next, next + 12), head);

  // Playing half way through a step, with a preview sounding: the render starts afresh all the
  // same, and leaves the engine stopped, unmuted and reset.
  const std::vector<float> fresh = RenderExport(engine);
  engine.playing = true;
  engine.PlayPreview(0, MakeCell(255, 0, 0));
  std::vector<float> out(2 * 1000);
  engine.Process(1000, out.data());
  EXPECT_EQ(RenderExport(engine), fresh);
  EXPECT_FALSE(engine.muted);
  EXPECT_FALSE(engine.playing);
  engine.playing = true;
  engine.Process(1000, out.data());
  EXPECT_EQ(out, std::vector<float>(fresh.begin(), fresh.begin() + 2000));
}

}  // namespace
}  // namespace tond
