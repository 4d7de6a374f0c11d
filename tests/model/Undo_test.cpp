#include <gtest/gtest.h>

#include "model/Project.h"
#include "model/UndoSystem.h"

namespace tond {
namespace {

struct UndoFixture : ::testing::Test {
  Project project;
  UndoSystem undo;
  void SetUp() override { undo.Init(&project.working); }
  void Edit(int column, int row, Cell value) {
    project.SetCell(column, row, value);
    undo.Push();
  }
};

TEST_F(UndoFixture, UndoStopsAtTheStartUpStateAndRedoAtTheLast) {
  Edit(0, 0, 1);
  Edit(0, 1, 2);
  for (int i = 0; i < 3; ++i) undo.Undo();
  EXPECT_EQ(project.working, Pattern{});
  EXPECT_EQ(undo.Current(), 0);
  undo.Redo();
  EXPECT_EQ(project.GetCell(0, 0), 1u);
  EXPECT_EQ(project.GetCell(0, 1), 0u);
  undo.Redo();
  undo.Redo();
  EXPECT_EQ(project.GetCell(0, 1), 2u);
  EXPECT_EQ(undo.Current(), 2);
}

TEST_F(UndoFixture, EmptyHistoryChangesNothing) {
  Edit(5, 5, 9);
  undo.Clear();
  undo.Undo();
  undo.Redo();
  EXPECT_EQ(project.GetCell(5, 5), 9u);
  EXPECT_EQ(undo.Current(), -1);
  // The first edit after a clear cannot be undone; the second can, back to the first.
  Edit(6, 6, 1);
  Edit(7, 7, 2);
  undo.Undo();
  undo.Undo();
  EXPECT_EQ(project.GetCell(6, 6), 1u);
  EXPECT_EQ(project.GetCell(7, 7), 0u);
}

TEST_F(UndoFixture, EditAfterUndoReturnsToTheStateShownBeforeIt) {
  Edit(0, 0, 1);  // A
  Edit(0, 0, 2);  // B
  undo.Undo();    // shows A
  Edit(1, 1, 3);  // C, built on A
  undo.Undo();
  EXPECT_EQ(project.GetCell(0, 0), 1u);
  EXPECT_EQ(project.GetCell(1, 1), 0u);
  undo.Redo();
  EXPECT_EQ(project.GetCell(1, 1), 3u);
  EXPECT_FALSE(undo.CanRedo());  // B was dropped by the edit
}

}  // namespace
}  // namespace tond
