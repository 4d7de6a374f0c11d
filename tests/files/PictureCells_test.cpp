#include "files/PictureCells.h"

#include <gtest/gtest.h>

namespace tond {
namespace {

TEST(PictureCells, PixelsAtOrBelowTheThresholdInAllThreeColoursGiveEmptyCells) {
  EXPECT_EQ(PictureCell(0, 0, 0), 0u);
  EXPECT_EQ(PictureCell(1, 0, 0), MakeCell(1, 0, 0));  // without a threshold only black is empty
  EXPECT_EQ(PictureCell(40, 40, 40, 40), 0u);
  EXPECT_EQ(PictureCell(0, 41, 0, 40), MakeCell(0, 41, 0));  // one brighter colour keeps it
  EXPECT_EQ(PictureCell(255, 255, 255, 255), 0u);
}

}  // namespace
}  // namespace tond
