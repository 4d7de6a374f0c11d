#include "engine/Engine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace tond {
namespace {

class EngineTest : public ::testing::Test {
 protected:
  EngineTest() { engine->SetVolume(1.0f); }

  CInstrument& Slot(int slot, std::vector<float> data, bool loop = false, bool fade = false) {
    CInstrument& in = (*kit)[slot];
    in.samplePath = "sample";
    in.data = std::move(data);
    in.loop = loop;
    in.fade = fade;
    return in;
  }
  void Start() {
    engine->Reset();
    engine->playing = true;
  }
  std::vector<float> Render(std::uint32_t frames) {
    std::vector<float> out(2 * static_cast<size_t>(frames), 99.0f);
    engine->Process(frames, out.data());
    return out;
  }

  std::unique_ptr<Grid> grid = std::make_unique<Grid>();
  std::unique_ptr<CKit> kit = std::make_unique<CKit>();
  std::unique_ptr<Engine> engine = std::make_unique<Engine>(*grid, *kit);
};

float Left(const std::vector<float>& out, size_t frame) {
  return out[2 * frame];
}
float Right(const std::vector<float>& out, size_t frame) {
  return out[2 * frame + 1];
}
bool AllZero(const std::vector<float>& out) {
  for (float v : out)
    if (v != 0.0f) return false;
  return true;
}

constexpr Cell kLeftRate05 = 0x0000FF;   // red 255, green 0, blue 0: left only, rate 0.5
constexpr Cell kRightRate15 = 0xFFFFFF;  // green 255: right only, blue 255: rate 1.5

TEST_F(EngineTest, StoppedEngineIsSilentAndStandsStill) {
  Slot(0, std::vector<float>(100, 0.5f));
  grid->Set(0, 0, kLeftRate05);
  EXPECT_TRUE(AllZero(Render(3000)));
  EXPECT_EQ(engine->PlayColumn(), -1);
  EXPECT_EQ(engine->GetStepLength(), 0u);
}

TEST_F(EngineTest, StepsLastTheirLengthAndTheNextCellCutsIn) {
  Slot(3, std::vector<float>(20000, 0.5f));
  Slot(4, std::vector<float>(20000, 0.25f));
  grid->Set(0, 3, kLeftRate05);
  grid->Set(1, 3, MakeCell(51, 0, 0));
  grid->Set(0, 4, MakeCell(255, 255, 0));  // the empty cell after it stops the long sample
  Start();
  const auto out = Render(5513);
  EXPECT_EQ(engine->GetStepLength(), 5512u);
  for (size_t f = 0; f < 5512; ++f) {
    ASSERT_EQ(Left(out, f), 0.5f) << f;
    ASSERT_EQ(Right(out, f), 0.25f) << f;
  }
  EXPECT_EQ(Left(out, 5512), 0.5f * static_cast<float>(51 / 255.0));
  EXPECT_EQ(Right(out, 5512), 0.0f);
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

TEST_F(EngineTest, PatternLoopsAndTempoChangesTakeEffectAtTheNextBuffer) {
  Slot(0, {0.5f, 0.5f}, true);
  grid->Set(0, 0, kLeftRate05);
  grid->Set(1, 0, MakeCell(51, 0, 0));
  Start();
  const auto pass = Render(64 * 5512 + 1);
  EXPECT_EQ(Left(pass, 63 * 5512 + 5511), 0.0f);
  EXPECT_EQ(Left(pass, 64 * 5512), 0.5f);
  EXPECT_EQ(engine->PlayColumn(), 0);

  // The step in progress (counter 3000) is already longer than a step at 350.
  Start();
  Render(3000);
  engine->SetTempo(350);
  const auto next = Render(1);
  EXPECT_EQ(engine->PlayColumn(), 1);
  EXPECT_EQ(Left(next, 0), 0.5f * static_cast<float>(51 / 255.0));
}

TEST_F(EngineTest, PreviewLengthAndMasterVolume) {
  const std::vector<float> ten = {0.5f, 0.55f, 0.6f, 0.65f, 0.7f, 0.75f, 0.8f, 0.85f, 0.9f, 0.95f};
  Slot(5, ten, true);
  Slot(6, std::vector<float>(100, 0.5f));
  engine->SetVolume(0.5f);  // not applied while stopped

  // Before anything has played the preview has no length: it sounds until it is stopped.
  engine->PlayPreview(5, kLeftRate05);
  auto out = Render(100000);
  EXPECT_EQ(Left(out, 0), 0.5f);
  EXPECT_NE(Left(out, 99999), 0.0f);
  engine->StopPreview();
  EXPECT_TRUE(AllZero(Render(100)));

  // A new preview replaces the old one; a 100-frame sample at rate 1.5 lasts 67 frames.
  engine->PlayPreview(5, kLeftRate05);
  engine->PlayPreview(6, kRightRate15);
  out = Render(100);
  EXPECT_NE(Right(out, 66), 0.0f);
  EXPECT_EQ(Right(out, 67), 0.0f);
  EXPECT_EQ(Left(out, 0), 0.0f);
  engine->PlayPreview(64, kLeftRate05);  // no such slot: ignored
  engine->PlayPreview(-1, kLeftRate05);
  EXPECT_TRUE(AllZero(Render(10)));

  // Once a step length is known the preview lasts one step.
  Start();
  Render(1);
  engine->playing = false;
  engine->PlayPreview(5, kLeftRate05);
  out = Render(6000);
  EXPECT_NE(Left(out, 5511), 0.0f);
  EXPECT_EQ(Left(out, 5512), 0.0f);

  // Master volume 0 silences the pattern and the preview while playing.
  grid->Set(0, 5, kLeftRate05);
  engine->SetVolume(0.0f);
  Start();
  engine->PlayPreview(5, kLeftRate05);
  EXPECT_TRUE(AllZero(Render(2000)));
}

TEST_F(EngineTest, RateVolumeAndPanComeFromTheCell) {
  Slot(0, std::vector<float>(100, 0.5f));
  Slot(1, std::vector<float>(100, 0.25f));
  Slot(2, {});  // an empty sample triggers but stays silent, even looping with a fade
  (*kit)[2].loop = (*kit)[2].fade = true;
  grid->Set(0, 0, kLeftRate05);
  grid->Set(0, 1, kRightRate15);
  grid->Set(0, 2, kLeftRate05);
  Start();
  const auto out = Render(300);
  int left = 0, right = 0;
  for (size_t f = 0; f < 300; ++f) {
    left += Left(out, f) != 0.0f;
    right += Right(out, f) != 0.0f;
  }
  EXPECT_EQ(left, 200);
  EXPECT_EQ(right, 67);
  EXPECT_EQ(Left(out, 0), 0.5f);
  EXPECT_EQ(Right(out, 0), 0.25f);
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
  for (size_t f = 0; f < 8; ++f) EXPECT_EQ(Left(out, f), d[f / 2]) << f;

  out = render(kLinear);
  EXPECT_EQ(Left(out, 1), d[0] + (d[1] - d[0]) * 0.5f);
  EXPECT_EQ(Left(out, 7), d[3]);  // past the last frame there is nothing to lean towards

  // At position 0.5 the four points are d[3] (the other end), d[0], d[1] and d[2].
  out = render(kQuadratic);
  EXPECT_EQ(Left(out, 0), d[0]);
  EXPECT_NEAR(Left(out, 1), (-d[3] + 9 * d[0] + 9 * d[1] - d[2]) / 16.0, 1e-6);
  EXPECT_NEAR(Left(out, 3), (-d[0] + 9 * d[1] + 9 * d[2] - d[3]) / 16.0, 1e-6);

  EXPECT_TRUE(AllZero(render(7)));
}

TEST_F(EngineTest, LoopAndFade) {
  const std::vector<float> ten = {0.5f, 0.55f, 0.6f, 0.65f, 0.7f, 0.75f, 0.8f, 0.85f, 0.9f, 0.95f};
  Slot(0, ten, true);
  Slot(1, std::vector<float>(10000, 1.0f), false, true);
  grid->Set(0, 0, kLeftRate05 | 0xFF0000);  // rate 1.5
  grid->Set(0, 1, MakeCell(255, 255, 0));
  Start();
  const auto out = Render(5512);
  for (size_t f = 0; f < 5512; ++f) ASSERT_NE(Left(out, f), 0.0f) << f;
  EXPECT_EQ(Right(out, 0), 0.0f);
  EXPECT_EQ(Right(out, 10), 0.5f);
  EXPECT_EQ(Right(out, 20), 1.0f);
  EXPECT_EQ(Right(out, 5492), 1.0f);
  EXPECT_EQ(Right(out, 5500), 12.0f / 20.0f);
  EXPECT_EQ(Right(out, 5511), 1.0f / 20.0f);
}

TEST_F(EngineTest, RequestsApplyAtTheNextProcessInOrder) {
  Slot(0, {0.5f, 0.5f}, true);
  grid->Set(0, 0, kLeftRate05);
  grid->Set(1, 0, MakeCell(51, 0, 0));
  Start();
  Render(6000);
  engine->Reset();
  EXPECT_EQ(Left(Render(1), 0), 0.5f);
  EXPECT_EQ(engine->PlayColumn(), 0);

  engine->playing = false;
  engine->PlayPreview(0, kLeftRate05);
  engine->Reset();
  EXPECT_TRUE(AllZero(Render(10)));
  engine->Reset();
  engine->PlayPreview(0, kLeftRate05);
  engine->StopPreview();
  EXPECT_TRUE(AllZero(Render(10)));
  engine->StopPreview();
  engine->PlayPreview(0, kLeftRate05);
  EXPECT_EQ(Left(Render(1), 0), 0.5f);

  // With no audio thread Quiesce returns at once and nothing sounds afterwards.
  engine->playing = true;
  engine->Quiesce();
  EXPECT_FALSE(engine->playing);
  EXPECT_TRUE(AllZero(Render(100)));
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
  // A Process call still reading the old samples would now read freed memory.
  for (int r = 0; r < kRows; ++r) (*kit)[r].data = std::vector<float>(10, 0.25f);
  quiesced = true;
  audio.join();
  EXPECT_EQ(loudAfter, 0);
}

}  // namespace
}  // namespace tond
