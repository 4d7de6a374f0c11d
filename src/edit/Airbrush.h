#pragma once
#include <optional>

#include "edit/CellGeometry.h"
#include "model/Pattern.h"

namespace tond {

class RandomSource;

// The spray timer's period for a speed of 1..100: (100 - speed) * 4 ms, so speed 90 sprays
// every 40 ms. Speed 100 gives 1 ms, the shortest real period (a 0 ms timer would spin).
int SprayPeriodMs(int speed);

// One tick of the spray timer: a drop at a random distance (0..radius cells) and angle from
// the centre, in single precision and truncated toward zero, so positions just left of or
// above the grid still land on column or row 0. A drop inside the grid colours its cell
// somewhere between the two colours (one random t for all channels) and its cell is returned;
// a drop outside the grid is lost and draws no colour.
std::optional<CellPoint> SprayDrop(Grid& grid, CellPoint centre, int radius, Cell colour1,
                                   Cell colour2, RandomSource& random);

}  // namespace tond
