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

TEST(UndoBudget, KeepsTheNewestStatesWithinItsMemory) {
  Project project;
  const std::size_t budget = 10 * CUndoState(Pattern{}, Pattern{}).Bytes() + 10 * kCells * 4;
  UndoSystem undo(budget);
  undo.Init(&project.working);
  // Edits that change every cell: ten fit.
  for (Cell v = 1; v <= 30; ++v) {
    project.working.Fill(v);
    undo.Push();
  }
  EXPECT_EQ(undo.Count(), 11);
  EXPECT_LE(undo.Bytes(), budget);
  for (int i = 0; i < 20; ++i) undo.Undo();
  EXPECT_EQ(project.GetCell(63, 63), 20u);
  for (int i = 0; i < 20; ++i) undo.Redo();
  EXPECT_EQ(project.GetCell(0, 0), 30u);
  // Edits of one cell keep only that cell: hundreds fit in the room of the ten.
  for (int i = 0; i < 600; ++i) {
    project.SetCell(i % 64, i / 64, 0);
    undo.Push();
  }
  EXPECT_GT(undo.Count(), 601);
  EXPECT_LE(undo.Bytes(), budget);
  for (int i = 0; i < 600; ++i) undo.Undo();
  EXPECT_EQ(project.GetCell(0, 0), 30u);
  EXPECT_EQ(project.GetCell(23, 9), 30u);
}

}  // namespace
}  // namespace tond
