#include "scales/Keyboard.h"

#include <gtest/gtest.h>

#include "scales/KeyNames.h"

namespace tond {
namespace {

constexpr int kW = keyboard::kInnerWidth;
constexpr int kUpper = 40;  // a row of the black keys
constexpr int kLower = 80;  // a row of the white keys only

TEST(KeyNames, OctavesCountFromMinusTwo) {
  EXPECT_EQ(KeyName(0), "C-2");
  EXPECT_EQ(KeyName(11), "B-2");
  EXPECT_EQ(KeyName(12), "C-1");
  EXPECT_EQ(KeyName(24), "C0");
  EXPECT_EQ(KeyName(59), "B2");
  EXPECT_EQ(KeyName(60), "C3");
  EXPECT_EQ(KeyName(70), "A#3");
  EXPECT_EQ(KeyName(127), "G8");
}

TEST(Keyboard, ZonesAddUpToTheStrip) {
  EXPECT_EQ(KeyOffset(0), 0);
  EXPECT_EQ(KeyOffset(12), 126);
  EXPECT_EQ(KeyOffset(60), 630);
  for (int k = 0; k < keyboard::kKeys; ++k)
    EXPECT_EQ(KeyOffset(k + 1) - KeyOffset(k), ZoneWidth(k));
  EXPECT_LE(KeyOffset(128), keyboard::kStripWidth);
  int black = 0;
  for (int k = 0; k < 12; ++k) black += IsBlackKey(k);
  EXPECT_EQ(black, 5);
  EXPECT_TRUE(IsBlackKey(61));
  EXPECT_FALSE(IsBlackKey(64));
}

TEST(Keyboard, HitZonesFromTheLeftEdge) {
  // Upper part: C 1-12, C# 13-26, D 27-30 pixels right of the keyboard's edge.
  EXPECT_EQ(KeyAtPoint(11, kUpper, kW, 0), 0);
  EXPECT_EQ(KeyAtPoint(23, kUpper, kW, 0), 1);
  EXPECT_EQ(KeyAtPoint(36, kUpper, kW, 0), 1);
  EXPECT_EQ(KeyAtPoint(37, kUpper, kW, 0), 2);
  EXPECT_EQ(KeyAtPoint(40, kUpper, kW, 0), 2);
  EXPECT_EQ(KeyAtPoint(41, kUpper, kW, 0), 3);
  // Lower part: white keys 18 pixels wide.
  EXPECT_EQ(KeyAtPoint(27, kLower, kW, 0), 0);
  EXPECT_EQ(KeyAtPoint(28, kLower, kW, 0), 2);
  EXPECT_EQ(KeyAtPoint(136, kLower, kW, 0), 12);
  EXPECT_EQ(KeyAtPoint(153, kLower, kW, 0), 12);
  // The row boundary between black-key zones and white keys.
  EXPECT_EQ(KeyAtPoint(23, 68, kW, 0), 1);
  EXPECT_EQ(KeyAtPoint(23, 69, kW, 0), 0);
  // Scrolled: the left edge starts at the first visible key in both parts.
  EXPECT_EQ(KeyAtPoint(11, kUpper, kW, 13), 13);
  EXPECT_EQ(KeyAtPoint(11, kLower, kW, 12), 12);
  EXPECT_EQ(KeyAtPoint(11, kLower, kW, 13), 12);  // C#'s zone starts inside C's white key
}

TEST(Keyboard, HitTestRejectsBordersBandAndKeysPastTheEnd) {
  EXPECT_EQ(KeyAtPoint(10, kUpper, kW, 0), -1);
  EXPECT_EQ(KeyAtPoint(kW - 10, kLower, kW, 0), -1);
  EXPECT_NE(KeyAtPoint(kW - 11, kLower, kW, 0), -1);
  EXPECT_EQ(KeyAtPoint(30, 22, kW, 0), -1);
  EXPECT_EQ(KeyAtPoint(30, 23, kW, 0), 1);
  EXPECT_EQ(KeyAtPoint(20, 99, kW, 0), 0);
  EXPECT_EQ(KeyAtPoint(20, 100, kW, 0), -1);
  // Scrolled fully right, the last pixel shows the top key's F# above and G below.
  EXPECT_EQ(KeyAtPoint(kW - 11, kUpper, kW, keyboard::kFirstKeyMax), 126);
  EXPECT_EQ(KeyAtPoint(kW - 11, kLower, kW, keyboard::kFirstKeyMax), 127);
  // A wider window would reach past key 127: nothing is there.
  EXPECT_EQ(KeyAtPoint(600, kUpper, 2000, keyboard::kFirstKeyMax), -1);
  EXPECT_EQ(KeyAtPoint(600, kLower, 2000, keyboard::kFirstKeyMax), -1);
}

TEST(Keyboard, ScrollingStaysWithinItsLimits) {
  EXPECT_EQ(keyboard::kFirstKeyMax, 79);
  EXPECT_EQ(ScrollKeyboard(0, -1), 0);
  EXPECT_EQ(ScrollKeyboard(0, 1), 1);
  EXPECT_EQ(ScrollKeyboard(78, 1), 79);
  EXPECT_EQ(ScrollKeyboard(79, 1), 79);
  EXPECT_EQ(ScrollKeyboardTo(5, 79), 79);
  EXPECT_EQ(ScrollKeyboardTo(5, 80), 5);
  EXPECT_EQ(ScrollKeyboardTo(5, -1), 5);
}

}  // namespace
}  // namespace tond
