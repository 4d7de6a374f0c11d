// The kit editor's longest commands: loading a kit of 64 samples of 5 seconds each, and a random
// kit drawn from a tree of 10 000 wave files (100 folders of 100), both through the session as
// the window runs them. The files are made once in a temporary folder.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "kit/KitBuilder.h"
#include "kit/WaveWriter.h"
#include "session/Session.h"
#include "support/ScriptedPlatform.h"

namespace tond {
namespace {

namespace fs = std::filesystem;

void WriteTone(const std::string& path, std::uint32_t frames) {
  std::vector<float> samples(frames);
  for (std::uint32_t i = 0; i < frames; ++i) samples[i] = static_cast<float>((i * 37 % 200) - 100);
  WriteWave(path, samples.data(), frames, 1);
}

// "s12.wav" and the like.
std::string Numbered(const char* prefix, int n) {
  std::string name(prefix);
  name += std::to_string(n);
  return name;
}

struct Files {
  Files() {
    fs::create_directories(root / "kit");
    std::ofstream kit(root / "five.kit");
    kit << "<TondKit>\n";
    for (int i = 0; i < CKit::kSlots; ++i) {
      const std::string wave = (root / "kit" / (Numbered("s", i) + ".wav")).string();
      WriteTone(wave, 5 * 44100);
      kit << "<instrument>\n<sample name=\"" << wave << "\"/>\n</instrument>\n";
    }
    kit << "</TondKit>\n";
    for (int folder = 0; folder < 100; ++folder) {
      const fs::path dir = root / "tree" / Numbered("f", folder);
      fs::create_directories(dir);
      for (int file = 0; file < 100; ++file)
        WriteTone((dir / (Numbered("w", file) + ".wav")).string(), 44100);
    }
  }
  ~Files() { fs::remove_all(root); }
  fs::path root = fs::temp_directory_path() / Numbered("tond-kit-bench-", ::getpid());
};

const Files& TheFiles() {
  static Files files;
  return files;
}

struct Editor {
  test::ScriptedPlatform platform;
  Settings settings;
  Folders folders;
  Session session{platform, settings, folders};
};

void LoadKitOf64FiveSecondSamples(benchmark::State& state) {
  const Files& files = TheFiles();
  Editor editor;
  for (auto _ : state) {
    Change change = editor.session.LoadKitIntoEditor((files.root / "five.kit").string());
    if (change.refused) state.SkipWithError("the kit did not load");
  }
}
BENCHMARK(LoadKitOf64FiveSecondSamples)->Unit(benchmark::kMillisecond)->MinTime(2);

void RandomKitFromTreeOf10000(benchmark::State& state) {
  const Files& files = TheFiles();
  Editor editor;
  InPlaceRunner runner;
  for (auto _ : state) {
    Change change = editor.session.KitFromTreePath((files.root / "tree").string(), runner);
    if (!change.kit) state.SkipWithError("no kit was drawn");
  }
}
BENCHMARK(RandomKitFromTreeOf10000)->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace
}  // namespace tond
