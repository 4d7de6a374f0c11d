#include "edit/Filters.h"

#include <algorithm>

#include "model/UndoSystem.h"

namespace tond {

Cell FilterCell(Cell cell, Cell filter, std::uint32_t destination, float amount) {
  const unsigned shift = 8u * destination;
  const int k = static_cast<int>((cell >> shift) & 255u);
  const int m = static_cast<int>((filter >> shift) & 255u);
  const float q = static_cast<float>(m / 255.0);
  const float p = static_cast<float>(k / 255.0);
  const double qd = q, pd = p, ad = amount;
  const float t = static_cast<float>((1.0 - (1.0 - qd) * ad) * pd);
  // Within 0..100 percent t stays in 0..1; a larger level must not wrap the byte.
  const int value = std::clamp(static_cast<int>(static_cast<double>(t) * 255.0), 0, 255);
  const Cell rest = cell & 0xFFFFFFu & ~(255u << shift);
  return rest | (static_cast<Cell>(value) << shift);
}

bool ApplyFilter(const FilterSettings& settings, const Pattern& filterBuffer, Grid& grid,
                 UndoSystem& undo) {
  if (settings.selected == kNoFilter) return false;
  if (settings.destination > kFilterPitch) return false;
  const float amount = static_cast<float>(settings.level / 100.0);
  bool changed = false;
  for (int i = 0; i < kCells; ++i) {
    const Cell before = grid.Get(i);
    const Cell after = FilterCell(before, filterBuffer[i], settings.destination, amount);
    if (after != before) {
      grid.Set(i, after);
      changed = true;
    }
  }
  undo.Push();
  return changed;
}

void StoreFilterChoice(FilterSettings& settings, Pattern& filterBuffer, std::uint32_t destination,
                       std::uint32_t level, std::int16_t selected, const Pattern* selectedCells) {
  settings.destination = destination;
  settings.level = level;
  settings.selected = static_cast<std::uint32_t>(static_cast<std::int32_t>(selected));
  if (selected >= 0 && selectedCells) filterBuffer = *selectedCells;
}

std::uint32_t OpeningDestination(std::uint32_t stored, int filterCount) {
  std::uint32_t shown = std::min<std::uint32_t>(stored, kFilterPitch);
  if (filterCount >= 0 && shown >= static_cast<std::uint32_t>(filterCount)) {
    shown = static_cast<std::uint32_t>(filterCount);
  }
  return shown;
}

std::int16_t OpeningSelection(std::uint32_t stored, int filterCount) {
  if (stored == kNoFilter || stored >= static_cast<std::uint32_t>(std::max(filterCount, 0))) {
    return -1;
  }
  return static_cast<std::int16_t>(stored);
}

FilterBrowser::FilterBrowser(int filterCount, std::int16_t selected)
    : count_(std::max(filterCount, 0)),
      rows_(std::max((count_ + kSlotColumns - 1) / kSlotColumns, kVisibleRows)),
      selected_(selected >= 0 && selected < count_ ? selected : std::int16_t{-1}) {}

bool FilterBrowser::Scroll(int delta) {
  return ScrollTo(first_ + delta);
}

bool FilterBrowser::ScrollTo(int row) {
  if (row < 0 || row > MaxFirstRow() || row == first_) return false;
  first_ = row;
  return true;
}

int FilterBrowser::SlotFilter(int slot) const {
  if (slot < 0 || slot >= kSlots) return -1;
  const int index = (first_ + slot / kSlotColumns) * kSlotColumns + slot % kSlotColumns;
  return index < count_ ? index : -1;
}

int FilterBrowser::HitTest(int x, int y) const {
  // Compared as unsigned 16-bit numbers, so a point far enough left or above misses.
  const auto column = static_cast<std::uint16_t>((x - kAreaLeft) / kSlotPitch);
  const auto row = static_cast<std::uint16_t>((y - kAreaTop) / kSlotPitch);
  if (column >= kSlotColumns || row >= kVisibleRows) return -1;
  const int index = column + (row + first_) * kSlotColumns;
  return index < count_ ? index : -1;
}

bool FilterBrowser::Press(int x, int y) {
  const int index = HitTest(x, y);
  if (index < 0 || index == selected_) return false;
  selected_ = static_cast<std::int16_t>(index);
  return true;
}

bool FilterBrowser::DoubleClick(int x, int y) {
  const int index = HitTest(x, y);
  if (index < 0) return false;
  selected_ = static_cast<std::int16_t>(index);
  return true;
}

}  // namespace tond
