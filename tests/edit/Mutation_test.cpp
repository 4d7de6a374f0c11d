#include "edit/Mutation.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "edit/Random.h"
#include "model/Project.h"
#include "model/UndoSystem.h"

namespace tond {
namespace {

TEST(MutationTest, SlidersScaleOneJitterOfTheBackupAndCancelRestores) {
  Project project;
  UndoSystem undo;
  RandomSource random;
  for (int i = 0; i < kCells; i += 3) project.working.Set(i, MakeCell(i % 256, 128, 200));
  undo.Init(&project.working);
  const Pattern original = project.working.Snapshot();

  MutationEdit edit(project.working);
  edit.Open(1234, random);
  const Pattern opened = project.working.Snapshot();
  EXPECT_NE(opened, original);
  EXPECT_LE(std::abs(Green(opened[3]) - 128), 26) << "opens at 10 %";
  EXPECT_TRUE(edit.SetAmount(0, 50, random));
  EXPECT_TRUE(edit.SetAmount(0, 10, random));
  EXPECT_EQ(project.working, opened);
  EXPECT_TRUE(edit.Cancel());  // Escape: restored, nothing pushed
  EXPECT_EQ(project.working, original);
  EXPECT_EQ(undo.Count(), 1);

  // Another window with the same seed shows the same mutation. "New Mutation" draws on,
  // always from the backup, so the next slider change brings back the jitter of the seed.
  MutationEdit again(project.working);
  again.Open(1234, random);
  EXPECT_EQ(project.working, opened);
  again.NewMutation(random);
  again.NewMutation(random);
  EXPECT_NE(project.working.Snapshot(), opened);
  again.SetAmount(2, 10, random);
  EXPECT_EQ(project.working, opened);
  for (int channel = 0; channel < 3; ++channel) again.SetAmount(channel, 0, random);
  EXPECT_EQ(project.working, original);
  again.Accept(undo);
  EXPECT_EQ(undo.Count(), 2);
}

TEST(MutationTest, JitterKeepsToTheAmountNotesNeverVanishEmptyCellsDrawNothing) {
  Grid grid;
  RandomSource random;
  Pattern backup{};
  for (int i = 0; i < kCells; i += 2) backup[i] = i % 4 ? MakeCell(128, 128, 128) : 0x000001;
  ApplyMutation(backup, grid, {100, 10, 10}, random);
  int darkest = 0;
  for (int i = 0; i < kCells; ++i) {
    const Cell c = grid.Get(i);
    EXPECT_EQ(c == 0, i % 2 == 1) << i;
    darkest += c == 0x010101;
    if (i % 4 == 2) {
      EXPECT_LE(std::abs(Green(c) - 128), 26) << i;  // 10 % is 25.5 either way
    }
  }
  EXPECT_GT(darkest, 50);

  RandomSource fresh{5}, used{5};
  ApplyMutation(Pattern{}, grid, {100, 100, 100}, used);
  EXPECT_EQ(grid, Pattern{});
  EXPECT_EQ(used.Next(), fresh.Next());
}

}  // namespace
}  // namespace tond
