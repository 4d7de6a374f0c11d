#include "kit/WaveWriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/LittleEndian.h"
#include "base/SafeFile.h"

namespace tond {

namespace {

constexpr std::uint32_t kRate = 44100;
constexpr std::size_t kHeaderSize = 44;
constexpr std::size_t kBlockSamples = 16384;  // converted and written a block at a time

void Put16(std::uint8_t*& p, std::uint16_t v) {
  StoreLE16(p, v);
  p += 2;
}

void Put32(std::uint8_t*& p, std::uint32_t v) {
  StoreLE32(p, v);
  p += 4;
}

void PutTag(std::uint8_t*& p, const char* tag) {
  std::memcpy(p, tag, 4);
  p += 4;
}

// Full scale is 32767 so that -1.0 and 1.0 stay symmetrical; truncation toward zero.
std::int16_t ToPcm16(float v) {
  if (std::isnan(v)) return 0;  // a broken render must not become undefined behaviour
  v = std::clamp(v, -1.0f, 1.0f);
  return static_cast<std::int16_t>(static_cast<double>(v) * 32767.0);
}

// The RIFF sizes are 32-bit; a buffer that does not fit cannot be described.
bool Describable(const float* samples, std::uint32_t frames, std::uint16_t channels) {
  return FitsInWave(frames, channels) && (frames == 0 || samples != nullptr);
}

// Only for a Describable buffer.
bool WriteWaveFile(const std::string& path, const float* samples, std::uint32_t frames,
                   std::uint16_t channels, int* error) {
  const std::uint64_t count = std::uint64_t{frames} * channels;
  const std::uint64_t dataSize = count * 2;

  std::uint8_t header[kHeaderSize];
  std::uint8_t* p = header;
  PutTag(p, "RIFF");
  Put32(p, static_cast<std::uint32_t>(36 + dataSize));
  PutTag(p, "WAVE");
  PutTag(p, "fmt ");
  Put32(p, 16);
  Put16(p, 1);  // integer PCM
  Put16(p, channels);
  Put32(p, kRate);
  Put32(p, kRate * 2 * channels);
  Put16(p, static_cast<std::uint16_t>(2 * channels));
  Put16(p, 16);
  PutTag(p, "data");
  Put32(p, static_cast<std::uint32_t>(dataSize));

  SafeFileWriter writer(path);
  bool ok = writer.Write(header, sizeof header);
  std::uint8_t block[kBlockSamples * 2];
  for (std::uint64_t done = 0; ok && done < count;) {
    const std::uint64_t n = std::min<std::uint64_t>(kBlockSamples, count - done);
    std::uint8_t* out = block;
    for (std::uint64_t i = 0; i < n; ++i)
      Put16(out, static_cast<std::uint16_t>(ToPcm16(samples[done + i])));
    ok = writer.Write(block, static_cast<std::size_t>(n * 2));
    done += n;
  }
  ok = ok && writer.Commit();
  if (error) *error = writer.Error();
  return ok;
}

}  // namespace

bool FitsInWave(std::uint64_t frames, std::uint16_t channels) {
  return channels > 0 && frames <= (0xFFFFFFFFu - 36) / (2u * channels);
}

float PeakOf(const float* samples, std::uint64_t count) {
  float peak = 0.0f;
  for (std::uint64_t i = 0; i < count; ++i) peak = std::fmax(peak, std::fabs(samples[i]));
  return peak;
}

bool WriteWave(const std::string& path, float* samples, std::uint32_t frames,
               std::uint16_t channels, int* error) {
  if (error) *error = 0;
  if (!Describable(samples, frames, channels)) return false;
  const std::uint64_t count = std::uint64_t{frames} * channels;
  const float peak = PeakOf(samples, count);
  if (peak > 0.0f)
    for (std::uint64_t i = 0; i < count; ++i) samples[i] /= peak;
  return WriteWaveFile(path, samples, frames, channels, error);
}

bool WriteWaveAsIs(const std::string& path, const float* samples, std::uint32_t frames,
                   std::uint16_t channels, int* error) {
  if (error) *error = 0;
  return Describable(samples, frames, channels) &&
         WriteWaveFile(path, samples, frames, channels, error);
}

}  // namespace tond
