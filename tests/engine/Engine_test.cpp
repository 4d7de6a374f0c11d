// A few values worked out by hand, so that the engine and the frame-by-frame reference cannot
// agree on a misreading (EngineEquivalence_test holds the one to the other on random material),
// and the hand-over of the kit between the window and the audio thread.
#include "engine/Engine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <tuple>
#include <vector>

namespace tond {
namespace {

constexpr Cell kLeftRate05 = 0x0000FF;  // red 255, green 0, blue 0: left only, rate 0.5

// On the heap: the grid is large.
struct Rig {
  Rig() { engine.SetVolume(1.0f); }
  Grid grid;
  CKit kit;
  Engine engine{grid, kit};
};

TEST(Engine, AStepPlaysTheCellsColoursAndFadesAndItsLengthFollowsTheTempo) {
  auto rig = std::make_unique<Rig>();
  Engine& engine = rig->engine;
  rig->kit[3].data.assign(20000, 0.5f);
  rig->kit[4].data.assign(10000, 1.0f);
  rig->kit[4].fade = true;
  rig->grid.Set(0, 3, kLeftRate05);
  rig->grid.Set(0, 4, MakeCell(51, 255, 255));  // a fifth of the volume, right only, rate 1.5
  engine.playing = true;
  std::vector<float> out(2 * 2 * 5512, 99.0f);  // dirty: every float must be written
  engine.Process(2 * 5512, out.data());
  EXPECT_EQ(engine.GetStepLength(), 5512u);  // tempo 120
  const float fifth = static_cast<float>(51 / 255.0);
  // Frames of step 0, left and right: steady on the left; on the right, 20 frames in and out.
  const std::tuple<int, float, float> frames[] = {{0, 0.5f, 0.0f},
                                                  {10, 0.5f, fifth * 0.5f},
                                                  {20, 0.5f, fifth},
                                                  {5500, 0.5f, fifth * (12.0f / 20.0f)},
                                                  {5512, 0.0f, 0.0f}};  // the empty cell cuts
  for (auto [frame, left, right] : frames) {
    EXPECT_EQ(out[2 * frame], left) << frame;
    EXPECT_EQ(out[2 * frame + 1], right) << frame;
  }
  // Tempo control values truncate; values outside 1..350 are held to the range.
  const std::pair<double, std::uint32_t> lengths[] = {{350, 1890}, {1, 661500},  {120.9, 5512},
                                                      {0, 661500}, {-5, 661500}, {1000, 1890}};
  for (auto [tempo, length] : lengths) {
    engine.SetTempo(tempo);
    engine.Process(1, out.data());
    EXPECT_EQ(engine.GetStepLength(), length) << tempo;
  }
}

TEST(Engine, QuiesceWaitsForTheAudioThreadBeforeTheKitChanges) {
  auto rig = std::make_unique<Rig>();
  Engine& engine = rig->engine;
  for (int r = 0; r < kRows; ++r) {
    rig->kit[r].data.assign(5000, 0.5f);
    rig->kit[r].loop = true;
    for (int c = 0; c < kColumns; ++c) rig->grid.Set(c, r, kLeftRate05);
  }
  engine.playing = true;
  engine.PlayPreview(0, kLeftRate05);
  std::atomic<bool> quiesced{false}, started{false};
  int loudAfter = 0;
  std::thread audio([&] {
    std::vector<float> out(2 * 20000);
    for (int after = 0; after < 20;) {
      const bool late = quiesced.load();
      engine.Process(20000, out.data());
      started = true;
      if (late) {
        ++after;
        for (float v : out) loudAfter += v != 0.0f;
      }
    }
  });
  while (!started) std::this_thread::yield();
  engine.Quiesce();
  EXPECT_FALSE(engine.playing);
  // A Process call still reading the old samples would now read freed memory.
  for (int r = 0; r < kRows; ++r) rig->kit[r].data = std::vector<float>(10, 0.25f);
  quiesced = true;
  audio.join();
  EXPECT_EQ(loudAfter, 0);
}

}  // namespace
}  // namespace tond
