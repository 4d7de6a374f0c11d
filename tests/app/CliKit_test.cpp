// tond kit: the kit editor's builds from the command line.
#include <gtest/gtest.h>

#include <filesystem>

#include "RunTond.h"
#include "kit/KitBuilder.h"

namespace tond {
namespace {

TEST(CliKit, FolderAndRandomTreeBuildAndSave) {
  test::TondFolder dir;
  std::filesystem::create_directories(dir.File("waves/deep"));
  for (const char* name : {"waves/b.wav", "waves/A.WAV", "waves/deep/c.wav"}) dir.Tone(name, 10, 5);

  auto r = dir.Tond("kit --folder waves -o folder.kit");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "folder.kit: 2 of 64 slots filled from the waves of waves\n");
  CKit kit;
  ASSERT_TRUE(kit.Load(dir.File("folder.kit"), nullptr, nullptr));
  EXPECT_EQ(kit[0].samplePath, dir.File("waves/A.WAV"));  // absolute, whatever the folder given

  // (What each build takes, in which order: the kit builder's test.)
  r = dir.Tond("kit --random waves --seed 7 -o tree.kit");
  EXPECT_EQ(r.out,
            "tree.kit: 3 of 64 slots filled with waves drawn at random under waves (seed 7)\n");

  r = dir.Tond("kit --random waves/deep/none -o none.kit");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "tond kit: " + std::string(kNoSampleInFolder) + "\n");
  EXPECT_EQ(dir.Tond("kit --folder waves --seed 1 -o x.kit").exitCode, 2);
  EXPECT_EQ(dir.Tond("kit --folder waves --add -o x.kit").exitCode, 2);
  EXPECT_FALSE(std::filesystem::exists(dir.File("x.kit")));
}

TEST(CliKit, SlicesAndAddedWaves) {
  test::TondFolder dir;
  dir.Tone("long.wav", kMinSliceFrames, 100);
  dir.Tone("short.wav", kMinSliceFrames - 1, 100);
  auto r = dir.Tond("kit --slice short.wav -o s.kit");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "tond kit: The file '" + dir.File("short.wav") + "' is too short.\n");

  EXPECT_EQ(dir.Tond("kit --slice long.wav -o s.kit").exitCode, 0);
  EXPECT_TRUE(std::filesystem::exists(dir.File("long_kit64.wav")));
  r = dir.Tond("kit --slice long.wav -o again.kit");  // the question is declined
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("again.kit")));
  EXPECT_EQ(dir.Tond("kit --slice long.wav --replace -o again.kit").exitCode, 0);

  // The slices fill the kit: nothing more fits, and nothing is written.
  r = dir.Tond("kit --add short.wav --kit s.kit -o more.kit");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "tond kit: " + std::string(kNotEnoughSlots) + "\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("more.kit")));
  r = dir.Tond("kit --add short.wav long.wav -o two.kit");
  EXPECT_EQ(r.out, "two.kit: 2 of 64 slots filled after adding 2 waves\n");
  r = dir.Tond("kit --add gone.wav -o gone.kit");
  EXPECT_EQ(r.err, "tond kit: Unable to read the file:\n " + dir.File("gone.wav") +
                       "\nNo such file or directory\n");
}

}  // namespace
}  // namespace tond
