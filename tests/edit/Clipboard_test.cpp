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
  // Copies the selection and floats it as a paste.
  void Float(int x1, int y1, int x2, int y2, bool mix = false) {
    state.selection = {x1, y1, x2, y2};
    CopySelection(project, state);
    BeginPaste(state, mix);
  }
};

TEST_F(ClipboardFixture, CopyThenPasteCentresAppliesOnceAndCancelRestoresTheTool) {
  state.selection = {10, 5, 2, 1};
  EXPECT_TRUE(CopySelection(project, state));
  EXPECT_EQ(state.buffer, (CellRect{2, 1, 10, 5}));
  EXPECT_TRUE(state.selection.Empty());
  ASSERT_TRUE(BeginPaste(state, false));
  EXPECT_EQ(state.selection, (CellRect{28, 30, 36, 34}));
  EXPECT_EQ(FloatingCell(project, state, 28, 30), Orig(2, 1));
  EXPECT_EQ(FloatingCell(project, state, 37, 30), std::nullopt);
  EXPECT_EQ(project.working, original);  // floating writes nothing
  EXPECT_TRUE(CommitPaste(project, state, undo));
  EXPECT_EQ(project.GetCell(36, 34), Orig(10, 5));
  EXPECT_EQ(project.GetCell(27, 30), Orig(27, 30));
  const Pattern after = project.working.Snapshot();
  EXPECT_FALSE(CommitPaste(project, state, undo));
  EXPECT_FALSE(GrabPaste(state, grab, 30, 31));

  // Paste again after the commit: Escape drops it and still returns to the drawing tool.
  BeginPaste(state, true);
  EXPECT_TRUE(CancelPaste(state));
  EXPECT_EQ(state.currentTool, kSelector);
  EXPECT_TRUE(state.selection.Empty());
  EXPECT_FALSE(CancelPaste(state));
  EXPECT_FALSE(CommitPaste(project, state, undo));
  EXPECT_EQ(project.working, after);
  EXPECT_EQ(undo.Count(), 2);
}

TEST_F(ClipboardFixture, CutBlacksTheRectangleAndMixLeavesBlackTransparent) {
  state.selection = {30, 30, 33, 33};
  EXPECT_TRUE(CutSelection(project, state, undo));
  EXPECT_EQ(project.clipboard, original);
  EXPECT_EQ(project.GetCell(30, 30), 0u);
  EXPECT_EQ(project.GetCell(33, 33), 0u);
  EXPECT_EQ(project.GetCell(34, 33), Orig(34, 33));
  EXPECT_EQ(undo.Count(), 2);
  const Pattern cut = project.working.Snapshot();

  // Copied from the cut: an all-black clipboard, floating over the same cells.
  state.selection = {30, 30, 33, 33};
  CopySelection(project, state);
  project.working.CopyFrom(original);
  BeginPaste(state, true);
  EXPECT_EQ(FloatingCell(project, state, 31, 31), std::nullopt);
  EXPECT_TRUE(CommitPaste(project, state, undo));
  EXPECT_EQ(project.working, original);
  BeginPaste(state, false);
  EXPECT_EQ(FloatingCell(project, state, 31, 31), 0u);
  CommitPaste(project, state, undo);
  EXPECT_EQ(project.working, cut);
  EXPECT_EQ(undo.Count(), 4);
}

TEST_F(ClipboardFixture, OriginOnlySelectionIsEmptyButAPasteMayLandThere) {
  state.selection = {0, 0, 0, 0};
  EXPECT_FALSE(CutSelection(project, state, undo));
  EXPECT_FALSE(CopySelection(project, state));
  EXPECT_FALSE(BeginPaste(state, false));
  EXPECT_EQ(state.currentTool, kSelector);
  EXPECT_EQ(undo.Count(), 1);

  // A one-cell paste dragged to (0, 0) has all-zero coordinates and still lands.
  Float(5, 5, 5, 5);
  GrabPaste(state, grab, 32, 32);
  EXPECT_TRUE(DragPaste(state, grab, 0, 0));
  CommitPaste(project, state, undo);
  EXPECT_EQ(project.GetCell(0, 0), Orig(5, 5));
}

TEST_F(ClipboardFixture, DragMovesOnlyWhileTheRectangleStaysInside) {
  Float(0, 0, 9, 4);  // 10 x 5, floats at columns 27-36, rows 30-34
  EXPECT_FALSE(GrabPaste(state, grab, 26, 30));
  EXPECT_FALSE(DragPaste(state, grab, 20, 30));
  ASSERT_TRUE(GrabPaste(state, grab, 27, 30));
  EXPECT_TRUE(DragPaste(state, grab, 0, 3));
  EXPECT_FALSE(DragPaste(state, grab, -1, 3));  // off the left edge: refused
  EXPECT_FALSE(DragPaste(state, grab, 0, -1));  // off the top: refused, the grab stays (0, 3)
  EXPECT_TRUE(DragPaste(state, grab, 54, 59));  // flush with the bottom-right corner
  EXPECT_EQ(state.selection, (CellRect{54, 59, 63, 63}));
  EXPECT_FALSE(DragPaste(state, grab, 55, 59));
  CommitPaste(project, state, undo);
  EXPECT_EQ(project.GetCell(63, 63), Orig(9, 4));
}

}  // namespace
}  // namespace tond
