#include "overview/PatternsLayout.h"

#include <gtest/gtest.h>

namespace tond {
namespace {

using patterns_layout::Point;

TEST(PatternsLayout, ThumbnailsSitInAFourByFourArrangement) {
  EXPECT_EQ(ThumbnailOrigin(0), (Point{20, 20}));
  EXPECT_EQ(ThumbnailOrigin(3), (Point{464, 20}));
  EXPECT_EQ(ThumbnailOrigin(5), (Point{168, 168}));
  EXPECT_EQ(ThumbnailOrigin(15), (Point{464, 464}));
  for (int p = 0; p < 16; ++p) {
    const Point o = ThumbnailOrigin(p);
    EXPECT_EQ(PatternAtPoint(o.x, o.y), p);
    EXPECT_EQ(PatternAtPoint(o.x + 127, o.y + 127), p);
  }
}

TEST(PatternsLayout, PointerCountsMarginsAndGapsForTheNearestThumbnail) {
  EXPECT_EQ(PatternAtPoint(0, 0), 0);
  EXPECT_EQ(PatternAtPoint(-127, 19), 0);  // truncation toward zero
  EXPECT_EQ(PatternAtPoint(-128, 20), -1);
  EXPECT_EQ(PatternAtPoint(20, -128), -1);
  EXPECT_EQ(PatternAtPoint(167, 20), 0);  // the gap right of a thumbnail is still its
  EXPECT_EQ(PatternAtPoint(168, 20), 1);
  EXPECT_EQ(PatternAtPoint(20, 168), 4);
  EXPECT_EQ(PatternAtPoint(611, 611), 15);
  EXPECT_EQ(PatternAtPoint(612, 20), -1);
  EXPECT_EQ(PatternAtPoint(20, 612), -1);
}

TEST(PatternsLayout, ArrowKeysWrapWithinColumnsAndRows) {
  EXPECT_EQ(MovePatternSelection(0, PatternKey::kUp), 12);
  EXPECT_EQ(MovePatternSelection(5, PatternKey::kUp), 1);
  EXPECT_EQ(MovePatternSelection(12, PatternKey::kDown), 0);
  EXPECT_EQ(MovePatternSelection(14, PatternKey::kDown), 2);
  EXPECT_EQ(MovePatternSelection(4, PatternKey::kLeft), 7);
  EXPECT_EQ(MovePatternSelection(7, PatternKey::kRight), 4);
  for (int p = 0; p < 16; ++p) {
    EXPECT_EQ(MovePatternSelection(MovePatternSelection(p, PatternKey::kDown), PatternKey::kUp), p);
    const int left = MovePatternSelection(p, PatternKey::kLeft);
    EXPECT_EQ(left / 4, p / 4);
    EXPECT_EQ(MovePatternSelection(left, PatternKey::kRight), p);
    EXPECT_EQ(MovePatternSelection(p, PatternKey::kDown) % 4, p % 4);
  }
}

TEST(PatternsLayout, ThumbnailDrawsEachCellAsATwoByTwoSquare) {
  Pattern pattern{};
  pattern[CellIndex(0, 0)] = MakeCell(1, 2, 3);
  pattern[CellIndex(63, 1)] = MakeCell(255, 0, 0);
  ThumbnailPixels pixels;
  RenderThumbnail(pattern, pixels);
  EXPECT_EQ(pixels[0], 0xFF010203u);
  EXPECT_EQ(pixels[128 + 1], 0xFF010203u);
  EXPECT_EQ(pixels[2], 0xFF000000u);
  EXPECT_EQ(pixels[2 * 128 + 126], 0xFFFF0000u);
  EXPECT_EQ(pixels[3 * 128 + 127], 0xFFFF0000u);
  EXPECT_EQ(pixels[126], 0xFF000000u);  // column 63, row 0
}

}  // namespace
}  // namespace tond
