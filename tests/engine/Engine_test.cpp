// The engine against values worked out by hand; EngineEquivalence_test holds it to the
// frame-by-frame reference on random material.
#include "engine/Engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace tond {
namespace {

constexpr Cell kLeftRate05 = 0x0000FF;   // red 255, green 0, blue 0: left only, rate 0.5
constexpr Cell kRightRate15 = 0xFFFFFF;  // green 255: right only, blue 255: rate 1.5
const std::vector<float> kTen = {0.5f, 0.55f, 0.6f, 0.65f, 0.7f, 0.75f, 0.8f, 0.85f, 0.9f, 0.95f};
const float kRed51 = static_cast<float>(51 / 255.0);

// Frames in [from, to) whose channel (0 left, 1 right) is not silent.
int Sounding(const std::vector<float>& out, int channel, size_t from, size_t to) {
  int n = 0;
  for (size_t f = from; f < to; ++f) n += out[2 * f + channel] != 0.0f;
  return n;
}

class EngineTest : public ::testing::Test {
 protected:
  EngineTest() { engine->SetVolume(1.0f); }

  void Slot(int slot, std::vector<float> data, bool loop = false, bool fade = false) {
    CInstrument& in = (*kit)[slot];
    in.data = std::move(data);
    in.loop = loop;
    in.fade = fade;
  }
  void Start() {
    engine->Reset();
    engine->playing = true;
  }
  // Interleaved stereo; the buffer starts dirty, so that every float must be written.
  std::vector<float> Render(std::uint32_t frames) {
    std::vector<float> out(2 * static_cast<size_t>(frames), 99.0f);
    engine->Process(frames, out.data());
    return out;
  }
  bool Silent(std::uint32_t frames) {
    const auto out = Render(frames);
    return std::count(out.begin(), out.end(), 0.0f) == static_cast<long>(out.size());
  }

