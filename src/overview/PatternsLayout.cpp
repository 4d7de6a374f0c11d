#include "overview/PatternsLayout.h"

namespace tond {

using namespace patterns_layout;

patterns_layout::Point ThumbnailOrigin(int pattern) {
  return {kMargin + kPitch * (pattern % kPerRow), kMargin + kPitch * (pattern / kPerRow)};
}

int PatternAtPoint(int x, int y) {
  // Truncation toward zero folds the margins into column and row 0; anything further left or
  // above comes out negative and hits nothing.
  const int col = (x - kMargin) / kPitch;
  const int row = (y - kMargin) / kPitch;
  if (col < 0 || col >= kPerRow || row < 0 || row >= kPerRow) return -1;
  return row * kPerRow + col;
}

int MovePatternSelection(int selected, PatternKey key) {
  const int row = selected / kPerRow;
  const int col = selected % kPerRow;
  switch (key) {
    case PatternKey::kUp:
      return (selected + kCount - kPerRow) % kCount;
    case PatternKey::kDown:
      return (selected + kPerRow) % kCount;
    case PatternKey::kLeft:
      return row * kPerRow + (col + kPerRow - 1) % kPerRow;
    case PatternKey::kRight:
      return row * kPerRow + (col + 1) % kPerRow;
  }
  return selected;
}

void RenderThumbnail(const Pattern& pattern, ThumbnailPixels& pixels) {
  for (int y = 0; y < kThumbSize; ++y) {
    for (int x = 0; x < kThumbSize; ++x) {
      const Cell c = pattern[CellIndex(x / kCellPixels, y / kCellPixels)];
      pixels[y * kThumbSize + x] = 0xFF000000u | (static_cast<std::uint32_t>(Red(c)) << 16) |
                                   (static_cast<std::uint32_t>(Green(c)) << 8) |
                                   static_cast<std::uint32_t>(Blue(c));
    }
  }
}

}  // namespace tond
