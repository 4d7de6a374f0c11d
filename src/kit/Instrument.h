#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tond {

// The sample path that marks an empty kit slot, in memory and in every file.
inline constexpr const char* kNotUsed = "not used";

// One kit slot: a mono float sample with its playback flags.
// The audio thread reads data, loop and fade; they change only while the engine is idle
// (see Engine::Quiesce).
class CInstrument {
 public:
  CInstrument() = default;

  std::string samplePath;
  std::vector<float> data;  // mono, nominally -1..1; its size is the length in frames
  std::uint8_t rootKey = 60;
  bool loop = false;
  bool fade = false;
  std::uint8_t minkey = 0;
  std::uint8_t maxkey = 127;
  std::uint16_t scale = 0;

  std::uint32_t Length() const { return static_cast<std::uint32_t>(data.size()); }
  bool InUse() const { return samplePath != kNotUsed; }

  // Back to an empty slot: "not used", no sample, every field at its default.
  void Empty() { *this = CInstrument(), samplePath = kNotUsed; }
};

}  // namespace tond
