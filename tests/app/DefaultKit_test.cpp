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

namespace tond {
namespace {

namespace fs = std::filesystem;

TEST(Shipped, TheDefaultKitFillsEverySlotTheExamplesLoadAndARandomPatternSounds) {
  // The shipped sample paths are relative to the program folder, the working folder after
  // start-up.
  const fs::path program = fs::path(std::getenv("TOND_BINARY")).parent_path();
  const fs::path previous = fs::current_path();
  fs::current_path(program);
  test::RecordingNotifier notifier;
  auto kit = std::make_unique<CKit>();
  EXPECT_TRUE(kit->Load("kits/default.kit", &notifier, nullptr));
  for (int slot = 0; slot < CKit::kSlots; ++slot) {
    const CInstrument& instrument = (*kit)[slot];
    EXPECT_EQ(instrument.samplePath.rfind("kits/", 0), 0u) << slot;
    EXPECT_GT(instrument.Length(), 1000u) << slot;
    EXPECT_TRUE(instrument.fade) << slot;
    EXPECT_EQ(instrument.loop, slot >= 48) << slot;  // only the pads hold their tone
  }
  std::unique_ptr<ProjectFileData> demo = ReadProjectFile("Projects/demo.blp", notifier);
  if (demo) ApplyInstrumentRecords(*demo, *kit, &notifier);
  for (int slot = 0; demo && slot < 4; ++slot) {
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
  fs::current_path(previous);
  EXPECT_TRUE(demo);
  EXPECT_GE(filters, 4);
  EXPECT_EQ(notifier.messages, std::vector<std::string>{});

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
  std::size_t loud = 0;
  for (std::size_t at = 44; at + 1 < wave.size(); at += 2)
    loud += std::abs(static_cast<std::int16_t>(test::GetU16(wave, at))) > 1000;
  EXPECT_GT(loud, wave.size() / 2 / 10);  // sound through most of the pass
}

}  // namespace
}  // namespace tond
