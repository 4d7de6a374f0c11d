#include "edit/Mutation.h"

#include <ctime>

#include "edit/ColourMix.h"
#include "edit/Random.h"
#include "edit/RandomFill.h"
#include "model/UndoSystem.h"

namespace tond {

namespace {

// A note never becomes the empty cell: black turns into the darkest grey.
constexpr Cell kDarkestNote = 0x010101;

// Writes the cells that differ; returns whether there were any.
bool WriteChanged(const Pattern& cells, Grid& grid) {
  bool changed = false;
  for (int i = 0; i < kCells; ++i) {
    if (grid.Get(i) != cells[i]) {
      grid.Set(i, cells[i]);
      changed = true;
    }
  }
  return changed;
}

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

MutationEdit::MutationEdit(Grid& grid) : grid_(grid), backup_(grid.Snapshot()) {}

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
  if (channel < 0 || channel > 2) return false;
  amounts_[static_cast<size_t>(channel)] = amount;
  random.Seed(seed_);
  return ApplyMutation(backup_, grid_, amounts_, random);
}

bool MutationEdit::NewMutation(RandomSource& random) {
  return ApplyMutation(backup_, grid_, amounts_, random);
}

void MutationEdit::Accept(UndoSystem& undo) {
  undo.Push();
}

bool MutationEdit::Cancel() {
  return WriteChanged(backup_, grid_);
}

}  // namespace tond