  std::unique_ptr<Grid> grid = std::make_unique<Grid>();
  std::unique_ptr<CKit> kit = std::make_unique<CKit>();
  std::unique_ptr<Engine> engine = std::make_unique<Engine>(*grid, *kit);
};

TEST_F(EngineTest, StepsLastTheirLengthCutTheNoteAndLoopThePattern) {
  Slot(3, std::vector<float>(20000, 0.5f));
  Slot(4, std::vector<float>(20000, 0.25f));
  grid->Set(0, 3, kLeftRate05);
  grid->Set(1, 3, MakeCell(51, 0, 0));
  grid->Set(0, 4, MakeCell(255, 255, 0));  // the empty cell after it stops the long sample
  EXPECT_TRUE(Silent(3000));               // stopped
  EXPECT_EQ(engine->PlayColumn(), -1);
  EXPECT_EQ(engine->GetStepLength(), 0u);

  Start();
  const auto out = Render(64 * 5512 + 1);
  EXPECT_EQ(engine->GetStepLength(), 5512u);
  EXPECT_EQ(std::count(out.begin(), out.begin() + 2 * 5512, 0.5f), 5512);
  EXPECT_EQ(std::count(out.begin(), out.begin() + 2 * 5512, 0.25f), 5512);
  EXPECT_EQ(out[2 * 5512], 0.5f * kRed51);
  EXPECT_EQ(Sounding(out, 1, 5512, 64 * 5512) + Sounding(out, 0, 2 * 5512, 64 * 5512), 0);
  EXPECT_EQ(out[2 * 64 * 5512], 0.5f);  // column 0 again
  EXPECT_EQ(engine->PlayColumn(), 0);

  // The step in progress (counter 3000) is already longer than a step at 350.
  Start();
  Render(3000);
  engine->SetTempo(350);
  EXPECT_EQ(Render(1)[0], 0.5f * kRed51);
  EXPECT_EQ(engine->PlayColumn(), 1);

  // Tempo control values truncate; values outside 1..350 are held to the range.
  const std::pair<double, std::uint32_t> lengths[] = {{350, 1890}, {1, 661500},  {120.9, 5512},
                                                      {0, 661500}, {-5, 661500}, {1000, 1890}};
  for (auto [tempo, length] : lengths) {
    engine->SetTempo(tempo);
    Render(1);
    EXPECT_EQ(engine->GetStepLength(), length) << tempo;
  }
}

// Step 0 for the colours, step 1 for loop and fade.
TEST_F(EngineTest, NotesTakeRateVolumeAndPanFromTheCellAndLoopAndFade) {
  Slot(0, std::vector<float>(100, 0.5f));
  Slot(1, std::vector<float>(100, 0.25f));
  Slot(2, {}, true, true);  // an empty sample triggers but stays silent, even looping with a fade
  Slot(3, kTen, true);
  Slot(4, std::vector<float>(10000, 1.0f), false, true);
  grid->Set(0, 0, kLeftRate05);
  grid->Set(0, 1, kRightRate15);
  grid->Set(0, 2, kLeftRate05);
  grid->Set(1, 3, kLeftRate05 | 0xFF0000);  // rate 1.5
  grid->Set(1, 4, MakeCell(255, 255, 0));
  Start();
  const auto out = Render(2 * 5512);
  EXPECT_EQ(Sounding(out, 0, 0, 5512), 200);
  EXPECT_EQ(Sounding(out, 1, 0, 5512), 67);
  EXPECT_EQ(out[0], 0.5f);
  EXPECT_EQ(out[1], 0.25f);

  EXPECT_EQ(Sounding(out, 0, 5512, 2 * 5512), 5512);
  const std::pair<size_t, float> fade[] = {
      {0, 0.0f}, {10, 0.5f}, {20, 1.0f}, {5492, 1.0f}, {5500, 12.0f / 20.0f}, {5511, 1.0f / 20.0f}};
  for (auto [k, level] : fade) EXPECT_EQ(out[2 * (5512 + k) + 1], level) << k;
}

TEST_F(EngineTest, Interpolations) {
  const std::vector<float> d = {0.1f, 0.2f, 0.4f, 0.9f};
  Slot(0, d);
  grid->Set(0, 0, kLeftRate05);  // positions 0, 0.5, 1, ..., 3.5
  auto render = [&](std::uint8_t mode) {
    engine->SetInterpolation(mode);
    Start();
    return Render(8);
  };
  auto out = render(kTruncate);
  for (size_t f = 0; f < 8; ++f) EXPECT_EQ(out[2 * f], d[f / 2]) << f;

  out = render(kLinear);
  EXPECT_EQ(out[2], d[0] + (d[1] - d[0]) * 0.5f);
  EXPECT_EQ(out[14], d[3]);  // past the last frame there is nothing to lean towards

  // At position 0.5 the four points are d[3] (the other end), d[0], d[1] and d[2].
  out = render(kQuadratic);
  EXPECT_EQ(out[0], d[0]);
  EXPECT_NEAR(out[2], (-d[3] + 9 * d[0] + 9 * d[1] - d[2]) / 16.0, 1e-6);
  EXPECT_NEAR(out[6], (-d[0] + 9 * d[1] + 9 * d[2] - d[3]) / 16.0, 1e-6);

  EXPECT_EQ(Sounding(render(7), 0, 0, 8), 0);
}

TEST_F(EngineTest, PreviewLengthAndMasterVolume) {
  Slot(5, kTen, true);
  Slot(6, std::vector<float>(100, 0.5f));
  engine->SetVolume(0.5f);  // not applied while stopped

  // Before anything has played the preview has no length: it sounds until it is stopped.
  engine->PlayPreview(5, kLeftRate05);
  auto out = Render(100000);
  EXPECT_EQ(out[0], 0.5f);
  EXPECT_EQ(Sounding(out, 0, 0, 100000), 100000);
  engine->StopPreview();
  EXPECT_TRUE(Silent(100));

  // A new preview replaces the old one; a 100-frame sample at rate 1.5 lasts 67 frames.
  engine->PlayPreview(5, kLeftRate05);
  engine->PlayPreview(6, kRightRate15);
  out = Render(100);
  EXPECT_EQ(Sounding(out, 1, 0, 100), 67);
  EXPECT_EQ(Sounding(out, 0, 0, 100), 0);

  // Once a step length is known the preview lasts one step.
  Start();
  Render(1);
  engine->playing = false;
  engine->PlayPreview(5, kLeftRate05);
  EXPECT_EQ(Sounding(Render(6000), 0, 0, 6000), 5512);

  // Master volume 0 silences the pattern and the preview while playing.
  grid->Set(0, 5, kLeftRate05);
  engine->SetVolume(0.0f);
  Start();
  engine->PlayPreview(5, kLeftRate05);
  EXPECT_TRUE(Silent(2000));
}

TEST_F(EngineTest, QuiesceWaitsForTheAudioThreadBeforeTheKitChanges) {
  for (int r = 0; r < kRows; ++r) {
    Slot(r, std::vector<float>(5000, 0.5f), true);
    for (int c = 0; c < kColumns; ++c) grid->Set(c, r, kLeftRate05);
  }
  Start();
  engine->PlayPreview(0, kLeftRate05);
  std::atomic<bool> quiesced{false}, started{false};
  int loudAfter = 0;
  std::thread audio([&] {
    std::vector<float> out(2 * 20000);
    for (int after = 0; after < 20;) {
      const bool late = quiesced.load();
      engine->Process(20000, out.data());
      started = true;
      if (late) {
        ++after;
        for (float v : out) loudAfter += v != 0.0f;
      }
    }
  });
  while (!started) std::this_thread::yield();
  engine->Quiesce();
  EXPECT_FALSE(engine->playing);
  // A Process call still reading the old samples would now read freed memory.
  for (int r = 0; r < kRows; ++r) (*kit)[r].data = std::vector<float>(10, 0.25f);
  quiesced = true;
  audio.join();
  EXPECT_EQ(loudAfter, 0);
}

}  // namespace
}  // namespace tond
