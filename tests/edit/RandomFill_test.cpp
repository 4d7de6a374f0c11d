#include "edit/RandomFill.h"

#include <gtest/gtest.h>

#include "edit/Random.h"
#include "model/Project.h"
#include "model/UndoSystem.h"

namespace tond {
namespace {

struct RandomFillFixture : ::testing::Test {
  Project project;
  UndoSystem undo;
  RandomSource random{7};
  void SetUp() override { undo.Init(&project.working); }
  int CountOf(Cell value) const {
    int n = 0;
    for (int i = 0; i < kCells; ++i) n += project.working.Get(i) == value;
    return n;
  }
};

// The initial settings (a red gradient over an emptied grid): the main window's Random test.
TEST_F(RandomFillFixture, AddJittersOnlyThePaintedCellsAndDrawsInOrder) {
  // Single colour at variation 10: per cell the position, then three jitter numbers of up to
  // 25.5 each; the first position is RandomIndex(4095).
  RandomSettings settings{kRandomAdd, kRandomSingleColour, 0x808080, 0, 33, 10};
  project.working.Fill(0x000005);
  RandomSource twin{7};
  const int first = RandomIndex(twin, 4095);
  for (int i = 1; i < 4 * RandomFillCount(33); ++i) twin.Next();
  RandomFill(settings, project.working, undo, random);
  EXPECT_EQ(random.Next(), twin.Next());
  EXPECT_NE(project.working.Get(first), 0x000005u);
  EXPECT_EQ(CountOf(0x000005), kCells - 1351);
  for (int i = 0; i < kCells; ++i) {
    const Cell c = project.working.Get(i);
    if (c == 0x000005u) continue;
    for (int channel : {Red(c), Green(c), Blue(c)}) EXPECT_NEAR(channel, 128, 26) << i;
  }
}

TEST_F(RandomFillFixture, DensityEndsPaintAllOrNothing) {
  RandomSettings settings{kRandomReplace, kRandomSingleColour, 0x123456, 0x0000FF, 100, 0};
  EXPECT_EQ(RandomFillCount(250), kCells);
  RandomFill(settings, project.working, undo, random);
  EXPECT_EQ(CountOf(0x123456), kCells);
  // Density 0: "add" changes nothing but still pushes; "replace" empties.
  settings.density = 0;
  settings.operation = kRandomAdd;
  EXPECT_FALSE(RandomFill(settings, project.working, undo, random));
  EXPECT_EQ(CountOf(0x123456), kCells);
  EXPECT_EQ(undo.Count(), 3);
  settings.operation = kRandomReplace;
  EXPECT_TRUE(RandomFill(settings, project.working, undo, random));
  EXPECT_EQ(CountOf(0), kCells);
}

}  // namespace
}  // namespace tond
