#include "edit/RandomFill.h"

#include <gtest/gtest.h>

#include <vector>

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

TEST_F(RandomFillFixture, InitialSettingsPaintRedGradientOverEmptiedGrid) {
  project.working.Fill(0x00FF00);
  RandomSettings settings;
  EXPECT_TRUE(RandomFill(settings, project.working, undo, random));
  int notes = 0;
  for (int i = 0; i < kCells; ++i) {
    const Cell c = project.working.Get(i);
    EXPECT_EQ(c & ~0xFFu, 0u) << i;
    notes += c != 0;
  }
  EXPECT_LE(notes, 1024);
  EXPECT_GT(notes, 1000);
  EXPECT_EQ(undo.Count(), 2);
}

TEST_F(RandomFillFixture, PaintsTheUnmarkedIndexesDrawnInGridOrder) {
  // Reference: a linear scan over marks for the (r + 1)-th unmarked index, with the draws
  // of a single colour at variation 10: the position, then three jitter numbers.
  RandomSettings settings{kRandomAdd, kRandomSingleColour, 0x808080, 0, 33, 10};
  project.working.Fill(0x000005);
  RandomSource reference{7};
  std::vector<bool> marked(kCells, false);
  for (int i = 0; i < RandomFillCount(33); ++i) {
    int r = RandomIndex(reference, 4095 - i);
    int k = 0;
    for (;; ++k) {
      if (!marked[static_cast<size_t>(k)] && r-- == 0) break;
    }
    marked[static_cast<size_t>(k)] = true;
    for (int j = 0; j < 3; ++j) reference.Next();
  }
  RandomFill(settings, project.working, undo, random);
  for (int i = 0; i < kCells; ++i) {
    const Cell c = project.working.Get(i);
    if (!marked[static_cast<size_t>(i)]) {
      EXPECT_EQ(c, 0x000005u) << i;
      continue;
    }
    for (int channel : {Red(c), Green(c), Blue(c)}) EXPECT_NEAR(channel, 128, 26) << i;
  }
  EXPECT_EQ(random.Next(), reference.Next());
}

TEST_F(RandomFillFixture, SingleColourSameSeedAndDensityEnds) {
  RandomSettings settings{kRandomReplace, kRandomSingleColour, 0x123456, 0x0000FF, 33, 0};
  RandomFill(settings, project.working, undo, random);
  EXPECT_EQ(RandomFillCount(250), kCells);
  EXPECT_EQ(CountOf(0x123456), 1351);
  EXPECT_EQ(CountOf(0), kCells - 1351);
  const Pattern first = project.working.Snapshot();

  random.Seed(7);
  RandomFill(settings, project.working, undo, random);
  EXPECT_EQ(project.working, first);
  random.Seed(8);
  RandomFill(settings, project.working, undo, random);
  EXPECT_FALSE(project.working == first);

  settings.density = 100;
  RandomFill(settings, project.working, undo, random);
  EXPECT_EQ(CountOf(0x123456), kCells);

  // Density 0: "add" changes nothing but still pushes; "replace" empties.
  const int states = undo.Count();
  settings.density = 0;
  settings.operation = kRandomAdd;
  EXPECT_FALSE(RandomFill(settings, project.working, undo, random));
  EXPECT_EQ(CountOf(0x123456), kCells);
  EXPECT_EQ(undo.Count(), states + 1);
  settings.operation = kRandomReplace;
  EXPECT_TRUE(RandomFill(settings, project.working, undo, random));
  EXPECT_EQ(CountOf(0), kCells);
}

}  // namespace
}  // namespace tond
