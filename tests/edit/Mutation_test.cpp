#include "edit/Mutation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "edit/Random.h"
#include "model/Project.h"
#include "model/UndoSystem.h"

namespace tond {
namespace {

struct MutationFixture : ::testing::Test {
  Project project;
  UndoSystem undo;
  RandomSource random;
  Pattern original{};
  void SetUp() override {
    for (int i = 0; i < kCells; i += 3) project.working.Set(i, MakeCell(i % 256, 128, 200));
    undo.Init(&project.working);
    original = project.working.Snapshot();
  }
  // Largest channel distance of any cell from the original.
  int Distance() const {
    int worst = 0;
    for (int i = 0; i < kCells; ++i) {
      const Cell a = project.working.Get(i), b = original[i];
      worst = std::max({worst, std::abs(Red(a) - Red(b)), std::abs(Green(a) - Green(b)),
                        std::abs(Blue(a) - Blue(b))});
    }
    return worst;
  }
};

TEST_F(MutationFixture, SeedRepeatsSlidersScaleTheSameJitterAndCancelRestores) {
  MutationEdit edit(project.working);
  edit.Open(1234, random);
  const Pattern opened = project.working.Snapshot();
  EXPECT_FALSE(opened == original);
  EXPECT_LE(Distance(), 26);
  EXPECT_TRUE(edit.SetAmount(0, 50, random));
  EXPECT_TRUE(edit.SetAmount(0, 10, random));
  EXPECT_EQ(project.working, opened);

  // Escape restores without a push; another window with the same seed shows the same mutation.
  EXPECT_TRUE(edit.Cancel());
  EXPECT_EQ(project.working, original);
  EXPECT_EQ(undo.Count(), 1);
  MutationEdit again(project.working);
  again.Open(1234, random);
  EXPECT_EQ(project.working, opened);

  // "New Mutation" draws on, each time from the backup: nothing compounds.
  for (int n = 0; n < 20; ++n) {
    again.NewMutation(random);
    EXPECT_LE(Distance(), 26);
  }
  EXPECT_FALSE(project.working == opened);
  again.SetAmount(2, 10, random);
  EXPECT_EQ(project.working, opened);
  again.Accept(undo);
  EXPECT_EQ(undo.Count(), 2);

  for (int channel = 0; channel < 3; ++channel) again.SetAmount(channel, 0, random);
  EXPECT_EQ(project.working, original);
}

TEST_F(MutationFixture, NotesNeverVanishAndEmptyCellsDrawNothing) {
  Pattern backup{};
  for (int i = 0; i < kCells; i += 2) backup[i] = 0x000001;
  ApplyMutation(backup, project.working, {100, 0, 0}, random);
  int darkest = 0;
  for (int i = 0; i < kCells; ++i) {
    const Cell c = project.working.Get(i);
    EXPECT_EQ(c == 0, i % 2 == 1) << i;
    darkest += c == 0x010101;
  }
  EXPECT_GT(darkest, 100);

  RandomSource fresh{5}, used{5};
  ApplyMutation(Pattern{}, project.working, {100, 100, 100}, used);
  EXPECT_EQ(project.working, Pattern{});
  EXPECT_EQ(used.Next(), fresh.Next());
}

}  // namespace
}  // namespace tond
