#include "edit/Airbrush.h"

#include <cmath>

#include "edit/ColourMix.h"
#include "edit/Random.h"

namespace tond {

int SprayPeriodMs(int speed) {
  int period = (100 - speed) * 4;
  return period < 1 ? 1 : period;
}

std::optional<CellPoint> SprayDrop(Grid& grid, CellPoint centre, int radius, Cell colour1,
                                   Cell colour2, RandomSource& random) {
  const float kMax = static_cast<float>(RandomSource::kMax);
  float r = static_cast<float>(random.Next()) * static_cast<float>(radius) / kMax;
  float theta = static_cast<float>(random.Next()) * 6.2831854820251465f / kMax;
  int x = static_cast<int>(static_cast<float>(centre.x) + r * std::cos(theta));
  int y = static_cast<int>(static_cast<float>(centre.y) + r * std::sin(theta));
  if (x < 0 || x >= kColumns || y < 0 || y >= kRows) return std::nullopt;
  // Lerp's (c2 - c1) * t + c1 is the same single-precision sum as c1 + t * (c2 - c1).
  grid.Set(x, y, Lerp(colour1, colour2, RandomUnit(random)));
  return CellPoint{x, y};
}

}  // namespace tond
