#include "edit/Transforms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "edit/Random.h"
#include "model/Project.h"
#include "model/UndoSystem.h"

namespace tond {
namespace {

struct TransformsFixture : ::testing::Test {
  Project project;
  UndoSystem undo;
  Pattern original{};
  void SetUp() override {
    // Every cell distinct and not black, so any lost, doubled or misplaced cell shows.
    for (int i = 0; i < kCells; ++i) original[static_cast<size_t>(i)] = static_cast<Cell>(i + 1);
    project.working.CopyFrom(original);
    undo.Init(&project.working);
  }
  Cell At(int x, int y) const { return project.GetCell(x, y); }
  static Cell Orig(int x, int y) { return static_cast<Cell>(CellIndex(x, y) + 1); }
  bool SameCells() const {
    const Pattern p = project.working.Snapshot();
    return std::multiset<Cell>(p.begin(), p.end()) ==
           std::multiset<Cell>(original.begin(), original.end());
  }
};

TEST_F(TransformsFixture, ReversalsAndRotationsMoveCornersAndRoundTrip) {
  ReverseX(project, undo);
  EXPECT_EQ(At(0, 7), Orig(63, 7));
  ReverseY(project, undo);
  EXPECT_EQ(At(0, 7), Orig(63, 56));
  ReverseX(project, undo);
  ReverseY(project, undo);
  EXPECT_EQ(project.working, original);
  RotateQuarter(project, -1, undo);  // "Rotate": counter-clockwise
  EXPECT_EQ(At(0, 0), Orig(63, 0));
  RotateQuarter(project, 1, undo);  // "Rotate2" undoes it
  EXPECT_EQ(project.working, original);
  RotateQuarter(project, -3, undo);  // one clockwise turn
  EXPECT_EQ(At(63 - 20, 10), Orig(10, 20));
  RotateQuarter(project, 3, undo);
  EXPECT_EQ(project.working, original);
  EXPECT_FALSE(RotateQuarter(project, -4, undo));
  EXPECT_EQ(undo.Count(), 1 + 8);
}

TEST_F(TransformsFixture, OffsetPatternWrapsAndPushesOnlyWhenAsked) {
  EXPECT_TRUE(OffsetPattern(project, -1, 0, nullptr));
  EXPECT_EQ(At(63, 9), Orig(0, 9));
  EXPECT_TRUE(OffsetPattern(project, 1, 3, &undo));
  EXPECT_EQ(At(4, 3), Orig(4, 0));
  EXPECT_EQ(At(4, 0), Orig(4, 61));
  EXPECT_FALSE(OffsetPattern(project, 0, 64, &undo));
  EXPECT_FALSE(OffsetPattern(project, -64, 0, &undo));
  EXPECT_EQ(undo.Count(), 2);
  // The hand tool's row and column shifts ignore an index off the grid.
  project.working.CopyFrom(original);
  EXPECT_FALSE(ShiftRow(original, project.working, 64, 1));
  EXPECT_FALSE(ShiftColumn(original, project.working, -1, 1));
  EXPECT_EQ(project.working, original);
}

TEST_F(TransformsFixture, OffsetColoursClampsAndEmptiedNotesStayEmpty) {
  project.working.Fill(0);
  project.SetCell(0, 0, MakeCell(250, 3, 128));
  project.SetCell(1, 0, MakeCell(5, 0, 0));
  EXPECT_FALSE(OffsetColours(project, 0, 0, 0, undo));
  EXPECT_TRUE(OffsetColours(project, 10, -10, 0, undo));
  EXPECT_EQ(At(0, 0), MakeCell(255, 0, 128));
  EXPECT_EQ(At(1, 0), MakeCell(15, 0, 0));
  OffsetColours(project, -20, 0, 0, undo);
  EXPECT_EQ(At(1, 0), 0u);  // all three channels at 0: an empty cell
  OffsetColours(project, 10, 10, 10, undo);
  EXPECT_EQ(At(1, 0), 0u);
  EXPECT_EQ(At(5, 5), 0u);
  EXPECT_EQ(undo.Count(), 4);
}

TEST_F(TransformsFixture, ShufflesPermuteWholeRowsColumnsOrCells) {
  RandomSource random(7), replay(7);
  ShuffleRows(project, random, undo);
  EXPECT_EQ(At(0, std::min(RandomIndex(replay, 64), 63)), Orig(0, 0));
  std::set<int> sources;
  for (int y = 0; y < kRows; ++y) {
    const int source = static_cast<int>(At(0, y) - 1) % 64;
    sources.insert(source);
    for (int x = 0; x < kColumns; ++x) ASSERT_EQ(At(x, y), Orig(x, source));
  }
  EXPECT_EQ(sources.size(), 64u);

  project.working.CopyFrom(original);
  ShuffleColumns(project, random, undo);
  for (int x = 0; x < kColumns; ++x) {
    const int source = static_cast<int>(At(x, 0) - 1) / 64;
    for (int y = 0; y < kRows; ++y) ASSERT_EQ(At(x, y), Orig(source, y));
  }
  EXPECT_TRUE(SameCells());
  EXPECT_NE(project.working, original);
  EXPECT_EQ(undo.Count(), 3);

  // Cells: the last cell keeps its place unless the largest random integer comes up.
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    replay.Seed(seed);
    bool topDrawn = false;
    for (int k = 0; k < kCells; ++k) topDrawn |= replay.Next() == RandomSource::kMax;
    random.Seed(seed);
    project.working.CopyFrom(original);
    ShuffleCells(project, random, undo);
    EXPECT_TRUE(SameCells());
    if (!topDrawn) {
      EXPECT_EQ(At(63, 63), Orig(63, 63));
    }
  }
}

}  // namespace
}  // namespace tond
