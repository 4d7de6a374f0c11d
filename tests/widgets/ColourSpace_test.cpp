#include "widgets/ColourSpace.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tond {
namespace {

TEST(ColourSpace, PureColoursAndGreys) {
  struct Case {
    Cell rgb;
    Hsb hsb;
  };
  for (const Case& c :
       {Case{MakeCell(255, 0, 0), {0, 255, 255}}, Case{MakeCell(255, 255, 0), {60, 255, 255}},
        Case{MakeCell(0, 255, 0), {120, 255, 255}}, Case{MakeCell(0, 255, 255), {180, 255, 255}},
        Case{MakeCell(0, 0, 255), {240, 255, 255}}, Case{MakeCell(255, 0, 255), {300, 255, 255}},
        Case{0, {0, 0, 0}}, Case{MakeCell(128, 128, 128), {0, 0, 128}}}) {
    EXPECT_EQ(RgbToHsb(c.rgb), c.hsb) << std::hex << c.rgb;
    EXPECT_EQ(HsbToRgb(c.hsb), c.rgb) << c.hsb.hue;
  }
  // Just below red the hue wraps to the top of the circle, never to 360.
  EXPECT_EQ(RgbToHsb(MakeCell(255, 0, 1)).hue, 359);
  EXPECT_EQ(RgbToHsb(MakeCell(200, 100, 50)), (Hsb{20, 191, 200}));
}

TEST(ColourSpace, RoundTripLosesOnlyTheTruncation) {
  // Whole degrees of hue cost at most C / 60 per channel, plus one for each truncation.
  int worst = 0;
  for (int r = 0; r < 256; r += 5)
    for (int g = 0; g < 256; g += 3)
      for (int b = 0; b < 256; b += 7) {
        Cell back = HsbToRgb(RgbToHsb(MakeCell(r, g, b)));
        worst = std::max(
            {worst, std::abs(Red(back) - r), std::abs(Green(back) - g), std::abs(Blue(back) - b)});
        // The largest channel is the brightness and comes back exactly.
        ASSERT_EQ(std::max({Red(back), Green(back), Blue(back)}), std::max({r, g, b}));
      }
  EXPECT_LE(worst, 6);
  for (int h = 0; h < 360; ++h)
    EXPECT_LE(std::abs(RgbToHsb(HsbToRgb({h, 255, 255})).hue - h), 1) << h;
}

TEST(ColourSpace, NumberFieldsClampAndKeepBothFormsTogether) {
  PickerColour picker(MakeCell(0, 0, 255));
  EXPECT_FALSE(picker.SetField(ColourField::kBlue, 999)) << "clamps to the value held";
  EXPECT_TRUE(picker.SetField(ColourField::kHue, 360));
  EXPECT_EQ(picker.Field(ColourField::kHue), 359);
  EXPECT_EQ(picker.Colour(), HsbToRgb({359, 255, 255}));
  EXPECT_TRUE(picker.SetField(ColourField::kRed, -5));
  EXPECT_EQ(Red(picker.Colour()), 0);
  EXPECT_EQ(picker.HsbValue(), RgbToHsb(picker.Colour()));
  EXPECT_EQ(ClampField(ColourField::kSaturation, 300), 255);
  EXPECT_EQ(picker.OldColour(), MakeCell(0, 0, 255));
}

TEST(ColourSpace, WheelAndStripPicking) {
  const Hsb start{10, 20, 200};
  EXPECT_EQ(PickWheel(start, 0, 0), (Hsb{0, 0, 200}));
  EXPECT_EQ(PickWheel(start, 0, -100), (Hsb{90, 255, 200})) << "up is 90 degrees";
  EXPECT_EQ(PickWheel(start, -50, 0), (Hsb{180, 127, 200}));
  EXPECT_EQ(PickWheel(start, 100, 1).hue, 0) << "-0.57 degrees truncates to 0";
  EXPECT_EQ(PickWheel(start, 50, 1).hue, 359);
  EXPECT_EQ(PickWheel(start, 300, 0).saturation, 255);
  EXPECT_EQ(PickStrip(start, 140, 40, 200), (Hsb{10, 20, 127}));
  EXPECT_EQ(PickStrip(start, 0, 40, 200).brightness, 255);  // above the strip

  const PickerLayout layout{120, 120, 240, 20, 20, 200};
  PickerColour picker(MakeCell(10, 20, 30));
  EXPECT_EQ(picker.Press(layout, 220, 120), PickerDrag::kWheel);
  EXPECT_EQ(picker.Colour(), MakeCell(30, 0, 0)) << "saturation 255 at exactly 100 pixels";
  EXPECT_EQ(picker.Press(layout, 221, 120), PickerDrag::kNone);
  EXPECT_EQ(picker.Press(layout, 250, 20), PickerDrag::kStrip);
  EXPECT_EQ(picker.Colour(), MakeCell(255, 0, 0));
  picker.DragTo(PickerDrag::kStrip, layout, 250, 400);  // captured: below the strip
  EXPECT_EQ(picker.Colour(), 0u);
  EXPECT_EQ(picker.HsbValue().saturation, 255) << "hue and saturation survive black";
}

}  // namespace
}  // namespace tond
