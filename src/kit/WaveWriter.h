#pragma once
#include <cstdint>
#include <string>

namespace tond {

// Writes interleaved float samples as a 16-bit PCM wave file with the plain 44-byte header,
// normalised so that the peak becomes full scale (an all-zero buffer stays zero). Normalises
// `samples` in place. The file is written under a temporary name and renamed over `path` only
// when complete; false (and the old file untouched) on any failure, with `error` (when given)
// set to the errno of the call that failed (0 when the sizes were refused).
bool WriteWave(const std::string& path, float* samples, std::uint32_t frames,
               std::uint16_t channels, int* error = nullptr);

}  // namespace tond
