#include "scales/KeyNames.h"

namespace tond {

std::string KeyName(std::uint8_t key) {
  static constexpr const char* kNotes[12] = {"C",  "C#", "D",  "D#", "E",  "F",
                                             "F#", "G",  "G#", "A",  "A#", "B"};
  return std::string(kNotes[key % 12]) + std::to_string(key / 12 - 2);
}

}  // namespace tond
