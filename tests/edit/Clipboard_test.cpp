#include "edit/Clipboard.h"

#include <gtest/gtest.h>

#include "edit/EditState.h"
#include "model/Project.h"
#include "model/UndoSystem.h"

namespace tond {
namespace {

struct ClipboardFixture : ::testing::Test {
  Project project;
  UndoSystem undo;
  EditState state;
  PasteGrab grab;
  Pattern original{};
  void SetUp() override {
    for (int i = 0; i < kCells; ++i) original[static_cast<size_t>(i)] = static_cast<Cell>(i + 1);
    project.working.CopyFrom(original);
    undo.Init(&project.working);
    state.currentTool = kSelector;
  }
  static Cell Orig(int x, int y) { return static_cast<Cell>(CellIndex(x, y) + 1); }
  void Select(int x1, int y1, int x2, int y2) { state.selection = {x1, y1, x2, y2}; }
};

TEST_F(ClipboardFixture, CopyThenPasteCentresAndAppliesOnce) {
  Select(10, 5, 2, 1);
  EXPECT_TRUE(CopySelection(project, state));
  EXPECT_EQ(state.buffer, (CellRect{2, 1, 10, 5}));
  EXPECT_TRUE(state.selection.Empty());
  ASSERT_TRUE(BeginPaste(state, false));
  EXPECT_EQ(state.selection, (CellRect{28, 30, 36, 34}));
  EXPECT_EQ(state.currentTool, kFloatingPaste);
  EXPECT_EQ(FloatingCell(project, state, 28, 30), Orig(2, 1));
  EXPECT_EQ(FloatingCell(project, state, 37, 30), std::nullopt);
  EXPECT_EQ(project.working, original);  // floating writes nothing
  EXPECT_TRUE(CommitPaste(project, state, undo));
  EXPECT_EQ(project.GetCell(36, 34), Orig(10, 5));
  EXPECT_EQ(project.GetCell(27, 30), Orig(27, 30));
  EXPECT_EQ(state.currentTool, kFloatingPaste);
  EXPECT_FALSE(state.pastePending);
  Pattern after = project.working.Snapshot();
  EXPECT_FALSE(CommitPaste(project, state, undo));
  EXPECT_FALSE(GrabPaste(state, grab, 30, 31));
  EXPECT_EQ(project.working, after);
  EXPECT_EQ(undo.Count(), 2);
}

TEST_F(ClipboardFixture, MixLeavesBlackTransparentWhilePasteWritesIt) {
  project.working.Fill(0);
  Select(0, 0, 3, 3);
  CopySelection(project, state);  // an all-black clipboard
  project.working.CopyFrom(original);
  BeginPaste(state, true);
  EXPECT_EQ(FloatingCell(project, state, 31, 31), std::nullopt);
  EXPECT_TRUE(CommitPaste(project, state, undo));
  EXPECT_EQ(project.working, original);
  BeginPaste(state, false);
  EXPECT_EQ(FloatingCell(project, state, 31, 31), 0u);
  CommitPaste(project, state, undo);
  EXPECT_EQ(project.GetCell(30, 30), 0u);
  EXPECT_EQ(project.GetCell(33, 33), 0u);
  EXPECT_EQ(project.GetCell(34, 33), Orig(34, 33));
  EXPECT_EQ(undo.Count(), 3);
}

TEST_F(ClipboardFixture, SelectionOfOnlyTheOriginCountsAsEmpty) {
  Select(0, 0, 0, 0);
  EXPECT_FALSE(CutSelection(project, state, undo));
  EXPECT_FALSE(CopySelection(project, state));
  EXPECT_FALSE(BeginPaste(state, false));
  EXPECT_EQ(state.currentTool, kSelector);
  EXPECT_EQ(project.working, original);
  EXPECT_EQ(undo.Count(), 1);
}

TEST_F(ClipboardFixture, CutBlacksTheRectangleAndPushesOnce) {
  Select(5, 6, 7, 8);
  EXPECT_TRUE(CutSelection(project, state, undo));
  EXPECT_EQ(project.GetCell(5, 6), 0u);
  EXPECT_EQ(project.GetCell(7, 8), 0u);
  EXPECT_EQ(project.GetCell(8, 8), Orig(8, 8));
  EXPECT_EQ(project.clipboard, original);
  EXPECT_EQ(undo.Count(), 2);
  undo.Undo();
  EXPECT_EQ(project.working, original);
}

TEST_F(ClipboardFixture, DragMovesOnlyWhileTheRectangleStaysInside) {
  Select(0, 0, 9, 4);  // 10 x 5, floats at columns 27-36, rows 30-34
  CopySelection(project, state);
  BeginPaste(state, false);
  EXPECT_FALSE(GrabPaste(state, grab, 26, 30));
  EXPECT_FALSE(DragPaste(state, grab, 20, 30));
  ASSERT_TRUE(GrabPaste(state, grab, 27, 30));
  EXPECT_TRUE(DragPaste(state, grab, 0, 3));
  EXPECT_EQ(state.selection, (CellRect{0, 3, 9, 7}));
  EXPECT_FALSE(DragPaste(state, grab, -1, 3));  // off the left edge: refused
  EXPECT_FALSE(DragPaste(state, grab, 0, -1));  // off the top: refused, the grab stays (0, 3)
  EXPECT_TRUE(DragPaste(state, grab, 0, 0));
  EXPECT_EQ(state.selection, (CellRect{0, 0, 9, 4}));
  EXPECT_TRUE(DragPaste(state, grab, 54, 59));  // flush with the bottom-right corner
  EXPECT_EQ(state.selection, (CellRect{54, 59, 63, 63}));
  EXPECT_FALSE(DragPaste(state, grab, 55, 59));
  EXPECT_EQ(state.selection, (CellRect{54, 59, 63, 63}));
  CommitPaste(project, state, undo);
  EXPECT_EQ(project.GetCell(63, 63), Orig(9, 4));
}

TEST_F(ClipboardFixture, OneCellPasteCanLandOnTheOrigin) {
  Select(5, 5, 5, 5);
  CopySelection(project, state);
  BeginPaste(state, false);
  GrabPaste(state, grab, 32, 32);
  EXPECT_TRUE(DragPaste(state, grab, 0, 0));
  CommitPaste(project, state, undo);
  EXPECT_EQ(project.GetCell(0, 0), Orig(5, 5));
}

TEST_F(ClipboardFixture, CancelRestoresTheToolAndWritesNothing) {
  Select(1, 1, 2, 2);
  CopySelection(project, state);
  BeginPaste(state, true);
  EXPECT_EQ(state.previousTool, kSelector);
  EXPECT_TRUE(CancelPaste(state));
  EXPECT_EQ(state.currentTool, kSelector);
  EXPECT_FALSE(state.pastePending);
  EXPECT_TRUE(state.selection.Empty());
  EXPECT_FALSE(CancelPaste(state));
  EXPECT_FALSE(CommitPaste(project, state, undo));
  EXPECT_EQ(project.working, original);
  // Paste, commit, Paste again: Escape still returns to the drawing tool.
  BeginPaste(state, false);
  CommitPaste(project, state, undo);
  Pattern committed = project.working.Snapshot();
  BeginPaste(state, false);
  CancelPaste(state);
  EXPECT_EQ(state.currentTool, kSelector);
  EXPECT_EQ(project.working, committed);
  EXPECT_EQ(undo.Count(), 2);
}

}  // namespace
}  // namespace tond
