#include "kit/KitBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "kit/WaveReader.h"
#include "support/TestFiles.h"

namespace tond::test {
namespace {

using Texts = std::vector<std::string>;

// Counts what a scan reports and cancels once it has seen `cancelAfter` texts.
struct Watch : ScanProgress {
  void Looking(const std::string& text) override { texts.push_back(text); }
  bool Cancelled() override { return static_cast<int>(texts.size()) >= cancelAfter; }
  Texts texts;
  int cancelAfter = 1 << 30;
};

struct KitBuilderTest : ::testing::Test {
  std::string Wave(const std::string& name) { return dir.Wave(name); }
  Texts Names(const Texts& paths) {
    Texts names;
    for (const auto& p : paths) names.push_back(std::filesystem::path(p).filename().string());
    return names;
  }
  TempDir dir;
  Watch watch;
};

TEST_F(KitBuilderTest, WaveCheckReadsOnlyTheHeader) {
  WaveParts parts;
  EXPECT_TRUE(IsWaveFile(Wave("a.wav")));
  parts.data.assign(3, 0);  // a data chunk that holds no whole frame still passes
  WriteBytes(dir.File("b.wav"), MakeWave(parts));
  EXPECT_TRUE(IsWaveFile(dir.File("b.wav")));
  // No "fmt " chunk: passes, and then fails to load.
  Bytes noFormat;
  PutTag(noFormat, "RIFF");
  PutU32(noFormat, 12);
  PutTag(noFormat, "WAVE");
  PutTag(noFormat, "data");
  PutU32(noFormat, 0);
  WriteBytes(dir.File("c.wav"), noFormat);
  EXPECT_TRUE(IsWaveFile(dir.File("c.wav")));
  CInstrument slot;
  EXPECT_FALSE(LoadWave(dir.File("c.wav"), slot, nullptr));

  for (auto [bits, channels] : {std::pair{12, 1}, {16, 3}, {16, 0}}) {
    parts.bits = static_cast<std::uint16_t>(bits);
    parts.channels = static_cast<std::uint16_t>(channels);
    WriteBytes(dir.File("d.wav"), MakeWave(parts));
    EXPECT_FALSE(IsWaveFile(dir.File("d.wav"))) << bits << " bits, " << channels << " channels";
  }
  WriteText(dir.File("e.wav"), "RIFX....WAVE");
  EXPECT_FALSE(IsWaveFile(dir.File("e.wav")));
  EXPECT_FALSE(IsWaveFile(dir.File("missing.wav")));
  EXPECT_FALSE(IsWaveFile(dir.Path().string()));
}

TEST_F(KitBuilderTest, FolderGivesItsWavesByNameAndAtMost64) {
  Wave("b.wav");
  Wave("A.WAV");
  Wave("c.Wav");
  Wave("sub.wav/inner.wav");  // a folder named like a wave, and what is under it
  WriteText(dir.File("notes.txt"), "x");
  WriteText(dir.File("broken.wav"), "not a wave");
  EXPECT_EQ(Names(FolderWaveFiles(dir.Path().string())),
            (Texts{"A.WAV", "b.wav", "broken.wav", "c.Wav"}));
  KitBuild build = BuildKitFromFolder(dir.Path().string(), watch);
  ASSERT_EQ(build.instruments.size(), 3u);  // the broken file is skipped
  EXPECT_EQ(build.instruments[2].samplePath, dir.File("c.Wav"));
  EXPECT_EQ(build.instruments[2].Length(), 2u);
  EXPECT_EQ(watch.texts.back(), "Loading... " + dir.File("c.Wav"));
  EXPECT_EQ(build.status, watch.texts.back());

  for (int i = 0; i < 70; ++i) Wave("many/" + std::to_string(1000 + i) + ".wav");
  build = BuildKitFromFolder(dir.File("many"), watch);
  ASSERT_EQ(build.instruments.size(), 64u);
  EXPECT_EQ(build.instruments[63].samplePath, dir.File("many/1063.wav"));
  EXPECT_TRUE(BuildKitFromFolder(dir.File("nothing here"), watch).instruments.empty());
}

TEST_F(KitBuilderTest, TreeSearchTakesExactCaseAndDrawsWithoutRepeats) {
  Wave("b/Take.WAV");
  Wave("b/take.Wav");  // neither ".wav" nor ".WAV"
  Wave("a/x.wav");
  Wave("c.wav");
  WriteText(dir.File("a/bad.wav"), "RIFF");
  std::filesystem::create_directory_symlink(dir.Path(), dir.File("b/loop"));
  EXPECT_EQ(Names(FindWaveFiles(dir.Path().string(), watch)),
            (Texts{"x.wav", "Take.WAV", "c.wav"}));
  EXPECT_EQ(watch.texts.front(), "Searching... " + dir.File("a/bad.wav"));

  // Ten candidates: all of them in order, without a draw.
  Texts ten;
  for (int i = 0; i < 10; ++i) ten.push_back(std::to_string(i));
  int draws = 0;
  auto counted = [&draws](int n) { return ++draws, n; };
  EXPECT_EQ(DrawKitFiles(ten, counted), ten);
  EXPECT_EQ(draws, 0);
  // A hundred: 64 different ones, each draw from what is left.
  Texts hundred;
  for (int i = 0; i < 100; ++i) hundred.push_back(std::to_string(i));
  std::vector<int> asked;
  Texts drawn = DrawKitFiles(hundred, [&asked](int n) { return asked.push_back(n), n / 2; });
  EXPECT_EQ(std::set<std::string>(drawn.begin(), drawn.end()).size(), 64u);
  EXPECT_EQ(asked.front(), 99);
  EXPECT_EQ(asked.back(), 36);
  EXPECT_EQ(drawn[0], "49");  // candidate 99 / 2
  EXPECT_EQ(drawn[1], "50");  // 98 / 2 of the 99 left

  // A cancel stops the search at once.
  watch.texts.clear();
  watch.cancelAfter = 1;
  EXPECT_TRUE(BuildKitFromTree(dir.Path().string(), counted, watch).instruments.empty());
  EXPECT_EQ(watch.texts.size(), 1u);
}

TEST_F(KitBuilderTest, SixtyFourEqualSlicesBesideTheSource) {
  CInstrument source;
  source.data.assign(kMinSliceFrames, 0.0f);
  for (std::uint32_t i = 0; i < kMinSliceFrames; ++i)
    source.data[i] = (i % 11025 == 0) ? 0.5f : 0.f;
  source.data[11025 * 5 + 1] = -0.25f;
  const std::string path = dir.File("v1.2/loop.take.wav");
  std::filesystem::create_directories(dir.File("v1.2"));
  EXPECT_FALSE(AnySliceExists(path));
  std::vector<std::string> failed;
  KitBuild build = SliceSample(source, path, failed);
  EXPECT_TRUE(failed.empty());
  ASSERT_EQ(build.instruments.size(), 64u);
  EXPECT_EQ(build.instruments[0].samplePath, dir.File("v1.2/loop.take_kit01.wav"));
  EXPECT_EQ(build.instruments[63].samplePath, dir.File("v1.2/loop.take_kit64.wav"));
  for (const CInstrument& slice : build.instruments) EXPECT_EQ(slice.Length(), 11025u);
  // Each slice is normalised to its own peak.
  EXPECT_FLOAT_EQ(build.instruments[0].data[0], 32767 / 32768.f);
  EXPECT_FLOAT_EQ(build.instruments[5].data[1], -16383 / 32768.f);  // truncated toward zero
  EXPECT_TRUE(AnySliceExists(path));
  EXPECT_EQ(SliceName(dir.File("v1.2/noext"), 9), dir.File("v1.2/noext_kit10.wav"));

  // Slices that cannot be written are named; their slots stay without sample.
  failed.clear();
  build = SliceSample(source, dir.File("gone/loop.wav"), failed);
  EXPECT_EQ(failed.size(), 64u);
  EXPECT_EQ(build.instruments[0].samplePath, dir.File("gone/loop_kit01.wav"));
  EXPECT_EQ(build.instruments[0].Length(), 0u);
}

TEST_F(KitBuilderTest, ApplyAndFillKeepTheKeyRange) {
  CKit kit;
  kit[0].minkey = 12;
  kit[0].scale = 7;
  kit[0].loop = true;
  kit[1].data = {1.f};
  kit[1].samplePath = "old.wav";
  KitBuild build;
  build.instruments.resize(1);
  build.instruments[0].samplePath = Wave("new.wav");
  build.instruments[0].data = {0.5f};
  build.instruments[0].rootKey = 40;
  ApplyKitBuild(kit, build);
  EXPECT_EQ(kit[0].samplePath, dir.File("new.wav"));
  EXPECT_EQ(kit[0].rootKey, 40);
  EXPECT_FALSE(kit[0].loop);
  EXPECT_EQ(kit[0].minkey, 12);
  EXPECT_EQ(kit[0].scale, 7);
  EXPECT_EQ(kit[1].samplePath, kNotUsed);
  EXPECT_EQ(FirstEmptySlot(kit), 1);

  // A file that cannot be read takes the slot's path and leaves it without sample.
  kit[1].data = {1.f};
  kit[1].fade = true;
  EXPECT_FALSE(FillSlot(kit[1], dir.File("missing.wav"), nullptr));
  EXPECT_EQ(kit[1].samplePath, dir.File("missing.wav"));
  EXPECT_TRUE(kit[1].data.empty());
  EXPECT_FALSE(kit[1].fade);
  EXPECT_EQ(FirstEmptySlot(kit), 1);
}

}  // namespace
}  // namespace tond::test
