#include "model/Project.h"

#include <gtest/gtest.h>

#include "model/UndoSystem.h"

namespace tond {
namespace {

struct ProjectFixture : ::testing::Test {
  Project project;
  UndoSystem undo;
  void SetUp() override { undo.Init(&project.working); }
};

TEST_F(ProjectFixture, SelectingPatternsStoresAndSwapsGridsTemposAndHistory) {
  project.SetCell(1, 2, 77);
  undo.Push();
  // The current pattern again: stored with the control's tempo; the history survives.
  EXPECT_FALSE(project.SelectPattern(0, 133.7, undo));
  EXPECT_EQ(project.Tempo(0), 133u);
  EXPECT_EQ(project.StoredPattern(0)[CellIndex(1, 2)], 77u);
  EXPECT_EQ(undo.Count(), 2);
  // Another one: its own grid and tempo, and an empty history.
  EXPECT_TRUE(project.SelectPattern(3, 90, undo));
  EXPECT_EQ(project.Current(), 3);
  EXPECT_EQ(project.GetCell(1, 2), 0u);
  EXPECT_EQ(project.Tempo(3), 120u);
  EXPECT_EQ(undo.Count(), 0);
  project.SetCell(63, 63, 6);
  EXPECT_TRUE(project.SelectPattern(0, 140, undo));
  EXPECT_EQ(project.Tempo(3), 140u);
  EXPECT_EQ(project.Tempo(0), 90u);
  EXPECT_EQ(project.GetCell(1, 2), 77u);
  EXPECT_EQ(project.StoredPattern(3)[CellIndex(63, 63)], 6u);
  // Slots do not bleed into each other through the interleaved layout.
  EXPECT_EQ(project.StoredPattern(2), Pattern{});
  EXPECT_EQ(project.StoredPattern(4), Pattern{});

  // A new project empties every slot, grid and tempo.
  project.SelectPattern(5, 200, undo);
  project.SetCell(4, 4, 2);
  project.NewProject(undo);
  EXPECT_EQ(project.Current(), 0);
  EXPECT_EQ(project.working, Pattern{});
  for (int s = 0; s < Project::kPatterns; ++s) {
    EXPECT_EQ(project.Tempo(s), 120u);
    EXPECT_EQ(project.StoredPattern(s), Pattern{});
  }
  EXPECT_EQ(undo.Count(), 0);
}

TEST_F(ProjectFixture, ClearPatternPushesOnceAndCanBeUndone) {
  project.SetCell(9, 9, 3);
  undo.Init(&project.working);
  project.ClearPattern(undo);
  EXPECT_EQ(project.GetCell(9, 9), 0u);
  EXPECT_EQ(undo.Count(), 2);
  undo.Undo();
  EXPECT_EQ(project.GetCell(9, 9), 3u);
}

}  // namespace
}  // namespace tond
