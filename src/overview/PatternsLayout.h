#pragma once
#include <array>
#include <cstdint>

#include "model/Pattern.h"

namespace tond {

// The patterns window: 16 thumbnails of 128 x 128 pixels (2 x 2 per cell) in a 4 x 4
// arrangement, pattern p in column p % 4 and row p / 4. Positions are in pixels of the
// window's inner area.
namespace patterns_layout {

inline constexpr int kCount = 16;
inline constexpr int kPerRow = 4;
inline constexpr int kMargin = 20;
inline constexpr int kPitch = 148;  // thumbnail plus a 20-pixel gap
inline constexpr int kThumbSize = 128;
inline constexpr int kCellPixels = 2;
// Room for the arrangement with the same margin on every side.
inline constexpr int kInnerSize = 2 * kMargin + (kPerRow - 1) * kPitch + kThumbSize;  // 612

struct Point {
  int x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

}  // namespace patterns_layout

// Top left corner of pattern p's thumbnail.
patterns_layout::Point ThumbnailOrigin(int pattern);

// The pattern under the pointer, or -1. The margins above and left of the first thumbnails
// count for the first row and column, and the gap right of and below a thumbnail counts for
// that thumbnail.
int PatternAtPoint(int x, int y);

enum class PatternKey { kUp, kDown, kLeft, kRight };

// The arrow keys: Up and Down move a row and wrap between the top and bottom rows, Left and
// Right move within the row and wrap between its first and last columns.
int MovePatternSelection(int selected, PatternKey key);

// The thumbnail's pixels, row by row from the top, as opaque 0xFFRRGGBB: cell (x, y) fills
// the 2 x 2 square at (2x, 2y) in its own colour.
using ThumbnailPixels =
    std::array<std::uint32_t, patterns_layout::kThumbSize * patterns_layout::kThumbSize>;
void RenderThumbnail(const Pattern& pattern, ThumbnailPixels& pixels);

}  // namespace tond
