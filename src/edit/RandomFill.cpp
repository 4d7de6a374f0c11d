#include "edit/RandomFill.h"

#include <numeric>
#include <vector>

#include "edit/ColourMix.h"
#include "edit/Random.h"
#include "model/Pattern.h"
#include "model/UndoSystem.h"

namespace tond {

int RandomFillCount(std::uint32_t density) {
  // A density typed past 100 must not ask for more cells than there are.
  if (density > 100) density = 100;
  return static_cast<int>(density / 100.0 * kCells);
}

float VariationAmount(int percent) {
  return static_cast<float>(percent) * 2.55f;
}

bool RandomFill(const RandomSettings& settings, Grid& grid, UndoSystem& undo,
                RandomSource& random) {
  const Pattern before = grid.Snapshot();
  if (settings.operation == kRandomReplace) grid.Fill(0);

  // The unmarked indexes in grid order: the (r + 1)-th of them is unmarked[r].
  std::vector<int> unmarked(kCells);
  std::iota(unmarked.begin(), unmarked.end(), 0);

  const int n = RandomFillCount(settings.density);
  const float amount = VariationAmount(static_cast<int>(settings.variation));
  for (int i = 0; i < n; ++i) {
    const int r = RandomIndex(random, kCells - 1 - i);
    const int k = unmarked[static_cast<size_t>(r)];
    unmarked.erase(unmarked.begin() + r);

    Cell colour = settings.colour1 & 0xFFFFFFu;
    if (settings.colourMode == kRandomGradient) {
      colour = Lerp(settings.colour1, settings.colour2, RandomUnit(random));
    }
    if (settings.variation != 0) colour = VaryColour(colour, amount, amount, amount, random);
    grid.Set(k, colour);
  }

  undo.Push();
  return !(grid == before);
}

}  // namespace tond
