#pragma once
#include <cstdint>

namespace tond {

class CInstrument;

// One voice: plays one row of the grid. Owned by the engine and touched only inside Process().
class CTrack {
 public:
  explicit CTrack(std::uint16_t row_ = 0) : row(row_) {}

  const CInstrument* instrument = nullptr;
  bool sounding = false;
  float volume = 0.0f;
  float pan = 0.0f;
  std::uint32_t counter = 0;
  std::int16_t column = -1;
  float position = 0.0f;
  float rate = 1.0f;
  std::uint16_t row = 0;
};

}  // namespace tond
