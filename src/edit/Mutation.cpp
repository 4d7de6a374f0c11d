#include "edit/Mutation.h"

#include <ctime>

#include "edit/ColourMix.h"
#include "edit/Random.h"
#include "edit/RandomFill.h"

namespace tond {

namespace {

// A note never becomes the empty cell: black turns into the darkest grey.
constexpr Cell kDarkestNote = 0x010101;

}  // namespace

bool ApplyMutation(const Pattern& backup, Grid& grid, const MutationAmounts& amounts,
                   RandomSource& random) {
  const float red = VariationAmount(amounts[0]);
  const float green = VariationAmount(amounts[1]);
  const float blue = VariationAmount(amounts[2]);
  Pattern result = backup;
  for (Cell& cell : result) {
    if (cell == 0) continue;
    cell = VaryColour(cell, red, green, blue, random);
    if (cell == 0) cell = kDarkestNote;
  }
  return WriteChanged(result, grid);
}

std::uint32_t MutationEdit::ClockSeed() {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(std::time(nullptr)));
}

void MutationEdit::Open(std::uint32_t seed, RandomSource& random) {
  seed_ = seed;
  // Three slider changes in a row: each reseeds, so the last one alone decides the grid and
  // the position of the random sequence.
  for (int channel = 0; channel < 3; ++channel) SetAmount(channel, kOpeningAmount, random);
}

bool MutationEdit::SetAmount(int channel, int amount, RandomSource& random) {
  if (!IsChannel(channel)) return false;
  amounts_[static_cast<size_t>(channel)] = amount;
  random.Seed(seed_);
  return ApplyMutation(Backup(), EditedGrid(), amounts_, random);
}

bool MutationEdit::NewMutation(RandomSource& random) {
  return ApplyMutation(Backup(), EditedGrid(), amounts_, random);
}

}  // namespace tond
