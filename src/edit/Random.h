#pragma once
#include <cstdint>

namespace tond {

// The shared random source of the editing operations: integers 0..32767, the same sequence
// after the same seed. Owned by the main window and passed to the operations that draw from it.
class RandomSource {
 public:
  static constexpr int kMax = 32767;

  explicit RandomSource(std::uint32_t seed = 1) { Seed(seed); }
  void Seed(std::uint32_t seed);
  // Next integer, 0..32767.
  int Next();

 private:
  std::uint64_t state_ = 0;
};

// The next integer / 32767, in single precision: 0..1.
float RandomUnit(RandomSource& random);
// The next integer / 32767 * n, truncated: 0..n, n itself only for the largest integer.
int RandomIndex(RandomSource& random, int n);

}  // namespace tond
