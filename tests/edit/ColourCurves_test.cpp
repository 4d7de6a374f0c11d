#include "edit/ColourCurves.h"

#include <gtest/gtest.h>

#include "edit/ColourOffset.h"
#include "model/Project.h"
#include "model/UndoSystem.h"

namespace tond {
namespace {

int Curve(int value, int amount, bool invert = false) {
  return CurveChannelValue(value, CurveExponent(amount), invert);
}

TEST(ColourCurvesTest, ChannelValuesOfTheCurves) {
  EXPECT_EQ(Curve(128, 10), 180);
  EXPECT_EQ(Curve(128, -10), 64);
  EXPECT_EQ(Curve(64, 50), 202);
  EXPECT_EQ(Curve(64, -50), 0);
  EXPECT_EQ(Curve(100, 25), 195);
  EXPECT_EQ(Curve(0, 0, true), 255);
  EXPECT_EQ(Curve(255, 0, true), 0);
  EXPECT_EQ(Curve(200, 0, true), 54);
  for (int v = 0; v < 256; ++v) EXPECT_EQ(Curve(v, 0), v);
}

TEST(ColourCurvesTest, APatternGoesThroughTheSameCurvesAsEachValue) {
  Pattern backup{};
  for (int i = 0; i < kCells; ++i)
    backup[static_cast<size_t>(i)] = 0xFF000000u | MakeCell(i, i / 4, 255 - i / 16);
  Grid grid;
  const CurveSettings settings{{{37, false}, {-50, true}, {0, true}}};
  ApplyCurves(backup, grid, settings);
  for (int i = 0; i < kCells; ++i) {
    const Cell b = backup[static_cast<size_t>(i)];
    ASSERT_EQ(grid.Get(i),
              MakeCell(Curve(Red(b), 37), Curve(Green(b), -50, true), Curve(Blue(b), 0, true)))
        << i;
  }
}

// Notes among empty cells, as a live window finds them.
struct LiveEditFixture : ::testing::Test {
  Project project;
  UndoSystem undo;
  Pattern original{};
  void SetUp() override {
    for (int i = 0; i < kCells; i += 5) project.working.Set(i, MakeCell(i % 256, 40, 50));
    project.working.Set(1, MakeCell(5, 0, 0));
    project.working.Set(2, 0xFFFFFF);
    project.working.Set(3, MakeCell(128, 0, 0));
    undo.Init(&project.working);
    original = project.working.Snapshot();
  }
};

TEST_F(LiveEditFixture, CurvesRecomputeNotesOnlyAndPushOnAccept) {
  ColourCurvesEdit edit(project.working);
  EXPECT_FALSE(edit.SetAmount(1, 0));
  EXPECT_TRUE(edit.SetAmount(0, 10));
  EXPECT_EQ(project.working.Get(3), MakeCell(180, 0, 0));
  for (int c = 0; c < 3; ++c) edit.SetInvert(c, true);
  EXPECT_EQ(project.working.Get(2), 0u);
  EXPECT_EQ(project.working.Get(4), 0u);  // empty cells are never written
  for (int c = 0; c < 3; ++c) edit.SetInvert(c, false);
  EXPECT_EQ(project.working.Get(2), 0xFFFFFFu);
  EXPECT_EQ(undo.Count(), 1);
  EXPECT_TRUE(edit.Cancel());
  EXPECT_EQ(project.working, original);
  edit.Accept(undo);
  EXPECT_EQ(undo.Count(), 2);
}

TEST(ColourCurvesTest, PreviewValuesAndSliderTexts) {
  // The straight curve rises from the bottom left; "inv" turns it over. A lifted curve sits
  // above the straight line in the middle of the box.
  const CurvePreview plain = CurvePreviewValues({0, false});
  EXPECT_EQ(plain.lineY[0] - plain.lineY[63], 64);
  EXPECT_EQ(CurvePreviewValues({0, true}).lineY[0], 0);
  EXPECT_EQ(CurvePreviewValues({0, true}).intensity[0], 255);
  EXPECT_LT(CurvePreviewValues({50, false}).lineY[32], plain.lineY[32]);

  EXPECT_EQ(CurveAmountText(CurveAmountFromSlider(50)), "0");
  EXPECT_EQ(CurveAmountText(CurveAmountFromSlider(0)), "-50");
  EXPECT_EQ(CurveAmountText(CurveAmountFromSlider(100)), "+50");
  EXPECT_EQ(OffsetAmountText(OffsetAmountFromSlider(200)), "+100");
}

TEST_F(LiveEditFixture, OffsetsClampAndComeBackFromTheBackup) {
  EXPECT_EQ(OffsetCell(0xFF000000u | MakeCell(200, 10, 128), {100, -20, 0}), MakeCell(255, 0, 128));
  ColourOffsetEdit edit(project.working);
  edit.SetOffset(0, 100);
  for (int i = 0; i < kCells; ++i) {
    const Cell c = project.working.Get(i);
    EXPECT_TRUE(original[i] == 0 ? c == 0 : Red(c) >= 100 && c >> 8 == original[i] >> 8) << i;
  }
  edit.SetOffset(0, -10);
  EXPECT_EQ(project.working.Get(1), 0u);
  edit.SetOffset(0, 0);
  EXPECT_EQ(project.working, original);
  edit.SetOffset(2, 30);
  EXPECT_TRUE(edit.Cancel());
  EXPECT_EQ(project.working, original);
  EXPECT_EQ(undo.Count(), 1);
  edit.Accept(undo);
  EXPECT_EQ(undo.Count(), 2);
}

}  // namespace
}  // namespace tond
