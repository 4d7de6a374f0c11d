#pragma once
#include <cstdint>

#include "model/Pattern.h"

namespace tond {

class UndoSystem;

enum FilterDestination : std::uint32_t {
  kFilterVolume = 0,  // red
  kFilterPan = 1,     // green
  kFilterPitch = 2,   // blue
};

// All bits set: no filter chosen (the window's 16-bit -1 widened with its sign).
constexpr std::uint32_t kNoFilter = 0xFFFFFFFFu;

// The filter settings the main window keeps for the whole run.
struct FilterSettings {
  std::uint32_t destination = kFilterVolume;
  std::uint32_t level = 50;  // percent, 1 to 100
  std::uint32_t selected = 0;
};

// One cell through the filter: the destination channel k of `cell` becomes
// (1 - (1 - m / 255) * a) * k / 255 * 255, truncated, with m the same channel of `filter` and
// the single-precision steps of the original arithmetic. The other channels keep their values;
// the top byte becomes 0.
Cell FilterCell(Cell cell, Cell filter, std::uint32_t destination, float amount);

// Applies the filter buffer to the grid with the stored destination and level, then pushes
// once. Does nothing (and pushes nothing) when no filter is selected or the destination is not
// a channel. Returns whether any cell changed.
bool ApplyFilter(const FilterSettings& settings, const Pattern& filterBuffer, Grid& grid,
                 UndoSystem& undo);

// "Ok" of the filters window: stores the destination, the level and the selection (the
// 16-bit index widened with its sign) and, when a filter is selected, copies its cells into
// the filter buffer. `selectedCells` is null when none is selected.
void StoreFilterChoice(FilterSettings& settings, Pattern& filterBuffer, std::uint32_t destination,
                       std::uint32_t level, std::int16_t selected, const Pattern* selectedCells);

// The destination list shown on opening: a stored destination not below the number of filters
// found is lowered to that number (none found shows "volume (red)"), and never past "pitch".
std::uint32_t OpeningDestination(std::uint32_t stored, int filterCount);

// The selection shown on opening: the stored index, or -1 when none was stored or it no
// longer names a found filter (the folder changed in between).
std::int16_t OpeningSelection(std::uint32_t stored, int filterCount);

// The arithmetic of the "Filters..." window: 5 x 4 thumbnail slots over a list of filters
// that scrolls by rows.
class FilterBrowser {
 public:
  static constexpr int kSlotColumns = 5;
  static constexpr int kVisibleRows = 4;
  static constexpr int kSlots = kSlotColumns * kVisibleRows;
  static constexpr int kAreaLeft = 20;
  static constexpr int kAreaTop = 20;
  static constexpr int kAreaRight = 440;
  static constexpr int kAreaBottom = 356;
  static constexpr int kSlotSize = 64;
  static constexpr int kSlotPitch = 84;

  FilterBrowser(int filterCount, std::int16_t selected);

  int FilterCount() const { return count_; }
  // Thumbnail rows: the filters divided by 5, rounded up, but at least 4. The scroll bar runs
  // 0..Rows() - 1 with a page of 4.
  int Rows() const { return rows_; }
  int FirstRow() const { return first_; }
  int MaxFirstRow() const { return rows_ - kVisibleRows; }

  // A step or page up (-1) or down (+1); dragging the thumb. A move past either end does
  // nothing. Both return whether the first visible row changed.
  bool Scroll(int delta);
  bool ScrollTo(int row);

  // Top left corner of slot 0..19.
  static int SlotX(int slot) { return kAreaLeft + kSlotPitch * (slot % kSlotColumns); }
  static int SlotY(int slot) { return kAreaTop + kSlotPitch * (slot / kSlotColumns); }
  // The filter a slot shows, -1 when none has that index.
  int SlotFilter(int slot) const;

  // The filter index under a point of the inner area, -1 when the point hits no slot or the
  // slot holds no filter. Division truncates toward zero, so the band left of and above the
  // first squares counts for them, and each square's gap counts for it.
  int HitTest(int x, int y) const;

  std::int16_t Selected() const { return selected_; }
  // A single press: selects the filter under the point when it exists and is not already
  // selected. Returns whether the selection changed (the area is then redrawn).
  bool Press(int x, int y);
  // A double click: selects the filter under the point; returns true when there is one, and
  // the window then accepts.
  bool DoubleClick(int x, int y);

 private:
  int count_;
  int rows_;
  int first_ = 0;
  std::int16_t selected_;
};

}  // namespace tond
