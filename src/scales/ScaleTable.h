#pragma once
#include <array>
#include <cstdint>

namespace tond {

// One named scale: its intervals in semitones from the first degree upwards. The list ends at
// the first 0; the bytes after it are 0.
struct Scale {
  const char* name;  // at most 26 characters
  std::array<std::uint8_t, 16> steps;
};

inline constexpr int kScaleCount = 270;

// The fixed table; an instrument's scale is an index into it (0 to 269), so its order is
// part of every stored project.
const std::array<Scale, kScaleCount>& ScaleTable();

// The number of steps before the first 0.
int StepCount(const Scale& scale);

// The table indices in the order the scale list shows them: alphabetical without regard to
// case, byte by byte after folding ASCII letters, so "Arabian" comes before "Arabian n2".
const std::array<std::uint16_t, kScaleCount>& SortedScaleOrder();

// The position of table entry `index` in SortedScaleOrder(); -1 for an index out of the table.
int SortedPosition(int index);

}  // namespace tond
