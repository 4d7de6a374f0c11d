#include "kit/KitList.h"

#include <gtest/gtest.h>

namespace tond {
namespace {

// Which column a click along a row hits: the kit editor window's clicks.
TEST(KitList, RowsAtBothCellSizesAndTheRootKey) {
  EXPECT_EQ(KitListHit(20, 19, 10), (KitHit{0, KitColumn::kName}));
  EXPECT_EQ(KitListHit(20, 20, 10).slot, 1);
  EXPECT_EQ(KitListHit(20, 649, 10).slot, 63);
  EXPECT_EQ(KitListHit(20, 713, 11).slot, 63);
  // Left, above, right of the hit area, below the last row.
  const int outside[][3] = {{19, 30, 10}, {20, 9, 10}, {250, 30, 10}, {20, 650, 10}, {20, 714, 11}};
  for (auto& p : outside) EXPECT_EQ(KitListHit(p[0], p[1], p[2]), KitHit{}) << p[0] << "," << p[1];
  // The root key's text opens the scale window; the margin before it belongs to no slot.
  EXPECT_EQ(KitRootKeyHit(329, 30, 10), kit_list::kNoSlot);
  EXPECT_EQ(KitRootKeyHit(369, 713, 11), 63);
  EXPECT_EQ(KitRootKeyHit(370, 30, 10), kit_list::kNoSlot);
}

// The wrap at either end: the kit editor window's test.
TEST(KitList, UpAndDownStartFromSlotZero) {
  EXPECT_EQ(KitHighlightUp(5), 4);
  EXPECT_EQ(KitHighlightDown(kit_list::kNoSlot), 0);
  EXPECT_EQ(KitHighlightDown(62), 63);
  EXPECT_EQ(KitHighlightUp(65535), 0);  // anything out of the list counts as none
}

TEST(KitList, RowTexts) {
  EXPECT_EQ(KitSlotLabel(0, "not used"), "01 - not used");
  EXPECT_EQ(KitSlotLabel(9, "C:\\Waves\\kick.drum.wav"), "10 - kick.drum");
  EXPECT_EQ(KitSlotLabel(63, "/home/u/Waves/snare.wav"), "64 - snare");
  EXPECT_EQ(KitSlotLabel(1, "/home/u/v1.2/noext"), "02 - noext");
  EXPECT_EQ(RootKeyText(60), "C5");
  EXPECT_EQ(RootKeyText(61), "C#5");
  EXPECT_EQ(RootKeyText(70), "Bb5");
  EXPECT_EQ(RootKeyText(127), "G10");
}

}  // namespace
}  // namespace tond
