// The engine against the frame-by-frame reference: random kits, patterns and control changes,
// every output float compared with ==.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "ReferenceEngine.h"
#include "engine/Engine.h"
#include "engine/VoiceBank.h"

namespace tond::test {
namespace {

struct Rig {
  Grid grid;
  CKit kit;
  Engine fast{grid, kit};
  ReferenceEngine ref{grid, kit};
};

using Rng = std::mt19937;

int Pick(Rng& rng, int count) {
  return static_cast<int>(rng() % static_cast<unsigned>(count));
}

// A sample value on the grid of a wave file's bit depth, or any float for 32-bit float files.
float Quantised(Rng& rng, int depth) {
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  switch (depth) {
    case 8:
      return static_cast<float>((Pick(rng, 256) - 128) / 128.0);
    case 16:
      return static_cast<float>((Pick(rng, 65536) - 32768) / 32768.0);
    case 24:
      return static_cast<float>((Pick(rng, 1 << 24) - (1 << 23)) / 8388608.0);
    case 32:
      return static_cast<float>(static_cast<std::int32_t>(rng()) / 2147483648.0);
    default:
      return static_cast<float>(unit(rng));
  }
}

void FillKit(CKit& kit, Rng& rng, int longest) {
  static const int kDepths[] = {8, 16, 24, 32, 0};
  for (int slot = 0; slot < CKit::kSlots; ++slot) {
    CInstrument& in = kit[slot];
    in.samplePath = "sample";
    int length;
    switch (Pick(rng, 8)) {
      case 0:
        length = Pick(rng, 3);
        break;  // 0, 1 or 2 frames
      case 1:
        length = 3 + Pick(rng, 60);
        break;
      case 2:
        length = 31 + Pick(rng, 4);  // around the fast engine's 32-frame read window
        break;
      case 3:
        length = 1000 + Pick(rng, longest - 999);
        break;
      default:
        length = 64 + Pick(rng, 600);
        break;
    }
    const int depth = kDepths[Pick(rng, 5)];
    in.data.resize(static_cast<size_t>(length));
    for (float& v : in.data) v = Quantised(rng, depth);
    if (length > 0 && Pick(rng, 4) == 0) in.data[0] = Pick(rng, 2) ? 1.0f : -1.0f;
    in.loop = Pick(rng, 2) == 1;
    in.fade = Pick(rng, 2) == 1;
  }
}

Cell RandomColour(Rng& rng) {
  auto component = [&] {
    const int k = Pick(rng, 6);
    return k == 0 ? 0 : k == 1 ? 255 : Pick(rng, 256);
  };
  const Cell c = MakeCell(component(), component(), component());
  return c == 0 ? 1 : c;
}

void FillPattern(Grid& grid, Rng& rng, int percentLit) {
  for (int i = 0; i < kCells; ++i) grid.Set(i, Pick(rng, 100) < percentLit ? RandomColour(rng) : 0);
}

struct Scenario {
  unsigned seed;
  std::vector<double> tempos;  // the first is the starting tempo; changes pick from all
  int frames;                  // total frames rendered
  int percentLit;
  bool previewFirst;  // a preview is started before anything has played
};

std::uint32_t BufferSize(Rng& rng) {
  switch (Pick(rng, 6)) {
    case 0:
      return 1;
    case 1:
      return 2 + Pick(rng, 63);
    case 2:
      return 256;
    case 3:
      return 4096;
    default:
      return 1 + Pick(rng, 4096);
  }
}

// Renders the scenario through both engines and fails at the first float that differs.
void RunScenario(const Scenario& s) {
  Rng rng(s.seed);
  auto rig = std::make_unique<Rig>();
  FillKit(rig->kit, rng, 4000);
  FillPattern(rig->grid, rng, s.percentLit);
  Engine& fast = rig->fast;
  ReferenceEngine& ref = rig->ref;
  auto setTempo = [&](double t) { fast.SetTempo(t), ref.tempo = t; };
  auto setVolume = [&](float v) { fast.SetVolume(v), ref.volume = v; };
  auto setMode = [&](std::uint8_t m) { fast.SetInterpolation(m), ref.interpolation = m; };
  auto setPlaying = [&](bool p) { fast.playing = p, ref.playing = p; };
  auto preview = [&] {
    const int slot = Pick(rng, CKit::kSlots);
    const Cell colour = RandomColour(rng);
    fast.PlayPreview(slot, colour);
    ref.PlayPreview(slot, colour);
  };
  setTempo(s.tempos[0]);
  setVolume(0.8f);
  setMode(static_cast<std::uint8_t>(s.seed % 3));
  if (s.previewFirst) preview();
  fast.Reset();
  ref.Reset();
  if (!s.previewFirst) setPlaying(true);

  std::vector<float> a(2 * 4096), b(2 * 4096);
  int done = 0;
  for (int buffer = 0; done < s.frames; ++buffer) {
    switch (Pick(rng, 30)) {
      case 0:
        setTempo(s.tempos[Pick(rng, static_cast<int>(s.tempos.size()))]);
        break;
      case 1:
        setVolume(Pick(rng, 4) == 0 ? 0.0f : static_cast<float>(Pick(rng, 101) / 100.0));
        break;
      case 2:
        setMode(static_cast<std::uint8_t>(Pick(rng, 5) == 4 ? 200 : Pick(rng, 4)));
        break;
      case 3:
      case 4:
        preview();
        break;
      case 5:
        fast.StopPreview(), ref.StopPreview();
        break;
      case 6:
        setPlaying(!ref.playing);
        break;
      case 7:
        fast.Reset(), ref.Reset(), setPlaying(true);
        break;
      case 8:
        fast.muted = ref.muted = !ref.muted;
        break;
      case 9:
      case 10:
        for (int k = Pick(rng, 200); k > 0; --k) {
          rig->grid.Set(Pick(rng, kCells), Pick(rng, 3) == 0 ? 0 : RandomColour(rng));
        }
        break;
      default:
        break;
    }
    const std::uint32_t frames = BufferSize(rng);
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

TEST(EngineEquivalence, FastTemposOverManySteps) {
  RunScenario({1, {350, 349, 300}, 130000, 30, false});
  RunScenario({2, {350, 349, 250.9}, 60000, 100, false});
  RunScenario({3, {340, 350}, 40000, 5, true});
}

TEST(EngineEquivalence, TempoChangesAcrossTheRange) {
  RunScenario({4, {120, 119, 350, 1, 2, 349}, 60000, 30, false});
  RunScenario({5, {119.99, 120, 200, 350, 0, 1000}, 60000, 60, true});
}

TEST(EngineEquivalence, SlowTemposWithFewFrames) {
  RunScenario({6, {1, 2}, 25000, 50, false});
  RunScenario({7, {2, 1, 350}, 25000, 100, true});
}

// The portable per-voice loops, which processors without the vector unit use.
TEST(EngineEquivalence, PortableVoices) {
  struct Portable {
    Portable() { VoiceBank::UseVectorUnit(false); }
    ~Portable() { VoiceBank::UseVectorUnit(true); }
  } portable;
  RunScenario({8, {350, 120, 2}, 50000, 40, false});
  RunScenario({9, {300, 1}, 30000, 100, true});
}

}  // namespace
}  // namespace tond::test
