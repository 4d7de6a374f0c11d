#include "kit/KitList.h"

#include <gtest/gtest.h>

namespace tond {
namespace {

TEST(KitList, GeometryFollowsTheCellSize) {
  EXPECT_EQ(KitListBounds(12, 10), (KitListRect{20, 10, 788, 650}));
  EXPECT_EQ(KitListBounds(13, 11), (KitListRect{20, 10, 852, 714}));
  EXPECT_EQ(KitRowTop(63, 11), 703);
  EXPECT_EQ(KitStatusTop(10), 700);
}

TEST(KitList, HitTestColumnsAndRowBorders) {
  using C = KitColumn;
  EXPECT_EQ(KitListHit(20, 10, 10), (KitHit{0, C::kName}));
  EXPECT_EQ(KitListHit(199, 19, 10), (KitHit{0, C::kName}));
  EXPECT_EQ(KitListHit(20, 20, 10), (KitHit{1, C::kName}));
  EXPECT_EQ(KitListHit(200, 30, 10), (KitHit{2, C::kLoop}));
  EXPECT_EQ(KitListHit(211, 30, 10), (KitHit{2, C::kLoop}));
  EXPECT_EQ(KitListHit(212, 30, 10), (KitHit{2, C::kNone}));
  EXPECT_EQ(KitListHit(220, 30, 10), (KitHit{2, C::kNone}));
  EXPECT_EQ(KitListHit(230, 30, 10), (KitHit{2, C::kFade}));
  EXPECT_EQ(KitListHit(241, 30, 10), (KitHit{2, C::kFade}));
  EXPECT_EQ(KitListHit(242, 30, 10), (KitHit{2, C::kNone}));
  EXPECT_EQ(KitListHit(20, 649, 10), (KitHit{63, C::kName}));
  EXPECT_EQ(KitListHit(20, 713, 11), (KitHit{63, C::kName}));
  // Outside: left, above, right of the hit area, below the last row.
  EXPECT_EQ(KitListHit(19, 30, 10), KitHit{});
  EXPECT_EQ(KitListHit(20, 9, 10), KitHit{});
  EXPECT_EQ(KitListHit(250, 30, 10), KitHit{});
  EXPECT_EQ(KitListHit(260, 30, 10), KitHit{});
  EXPECT_EQ(KitListHit(20, 650, 10), KitHit{});
  EXPECT_EQ(KitListHit(20, 714, 11), KitHit{});
}

TEST(KitList, UpAndDownWrapAndStartFromSlotZero) {
  EXPECT_EQ(KitHighlightUp(kit_list::kNoSlot), 0);
  EXPECT_EQ(KitHighlightUp(0), 63);
  EXPECT_EQ(KitHighlightUp(5), 4);
  EXPECT_EQ(KitHighlightDown(kit_list::kNoSlot), 0);
  EXPECT_EQ(KitHighlightDown(62), 63);
  EXPECT_EQ(KitHighlightDown(63), 0);
  EXPECT_EQ(KitHighlightUp(65535), 0);  // anything out of the list counts as none
}

TEST(KitList, RowTexts) {
  EXPECT_EQ(KitSlotLabel(0, "not used"), "01 - not used");
  EXPECT_EQ(KitSlotLabel(9, "C:\\Waves\\kick.drum.wav"), "10 - kick.drum");
  EXPECT_EQ(KitSlotLabel(63, "/home/u/Waves/snare.wav"), "64 - snare");
  EXPECT_EQ(KitSlotLabel(1, "/home/u/v1.2/noext"), "02 - noext");
  EXPECT_EQ(KitLengthText(705600), "705600");
  EXPECT_EQ(KitLengthText(4294967295u), "4294967295");
  EXPECT_EQ(RootKeyText(60), "C5");
  EXPECT_EQ(RootKeyText(61), "C#5");
  EXPECT_EQ(RootKeyText(70), "Bb5");
  EXPECT_EQ(RootKeyText(127), "G10");
}

}  // namespace
}  // namespace tond
