// A colour knob turned for a long time on a dense pattern: 100 000 red controller messages in
// bursts of 64, each a push of a changed grid. "rss_MB" is the process's resident memory
// afterwards, "undo_MB" what the undo history holds (bounded by its budget however long the
// knob turns).
#include <benchmark/benchmark.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "model/UndoSystem.h"
#include "session/MidiControl.h"
#include "session/Session.h"
#include "support/SessionFixture.h"

namespace tond {
namespace {

double ResidentMegabytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  return 0;
}

void MidiColourKnob(benchmark::State& state) {
  constexpr int kMessages = 100000;
  constexpr int kBurst = 64;
  std::vector<std::uint32_t> words;
  for (int i = 0; i < kMessages; ++i) {
    const int phase = i % 254;  // up and down the knob's whole travel
    words.push_back(
        PackMidi(0xB0, 7, static_cast<std::uint8_t>(phase < 127 ? phase : 254 - phase)));
  }
  for (auto _ : state) {
    state.PauseTiming();
    auto fixture = std::make_unique<test::SessionFixture>();
    std::mt19937 random(3);
    Pattern cells;
    // Every cell a note whose green keeps it a note whatever red does.
    for (Cell& c : cells) c = (random() & 0xFFFF00u) | 0x000100u;
    fixture->platform.picture = cells;
    fixture->session.ImportPictureFile("dense");
    state.ResumeTiming();
    for (int i = 0; i < kMessages; i += kBurst)
      benchmark::DoNotOptimize(fixture->session.ApplyMidiMessages(
          std::span(words).subspan(i, std::min(kBurst, kMessages - i))));
    state.PauseTiming();
    state.counters["rss_MB"] = ResidentMegabytes();
    state.counters["undo_MB"] = static_cast<double>(fixture->session.History().Bytes()) / (1 << 20);
    state.counters["undo_states"] = fixture->session.History().Count();
    fixture.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kMessages);
}
BENCHMARK(MidiColourKnob)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace tond
