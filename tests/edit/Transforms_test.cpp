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
};

TEST_F(TransformsFixture, ReversalsAndRotationsRoundTrip) {
  ReverseX(project, undo);
  EXPECT_EQ(At(0, 7), Orig(63, 7));
  ReverseY(project, undo);
  EXPECT_EQ(At(0, 0), Orig(63, 63));
  ReverseX(project, undo);
  ReverseY(project, undo);
  EXPECT_EQ(project.working, original);
  for (int k : {1, -1}) {
    for (int i = 0; i < 4; ++i) RotateQuarter(project, k, undo);
    EXPECT_EQ(project.working, original);
  }
  EXPECT_EQ(undo.Count(), 1 + 12);
  EXPECT_FALSE(RotateQuarter(project, 0, undo));
  EXPECT_EQ(undo.Count(), 13);
}

TEST_F(TransformsFixture, RotationMovesCorners) {
  RotateQuarter(project, -1, undo);  // "Rotate": counter-clockwise
  EXPECT_EQ(At(0, 0), Orig(63, 0));
  EXPECT_EQ(At(0, 63), Orig(0, 0));
  RotateQuarter(project, 1, undo);  // "Rotate2" undoes it
  EXPECT_EQ(project.working, original);
  RotateQuarter(project, 1, undo);
  EXPECT_EQ(At(63, 0), Orig(0, 0));
  EXPECT_EQ(At(63 - 20, 10), Orig(10, 20));
  RotateQuarter(project, 1, undo);
  EXPECT_EQ(At(63 - 10, 63 - 20), Orig(10, 20));
  RotateQuarter(project, -3, undo);  // -3 is one clockwise: three in all, one counter-clockwise
  EXPECT_EQ(At(20, 63 - 10), Orig(10, 20));
}

TEST_F(TransformsFixture, OffsetPatternWrapsAndPushesOnlyWhenAsked) {
  EXPECT_TRUE(OffsetPattern(project, -1, 0, nullptr));
  EXPECT_EQ(At(63, 9), Orig(0, 9));
  EXPECT_EQ(undo.Count(), 1);
  EXPECT_TRUE(OffsetPattern(project, 1, 3, &undo));
  EXPECT_EQ(At(4, 3), Orig(4, 0));
  EXPECT_EQ(At(4, 0), Orig(4, 61));
  EXPECT_EQ(undo.Count(), 2);
  project.working.CopyFrom(original);
  EXPECT_FALSE(OffsetPattern(project, 0, 64, &undo));
  EXPECT_FALSE(OffsetPattern(project, -64, 0, &undo));
  EXPECT_EQ(project.working, original);
  EXPECT_EQ(undo.Count(), 2);
}

TEST_F(TransformsFixture, OffsetColoursClampsAndEmptiedNotesStayEmpty) {
  project.working.Fill(0);
  project.SetCell(0, 0, MakeCell(250, 3, 128));
  project.SetCell(1, 0, MakeCell(5, 0, 0));
  EXPECT_FALSE(OffsetColours(project, 0, 0, 0, undo));
  EXPECT_EQ(undo.Count(), 1);
  EXPECT_TRUE(OffsetColours(project, 10, -10, 0, undo));
  EXPECT_EQ(At(0, 0), MakeCell(255, 0, 128));
  EXPECT_EQ(At(1, 0), MakeCell(15, 0, 0));
  OffsetColours(project, -20, 0, 0, undo);
  EXPECT_EQ(At(1, 0), 0u);  // all three channels at 0: an empty cell
  OffsetColours(project, 10, 10, 10, undo);
  EXPECT_EQ(At(1, 0), 0u);
  EXPECT_EQ(At(5, 5), 0u);
  OffsetColours(project, 0, 0, -32768, undo);
  EXPECT_EQ(At(0, 0), MakeCell(245, 10, 0));
  EXPECT_EQ(undo.Count(), 5);
}

std::multiset<Cell> Cells(const Grid& g) {
  Pattern p = g.Snapshot();
  return {p.begin(), p.end()};
}

TEST_F(TransformsFixture, ShufflesPermuteWholeRowsColumnsOrCells) {
  RandomSource random(7), replay(7);
  ShuffleRows(project, random, undo);
  // Row 0 goes to the r-th row; row 1 to the (r + 1)-th row still free.
  int r0 = std::min(RandomIndex(replay, 64), 63);
  int r1 = std::min(RandomIndex(replay, 63), 62);
  int t1 = r1 < r0 ? r1 : r1 + 1;
  std::set<Cell> rowStarts;
  for (int y = 0; y < kRows; ++y) {
    int source = static_cast<int>(At(0, y) - 1) % 64;
    rowStarts.insert(At(0, y));
    for (int x = 0; x < kColumns; ++x) ASSERT_EQ(At(x, y), Orig(x, source));
  }
  EXPECT_EQ(rowStarts.size(), 64u);
  EXPECT_EQ(At(0, r0), Orig(0, 0));
  EXPECT_EQ(At(0, t1), Orig(0, 1));

  project.working.CopyFrom(original);
  ShuffleColumns(project, random, undo);
  for (int x = 0; x < kColumns; ++x) {
    int source = static_cast<int>(At(x, 0) - 1) / 64;
    for (int y = 0; y < kRows; ++y) ASSERT_EQ(At(x, y), Orig(source, y));
  }
  EXPECT_EQ(Cells(project.working), std::multiset<Cell>(original.begin(), original.end()));
  EXPECT_NE(project.working, original);
  EXPECT_EQ(undo.Count(), 3);
}

TEST_F(TransformsFixture, ShuffleCellsIsRepeatableAndKeepsTheLastCellWithoutTopDraw) {
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    RandomSource replay(seed);
    bool topDrawn = false;
    for (int k = 0; k < kCells; ++k) topDrawn |= replay.Next() == RandomSource::kMax;
    RandomSource random(seed);
    project.working.CopyFrom(original);
    ShuffleCells(project, random, undo);
    Pattern first = project.working.Snapshot();
    EXPECT_EQ(Cells(project.working), std::multiset<Cell>(original.begin(), original.end()));
    if (!topDrawn) {
      EXPECT_EQ(At(63, 63), Orig(63, 63));
    }
    random.Seed(seed);
    project.working.CopyFrom(original);
    ShuffleCells(project, random, undo);
    EXPECT_EQ(project.working, first);
  }
}

TEST_F(TransformsFixture, HandDragWorksFromTheCopyTakenAtItsStart) {
  BeginDrag(project);
  OffsetFromDragStart(project, 2, -1);
  OffsetFromDragStart(project, 3, 0);
  EXPECT_EQ(At(3, 0), Orig(0, 0));  // offset from the start, not added up
  project.working.CopyFrom(original);
  ShiftRow(project, 5, -2);
  EXPECT_EQ(At(62, 5), Orig(0, 5));
  EXPECT_EQ(At(62, 6), Orig(62, 6));
  ShiftRow(project, 5, 1);  // replaces the earlier shift of the row
  EXPECT_EQ(At(1, 5), Orig(0, 5));
  ShiftColumn(project, 9, 65);
  EXPECT_EQ(At(9, 1), Orig(9, 0));
  EXPECT_EQ(At(10, 1), Orig(10, 1));
  EXPECT_FALSE(ShiftRow(project, 64, 1));
  EXPECT_EQ(undo.Count(), 1);
}

}  // namespace
}  // namespace tond
