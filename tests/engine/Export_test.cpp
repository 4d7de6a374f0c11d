#include "engine/Export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "engine/Engine.h"
#include "kit/Kit.h"
#include "kit/WaveWriter.h"
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

TEST(Export, ASongIsItsPassesBackToBackNormalisedOverTheWhole) {
  auto rig = std::make_unique<Rig>();
  rig->kit[0].data = std::vector<float>(8000, 0.5f);
  Pattern loud{}, quiet{};
  loud[CellIndex(0, 0)] = MakeCell(255, 128, 128);
  quiet[CellIndex(3, 0)] = MakeCell(64, 128, 128);
  auto pass = [&](const Pattern& cells, double tempo) {
    rig->grid.CopyFrom(cells);
    rig->engine.SetTempo(tempo);
    return RenderExport(rig->engine);
  };
  const std::vector<float> first = pass(loud, 120), second = pass(quiet, 61.5);
  rig->grid.CopyFrom(loud);  // not the last pass, so that a grid left as it is shows
  rig->engine.SetTempo(90);

  std::vector<float> song = RenderSong(rig->engine, rig->grid, {{loud, 120}, {quiet, 61.5}});
  ASSERT_EQ(song.size(), 2u * (ExportFrames(120) + ExportFrames(61)));
  EXPECT_EQ(std::vector<float>(song.begin(), song.begin() + first.size()), first);
  EXPECT_EQ(std::vector<float>(song.begin() + first.size(), song.end()), second);
  EXPECT_TRUE(rig->grid == loud);  // the working grid and tempo are as they were
  EXPECT_EQ(rig->engine.Tempo(), 90);

  // Normalised over the whole, the quiet pass stays a quarter as loud; as it is, the level is
  // the engine's (0.5 stays half scale) and what goes beyond full scale is clipped.
  auto peak16 = [](const test::Bytes& wave, std::size_t from, std::size_t to) {
    int peak = 0;
    for (std::size_t at = 44 + from * 2; at < 44 + to * 2; at += 2)
      peak = std::max(peak, std::abs(static_cast<std::int16_t>(test::GetU16(wave, at))));
    return peak;
  };
  test::TempDir dir;
  ASSERT_TRUE(WriteWave(dir.File("song.wav"), song.data(), song.size() / 2, 2));
  const test::Bytes normalised = test::ReadBytes(dir.File("song.wav"));
  EXPECT_EQ(peak16(normalised, 0, first.size()), 32767);
  EXPECT_NEAR(peak16(normalised, first.size(), song.size()), 32767 * 64 / 255, 200);
  std::vector<float> over = {1.5f, -2.0f, 0.5f, 0.0f};
  ASSERT_TRUE(WriteWaveAsIs(dir.File("over.wav"), over.data(), 2, 2));
  test::Bytes clipped;
  for (int v : {32767, -32767, 16383, 0}) test::PutU16(clipped, static_cast<std::uint16_t>(v));
  const test::Bytes wave = test::ReadBytes(dir.File("over.wav"));
  EXPECT_EQ(test::Bytes(wave.begin() + 44, wave.end()), clipped);
}

}  // namespace
}  // namespace tond
