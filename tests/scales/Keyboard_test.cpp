#include "scales/Keyboard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scales/KeyNames.h"

namespace tond {
namespace {

constexpr int kW = keyboard::kInnerWidth;
constexpr int kUpper = 40;  // a row of the black keys
constexpr int kLower = 80;  // a row of the white keys only
constexpr int kLast = keyboard::kFirstKeyMax;

// The keys under the points (x, y) for each x, or each y, with `first` the first visible key.
std::vector<int> AlongX(int y, int first, std::vector<int> xs, int width = kW) {
  for (int& x : xs) x = KeyAtPoint(x, y, width, first);
  return xs;
}
std::vector<int> AlongY(int x, int first, std::vector<int> ys, int width = kW) {
  for (int& y : ys) y = KeyAtPoint(x, y, width, first);
  return ys;
}

TEST(KeyNames, OctavesCountFromMinusTwo) {
  std::string names;
  for (int key : {0, 11, 12, 24, 60, 70, 127}) names += KeyName(static_cast<uint8_t>(key)) + " ";
  EXPECT_EQ(names, "C-2 B-2 C-1 C0 C3 A#3 G8 ");
}

TEST(Keyboard, ZonesAddUpToTheStrip) {
  EXPECT_LE(KeyOffset(128), keyboard::kStripWidth);
  std::string octave;
  for (int k = 60; k < 72; ++k) octave += IsBlackKey(k) ? 'b' : 'w';
  EXPECT_EQ(octave, "wbwbwwbwbwbw");
}

TEST(Keyboard, KeyUnderThePoint) {
  // Upper part: C 1-12, C# 13-26, D 27-30 pixels right of the keyboard's edge; the borders
  // count for no key. Lower part: white keys 18 pixels wide.
  EXPECT_EQ(AlongX(kUpper, 0, {10, 11, 23, 36, 37, 40, 41}),
            (std::vector<int>{-1, 0, 1, 1, 2, 2, 3}));
  EXPECT_EQ(AlongX(kLower, 0, {27, 28, 153, kW - 11, kW - 10}),
            (std::vector<int>{0, 2, 12, 47, -1}));
  // The band above, the black-key rows down to 68, the white keys, the scroll bar from 100.
  EXPECT_EQ(AlongY(23, 0, {22, 23, 68, 69, 99, 100}), (std::vector<int>{-1, 1, 1, 0, 0, -1}));
  // Scrolled, the left edge starts at the first visible key in both parts; fully right, the
  // last pixel shows the top key's F# above and G below, and a wider window would reach past
  // key 127, where nothing is.
  EXPECT_EQ(AlongY(11, 13, {kUpper, kLower}), (std::vector<int>{13, 12}));
  EXPECT_EQ(AlongY(kW - 11, kLast, {kUpper, kLower}), (std::vector<int>{126, 127}));
  EXPECT_EQ(AlongY(600, kLast, {kUpper, kLower}, 2000), (std::vector<int>{-1, -1}));
}

TEST(Keyboard, ScrollingStaysWithinItsLimits) {
  // A move past either end leaves the keyboard where it is rather than clamping.
  EXPECT_EQ(ScrollKeyboard(0, -1), 0);
  EXPECT_EQ(ScrollKeyboard(78, 1), kLast);
  EXPECT_EQ(ScrollKeyboardTo(5, kLast + 1), 5);
}

}  // namespace
}  // namespace tond
