// What the build ships beside `tond`: the default kit, the example filters and the demo project.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>

#include "RunTond.h"
#include "files/PatternFile.h"
#include "files/ProjectFile.h"
#include "kit/Kit.h"
#include "support/TestFiles.h"

namespace tond {
namespace {

namespace fs = std::filesystem;

// The shipped files' sample paths are relative to the program folder, so the tests read them
// from there, as the program does after start-up.
class Shipped : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* binary = std::getenv("TOND_BINARY");
    ASSERT_NE(binary, nullptr) << "TOND_BINARY is not set";
    program = fs::path(binary).parent_path();
    fs::current_path(program);
  }
  void TearDown() override { fs::current_path(previous_); }

  fs::path program;
  test::RecordingNotifier notifier;

 private:
  fs::path previous_ = fs::current_path();
};

TEST_F(Shipped, TheDefaultKitFillsEverySlot) {
  auto kit = std::make_unique<CKit>();
  ASSERT_TRUE(kit->Load("kits/default.kit", &notifier, nullptr));
  EXPECT_TRUE(notifier.messages.empty());
  for (int slot = 0; slot < CKit::kSlots; ++slot) {
    const CInstrument& instrument = (*kit)[slot];
    EXPECT_TRUE(instrument.InUse()) << slot;
    EXPECT_EQ(instrument.samplePath.rfind("kits/", 0), 0u) << slot;
    EXPECT_GT(instrument.Length(), 1000u) << slot;
    EXPECT_TRUE(instrument.fade) << slot;
    EXPECT_EQ(instrument.loop, slot >= 48) << slot;  // only the pads hold their tone
  }
}

TEST_F(Shipped, TheExamplesLoadWithTheDefaultKit) {
  std::unique_ptr<ProjectFileData> demo = ReadProjectFile("Projects/demo.blp", notifier);
  ASSERT_TRUE(demo);
  auto kit = std::make_unique<CKit>();
  ApplyInstrumentRecords(*demo, *kit, &notifier);
  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_GT((*kit)[63].Length(), 0u);
  for (int slot = 0; slot < 4; ++slot) {
    EXPECT_NE(demo->patterns[slot], Pattern{}) << slot;
    EXPECT_GE(demo->tempos[slot], 60u);
    EXPECT_LE(demo->tempos[slot], 180u);
  }
  int filters = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator("Filters")) {
    PatternFileData data;
    EXPECT_EQ(ReadPatternFile(entry.path().string(), data), PatternFileStatus::kOk);
    EXPECT_NE(data.cells, Pattern{}) << entry.path();
    ++filters;
  }
  EXPECT_GE(filters, 4);
}

TEST_F(Shipped, ARandomPatternSoundsThroughRender) {
  test::TempDir dir;
  std::mt19937 random(7);
  Pattern cells{};
  for (Cell& cell : cells)
    if (random() % 6 == 0) cell = MakeCell(random() % 256, random() % 256, random() % 256);
  test::WriteBytes(dir.File("random.pat"), EncodePatternFile(cells, 120));
  test::TondResult result = test::RunTond(
      {"render", dir.File("random.pat"), "--kit", "kits/default.kit", "-o", dir.File("out.wav")},
      program.string());
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  test::Bytes wave = test::ReadBytes(dir.File("out.wav"));
  ASSERT_GT(wave.size(), 44u);
  std::size_t loud = 0;
  for (std::size_t at = 44; at + 1 < wave.size(); at += 2)
    loud += std::abs(static_cast<std::int16_t>(test::GetU16(wave, at))) > 1000;
  EXPECT_GT(loud, (wave.size() - 44) / 2 / 10);  // sound through most of the pass
}

}  // namespace
}  // namespace tond
