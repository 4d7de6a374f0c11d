// One pattern pass at tempo 120 through the engine and through the frame-by-frame reference,
// for a dense, a quarter-lit and an empty pattern, each interpolation, in 256-frame buffers
// and in one call; "Portable" is the engine with its vector path turned off, as it runs on a
// processor without AVX-512. "realtime" is seconds of audio rendered per second of wall time;
// the table at the end divides the engine's figure by the reference's.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/ReferenceEngine.h"
#include "engine/VoiceBank.h"

namespace tond {
namespace {

constexpr std::uint32_t kPassFrames = 42336000 / 120;  // 64 steps of 5512 frames + 32
constexpr double kRate = 44100.0;

enum Density { kDense, kQuarter, kEmpty };
const char* const kDensityNames[] = {"dense", "quarter", "empty"};
const char* const kModeNames[] = {"truncate", "linear", "quadratic"};

// 64 looping samples of 10 to 500 frames, so that every lit cell sounds for its whole step.
struct Song {
  explicit Song(Density density) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    for (int slot = 0; slot < CKit::kSlots; ++slot) {
      CInstrument& in = kit[slot];
      in.samplePath = "sample";
      in.data.resize(10 + rng() % 491);
      for (float& v : in.data) v = value(rng);
      in.loop = true;
      in.fade = slot % 2 == 1;
    }
    for (int i = 0; i < kCells; ++i) {
      const bool lit = density == kDense || (density == kQuarter && rng() % 4 == 0);
      grid.Set(i, lit ? (rng() & 0xFFFFFF) | 1 : 0);
    }
  }
  Grid grid;
  CKit kit;
};

template <class E>
void Start(E& engine) {
  engine.Reset();
  engine.playing = true;
}

void Configure(Engine& e, int mode) {
  e.SetTempo(120);
  e.SetInterpolation(static_cast<std::uint8_t>(mode));
}
void Configure(test::ReferenceEngine& e, int mode) {
  e.tempo = 120;
  e.interpolation = static_cast<std::uint8_t>(mode);
}

template <class E>
void RenderPass(benchmark::State& state, Density density, int mode, std::uint32_t buffer,
                bool portable = false) {
  VoiceBank::UseVectorUnit(!portable);
  auto song = std::make_unique<Song>(density);
  auto engine = std::make_unique<E>(song->grid, song->kit);
  Configure(*engine, mode);
  std::vector<float> out(2 * static_cast<size_t>(buffer));
  for (auto _ : state) {
    Start(*engine);
    for (std::uint32_t done = 0; done < kPassFrames; done += buffer) {
      engine->Process(std::min(buffer, kPassFrames - done), out.data());
      benchmark::DoNotOptimize(out.data());
      benchmark::ClobberMemory();
    }
  }
  state.counters["realtime"] =
      benchmark::Counter(kPassFrames / kRate, benchmark::Counter::kIsIterationInvariantRate);
  VoiceBank::UseVectorUnit(true);
}

// Console output as usual, then the engine/reference ratio of every case.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      // With repetitions, the median stands for the case (it is reported after the runs).
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      auto it = run.counters.find("realtime");
      if (it != run.counters.end()) factors_[run.run_name.function_name] = it->second.value;
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-28s %12s %14s %12s %8s\n", "case", "engine x RT", "portable x RT",
                "ref x RT", "ratio");
    for (const auto& [name, factor] : factors_) {
      if (name.rfind("Engine/", 0) != 0) continue;
      const std::string tail = name.substr(7);
      auto ref = factors_.find("Reference/" + tail);
      if (ref == factors_.end()) continue;
      auto portable = factors_.find("Portable/" + tail);
      std::printf("%-28s %12.1f %14.1f %12.1f %8.2f\n", tail.c_str(), factor,
                  portable == factors_.end() ? 0.0 : portable->second, ref->second,
                  factor / ref->second);
    }
  }

 private:
  std::map<std::string, double> factors_;
};

void Register() {
  for (int density : {kDense, kQuarter, kEmpty}) {
    for (int mode : {kTruncate, kLinear, kQuadratic}) {
      for (std::uint32_t buffer : {256u, kPassFrames}) {
        const std::string tail = std::string(kDensityNames[density]) + "/" + kModeNames[mode] +
                                 "/" + (buffer == 256 ? "256" : "whole");
        const auto d = static_cast<Density>(density);
        benchmark::RegisterBenchmark(
            ("Engine/" + tail).c_str(),
            [=](benchmark::State& s) { RenderPass<Engine>(s, d, mode, buffer); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(
            ("Portable/" + tail).c_str(),
            [=](benchmark::State& s) { RenderPass<Engine>(s, d, mode, buffer, true); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(
            ("Reference/" + tail).c_str(),
            [=](benchmark::State& s) { RenderPass<test::ReferenceEngine>(s, d, mode, buffer); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
      }
    }
  }
}

}  // namespace
}  // namespace tond

int main(int argc, char** argv) {
  tond::Register();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  tond::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
