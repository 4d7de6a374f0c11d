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

TEST(ColourCurvesTest, LiveEditRecomputesNotesOnlyAndPushesOnAccept) {
  Project project;
  UndoSystem undo;
  project.working.Set(5, 0xFFFFFF);
  project.working.Set(6, MakeCell(128, 0, 0));
  undo.Init(&project.working);
  const Pattern original = project.working.Snapshot();

  ColourCurvesEdit edit(project.working);
  EXPECT_FALSE(edit.SetAmount(1, 0));
  EXPECT_EQ(project.working, original);
  EXPECT_TRUE(edit.SetAmount(0, 10));
  EXPECT_EQ(project.working.Get(6), MakeCell(180, 0, 0));
  for (int c = 0; c < 3; ++c) edit.SetInvert(c, true);
  EXPECT_EQ(project.working.Get(5), 0u);
  EXPECT_EQ(project.working.Get(0), 0u);  // empty cells are never written
  for (int c = 0; c < 3; ++c) edit.SetInvert(c, false);
  EXPECT_EQ(project.working.Get(5), 0xFFFFFFu);
  EXPECT_EQ(undo.Count(), 1);

  EXPECT_TRUE(edit.Cancel());
  EXPECT_EQ(project.working, original);
  edit.Accept(undo);
  EXPECT_EQ(undo.Count(), 2);
}

TEST(ColourCurvesTest, PreviewValuesAndGeometry) {
  CurvePreview plain = CurvePreviewValues({0, false});
  EXPECT_EQ(plain.lineY[0], 64);
  EXPECT_EQ(plain.lineY[63], 0);
  EXPECT_EQ(plain.intensity[0], 0);
  EXPECT_EQ(plain.intensity[63], 255);
  CurvePreview inverted = CurvePreviewValues({0, true});
  EXPECT_EQ(inverted.lineY[0], 0);
  EXPECT_EQ(inverted.intensity[0], 255);
  // A lifted curve sits above the straight line in the middle of the box.
  EXPECT_LT(CurvePreviewValues({50, false}).lineY[32], plain.lineY[32]);

  EXPECT_EQ(CurveStripRect(0), (PixelRect{9, 93, 75, 108}));
  EXPECT_EQ(CurveRedrawRect(1), (PixelRect{89, 20, 153, 114}));

  EXPECT_EQ(CurveAmountText(CurveAmountFromSlider(50)), "0");
  EXPECT_EQ(CurveAmountText(CurveAmountFromSlider(0)), "-50");
  EXPECT_EQ(CurveAmountText(CurveAmountFromSlider(100)), "+50");
  EXPECT_EQ(OffsetAmountText(OffsetAmountFromSlider(0)), "-100");
  EXPECT_EQ(OffsetAmountText(OffsetAmountFromSlider(200)), "+100");
}

TEST(ColourOffsetTest, OffsetsClampAndComeBackFromTheBackup) {
  EXPECT_EQ(OffsetCell(MakeCell(200, 10, 128), {100, -20, 0}), MakeCell(255, 0, 128));
  EXPECT_EQ(OffsetCell(0xFF000000u | MakeCell(1, 2, 3), {0, 0, 0}), MakeCell(1, 2, 3));

  Project project;
  UndoSystem undo;
  for (int i = 0; i < kCells; i += 5) project.working.Set(i, MakeCell(i % 256, 40, 50));
  project.working.Set(1, MakeCell(5, 0, 0));
  undo.Init(&project.working);
  const Pattern original = project.working.Snapshot();

  ColourOffsetEdit edit(project.working);
  edit.SetOffset(0, 100);
  for (int i = 0; i < kCells; ++i) {
    const Cell c = project.working.Get(i);
    if (original[i] == 0) {
      EXPECT_EQ(c, 0u);
    } else {
      EXPECT_GE(Red(c), 100);
      EXPECT_EQ(c >> 8, original[i] >> 8);
    }
  }
  edit.SetOffset(0, -10);
  EXPECT_EQ(project.working.Get(1), 0u);
  edit.SetOffset(0, 0);
  EXPECT_EQ(project.working, original);
  EXPECT_EQ(undo.Count(), 1);
  edit.SetOffset(2, 30);
  EXPECT_TRUE(edit.Cancel());
  EXPECT_EQ(project.working, original);
  edit.Accept(undo);
  EXPECT_EQ(undo.Count(), 2);
}

}  // namespace
}  // namespace tond
