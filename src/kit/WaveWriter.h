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
// The same without normalising: the samples keep their level, and what lies beyond full scale
// is clipped.
bool WriteWaveAsIs(const std::string& path, const float* samples, std::uint32_t frames,
                   std::uint16_t channels, int* error = nullptr);
// Whether `frames` frames of `channels` 16-bit samples fit the wave header's 32-bit sizes (in
// stereo about 6 hours 45 minutes).
bool FitsInWave(std::uint64_t frames, std::uint16_t channels);
// The largest absolute value among `count` samples: what WriteWave raises to full scale, and
// above 1 what WriteWaveAsIs clips.
float PeakOf(const float* samples, std::uint64_t count);

}  // namespace tond
