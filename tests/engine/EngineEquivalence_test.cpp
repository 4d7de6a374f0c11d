// The engine against the frame-by-frame reference: random kits, patterns and control changes,
// every output float compared with ==, once for every instruction set this processor has.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "ReferenceEngine.h"
#include "engine/Engine.h"
#include "engine/VoiceKernels.h"

namespace tond::test {
namespace {

// Both engines on one grid and kit, driven alike.
struct Rig {
  Grid grid;
  CKit kit;
  Engine fast{grid, kit};
  ReferenceEngine ref{grid, kit};
  void Tempo(double t) { fast.SetTempo(t), ref.tempo = t; }
  void Volume(float v) { fast.SetVolume(v), ref.volume = v; }
  void Mode(std::uint8_t m) { fast.SetInterpolation(m), ref.interpolation = m; }
  void Playing(bool p) { fast.playing = p, ref.playing = p; }
  void Preview(int slot, Cell c) { fast.PlayPreview(slot, c), ref.PlayPreview(slot, c); }
  void StopPreview() { fast.StopPreview(), ref.StopPreview(); }
  void Reset() { fast.Reset(), ref.Reset(); }
};

using Rng = std::mt19937;

int Pick(Rng& rng, int count) {
  return static_cast<int>(rng() % static_cast<unsigned>(count));
}

// A sample value on the grid of a wave file's bit depth (8, 16, 24 or 32), or any float (0).
float Quantised(Rng& rng, int depth) {
  if (depth == 0) return std::uniform_real_distribution<float>(-1.0f, 1.0f)(rng);
  const double full = std::ldexp(1.0, depth - 1);
  return static_cast<float>((static_cast<double>(rng() >> (32 - depth)) - full) / full);
}

void FillKit(CKit& kit, Rng& rng) {
  // {shortest, count}: 0-2 frames, short, around the fast engine's 32-frame read window, long,
  // and (half of the slots) middling.
  static const int kLengths[][2] = {{0, 3}, {3, 60}, {31, 4}, {1000, 3000}, {64, 600}};
  static const int kDepths[] = {8, 16, 24, 32, 0};
  for (int slot = 0; slot < CKit::kSlots; ++slot) {
    CInstrument& in = kit[slot];
    const int* length = kLengths[std::min(Pick(rng, 8), 4)];
    const int depth = kDepths[Pick(rng, 5)];
    in.data.resize(static_cast<size_t>(length[0] + Pick(rng, length[1])));
    for (float& v : in.data) v = Quantised(rng, depth);
    if (!in.data.empty() && Pick(rng, 4) == 0) in.data[0] = Pick(rng, 2) ? 1.0f : -1.0f;
    in.loop = Pick(rng, 2) == 1;
    in.fade = Pick(rng, 2) == 1;
  }
}

// Components of 0 and 255 come up often, as painted cells have them.
Cell RandomColour(Rng& rng) {
  auto component = [&] {
    const int k = Pick(rng, 6);
    return k == 0 ? 0 : k == 1 ? 255 : Pick(rng, 256);
  };
  const Cell c = MakeCell(component(), component(), component());
  return c == 0 ? 1 : c;
}

struct Scenario {
  unsigned seed;
  std::vector<double> tempos;  // the first is the starting tempo; changes pick from all
  int frames;                  // total frames rendered
  int percentLit;
  bool stopped;  // starts stopped, so that previews come before anything has played
};

// Renders the scenario through both engines and fails at the first float that differs.
void RunScenario(const Scenario& s) {
  Rng rng(s.seed);
  auto rig = std::make_unique<Rig>();
  FillKit(rig->kit, rng);
  for (int i = 0; i < kCells; ++i) {
    rig->grid.Set(i, Pick(rng, 100) < s.percentLit ? RandomColour(rng) : 0);
  }
  Engine& fast = rig->fast;
  ReferenceEngine& ref = rig->ref;
  rig->Tempo(s.tempos[0]);
  rig->Volume(0.8f);
  rig->Mode(static_cast<std::uint8_t>(s.seed % 3));
  rig->Playing(!s.stopped);
  // Requests: previews (some of slots -1 and 64, which do not exist), stops of the preview and
  // resets. The engine applies those made between two buffers together.
  auto request = [&] {
    const int kind = Pick(rng, 8);
    const int slot = Pick(rng, 8) == 0 ? 65 * Pick(rng, 2) - 1 : Pick(rng, CKit::kSlots);
    const Cell colour = RandomColour(rng);
    if (kind < 5) rig->Preview(slot, colour);
    if (kind == 5) rig->StopPreview();
    if (kind >= 6) rig->Reset();
    if (kind == 7) rig->Playing(true);
  };

  std::vector<float> a(2 * 4096), b(2 * 4096);
  int done = 0;
  for (int buffer = 0; done < s.frames; ++buffer) {
    const int change = Pick(rng, 24);
    const int tempos = static_cast<int>(s.tempos.size());
    if (change == 0 || change == 11) rig->Tempo(s.tempos[Pick(rng, tempos)]);
    if (change == 1) rig->Volume(Pick(rng, 4) == 0 ? 0.0f : Pick(rng, 101) / 100.0f);
    // The three interpolations and an unknown value.
    if (change == 2) rig->Mode(static_cast<std::uint8_t>(Pick(rng, 5) == 4 ? 200 : Pick(rng, 4)));
    if (change == 3) rig->Playing(!ref.playing);
    if (change == 4) fast.muted = ref.muted = !ref.muted;
    for (int k = change == 5 || change == 6 ? Pick(rng, 200) : 0; k > 0; --k) {
      rig->grid.Set(Pick(rng, kCells), Pick(rng, 3) == 0 ? 0 : RandomColour(rng));
    }
    for (int k = change >= 7 && change <= 10 ? 1 + Pick(rng, 3) : 0; k > 0; --k) request();
    // 1, 2-64, 256, 4096 or anything up to 4096 frames.
    const int sizes[] = {1, 2 + Pick(rng, 63), 256, 4096, 1 + Pick(rng, 4096)};
    const auto frames = static_cast<std::uint32_t>(sizes[std::min(Pick(rng, 6), 4)]);
    fast.Process(frames, a.data());
    ref.Process(frames, b.data());
    for (std::uint32_t i = 0; i < 2 * frames; ++i) {
      ASSERT_EQ(a[i], b[i]) << "seed " << s.seed << ", buffer " << buffer << ", frame "
                            << done + static_cast<int>(i / 2) << (i % 2 ? " right" : " left");
    }
    ASSERT_EQ(fast.PlayColumn(), ref.PlayColumn()) << "seed " << s.seed << ", buffer " << buffer;
    ASSERT_EQ(fast.GetStepLength(), ref.GetStepLength()) << "seed " << s.seed;
    done += static_cast<int>(frames);
  }
}

// Renders with one instruction set while it lives.
class EngineEquivalence : public testing::TestWithParam<std::int64_t> {
 protected:
  void SetUp() override {
    ForceVectorTarget(GetParam());
    ASSERT_EQ(CurrentVectorTarget(), GetParam());
  }
  void TearDown() override { ForceVectorTarget(0); }
};

TEST_P(EngineEquivalence, TemposAcrossTheRange) {
  RunScenario({1, {350, 349, 300}, 130000, 30, false});
  RunScenario({2, {350, 349, 250.9}, 60000, 100, false});
  RunScenario({3, {340, 350}, 40000, 5, true});
  RunScenario({4, {120, 119, 350, 1, 2, 349}, 60000, 30, false});
  RunScenario({5, {1000, 119.99, 120, 200, 350, 0}, 60000, 60, true});
  RunScenario({6, {1, 2}, 25000, 50, false});
  RunScenario({7, {2, 1, 350}, 25000, 100, true});
  RunScenario({8, {350, 120, 2}, 50000, 40, false});
  RunScenario({9, {300, 1}, 30000, 100, true});
}

INSTANTIATE_TEST_SUITE_P(Targets, EngineEquivalence, testing::ValuesIn(VectorTargets()),
                         [](const testing::TestParamInfo<std::int64_t>& target) {
                           return std::string(VectorTargetName(target.param));
                         });

}  // namespace
}  // namespace tond::test
