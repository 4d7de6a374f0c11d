#pragma once
#include <array>
#include <cstdint>

#include "edit/LiveEdit.h"
#include "model/Pattern.h"

namespace tond {

class RandomSource;

// Mutation amounts in percent, red, green, blue.
using MutationAmounts = std::array<int, 3>;

// Rewrites the grid as the backup with every note jittered by amount * 2.55 per channel. A
// note the jitter would turn black becomes 0x010101, so a note never vanishes; empty cells
// stay empty and draw no numbers. Returns whether any cell of the grid changed.
bool ApplyMutation(const Pattern& backup, Grid& grid, const MutationAmounts& amounts,
                   RandomSource& random);

// The live state of one "Mutate colors" window: the seed and the three amounts over the live
// backup. Every slider change reseeds with the same seed, so moving a slider scales one
// jitter instead of drawing a new one.
class MutationEdit : public LiveEdit {
 public:
  static constexpr int kOpeningAmount = 10;

  using LiveEdit::LiveEdit;

  // The seed a window takes on opening: the calendar time in seconds, low 32 bits.
  static std::uint32_t ClockSeed();

  // Opening: takes the seed and sets the three amounts to 10, each as a slider change, so
  // the grid shows the mutation of the seed.
  void Open(std::uint32_t seed, RandomSource& random);
  // A slider change: channel 0 red, 1 green, 2 blue. Reseeds and applies.
  bool SetAmount(int channel, int amount, RandomSource& random);
  // "New Mutation": applies with the numbers that follow, without reseeding.
  bool NewMutation(RandomSource& random);

  std::uint32_t Seed() const { return seed_; }
  int Amount(int channel) const { return amounts_[static_cast<size_t>(channel)]; }

 private:
  MutationAmounts amounts_{};
  std::uint32_t seed_ = 0;
};

}  // namespace tond
