// One pattern pass at tempo 120 through the engine, once with each instruction set this
// processor has (avx512, avx2, sse4, neon; scalar renders voice by voice), and through the
// frame-by-frame reference, for a dense, a quarter-lit and an empty pattern, each
// interpolation, in 256-frame buffers and in one call. "realtime" is seconds of audio rendered
// per second of wall time; the table at the end gives it per instruction set with its ratio to
// the reference's. In 256-frame buffers "callback%" is the mean time of one Process() call as
// a share of the buffer's period.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/ReferenceEngine.h"
#include "engine/VoiceKernels.h"

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

// `target` 0 for the reference.
template <class E>
void RenderPass(benchmark::State& state, Density density, int mode, std::uint32_t buffer,
                std::int64_t target) {
  if (target != 0) ForceVectorTarget(target);
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
  if (buffer == 256) {
    const double period = buffer / kRate;
    const double calls = static_cast<double>(state.iterations()) * kPassFrames / buffer;
    // Wall time / (calls x period / 100).
    state.counters["callback%"] = benchmark::Counter(
        calls * period / 100.0, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  }
  if (target != 0) ForceVectorTarget(0);
}

// Console output as usual, then every case's realtime factor per instruction set and its ratio
// to the reference's, and the callback figures.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      // With repetitions, the median stands for the case (it is reported after the runs).
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      const std::string& name = run.run_name.function_name;
      const std::size_t slash = name.find('/');
      Case& c = cases_[name.substr(slash + 1)];
      for (const char* counter : {"realtime", "callback%"}) {
        auto it = run.counters.find(counter);
        if (it != run.counters.end()) c[name.substr(0, slash)][counter] = it->second.value;
      }
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::vector<std::string> columns;
    for (std::int64_t target : VectorTargets()) columns.emplace_back(VectorTargetName(target));
    std::printf("\n%-24s %9s", "x real time (x ref)", "reference");
    for (const std::string& column : columns) std::printf(" %17s", column.c_str());
    std::printf("\n");
    for (auto& [tail, c] : cases_) {
      const double ref = c["Reference"]["realtime"];
      std::printf("%-24s %9.1f", tail.c_str(), ref);
      for (const std::string& column : columns) {
        const double x = c[column]["realtime"];
        std::printf(" %9.1f (%5.2f)", x, ref > 0 ? x / ref : 0.0);
      }
      std::printf("\n");
    }
    std::printf("\n%-24s", "callback, % of period");
    for (const std::string& column : columns) std::printf(" %17s", column.c_str());
    std::printf("\n");
    for (auto& [tail, c] : cases_) {
      if (tail.find("/256") == std::string::npos) continue;
      std::printf("%-24s", tail.c_str());
      for (const std::string& column : columns) std::printf(" %17.3f", c[column]["callback%"]);
      std::printf("\n");
    }
  }

 private:
  using Case = std::map<std::string, std::map<std::string, double>>;  // column, counter
  std::map<std::string, Case> cases_;
};

void Register() {
  for (int density : {kDense, kQuarter, kEmpty}) {
    for (int mode : {kTruncate, kLinear, kQuadratic}) {
      for (std::uint32_t buffer : {256u, kPassFrames}) {
        const std::string tail = std::string(kDensityNames[density]) + "/" + kModeNames[mode] +
                                 "/" + (buffer == 256 ? "256" : "whole");
        const auto d = static_cast<Density>(density);
        for (std::int64_t target : VectorTargets()) {
          benchmark::RegisterBenchmark(
              (VectorTargetName(target) + ("/" + tail)).c_str(),
              [=](benchmark::State& s) { RenderPass<Engine>(s, d, mode, buffer, target); })
              ->Unit(benchmark::kMillisecond)
              ->UseRealTime();
        }
        benchmark::RegisterBenchmark(
            ("Reference/" + tail).c_str(),
            [=](benchmark::State& s) { RenderPass<test::ReferenceEngine>(s, d, mode, buffer, 0); })
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
