#pragma once
#include "model/Cell.h"

namespace tond {

class RandomSource;

// Each channel: truncate((c2 - c1) * t + c1), keeping the low 8 bits; t in single precision.
Cell Lerp(Cell c1, Cell c2, float t);

// Randomly varies each channel by up to +-amount (red, then green, then blue), clamped to
// 0..255. With all three amounts 0 the colour comes back unchanged and nothing is drawn.
Cell VaryColour(Cell colour, float redAmount, float greenAmount, float blueAmount,
                RandomSource& random);

}  // namespace tond
