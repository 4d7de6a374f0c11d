#include "overview/PatternsLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace tond {
namespace {

using patterns_layout::Point;

TEST(PatternsLayout, ThumbnailsAndTheGapsAfterThemBelongToTheirPattern) {
  for (int p = 0; p < 16; ++p) {
    const Point o = ThumbnailOrigin(p);
    EXPECT_EQ(PatternAtPoint(o.x, o.y), p);
    EXPECT_EQ(PatternAtPoint(o.x + 147, o.y + 147), p);  // the gap right of and below it
  }
  // Truncation toward zero folds the margin and a little more into the first row and column.
  std::vector<int> hits;
  for (auto [x, y] : {Point{0, 0}, {-127, 19}, {-128, 20}, {20, -128}, {612, 20}, {20, 612}})
    hits.push_back(PatternAtPoint(x, y));
  EXPECT_EQ(hits, (std::vector<int>{0, 0, -1, -1, -1, -1}));
}

TEST(PatternsLayout, ArrowKeysWrapWithinColumnsAndRows) {
  EXPECT_EQ(MovePatternSelection(0, PatternKey::kUp), 12);
  EXPECT_EQ(MovePatternSelection(14, PatternKey::kDown), 2);
  EXPECT_EQ(MovePatternSelection(4, PatternKey::kLeft), 7);
  EXPECT_EQ(MovePatternSelection(7, PatternKey::kRight), 4);
  for (int p = 0; p < 16; ++p) {
    const int down = MovePatternSelection(p, PatternKey::kDown);
    const int left = MovePatternSelection(p, PatternKey::kLeft);
    EXPECT_EQ(MovePatternSelection(down, PatternKey::kUp), p);
    EXPECT_EQ(MovePatternSelection(left, PatternKey::kRight), p);
  }
}

TEST(PatternsLayout, ThumbnailDrawsEachCellAsATwoByTwoSquare) {
  Pattern pattern{};
  pattern[CellIndex(0, 0)] = MakeCell(1, 2, 3);
  pattern[CellIndex(63, 1)] = MakeCell(255, 0, 0);
  ThumbnailPixels pixels;
  RenderThumbnail(pattern, pixels);
  std::vector<std::uint32_t> seen;
  for (int i : {0, 128 + 1, 2, 2 * 128 + 126, 3 * 128 + 127, 126}) seen.push_back(pixels[i]);
  EXPECT_EQ(seen, (std::vector<std::uint32_t>{0xFF010203, 0xFF010203, 0xFF000000, 0xFFFF0000,
                                              0xFFFF0000, 0xFF000000}));
}

}  // namespace
}  // namespace tond
