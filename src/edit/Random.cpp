#include "edit/Random.h"

namespace tond {

void RandomSource::Seed(std::uint32_t seed) {
  // splitmix64 of the seed, so that nearby seeds give unrelated sequences.
  std::uint64_t z = seed + 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  state_ = z ^ (z >> 31);
  if (state_ == 0) state_ = 1;
}

int RandomSource::Next() {
  // xorshift64*: the top 15 bits of the product.
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  return static_cast<int>((state_ * 0x2545F4914F6CDD1Dull) >> 49);
}

float RandomUnit(RandomSource& random) { return static_cast<float>(random.Next() / 32767.0); }

int RandomIndex(RandomSource& random, int n) {
  return static_cast<int>(random.Next() / 32767.0 * n);
}

}  // namespace tond
