#include "edit/Filters.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/Project.h"
#include "model/UndoSystem.h"

namespace tond {
namespace {

TEST(FiltersTest, FilterCellScalesOnlyTheDestinationChannel) {
  // A filter channel of 255 keeps the value at any amount; amount 0 keeps it for any filter.
  for (int k = 0; k < 256; ++k) {
    for (std::uint32_t d = 0; d < 3; ++d) {
      const Cell cell = static_cast<Cell>(k) << (8 * d);
      EXPECT_EQ(FilterCell(cell, 0xFFFFFF, d, 0.37f), cell) << k;
      EXPECT_EQ(FilterCell(cell, 0, d, 0.0f), cell) << k;
    }
  }
  const Cell white = 0xFF000000u | MakeCell(255, 255, 255);
  EXPECT_EQ(FilterCell(white, 0, kFilterVolume, 1.0f), MakeCell(0, 255, 255));
  EXPECT_EQ(FilterCell(white, 0, kFilterPan, 0.5f), MakeCell(255, 127, 255));
  EXPECT_EQ(FilterCell(white, MakeCell(0, 0, 51), kFilterPitch, 1.0f), MakeCell(255, 255, 51));
  // A level past 100 percent drives the channel to 0 instead of wrapping the byte.
  EXPECT_EQ(FilterCell(white, 0, kFilterVolume, 2.0f), MakeCell(0, 255, 255));
}

TEST(FiltersTest, ApplyPushesOnceAndOnlyWithASelection) {
  Project project;
  UndoSystem undo;
  project.working.Fill(MakeCell(200, 100, 50));
  undo.Init(&project.working);
  Pattern buffer{};
  FilterSettings settings;
  settings.selected = kNoFilter;
  EXPECT_FALSE(ApplyFilter(settings, buffer, project.working, undo));
  EXPECT_EQ(undo.Count(), 1);

  StoreFilterChoice(settings, buffer, kFilterPan, 100, 0, &buffer);
  EXPECT_TRUE(ApplyFilter(settings, buffer, project.working, undo));
  EXPECT_EQ(project.working.Get(77), MakeCell(200, 0, 50));
  EXPECT_EQ(undo.Count(), 2);
  settings.destination = 3;
  EXPECT_FALSE(ApplyFilter(settings, buffer, project.working, undo));
  EXPECT_EQ(undo.Count(), 2);
}

TEST(FiltersTest, StoredChoiceAndWhatTheWindowOpensWith) {
  FilterSettings settings;
  Pattern buffer{}, cells{};
  cells[9] = 0x123456;
  StoreFilterChoice(settings, buffer, kFilterPitch, 30, -1, nullptr);
  EXPECT_EQ(settings.selected, kNoFilter);
  EXPECT_EQ(buffer[9], 0u);
  StoreFilterChoice(settings, buffer, kFilterPitch, 30, 4, &cells);
  EXPECT_EQ(settings.selected, 4u);
  EXPECT_EQ(buffer, cells);
  // The destination is lowered to the number of filters found, never past "pitch"; a stored
  // selection that no longer names a found filter shows none.
  EXPECT_EQ(OpeningDestination(kFilterPitch, 0), kFilterVolume);
  EXPECT_EQ(OpeningDestination(kFilterPitch, 1), kFilterPan);
  EXPECT_EQ(OpeningDestination(30, 30), kFilterPitch);
  EXPECT_EQ(OpeningSelection(0, 5), 0);
  EXPECT_EQ(OpeningSelection(0, 0), -1);
  EXPECT_EQ(OpeningSelection(kNoFilter, 5), -1);
}

TEST(FiltersTest, BrowserRowsScrollingAndHits) {
  FilterBrowser few(7, 0);
  EXPECT_EQ(few.Rows(), 4);
  EXPECT_FALSE(few.Scroll(1));
  FilterBrowser many(23, -1);
  EXPECT_EQ(many.Rows(), 5);
  EXPECT_FALSE(many.ScrollTo(2));
  EXPECT_TRUE(many.Scroll(1));
  EXPECT_EQ(many.SlotFilter(0), 5);
  EXPECT_EQ(many.SlotFilter(18), -1);  // index 23
  // Truncation toward zero: the band before the first squares and each gap count. Past the
  // last filter, the fifth column or the fourth row nothing is hit.
  std::vector<int> hits;
  for (auto [x, y] :
       {std::pair{-63, 0}, {-64, 0}, {103, 103}, {271, 355}, {272, 355}, {440, 20}, {20, 356}})
    hits.push_back(many.HitTest(x, y));
  EXPECT_EQ(hits, (std::vector<int>{5, -1, 5, 22, -1, -1, -1}));

  EXPECT_TRUE(many.Press(30, 30));
  EXPECT_FALSE(many.Press(30, 30));
  EXPECT_FALSE(many.DoubleClick(272, 355));
  EXPECT_TRUE(many.DoubleClick(271, 355));
  EXPECT_EQ(many.Selected(), 22);
  EXPECT_EQ(FilterBrowser(0, 0).Selected(), -1);
}

}  // namespace
}  // namespace tond
