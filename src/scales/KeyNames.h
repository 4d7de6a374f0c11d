#pragma once
#include <cstdint>
#include <string>

namespace tond {

// Key numbers follow MIDI note numbers; key 60 is named C3, key 0 C-2 and key 127 G8.
// Sharps only: "C", "C#", "D", ... "B", then the octave key / 12 - 2.
std::string KeyName(std::uint8_t key);

}  // namespace tond
