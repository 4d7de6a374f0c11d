#pragma once
#include <cstdint>

namespace tond {

// A cell is a colour 0x00BBGGRR: red is the volume, green the pan, blue the rate. 0 is empty.
using Cell = std::uint32_t;

constexpr int kColumns = 64;
constexpr int kRows = 64;
constexpr int kCells = kColumns * kRows;

inline constexpr int CellIndex(int column, int row) { return column * kRows + row; }

inline constexpr int Red(Cell c) { return static_cast<int>(c & 255u); }
inline constexpr int Green(Cell c) { return static_cast<int>((c >> 8) & 255u); }
inline constexpr int Blue(Cell c) { return static_cast<int>((c >> 16) & 255u); }
inline constexpr Cell MakeCell(int red, int green, int blue) {
  return static_cast<Cell>(red & 255) | (static_cast<Cell>(green & 255) << 8) |
         (static_cast<Cell>(blue & 255) << 16);
}

// Wraps a coordinate into 0..63, so that -1 becomes 63.
inline constexpr int Wrap64(int v) { return ((v % 64) + 64) % 64; }

}  // namespace tond
