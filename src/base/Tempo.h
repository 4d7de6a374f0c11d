#pragma once
#include <cstdint>

namespace tond {

// The tempo control's range and the tempo of a new pattern, in beats per minute.
inline constexpr int kTempoMin = 1;
inline constexpr int kTempoMax = 350;
inline constexpr int kDefaultTempo = 120;

// The tempo a control value plays at: truncated to a whole number and held to 1..350 (NaN
// gives 1), so that a bad value can neither divide by zero nor make a step shorter than the
// fades.
constexpr int PlayedTempo(double control) {
  if (!(control >= kTempoMin)) return kTempoMin;  // also NaN
  if (control >= kTempoMax) return kTempoMax;
  return static_cast<int>(control);
}

// What the tempo control shows for a tempo stored in a file: kept to 1..350.
constexpr double TempoControlFor(std::uint32_t stored) {
  if (stored < static_cast<std::uint32_t>(kTempoMin)) return kTempoMin;
  if (stored > static_cast<std::uint32_t>(kTempoMax)) return kTempoMax;
  return static_cast<double>(stored);
}

}  // namespace tond
