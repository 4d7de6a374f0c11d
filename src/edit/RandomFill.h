#pragma once
#include <cstdint>

#include "model/Cell.h"

namespace tond {

class Grid;
class RandomSource;
class UndoSystem;

enum RandomOperation : std::uint32_t { kRandomReplace = 0, kRandomAdd = 1 };
enum RandomColourMode : std::uint32_t { kRandomSingleColour = 0, kRandomGradient = 1 };

// The settings the "Random" window edits; the main window keeps them for the whole run.
struct RandomSettings {
  std::uint32_t operation = kRandomReplace;
  std::uint32_t colourMode = kRandomGradient;
  Cell colour1 = 0x000000;      // the single colour, or the first end of the gradient
  Cell colour2 = 0x0000FF;      // the second end of the gradient (pure red)
  std::uint32_t density = 25;   // percent of the 4096 cells to paint
  std::uint32_t variation = 0;  // percent of per-channel jitter
};

// How many cells a density paints: density / 100 * 4096, truncated; at most all of them.
int RandomFillCount(std::uint32_t density);

// The jitter amount of a variation percentage: variation * 2.55 in single precision.
float VariationAmount(int percent);

// Paints RandomFillCount(density) distinct cells of the grid (emptying it first for "replace")
// and pushes the result once. Per cell the draws are: the position, then t for a gradient,
// then the three jitter numbers when the variation is not 0. Returns whether any cell changed.
bool RandomFill(const RandomSettings& settings, Grid& grid, UndoSystem& undo, RandomSource& random);

}  // namespace tond
